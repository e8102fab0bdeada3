// A case of the port pages: a prefix reset to a known spooler state, the program started
// in a fresh working folder and walked to the port selection page.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/dialog.h"
#include "harness/program.h"
#include "harness/workspace.h"

namespace e2e {

// Captions (GBK, as the harness returns them).
extern const char kSystemCaption[];
extern const char kSettingsCaption[];
extern const char kPortPageCaption[];
extern const char kPortTypeCaption[];
extern const char kProgramTitle[];  // message boxes: the program file's name

// Control ids of the pages under test.
enum : int {
  kSettingsBack = 1008,
  kSettingsNext = 1009,
  kSettingsExit = 1010,
  kModelBox = 1011,
  kDefaultPrinterBox = 1012,
  kPrinterNameBox = 1013,
  kSystemNext = 1009,
  kCreatePort = 1008,
  kConfigurePort = 1009,
  kPortBack = 1010,
  kPortList = 1021,
  kInstall = 1022,
  kPortCancel = 1023,
  kTrackBar = 1007,
  kProgress = 1025,
  kNewPort = 1008,
  kPortTypeClose = 1009,
};

// The ports of a fresh prefix, in the order the spooler lists them.
std::vector<std::string> FreshPrefixPorts();
// "name\n" for each name: the debugger lines of one fill.
std::vector<std::string> DebugLinesOf(const std::vector<std::string>& names);
// Replaces every value under the Ports key by one value per name.
bool SetPorts(const std::vector<std::string>& names);
// A port monitor entry whose Driver names the given DLL.
bool AddMonitor(const std::string& name, const std::string& driver);
void RemoveMonitor(const std::string& name);

class PortPageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program and presses Next on the system and the settings page.
  void StartAtPortPage();
  // Starts the program and stops at the settings page.
  void StartAtSettingsPage();
  // Next on the settings page; the port page must appear.
  void OpenPortPage();
  // Ends a program that shows its settings page (Exit) and checks that it ended.
  void ExitFromSettingsPage();
  // Presses OK on the program's message box, which must show `text`; then the program must end.
  void ConfirmMessageAndExpectEnd(const std::string& text);

  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<Program> program_;
  Dialog settings_;
  Dialog portPage_;
};

}  // namespace e2e
