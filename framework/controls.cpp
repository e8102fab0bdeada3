#include "framework/controls.h"

#include <commctrl.h>

#include <vector>

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

// A zero mask takes every bit from the value.
void CListCtrl::SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }

int CListCtrl::InsertColumn(int column, const char* heading, int format) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.pszText = const_cast<char*>(heading);
    col.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
}

int CListCtrl::InsertItem(int row, const char* text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, row, mask));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

std::string CListCtrl::GetItemText(int row, int column) const {
    if (m_hWnd == nullptr) return std::string();
    // The control copies at most the buffer's size less one: grow until a copy falls short.
    for (size_t size = 256;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        LRESULT copied = SendMessage(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (copied < 0 || static_cast<size_t>(copied) < size - 1) return std::string(buffer.data());
        if (size > (1u << 24)) return std::string(buffer.data());
    }
}
