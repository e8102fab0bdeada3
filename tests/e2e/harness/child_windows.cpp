#include "harness/child_windows.h"

#include "harness/dialog.h"
#include "harness/process_windows.h"

namespace e2e {
namespace {

// CB_GETDROPPEDCONTROLRECT; Wine copies the rectangle back across processes itself.
bool DroppedRect(HWND combo, RECT* rect) {
    bool failed = false;  // the message answers CB_OKAY, which is 0
    *rect = RECT{};
    SendWithTimeout(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect), &failed);
    return !failed && rect->bottom > rect->top;
}

RECT ToUnits(HWND dialog, HWND control, SIZE base) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    LONG height = rect.bottom - rect.top;
    RECT dropped;
    // A combo box's template height is that of the box with its list open. Wine's dropped
    // rectangle spans only the list below the closed box (Windows' spans both).
    if (WindowClass(control) == "ComboBox" && DroppedRect(control, &dropped)) height += dropped.bottom - dropped.top;
    POINT origin = {rect.left, rect.top};
    ScreenToClient(dialog, &origin);
    return RECT{MulDiv(origin.x, 4, base.cx), MulDiv(origin.y, 8, base.cy), MulDiv(rect.right - rect.left, 4, base.cx),
                MulDiv(height, 8, base.cy)};
}

}  // namespace

SIZE ClientSizeInUnits(HWND dialog, const char* fontName, int pointSize) {
    SIZE base = DialogBaseUnits(fontName, pointSize);
    RECT client = {};
    if (base.cx == 0 || base.cy == 0 || !GetClientRect(dialog, &client)) return SIZE{};
    return SIZE{MulDiv(client.right, 4, base.cx), MulDiv(client.bottom, 8, base.cy)};
}

std::vector<ChildWindow> DialogControls(HWND dialog, const char* fontName, int pointSize) {
    std::vector<ChildWindow> controls;
    SIZE base = DialogBaseUnits(fontName, pointSize);
    if (base.cx == 0 || base.cy == 0) return controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ChildWindow control;
        control.handle = child;
        control.className = WindowClass(child);
        control.id = static_cast<short>(GetWindowLongA(child, GWL_ID));
        control.style = GetWindowLongA(child, GWL_STYLE);
        control.exStyle = GetWindowLongA(child, GWL_EXSTYLE);
        char text[1024] = "";
        SendWithTimeout(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        text[sizeof text - 1] = '\0';
        control.text = text;
        control.units = ToUnits(dialog, child, base);
        controls.push_back(control);
    }
    return controls;
}

}  // namespace e2e
