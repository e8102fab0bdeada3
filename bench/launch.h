// A program started plainly, not under a debugger, so that its start-up costs what it
// costs a user. Whatever still runs when the object goes is terminated.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

class Launch {
public:
    // exePath and folder are Windows paths; arguments follow the quoted program name.
    Launch(const std::string& exePath, const std::string& arguments, const std::string& folder);
    ~Launch();
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    // Why the start failed.
    const std::string& Error() const { return error_; }
    // True when the program ended by itself within timeoutMs.
    bool WaitForExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION info_ = {};
    std::string error_;
};

}  // namespace bench
