// Force-included into GoogleTest on Windows: MinGW's "win32" thread model has no
// std::mutex or std::condition_variable, which GoogleTest's own Notification is built
// on, so it gets this one over a Win32 event instead (GTEST_HAS_NOTIFICATION_).
#pragma once
#ifdef __cplusplus
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
#endif
