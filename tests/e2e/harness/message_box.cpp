#include "harness/message_box.h"

#include <algorithm>

#include "harness/dialog.h"

namespace e2e {
namespace {

// Short enough to catch a box that the program closes again by itself.
const DWORD kBoxPollMs = 5;
// Answering is not timed; no need to spin.
const DWORD kAnswerPollMs = 100;

struct StaticSearch {
    std::string text;
    bool icon = false;
};

BOOL CALLBACK InspectStatic(HWND child, LPARAM param) {
    StaticSearch* search = reinterpret_cast<StaticSearch*>(param);
    if (WindowClass(child) != "Static") return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        search->icon = true;
        return TRUE;
    }
    char text[2048] = "";
    SendWithTimeout(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    text[sizeof text - 1] = '\0';
    if (search->text.empty()) search->text = text;
    return TRUE;
}

StaticSearch InspectStatics(HWND box) {
    StaticSearch search;
    EnumChildWindows(box, &InspectStatic, reinterpret_cast<LPARAM>(&search));
    return search;
}

}  // namespace

HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs) {
    return WaitForDialog(processId, caption, timeoutMs);
}

std::string MessageBoxText(HWND box) { return InspectStatics(box).text; }
bool MessageBoxHasIcon(HWND box) { return InspectStatics(box).icon; }

void PressMessageBoxOk(HWND box) { Dialog(box).Click(IDOK); }

std::vector<HWND> MessageBoxesOf(DWORD processId, const std::string& caption) {
    std::vector<HWND> boxes;
    for (HWND window : VisibleTopLevelWindows(processId))
        if (WindowClass(window) == "#32770" && WindowCaption(window) == caption) boxes.push_back(window);
    return boxes;
}

HWND WaitForMessageBoxOrExit(const Program& program, const std::string& caption, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        std::vector<HWND> boxes = MessageBoxesOf(program.ProcessId(), caption);
        if (!boxes.empty()) return boxes.front();
        if (program.HasExited()) return nullptr;
        Sleep(kBoxPollMs);
    }
    return nullptr;
}

std::vector<std::string> AnswerMessageBoxesUntilExit(const Program& program, const std::string& caption,
                                                     DWORD timeoutMs, const std::function<void(HWND)>& onBox) {
    std::vector<std::string> texts;
    std::vector<HWND> answered;
    const DWORD start = GetTickCount();
    while (!program.HasExited() && GetTickCount() - start < timeoutMs) {
        for (HWND box : MessageBoxesOf(program.ProcessId(), caption)) {
            if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
            texts.push_back(MessageBoxText(box));
            if (onBox) onBox(box);
            PressMessageBoxOk(box);
            answered.push_back(box);
        }
        Sleep(kAnswerPollMs);
    }
    return texts;
}

}  // namespace e2e
