// The controls of another process's dialog in template order, with what a template
// gives for each: class, id, style, text, position and size in dialog units.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct ChildWindow {
    HWND handle = nullptr;
    std::string className;
    int id = 0;
    LONG style = 0;
    LONG exStyle = 0;
    std::string text;  // GBK
    RECT units = {};   // left, top, width, height; a combo box's height with its list open
};

// A dialog creates its controls in template order, each below the previous one, so the
// child Z order is the template order. Units follow the dialog's font (name in GBK).
std::vector<ChildWindow> DialogControls(HWND dialog, const char* fontName, int pointSize);
// The dialog's client area in the units of its font.
SIZE ClientSizeInUnits(HWND dialog, const char* fontName, int pointSize);

}  // namespace e2e
