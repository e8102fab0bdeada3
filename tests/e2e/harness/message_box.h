// Message boxes of the program under test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "harness/process_windows.h"
#include "harness/program.h"

namespace e2e {

// The message box of the process with this caption; nullptr if none within timeoutMs.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs = kWindowTimeoutMs);
// The message text: the box's non-empty static text.
std::string MessageBoxText(HWND box);
// Whether the box shows an icon (the static with SS_ICON).
bool MessageBoxHasIcon(HWND box);
// Presses OK (posted, like a click).
void PressMessageBoxOk(HWND box);

// The visible message boxes of the process with this caption, in Z order.
std::vector<HWND> MessageBoxesOf(DWORD processId, const std::string& caption);
// The first message box with this caption; nullptr when the program ended, or timeoutMs
// passed, without one.
HWND WaitForMessageBoxOrExit(const Program& program, const std::string& caption, DWORD timeoutMs);
// Presses OK on every box with this caption until the program ends or timeoutMs passes;
// the texts in the order the boxes came. onBox (if given) runs before each box is closed.
std::vector<std::string> AnswerMessageBoxesUntilExit(const Program& program, const std::string& caption,
                                                     DWORD timeoutMs, const std::function<void(HWND)>& onBox = nullptr);

}  // namespace e2e
