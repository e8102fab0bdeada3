// Wrappers of the common controls the pages use. Each holds only its window handle, bound
// by DDX_Control; once detached every call does nothing and returns zero.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, position, 0)); }
};

class CComboBox : public CWnd {
public:
    int ResetContent() { return static_cast<int>(SendMessage(CB_RESETCONTENT)); }
    int AddString(const char* text) {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int SetCurSel(int row) { return static_cast<int>(SendMessage(CB_SETCURSEL, row)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
};

class CButton : public CWnd {
public:
    void SetCheck(int state) { SendMessage(BM_SETCHECK, state); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
};

class CListCtrl : public CWnd {
public:
    DWORD GetExtendedStyle() const;
    void SetExtendedStyle(DWORD style);
    int InsertColumn(int column, const char* heading, int format);
    BOOL SetColumnWidth(int column, int width);
    int InsertItem(int row, const char* text);
    BOOL SetItemText(int row, int column, const char* text);
    BOOL SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    int GetItemCount() const;
    BOOL DeleteAllItems();
    // The whole text of a cell, however long.
    std::string GetItemText(int row, int column) const;
};
