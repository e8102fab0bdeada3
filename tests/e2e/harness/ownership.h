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

// A window of the test's process made the foreground window, as when the user switches from
// `page` to another program while the program under test works; it goes with the object.
class AnotherProgramActive {
public:
    explicit AnotherProgramActive(HWND page);
    ~AnotherProgramActive();
    AnotherProgramActive(const AnotherProgramActive&) = delete;
    AnotherProgramActive& operator=(const AnotherProgramActive&) = delete;

    // Whether the thread of `window` has been left without an active window (it learns so
    // when it next handles its messages); false if it keeps one for kWindowTimeoutMs.
    static bool Deactivated(HWND window);

private:
    static DWORD WINAPI Run(void* self);

    HANDLE quit_;
    HANDLE thread_;
};

}  // namespace e2e
