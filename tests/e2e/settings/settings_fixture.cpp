#include "settings_fixture.h"

#include "harness/paths.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/spooler.h"

namespace e2e {

const char kSystemCaption[] = "选择操作系统";
const char kSettingsCaption[] = "详细设置";
const char kAboutCaption[] = "关于 KORA";
const char kPageFont[] = "宋体";

const std::vector<std::string> kModelTexts = {
    "QZ-A10 58mm 热敏打印机",  "QZ-A20 58mm 热敏打印机", "QZ-A30 58mm 热敏打印机", "QZ-A40 58mm 热敏打印机",
    "QZ-A50 58mm 热敏打印机",  "QZ-A50X 58mm 热敏打印机", "QZ-B10 58mm 热敏打印机", "QZ-B20 58mm 热敏打印机",
    "QZ-B20M 58mm 热敏打印机", "QZ-HB20 58mm 便携打印机", "QZ-C10 58mm 热敏打印机",
};
const char kDefaultPrinterName[] = "QZ 58mm 热敏票据打印机";

namespace {

const char kExeName[] = "KORA.exe";
const int kSystemNextButton = 1009;

}  // namespace

// None of these cases installs anything; the reset only keeps a case that reached an
// installation by mistake from leaking it into the next one.
void SettingsPageTest::SetUp() {
  ASSERT_TRUE(SetReportedWindowsVersion(kExeName, ""));
  RemoveAllPrintersAndDrivers();
  workspace_ = std::make_unique<Workspace>(::testing::UnitTest::GetInstance()->current_test_info()->name());
  ASSERT_TRUE(workspace_->AddProgram(ProgramFromEnv("KORA_EXE"), kExeName)) << "cannot copy KORA_EXE";
}

void SettingsPageTest::TearDown() {
  program_.reset();  // terminates a program that is still running
  RemoveAllPrintersAndDrivers();
  ClearPrinterDriverDirectory();
}

void SettingsPageTest::OpenSettingsPage() {
  program_ = std::make_unique<Program>(workspace_->PathOf(kExeName), workspace_->Folder());
  ASSERT_TRUE(program_->Started()) << program_->StartError();
  systemPage_ = Dialog(WaitForDialog(program_->ProcessId(), kSystemCaption));
  ASSERT_TRUE(systemPage_) << "the system page did not appear";
  page_ = NextFromSystemPage(systemPage_, nullptr);
  ASSERT_TRUE(page_) << "no settings page after Next on the system page";
}

Dialog SettingsPageTest::NextFromSystemPage(const Dialog& systemPage, HWND previousSettings) {
  systemPage.Click(kSystemNextButton);
  return Dialog(WaitForNewDialog(program_->ProcessId(), kSettingsCaption, previousSettings));
}

}  // namespace e2e
