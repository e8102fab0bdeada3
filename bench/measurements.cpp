#include "bench/measurements.h"

#include <windows.h>

#include "bench/bench_names.h"
#include "bench/launch.h"
#include "bench/minimal_dialog.h"
#include "bench/timing.h"
#include "harness/controls.h"
#include "harness/dialog.h"
#include "harness/message_box.h"
#include "harness/spooler.h"
#include "res/resource.h"

namespace bench {
namespace {

const DWORD kPageTimeoutMs = 20000;
const DWORD kInstallTimeoutMs = 30000;
const DWORD kExitTimeoutMs = 10000;

const char kSystemPageCaption[] = "选择操作系统";
const char kSettingsPageCaption[] = "详细设置";
const char kPortPageCaption[] = "选择打印端口";

Timing Failed(const std::string& error) {
    Timing timing;
    timing.error = error;
    return timing;
}

Timing Took(double ms) {
    Timing timing;
    timing.ok = true;
    timing.ms = ms;
    return timing;
}

// Waits for the completion box while noting when the port page went invisible and when it
// was destroyed; neither check sends the busy program a message.
HWND WaitForBoxWatchingPage(DWORD processId, HWND portPage, double* hidden, double* gone) {
    const double deadline = NowMs() + kInstallTimeoutMs;
    *hidden = *gone = 0;
    for (;;) {
        const double now = NowMs();
        if (*hidden == 0 && !IsWindowVisible(portPage)) *hidden = now;
        if (*gone == 0 && !IsWindow(portPage)) *gone = now;
        if (HWND box = FindShownDialog(processId, kMessageBoxCaption)) return box;
        if (now >= deadline) return nullptr;
        Sleep(1);
    }
}

Timing TimeLaunch(const std::string& exePath, const std::string& folder, const std::string& caption) {
    const double start = NowMs();
    Launch program(exePath, "", folder);
    if (!program.Started()) return Failed(program.Error());
    HWND page = WaitForShownDialog(program.ProcessId(), caption, kPageTimeoutMs);
    const double shown = NowMs();
    if (!page) return Failed("no window \"" + AnsiToUtf8(caption) + "\" from " + exePath);
    e2e::Dialog(page).CloseBox();
    if (!program.WaitForExit(kExitTimeoutMs)) return Failed(exePath + " did not end after its close box");
    return Took(shown - start);
}

// The box is timed before it is read: a box with another text is an error, not a figure.
Timing CheckedCompletion(HWND box, double start, double shown, const std::string& who) {
    if (!box) return Failed(who + ": no message box \"" + kMessageBoxCaption + "\"");
    const std::string text = e2e::MessageBoxText(box);
    e2e::PressMessageBoxOk(box);
    if (text != kCompletionMessage) return Failed(who + " showed \"" + AnsiToUtf8(text) + "\"");
    return Took(shown - start);
}

int RowOfPort(const e2e::Dialog& portPage) {
    const int rows = e2e::ListViewCount(portPage, IDC_PORT_LIST);
    for (int row = 0; row < rows; ++row) {
        if (e2e::ListViewText(portPage, IDC_PORT_LIST, row, 0) == kPortName) return row;
    }
    return -1;
}

bool Fail(std::string* error, const std::string& text) {
    *error = text;
    return false;
}

// Through the system and settings pages to the port page, with the benchmark's model and port chosen.
bool OpenPortPage(const Launch& kora, e2e::Dialog* portPage, std::string* error) {
    e2e::Dialog systemPage(WaitForShownDialog(kora.ProcessId(), kSystemPageCaption, kPageTimeoutMs));
    if (!systemPage) return Fail(error, "KORA.exe: no system page");
    systemPage.Click(IDC_SYSTEM_NEXT);
    e2e::Dialog settingsPage(WaitForShownDialog(kora.ProcessId(), kSettingsPageCaption, kPageTimeoutMs));
    if (!settingsPage) return Fail(error, "KORA.exe: no settings page");
    if (!e2e::SelectComboRow(settingsPage, IDC_MODEL, kModelRow)) return Fail(error, "KORA.exe: no model box");
    settingsPage.Click(IDC_SETTINGS_NEXT);
    *portPage = e2e::Dialog(WaitForShownDialog(kora.ProcessId(), kPortPageCaption, kPageTimeoutMs));
    if (!*portPage) return Fail(error, "KORA.exe: no port page");
    const int row = RowOfPort(*portPage);
    if (row < 0 || !e2e::SelectListViewRow(*portPage, IDC_PORT_LIST, row))
        return Fail(error, std::string("KORA.exe: no port ") + kPortName + " to choose");
    return true;
}

}  // namespace

Timing TimeKoraLaunch(const Stage& stage) { return TimeLaunch(stage.kora, stage.folder, kSystemPageCaption); }

Timing TimeMinimalDialogLaunch(const Stage& stage) {
    return TimeLaunch(stage.minimalDialog, stage.folder, MINIMAL_DIALOG_CAPTION);
}

Timing TimeMinimalCommonControlsLaunch(const Stage& stage) {
    return TimeLaunch(stage.minimalCommonControls, stage.folder, MINIMAL_DIALOG_CAPTION);
}

Timing TimeKoraInstall(const Stage& stage) {
    ResetSpooler();
    Launch kora(stage.kora, "", stage.folder);
    if (!kora.Started()) return Failed(kora.Error());
    e2e::Dialog portPage;
    std::string error;
    if (!OpenPortPage(kora, &portPage, &error)) return Failed(error);
    const double start = NowMs();
    portPage.Click(IDC_INSTALL);
    double hidden = 0, gone = 0;
    HWND box = WaitForBoxWatchingPage(kora.ProcessId(), portPage.Handle(), &hidden, &gone);
    const double shown = NowMs();
    Timing timing = CheckedCompletion(box, start, shown, "KORA.exe");
    if (timing.ok && (hidden == 0 || gone == 0))
        return Failed("KORA.exe: the port page was still there at the message");
    timing.pageCloseMs = gone - hidden;
    if (timing.ok && !kora.WaitForExit(kExitTimeoutMs)) return Failed("KORA.exe did not end after the message");
    return timing;
}

Timing TimeBareInstall(const Stage& stage, int passes) {
    ResetSpooler();
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kReadyEvent);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kGoEvent);
    Timing timing = Failed("bare_install.exe did not signal that it is waiting");
    {
        Launch bare(stage.bareInstall, std::to_string(passes), stage.folder);
        if (!bare.Started()) {
            timing = Failed(bare.Error());
        } else if (WaitForSingleObject(ready, kPageTimeoutMs) == WAIT_OBJECT_0) {
            const double start = NowMs();
            SetEvent(go);
            HWND box = WaitForShownDialog(bare.ProcessId(), kMessageBoxCaption, kInstallTimeoutMs);
            const double shown = NowMs();
            timing = CheckedCompletion(box, start, shown, "bare_install.exe");
            if (timing.ok && !bare.WaitForExit(kExitTimeoutMs)) timing = Failed("bare_install.exe did not end");
        }
    }
    CloseHandle(ready);
    CloseHandle(go);
    return timing;
}

void ResetSpooler() {
    e2e::RemoveAllPrintersAndDrivers();
    e2e::ClearPrinterDriverDirectory();
}

}  // namespace bench
