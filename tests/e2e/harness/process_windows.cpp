#include "harness/process_windows.h"

namespace e2e {
namespace {

const DWORD kPollMs = 20;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

HWND FindDialog(DWORD processId, const std::string& caption, HWND ignored) {
    for (HWND window : VisibleTopLevelWindows(processId)) {
        if (window != ignored && WindowClass(window) == "#32770" && WindowCaption(window) == caption) return window;
    }
    return nullptr;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowCaption(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WindowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string DescribeWindows(const std::vector<HWND>& windows) {
    std::string text;
    for (HWND window : windows) {
        if (!text.empty()) text += ", ";
        text += "\"" + WindowCaption(window) + "\" [" + WindowClass(window) + "]";
    }
    return text.empty() ? "(none)" : text;
}

HWND WaitForNewDialog(DWORD processId, const std::string& caption, HWND previous, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND dialog = FindDialog(processId, caption, previous)) return dialog;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

HWND WaitForDialog(DWORD processId, const std::string& caption, DWORD timeoutMs) {
    return WaitForNewDialog(processId, caption, nullptr, timeoutMs);
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace e2e
