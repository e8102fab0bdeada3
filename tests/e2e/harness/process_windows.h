// Finding the windows of the program under test.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// How long a page may take to appear before the case fails.
const DWORD kWindowTimeoutMs = 10000;

// The visible top-level dialog (class #32770) of the process with this caption (GBK
// bytes), waiting up to timeoutMs for it; nullptr when none appeared.
HWND WaitForDialog(DWORD processId, const std::string& caption, DWORD timeoutMs = kWindowTimeoutMs);

// Like WaitForDialog, but ignores the window `previous` (the page that is going away).
HWND WaitForNewDialog(DWORD processId, const std::string& caption, HWND previous, DWORD timeoutMs = kWindowTimeoutMs);

// Waits until the window has been destroyed; false when it still exists after timeoutMs.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kWindowTimeoutMs);

// Every visible top-level window of the process, in Z order.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// Caption and class of any window, also of another process.
std::string WindowCaption(HWND window);
std::string WindowClass(HWND window);

// "caption" [class] of each window, for failure messages.
std::string DescribeWindows(const std::vector<HWND>& windows);

}  // namespace e2e
