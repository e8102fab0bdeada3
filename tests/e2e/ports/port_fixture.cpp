#include "port_fixture.h"

#include "harness/message_box.h"
#include "harness/paths.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/spooler.h"

namespace e2e {

const char kSystemCaption[] = "选择操作系统";
const char kSettingsCaption[] = "详细设置";
const char kPortPageCaption[] = "选择打印端口";
const char kPortTypeCaption[] = "创建端口";
const char kProgramTitle[] = "KORA";

namespace {

const char kExeName[] = "KORA.exe";
const char kMonitorsKey[] = "System\\CurrentControlSet\\Control\\Print\\Monitors";
const DWORD kExitTimeoutMs = 30000;

// What the installation copies for the preselected model (row 5).
const std::vector<std::string> kWin2kFiles = {"QZA50X.GPD", "QZC10.DLL",  "uniDRVui.DLL", "uniDRV.DLL",
                                              "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD",   "STDNAMES.GPD"};

std::string CaseName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

void ResetPrefix() {
  RemoveAllPrintersAndDrivers();
  ClearPrinterDriverDirectory();
  SetPorts(FreshPrefixPorts());
  DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device");
  SetReportedWindowsVersion(kExeName, "");
}

}  // namespace

std::vector<std::string> FreshPrefixPorts() {
  return {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"};
}

std::vector<std::string> DebugLinesOf(const std::vector<std::string>& names) {
  std::vector<std::string> lines;
  for (const std::string& name : names) lines.push_back(name + "\n");
  return lines;
}

// Only named values: an unnamed one under this key makes the spooler's enumeration loop.
bool SetPorts(const std::vector<std::string>& names) {
  for (const std::string& old : RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKey))
    if (!old.empty()) DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKey, old);
  for (const std::string& name : names)
    if (name.empty() || !SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, name, "")) return false;
  return true;
}

bool AddMonitor(const std::string& name, const std::string& driver) {
  return SetRegistryText(HKEY_LOCAL_MACHINE, std::string(kMonitorsKey) + "\\" + name, "Driver", driver);
}

void RemoveMonitor(const std::string& name) {
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, std::string(kMonitorsKey) + "\\" + name);
}

void PortPageTest::SetUp() {
  ResetPrefix();
  workspace_ = std::make_unique<Workspace>(CaseName());
  ASSERT_TRUE(workspace_->AddProgram(ProgramFromEnv("KORA_EXE"), kExeName)) << "cannot copy KORA_EXE";
  ASSERT_TRUE(workspace_->AddWin2kFolder(kWin2kFiles));
}

void PortPageTest::TearDown() {
  program_.reset();  // terminates a program a failed case left running
  ResetPrefix();
  workspace_.reset();
}

void PortPageTest::StartAtSettingsPage() {
  program_ = std::make_unique<Program>(workspace_->PathOf(kExeName), workspace_->Folder());
  ASSERT_TRUE(program_->Started()) << program_->StartError();
  Dialog system(WaitForDialog(program_->ProcessId(), kSystemCaption));
  ASSERT_TRUE(system) << "the system page did not appear";
  system.Click(kSystemNext);
  settings_ = Dialog(WaitForNewDialog(program_->ProcessId(), kSettingsCaption, system.Handle()));
  ASSERT_TRUE(settings_) << "the settings page did not appear";
}

void PortPageTest::OpenPortPage() {
  settings_.Click(kSettingsNext);
  portPage_ = Dialog(WaitForNewDialog(program_->ProcessId(), kPortPageCaption, portPage_.Handle()));
  ASSERT_TRUE(portPage_) << "the port page did not appear; windows: "
                         << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
}

void PortPageTest::StartAtPortPage() {
  ASSERT_NO_FATAL_FAILURE(StartAtSettingsPage());
  ASSERT_NO_FATAL_FAILURE(OpenPortPage());
}

void PortPageTest::ExitFromSettingsPage() {
  settings_.Click(kSettingsExit);
  EXPECT_TRUE(program_->WaitForExit(kExitTimeoutMs)) << "the program did not end after Exit";
}

void PortPageTest::ConfirmMessageAndExpectEnd(const std::string& text) {
  HWND box = WaitForMessageBox(program_->ProcessId(), kProgramTitle, kExitTimeoutMs);
  ASSERT_NE(nullptr, box) << "no message box; windows: "
                          << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
  EXPECT_EQ(text, MessageBoxText(box));
  PressMessageBoxOk(box);
  EXPECT_TRUE(program_->WaitForExit(kExitTimeoutMs)) << "the program did not end after its message";
}

}  // namespace e2e
