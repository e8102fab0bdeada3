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

}  // namespace e2e
