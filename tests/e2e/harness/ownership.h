// A dialog that a page opens: owned by that page, which takes no input until the dialog
// has closed and is then the active window again.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The active window of the thread that owns `window`; nullptr when it cannot be read.
HWND ActiveWindowOfItsThread(HWND window);

// While `dialog` is shown: its owner is `page`, and `page` is disabled.
void ExpectOwnedAndBlocking(HWND dialog, HWND page, const std::string& what);
// After the dialog has closed: `page` is enabled and becomes the active window.
void ExpectGivenBack(HWND page, const std::string& what);

}  // namespace e2e
