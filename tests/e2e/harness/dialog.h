// A dialog of the program under test, read and driven from outside by control id.
// Queries that need the control answer with a neutral value (empty text, -1, false)
// when the control does not exist; check Has(id) where that matters.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// How long a sent message may take before the target counts as hung.
const UINT kSendTimeoutMs = 5000;

// SendMessageTimeoutA with kSendTimeoutMs; `failed` (if given) tells a timeout apart.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* failed = nullptr);

// A dialog's base units as Windows computes them from its font (name in GBK): the
// average width of the Latin letters and the character height. Zero when the font fails.
SIZE DialogBaseUnits(const char* fontName, int pointSize);

class Dialog {
public:
    explicit Dialog(HWND window = nullptr) : window_(window) {}
    HWND Handle() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }

    std::string Caption() const;
    LONG Style() const;
    LONG ExStyle() const;

    bool Has(int id) const { return Control(id) != nullptr; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::string ClassName(int id) const;
    std::string Text(int id) const;
    LONG Style(int id) const;
    LONG ExStyle(int id) const;
    // The control's own WS_VISIBLE, independent of whether the dialog is shown.
    bool IsShown(int id) const;
    bool IsEnabled(int id) const;
    // BM_GETCHECK: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE; -1 without the control.
    int CheckState(int id) const;
    // Position and size (left, top, width, height) in dialog units, as a template gives
    // them, for a dialog in the given font. MapDialogRect does not work on another
    // process's dialog in Wine, so the base units are worked out from the font here.
    RECT RectInDialogUnits(int id, const char* fontName, int pointSize) const;

    // Clicks a button as the user's click does: posted, so a modal loop it opens never
    // blocks the test.
    void Click(int id) const;
    // BM_CLICK, sent: for radio buttons and check boxes, whose click opens nothing modal
    // and whose own state change is the point. The control has toggled and the dialog has
    // seen BN_CLICKED when this returns; false when the control is missing or hung.
    bool ClickInPlace(int id) const;
    // The window with the keyboard focus on the dialog's thread; nullptr when unknown.
    HWND FocusedControl() const;
    // The child windows in creation order (template order for a dialog).
    std::vector<HWND> Children() const;
    // Control id of a child; -1 for controls without one.
    static int IdOf(HWND child);

    // Enter and Esc, delivered to the focused control of the dialog's thread.
    void PressKey(WORD virtualKey) const;
    void PressEnter() const { PressKey(VK_RETURN); }
    void PressEscape() const { PressKey(VK_ESCAPE); }
    // A system-menu command (SC_CLOSE is the close box), posted.
    void SystemCommand(WPARAM command) const;
    void CloseBox() const { SystemCommand(SC_CLOSE); }

private:
    HWND window_;
};

}  // namespace e2e
