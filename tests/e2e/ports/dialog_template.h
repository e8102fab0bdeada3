// A dialog template read straight from a program file's resources: the bits as written,
// before the dialog manager and the controls restyle themselves at run time.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct TemplateControl {
    DWORD id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string className;  // "#128" style ordinals become their class names
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    bool found = false;
    bool extended = false;  // DLGTEMPLATEEX
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<TemplateControl> controls;
};

// Template number `id` (RT_DIALOG) of the program file at `path` (a Windows path).
DialogTemplate ReadDialogTemplate(const std::string& path, int id);

}  // namespace e2e
