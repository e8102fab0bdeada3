// The clock, the wait for a window to be shown, and the summary of a set of runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
double NowMs();

// The visible top-level dialog (#32770) of the process with this caption (GBK), or nullptr.
HWND FindShownDialog(DWORD processId, const std::string& caption);

// The same, polled
// every millisecond so that the moment it appears is caught closely; nullptr after
// timeoutMs. The harness's own wait polls every 20 ms, too coarse to time with.
HWND WaitForShownDialog(DWORD processId, const std::string& caption, DWORD timeoutMs);

struct Summary {
    double median = 0, lowest = 0, highest = 0;
};
Summary Summarize(std::vector<double> samples);

// GBK text as UTF-8, for the terminal the figures are printed to.
std::string AnsiToUtf8(const std::string& text);

}  // namespace bench
