// One whole installation driven from outside: the program in a folder of the test's
// choosing, the three pages, Install, and the message boxes until the program ends.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness/dialog.h"
#include "harness/kora_pages.h"
#include "harness/ownership.h"
#include "harness/program.h"

namespace e2e {

// The eight files of the preselected model row, in copy order.
std::vector<std::string> DefaultModelFiles();

// A folder (Windows path, created with its parents) holding a copy of the program and,
// unless made without one, a win2k folder with stand-ins for the given files. Removed with
// everything in it.
class InstallFolder {
public:
    InstallFolder(const std::string& folder, const std::vector<std::string>& win2kFiles);
    // No win2k folder at all.
    explicit InstallFolder(const std::string& folder);
    ~InstallFolder();
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;

    bool Ready() const { return ready_; }
    // Why the folder is not ready, for the failure message.
    const std::string& Trouble() const { return trouble_; }
    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
    // Copies another file in (a planted DLL, a probe under the program's name).
    bool AddFile(const std::string& source, const std::string& name) const;

private:
    bool Prepare(const std::vector<std::string>* win2kFiles);

    std::string folder_;
    std::string trouble_;
    bool ready_ = false;
};

// How the port page is left in a walk.
enum class PortPageExit {
    Install,                 // Install with the row of `port` selected (or the preselected row)
    InstallWithNoSelection,  // every row deselected first
    EnterOnList,             // Enter while the list has the focus
};

// What a walk does on the way.
struct WizardPlan {
    int modelRow = -1;  // settings page: -1 keeps the preselected row
    bool uncheckDefaultPrinter = false;
    const char* port = nullptr;  // port page: nullptr keeps the preselected row
    PortPageExit exit = PortPageExit::Install;
    // Deletes the Device value as soon as the Install run has written it, while the port
    // page is still open: a value found after the program has ended comes from a later run.
    bool removeDeviceOfInstallRun = false;
    const char* boxScreenshot = nullptr;  // name of a screenshot of the first message box
    // Makes a window of another program the active one before Install, and keeps it so
    // until the first message box has been read.
    bool anotherProgramActiveAtInstall = false;
};

// What a walk saw.
struct WizardOutcome {
    std::string failure;                      // why the walk could not be completed; empty when it was
    DWORD installToCloseMs = 0;               // from the Install click to the port page's closing
    bool deviceSeenDuringInstall = false;     // the Install run wrote a Device value
    bool deviceRemovedDuringInstall = false;  // ... and it was removed before the page closed
    std::string boxText;                      // the first "KORA" message box after the port page; empty: none
    bool boxHasIcon = false;
    bool boxOwnedBySettingsPage = false;
    bool settingsPageEnabledUnderBox = false;
    bool exited = false;                    // the program ended by itself after that box was closed
    std::vector<std::string> otherWindows;  // windows shown after that, besides the settings page
};

// A program started in its folder and driven page by page. Every wait is bounded.
class Installer {
public:
    explicit Installer(const InstallFolder& folder);
    bool Started() const { return program_->Started(); }
    Program& Process() { return *program_; }

    // System page Next: the settings page, or an empty dialog (see Trouble()).
    Dialog OpenSettingsPage();
    // Settings page Next: the port page, or an empty dialog (see Trouble()).
    Dialog NextToPortPage();
    // Both of them.
    Dialog OpenPortPage();
    Dialog SettingsPage() const { return settings_; }
    // Presses OK on every message box until the program ends (or timeoutMs passes); the
    // texts in order. onBox runs before each box is closed.
    std::vector<std::string> AnswerMessagesUntilExit(DWORD timeoutMs, const std::function<void(HWND)>& onBox = nullptr);
    // The port page's Install, then the message boxes until the end.
    std::vector<std::string> InstallOn(const Dialog& portPage, const std::function<void(HWND)>& onBox = nullptr);
    // From the system page to the program's end as the plan says, noting what the run showed
    // on the way: the first message box, and any window after it.
    WizardOutcome Walk(const WizardPlan& plan);
    // What went wrong in the last step, for the failure message.
    const std::string& Trouble() const { return trouble_; }

private:
    bool PrepareSettings(const WizardPlan& plan);
    bool PreparePortPage(const Dialog& portPage, const WizardPlan& plan);
    void LeavePortPage(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome);
    void InstallAndWatch(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome);
    void FinishAfterPortPage(const WizardPlan& plan, WizardOutcome* outcome);

    std::unique_ptr<Program> program_;
    std::unique_ptr<AnotherProgramActive> anotherProgram_;
    Dialog settings_;
    std::string trouble_;
};

// How long a whole run may take from Install to its end: two runs with their pauses and
// one message box, on a machine shared with other Wine tests.
const DWORD kInstallTimeoutMs = 60000;

}  // namespace e2e
