#include "harness/exit_watch.h"

#include <algorithm>

#include "harness/process_windows.h"

namespace e2e {

ExitWatch WatchUntilExit(Program& program, const std::vector<HWND>& expected, DWORD timeoutMs) {
    ExitWatch watch;
    DWORD start = GetTickCount();
    std::vector<HWND> noted;
    while (!program.HasExited() && GetTickCount() - start < timeoutMs) {
        for (HWND window : VisibleTopLevelWindows(program.ProcessId())) {
            bool known = std::find(expected.begin(), expected.end(), window) != expected.end() ||
                         std::find(noted.begin(), noted.end(), window) != noted.end();
            if (known) continue;
            noted.push_back(window);
            watch.otherWindows.push_back(DescribeWindows({window}));
        }
        Sleep(10);
    }
    watch.exited = program.WaitForExit(0);  // terminates a program still running
    return watch;
}

}  // namespace e2e
