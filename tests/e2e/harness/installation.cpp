#include "harness/installation.h"

#include <commctrl.h>

#include "harness/controls.h"
#include "harness/exit_watch.h"
#include "harness/message_box.h"
#include "harness/model_files.h"
#include "harness/paths.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/screenshot.h"
#include "harness/workspace.h"

namespace e2e {
namespace {

const DWORD kPollMs = 5;
const DWORD kPaintMs = 300;  // a box just shown may not have painted itself yet

}  // namespace

std::vector<std::string> DefaultModelFiles() { return DriverFilesOf(kPreselectedModelRow); }

InstallFolder::InstallFolder(const std::string& folder, const std::vector<std::string>& win2kFiles) : folder_(folder) {
    RemoveTree(folder_);
    ready_ = Prepare(&win2kFiles);
}

InstallFolder::InstallFolder(const std::string& folder) : folder_(folder) {
    RemoveTree(folder_);
    ready_ = Prepare(nullptr);
}

bool InstallFolder::Prepare(const std::vector<std::string>* win2kFiles) {
    auto fail = [this](const std::string& step) {
        trouble_ = step + ", error " + std::to_string(GetLastError());
        return false;
    };
    const std::string created = win2kFiles ? PathOf("win2k") : folder_;
    if (!CreateFolderWithParents(created)) return fail("cannot create " + created);
    if (!CopyFileA(ProgramFromEnv("KORA_EXE").c_str(), PathOf(kProgramFile).c_str(), FALSE))
        return fail("cannot copy the program");
    if (win2kFiles && !WriteStandIns(PathOf("win2k"), *win2kFiles)) return fail("cannot write the win2k stand-ins");
    return true;
}

InstallFolder::~InstallFolder() { RemoveTree(folder_); }

bool InstallFolder::AddFile(const std::string& source, const std::string& name) const {
    return !source.empty() && CopyFileA(source.c_str(), PathOf(name).c_str(), FALSE);
}

Installer::Installer(const InstallFolder& folder)
    : program_(std::make_unique<Program>(folder.PathOf(kProgramFile), folder.Folder())) {}

Dialog Installer::OpenSettingsPage() {
    const DWORD id = program_->ProcessId();
    Dialog system = WaitForSystemPage(id);
    if (!system) {
        trouble_ = "the system page did not appear";
        return Dialog();
    }
    settings_ = NextToSettingsPage(id, system);
    if (!settings_) trouble_ = "the settings page did not appear";
    return settings_;
}

Dialog Installer::NextToPortPage() {
    Dialog ports = e2e::NextToPortPage(program_->ProcessId(), settings_);
    if (!ports) trouble_ = "the port page did not appear";
    return ports;
}

Dialog Installer::OpenPortPage() { return OpenSettingsPage() ? NextToPortPage() : Dialog(); }

std::vector<std::string> Installer::AnswerMessagesUntilExit(DWORD timeoutMs, const std::function<void(HWND)>& onBox) {
    std::vector<std::string> texts = AnswerMessageBoxesUntilExit(*program_, kMessageBoxCaption, timeoutMs, onBox);
    if (!program_->HasExited()) trouble_ = "the program did not end";
    return texts;
}

std::vector<std::string> Installer::InstallOn(const Dialog& portPage, const std::function<void(HWND)>& onBox) {
    portPage.Click(kInstall);
    return AnswerMessagesUntilExit(kInstallTimeoutMs, onBox);
}

WizardOutcome Installer::Walk(const WizardPlan& plan) {
    WizardOutcome outcome;
    Dialog portPage;
    if (OpenSettingsPage() && PrepareSettings(plan)) portPage = NextToPortPage();
    if (portPage && PreparePortPage(portPage, plan)) {
        LeavePortPage(portPage, plan, &outcome);
        if (trouble_.empty()) FinishAfterPortPage(plan, &outcome);
    }
    outcome.failure = trouble_;
    return outcome;
}

bool Installer::PrepareSettings(const WizardPlan& plan) {
    if (plan.modelRow >= 0 && !SelectComboRow(settings_, kModelBox, plan.modelRow)) {
        trouble_ = "cannot select model row " + std::to_string(plan.modelRow);
        return false;
    }
    if (plan.uncheckDefaultPrinter &&
        (!settings_.ClickInPlace(kDefaultPrinterBox) || settings_.CheckState(kDefaultPrinterBox) != BST_UNCHECKED)) {
        trouble_ = "the default-printer box did not become unchecked";
        return false;
    }
    return true;
}

bool Installer::PreparePortPage(const Dialog& portPage, const WizardPlan& plan) {
    if (plan.port && !SelectPortRow(portPage, plan.port)) {
        trouble_ = std::string("port ") + plan.port + " is not listed on the port page";
        return false;
    }
    if (plan.exit == PortPageExit::InstallWithNoSelection && !ClearListViewSelection(portPage, kPortList)) {
        trouble_ = "cannot deselect the port rows";
        return false;
    }
    return true;
}

void Installer::LeavePortPage(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome) {
    if (plan.exit == PortPageExit::EnterOnList) {
        portPage.PressEnter();
        if (!WaitForWindowGone(portPage.Handle(), kInstallTimeoutMs)) trouble_ = "Enter did not close the port page";
        return;
    }
    InstallAndWatch(portPage, plan, outcome);
}

// Install, and watch the run until the page closes: the Device value it writes on the way.
void Installer::InstallAndWatch(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome) {
    if (plan.anotherProgramActiveAtInstall) {
        anotherProgram_ = std::make_unique<AnotherProgramActive>(portPage.Handle());
        if (!AnotherProgramActive::Deactivated(portPage.Handle())) {
            trouble_ = "the program stayed active beside another program's window";
            return;
        }
    }
    const DWORD start = GetTickCount();
    portPage.Click(kInstall);
    while (IsWindow(portPage.Handle()) && GetTickCount() - start < kInstallTimeoutMs) {
        if (!outcome->deviceSeenDuringInstall && RegistryValueExists(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device")) {
            outcome->deviceSeenDuringInstall = true;
            if (plan.removeDeviceOfInstallRun) {
                DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device");
                outcome->deviceRemovedDuringInstall = IsWindow(portPage.Handle()) != FALSE;
            }
        }
        Sleep(kPollMs);
    }
    outcome->installToCloseMs = GetTickCount() - start;
    if (IsWindow(portPage.Handle())) trouble_ = "the port page did not close after Install";
}

// The first message box (if any), then the end, noting every other window shown.
void Installer::FinishAfterPortPage(const WizardPlan& plan, WizardOutcome* outcome) {
    HWND box = WaitForMessageBoxOrExit(*program_, kMessageBoxCaption, kInstallTimeoutMs);
    std::vector<HWND> known = {settings_.Handle()};
    if (box) {
        outcome->boxText = MessageBoxText(box);
        outcome->boxHasIcon = MessageBoxHasIcon(box);
        outcome->boxOwnedBySettingsPage = GetWindow(box, GW_OWNER) == settings_.Handle();
        outcome->settingsPageEnabledUnderBox = IsWindowEnabled(settings_.Handle()) != FALSE;
        if (plan.boxScreenshot) {
            Sleep(kPaintMs);
            SaveScreenshot(box, plan.boxScreenshot);
        }
        PressMessageBoxOk(box);
        known.push_back(box);
    }
    anotherProgram_.reset();
    ExitWatch watch = WatchUntilExit(*program_, known, kInstallTimeoutMs);
    outcome->exited = watch.exited;
    outcome->otherWindows = watch.otherWindows;
}

}  // namespace e2e
