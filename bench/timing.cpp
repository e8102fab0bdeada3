#include "bench/timing.h"

#include <algorithm>

namespace bench {

HWND FindShownDialog(DWORD processId, const std::string& caption) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", caption.c_str()); window;
         window = FindWindowExA(nullptr, window, "#32770", caption.c_str())) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

HWND WaitForShownDialog(DWORD processId, const std::string& caption, DWORD timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        if (HWND window = FindShownDialog(processId, caption)) return window;
        if (NowMs() >= deadline) return nullptr;
        Sleep(1);
    }
}

Summary Summarize(std::vector<double> samples) {
    Summary summary;
    if (samples.empty()) return summary;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    summary.median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    summary.lowest = samples.front();
    summary.highest = samples.back();
    return summary;
}

std::string AnsiToUtf8(const std::string& text) {
    int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring buffer(wide, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &buffer[0], wide);
    int size = WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), wide, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), wide, &result[0], size, nullptr, nullptr);
    return result;
}

}  // namespace bench
