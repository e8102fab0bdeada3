// PNG screenshots of a window, saved as %KORA_SCREENSHOT_DIR%\<name>.png for reviewers.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Copies the window's screen rectangle; returns the file written, empty on failure
// (also when KORA_SCREENSHOT_DIR is unset).
std::string SaveScreenshot(HWND window, const std::string& name);

}  // namespace e2e
