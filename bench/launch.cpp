#include "bench/launch.h"

namespace bench {

Launch::Launch(const std::string& exePath, const std::string& arguments, const std::string& folder) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_)) {
        error_ = "cannot start " + exePath + ", error " + std::to_string(GetLastError());
        info_ = PROCESS_INFORMATION{};
    }
}

Launch::~Launch() {
    if (!Started()) return;
    if (!WaitForExit(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Launch::WaitForExit(DWORD timeoutMs) const {
    return Started() && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace bench
