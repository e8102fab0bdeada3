#include "harness/ownership.h"

#include <gtest/gtest.h>

#include "harness/process_windows.h"

namespace e2e {
namespace {

const DWORD kPollMs = 20;

}  // namespace

HWND ActiveWindowOfItsThread(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndActive;
}

void ExpectOwnedAndBlocking(HWND dialog, HWND page, const std::string& what) {
    EXPECT_EQ(page, GetWindow(dialog, GW_OWNER)) << what << ": owner of " << DescribeWindows({dialog});
    EXPECT_FALSE(IsWindowEnabled(page)) << what << ": the page underneath takes input";
}

// Activation follows the dialog's end at once; the wait covers a slow machine.
void ExpectGivenBack(HWND page, const std::string& what) {
    EXPECT_TRUE(IsWindowEnabled(page)) << what << ": the page stayed disabled";
    HWND active = ActiveWindowOfItsThread(page);
    for (DWORD start = GetTickCount(); active != page && GetTickCount() - start < kWindowTimeoutMs; Sleep(kPollMs))
        active = ActiveWindowOfItsThread(page);
    EXPECT_EQ(page, active) << what << ": active is " << DescribeWindows({active});
}

// Only the thread of the foreground window loses its active window to another program's.
AnotherProgramActive::AnotherProgramActive(HWND page) : quit_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    SetForegroundWindow(page);
    thread_ = CreateThread(nullptr, 0, &AnotherProgramActive::Run, this, 0, nullptr);
}

AnotherProgramActive::~AnotherProgramActive() {
    SetEvent(quit_);
    WaitForSingleObject(thread_, kWindowTimeoutMs);
    CloseHandle(thread_);
    CloseHandle(quit_);
}

// The window's thread handles its messages, so that no program waits on it.
DWORD WINAPI AnotherProgramActive::Run(void* param) {
    auto* self = static_cast<AnotherProgramActive*>(param);
    HWND window = CreateWindowExA(0, "Static", "another program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 80,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    while (MsgWaitForMultipleObjects(1, &self->quit_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    return 0;
}

bool AnotherProgramActive::Deactivated(HWND window) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWindowTimeoutMs; Sleep(kPollMs))
        if (ActiveWindowOfItsThread(window) == nullptr) return true;
    return false;
}

}  // namespace e2e
