#include "install/wizard_drive.h"

#include <commctrl.h>

#include "harness/controls.h"
#include "harness/exit_watch.h"
#include "harness/message_box.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/remote_buffer.h"
#include "harness/screenshot.h"

namespace e2e {

const char kSystemPageCaption[] = "选择操作系统";
const char kSettingsPageCaption[] = "详细设置";
const char kPortPageCaption[] = "选择打印端口";
const char kMessageBoxCaption[] = "KORA";

namespace {

// Control ids of the three pages.
const int kSystemNext = 1009;
const int kModelBox = 1011;
const int kDefaultPrinterBox = 1012;
const int kSettingsNext = 1009;
const int kPortList = 1021;
const int kInstallButton = 1022;

// Generous: other Wine tests share the two cores. Every wait is bounded by one of these.
const DWORD kRunTimeoutMs = 60000;
const DWORD kPollMs = 5;
const DWORD kPaintMs = 300;  // a box just shown may not have painted itself yet

HWND FindMessageBox(DWORD processId) {
  for (HWND window : VisibleTopLevelWindows(processId)) {
    if (WindowClass(window) == "#32770" && WindowCaption(window) == kMessageBoxCaption) return window;
  }
  return nullptr;
}

// The first message box, or nullptr when the program ended (or the time ran out) without one.
HWND WaitForBoxOrExit(Program& program) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kRunTimeoutMs) {
    if (HWND box = FindMessageBox(program.ProcessId())) return box;
    if (program.HasExited()) return nullptr;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool PrepareSettings(const Dialog& settings, const WizardPlan& plan, std::string* failure) {
  if (plan.modelRow >= 0 && !SelectComboRow(settings, kModelBox, plan.modelRow)) {
    *failure = "cannot select model row " + std::to_string(plan.modelRow);
    return false;
  }
  if (plan.uncheckDefaultPrinter &&
      (!ClickCheckBox(settings, kDefaultPrinterBox) || settings.CheckState(kDefaultPrinterBox) != BST_UNCHECKED)) {
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
  if (plan.exit == PortPageExit::InstallWithNoSelection && !ClearPortSelection(portPage)) {
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
  portPage.Click(kInstallButton);
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
  HWND box = WaitForBoxOrExit(program);
  std::vector<HWND> known = {settings};
  if (box) {
    outcome->boxText = MessageBoxText(box);
    outcome->boxHasIcon = MessageBoxHasIcon(box);
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
  Dialog system(WaitForDialog(processId, kSystemPageCaption));
  if (!system) {
    outcome.failure = "the system page did not appear";
    return outcome;
  }
  system.Click(kSystemNext);
  Dialog settings(WaitForDialog(processId, kSettingsPageCaption));
  if (!settings) {
    outcome.failure = "the settings page did not appear";
    return outcome;
  }
  if (!PrepareSettings(settings, plan, &outcome.failure)) return outcome;
  settings.Click(kSettingsNext);
  Dialog portPage(WaitForDialog(processId, kPortPageCaption));
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

bool SelectPortRow(const Dialog& portPage, const std::string& portName) {
  int count = ListViewCount(portPage, kPortList);
  for (int row = 0; row < count; ++row) {
    if (ListViewText(portPage, kPortList, row, 0) == portName) return SelectListViewRow(portPage, kPortList, row);
  }
  return false;
}

// LVM_SETITEMSTATE with row -1 applies to every row.
bool ClearPortSelection(const Dialog& portPage) {
  HWND list = portPage.Control(kPortList);
  RemoteBuffer remote(list, sizeof(LVITEMA));
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (!list || !remote.Write(0, &item, sizeof item)) return false;
  SendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote.At()));
  int count = ListViewCount(portPage, kPortList);
  for (int row = 0; row < count; ++row) {
    if (ListViewItemState(portPage, kPortList, row, LVIS_SELECTED) != 0) return false;
  }
  return true;
}

// Sent, so the box has toggled and the page has seen BN_CLICKED when this returns.
bool ClickCheckBox(const Dialog& page, int id) {
  HWND box = page.Control(id);
  if (!box) return false;
  bool failed = false;
  SendWithTimeout(box, BM_CLICK, 0, 0, &failed);
  return !failed;
}

}  // namespace e2e
