#include "install/wizard_drive.h"

#include <commctrl.h>

#include "harness/controls.h"
#include "harness/exit_watch.h"
#include "harness/kora_pages.h"
#include "harness/message_box.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/screenshot.h"

namespace e2e {
namespace {

// Generous: other Wine tests share the two cores. Every wait is bounded by one of these.
const DWORD kRunTimeoutMs = 60000;
const DWORD kPollMs = 5;
const DWORD kPaintMs = 300;  // a box just shown may not have painted itself yet

bool PrepareSettings(const Dialog& settings, const WizardPlan& plan, std::string* failure) {
  if (plan.modelRow >= 0 && !SelectComboRow(settings, kModelBox, plan.modelRow)) {
    *failure = "cannot select model row " + std::to_string(plan.modelRow);
    return false;
  }
  if (plan.uncheckDefaultPrinter &&
      (!settings.ClickInPlace(kDefaultPrinterBox) || settings.CheckState(kDefaultPrinterBox) != BST_UNCHECKED)) {
    *failure = "the default-printer box did not become unchecked";
    return false;
  }
  return true;
}

bool PreparePortPage(const Dialog& portPage, const WizardPlan& plan, std::string* failure) {
  if (plan.port && !SelectPortRow(portPage, plan.port)) {
    *failure = std::string("port ") + plan.port + " is not listed on the port page";
    return false;
  }
  if (plan.exit == PortPageExit::InstallWithNoSelection && !ClearListViewSelection(portPage, kPortList)) {
    *failure = "cannot deselect the port rows";
    return false;
  }
  return true;
}

void NoteDeviceValue(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome) {
  if (outcome->deviceSeenDuringInstall || !RegistryValueExists(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device"))
    return;
  outcome->deviceSeenDuringInstall = true;
  if (!plan.removeDeviceOfInstallRun) return;
  DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device");
  outcome->deviceRemovedDuringInstall = IsWindow(portPage.Handle()) != FALSE;
}

// Install, and watch the run until the page closes.
void InstallFromPortPage(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome) {
  DWORD start = GetTickCount();
  portPage.Click(kInstall);
  while (IsWindow(portPage.Handle()) && GetTickCount() - start < kRunTimeoutMs) {
    NoteDeviceValue(portPage, plan, outcome);
    Sleep(kPollMs);
  }
  outcome->installToCloseMs = GetTickCount() - start;
  if (IsWindow(portPage.Handle())) outcome->failure = "the port page did not close after Install";
}

void LeavePortPage(const Dialog& portPage, const WizardPlan& plan, WizardOutcome* outcome) {
  if (plan.exit == PortPageExit::EnterOnList) {
    portPage.PressEnter();
    if (!WaitForWindowGone(portPage.Handle(), kRunTimeoutMs)) outcome->failure = "Enter did not close the port page";
    return;
  }
  InstallFromPortPage(portPage, plan, outcome);
}

void FinishProgram(Program& program, HWND settings, const WizardPlan& plan, WizardOutcome* outcome) {
  HWND box = WaitForMessageBoxOrExit(program, kMessageBoxCaption, kRunTimeoutMs);
  std::vector<HWND> known = {settings};
  if (box) {
    outcome->boxText = MessageBoxText(box);
    outcome->boxHasIcon = MessageBoxHasIcon(box);
    outcome->boxOwnedBySettingsPage = GetWindow(box, GW_OWNER) == settings;
    if (plan.boxScreenshot) {
      Sleep(kPaintMs);
      SaveScreenshot(box, plan.boxScreenshot);
    }
    PressMessageBoxOk(box);
    known.push_back(box);
  }
  ExitWatch watch = WatchUntilExit(program, known, kRunTimeoutMs);
  outcome->exited = watch.exited;
  outcome->otherWindows = watch.otherWindows;
}

}  // namespace

WizardOutcome WalkWizard(Program& program, const WizardPlan& plan) {
  WizardOutcome outcome;
  DWORD processId = program.ProcessId();
  Dialog system = WaitForSystemPage(processId);
  if (!system) {
    outcome.failure = "the system page did not appear";
    return outcome;
  }
  Dialog settings = NextToSettingsPage(processId, system);
  if (!settings) {
    outcome.failure = "the settings page did not appear";
    return outcome;
  }
  if (!PrepareSettings(settings, plan, &outcome.failure)) return outcome;
  Dialog portPage = NextToPortPage(processId, settings);
  if (!portPage) {
    outcome.failure = "the port page did not appear";
    return outcome;
  }
  if (!PreparePortPage(portPage, plan, &outcome.failure)) return outcome;
  LeavePortPage(portPage, plan, &outcome);
  if (!outcome.failure.empty()) return outcome;
  FinishProgram(program, settings.Handle(), plan, &outcome);
  return outcome;
}

}  // namespace e2e
