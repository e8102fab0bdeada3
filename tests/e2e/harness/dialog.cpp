#include "harness/dialog.h"

#include "harness/process_windows.h"

namespace e2e {

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* failed) {
    DWORD_PTR result = 0;
    LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    if (failed) *failed = (ok == 0);
    return static_cast<LRESULT>(result);
}

SIZE DialogBaseUnits(const char* fontName, int pointSize) {
    SIZE base = {};
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, fontName);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics;
    SIZE letters;
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsA(screen, &metrics) && GetTextExtentPoint32A(screen, alphabet, 52, &letters)) {
        base.cx = (letters.cx / 26 + 1) / 2;
        base.cy = metrics.tmHeight;
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return base;
}

std::string Dialog::Caption() const { return WindowCaption(window_); }
LONG Dialog::Style() const { return GetWindowLongA(window_, GWL_STYLE); }
LONG Dialog::ExStyle() const { return GetWindowLongA(window_, GWL_EXSTYLE); }

std::string Dialog::ClassName(int id) const {
    HWND control = Control(id);
    return control ? WindowClass(control) : "";
}

std::string Dialog::Text(int id) const {
    HWND control = Control(id);
    if (!control) return "";
    char text[1024] = "";
    SendWithTimeout(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    text[sizeof text - 1] = '\0';
    return text;
}

LONG Dialog::Style(int id) const {
    HWND control = Control(id);
    return control ? GetWindowLongA(control, GWL_STYLE) : 0;
}

LONG Dialog::ExStyle(int id) const {
    HWND control = Control(id);
    return control ? GetWindowLongA(control, GWL_EXSTYLE) : 0;
}

bool Dialog::IsShown(int id) const { return Has(id) && (Style(id) & WS_VISIBLE) != 0; }
bool Dialog::IsEnabled(int id) const { return Has(id) && (Style(id) & WS_DISABLED) == 0; }

int Dialog::CheckState(int id) const {
    HWND control = Control(id);
    if (!control) return -1;
    bool failed = false;
    LRESULT state = SendWithTimeout(control, BM_GETCHECK, 0, 0, &failed);
    return failed ? -1 : static_cast<int>(state);
}

RECT Dialog::RectInDialogUnits(int id, const char* fontName, int pointSize) const {
    RECT rect = {};
    HWND control = Control(id);
    SIZE base = DialogBaseUnits(fontName, pointSize);
    if (!control || base.cx == 0 || base.cy == 0) return rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    auto unitsX = [&](LONG pixels) { return MulDiv(pixels, 4, base.cx); };
    auto unitsY = [&](LONG pixels) { return MulDiv(pixels, 8, base.cy); };
    return RECT{unitsX(rect.left), unitsY(rect.top), unitsX(rect.right - rect.left), unitsY(rect.bottom - rect.top)};
}

void Dialog::Click(int id) const {
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

bool Dialog::ClickInPlace(int id) const {
    HWND control = Control(id);
    if (!control) return false;
    bool failed = false;
    SendWithTimeout(control, BM_CLICK, 0, 0, &failed);
    return !failed;
}

HWND Dialog::FocusedControl() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::vector<HWND> Dialog::Children() const {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// A template without an id stores 0xFFFF (DIALOG) or -1 (DIALOGEX).
int Dialog::IdOf(HWND child) {
    int id = GetDlgCtrlID(child);
    return (id & 0xFFFF) == 0xFFFF ? -1 : id;
}

void Dialog::PressKey(WORD virtualKey) const {
    HWND target = FocusedControl();
    if (!target) target = window_;
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
    PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (1u << 30) | (1u << 31));
}

void Dialog::SystemCommand(WPARAM command) const { PostMessageA(window_, WM_SYSCOMMAND, command, 0); }

}  // namespace e2e
