// Walking KORA.exe through its pages from outside, up to the end of the program.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness/program.h"

namespace e2e {

// How the port page is left.
enum class PortPageExit {
  Install,                 // Install with the row of `port` selected (or the preselected row)
  InstallWithNoSelection,  // every row deselected first
  EnterOnList,             // Enter while the list has the focus
};

struct WizardPlan {
  int modelRow = -1;               // settings page: -1 keeps the preselected row
  bool uncheckDefaultPrinter = false;
  const char* port = nullptr;      // port page: nullptr keeps the preselected row
  PortPageExit exit = PortPageExit::Install;
  // Deletes the Device value as soon as the Install run has written it, while the port
  // page is still open: a value found after the program has ended comes from a later run.
  bool removeDeviceOfInstallRun = false;
  const char* boxScreenshot = nullptr;  // name of a screenshot of the first message box
};

struct WizardOutcome {
  std::string failure;       // why the walk could not be completed; empty when it was
  DWORD installToCloseMs = 0;  // from the Install click to the port page's closing
  bool deviceSeenDuringInstall = false;     // the Install run wrote a Device value
  bool deviceRemovedDuringInstall = false;  // ... and it was removed before the page closed
  std::string boxText;       // the first "KORA" message box after the port page; empty: none
  bool boxHasIcon = false;
  bool boxOwnedBySettingsPage = false;
  bool exited = false;       // the program ended by itself after that box was closed
  std::vector<std::string> otherWindows;  // windows shown after that, besides the settings page
};

WizardOutcome WalkWizard(Program& program, const WizardPlan& plan);

}  // namespace e2e
