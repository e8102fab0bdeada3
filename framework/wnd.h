// A window known to the framework by its handle. Control wrappers derive from it and hold
// nothing but the handle; a wrapper without a handle does nothing.
#pragma once

#include <string>

#include "framework/cmd_target.h"

class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    HWND GetDlgItem(int id) const { return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr; }
    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    void Detach() { m_hWnd = nullptr; }
    BOOL IsIconic() const { return m_hWnd && ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
    }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    void SetWindowText(const char* text) {
        if (m_hWnd) ::SetWindowTextA(m_hWnd, text);
    }
    BOOL EnableWindow(BOOL enable) { return m_hWnd ? ::EnableWindow(m_hWnd, enable) : FALSE; }
    BOOL CheckDlgButton(int id, UINT check) { return m_hWnd ? ::CheckDlgButton(m_hWnd, id, check) : FALSE; }
    void SetIcon(HICON icon, BOOL big) { SendMessage(WM_SETICON, big, reinterpret_cast<LPARAM>(icon)); }

protected:
    // Called by a window-message handler that leaves the message to the system's processing.
    void Default() { m_wantsDefault = true; }
    bool TakeDefaultRequest() {
        bool wanted = m_wantsDefault;
        m_wantsDefault = false;
        return wanted;
    }

private:
    bool m_wantsDefault = false;
};
