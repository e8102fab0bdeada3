// Message boxes of the program under test.
#pragma once
#include <windows.h>

#include <string>

#include "harness/process_windows.h"

namespace e2e {

// The message box of the process with this caption; nullptr if none within timeoutMs.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs = kWindowTimeoutMs);
// The message text: the box's non-empty static text.
std::string MessageBoxText(HWND box);
// Whether the box shows an icon (the static with SS_ICON).
bool MessageBoxHasIcon(HWND box);
// Presses OK (posted, like a click).
void PressMessageBoxOk(HWND box);

}  // namespace e2e
