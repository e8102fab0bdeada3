// Watching a program end: which windows it still showed on the way out.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness/program.h"

namespace e2e {

struct ExitWatch {
    bool exited = false;                    // ended by itself in time (else it was terminated)
    std::vector<std::string> otherWindows;  // visible windows other than the expected ones
};

// Waits up to timeoutMs for the program to end, noting every visible top-level window
// that is not in `expected` (the page being closed) while it does.
ExitWatch WatchUntilExit(Program& program, const std::vector<HWND>& expected, DWORD timeoutMs);

}  // namespace e2e
