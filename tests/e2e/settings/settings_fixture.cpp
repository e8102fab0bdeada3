#include "settings_fixture.h"

#include "harness/prefix_reset.h"
#include "harness/registry.h"

namespace e2e {

const char kAboutCaption[] = "关于 KORA";

const std::vector<std::string> kModelTexts = {
    "QZ-A10 58mm 热敏打印机",  "QZ-A20 58mm 热敏打印机",  "QZ-A30 58mm 热敏打印机", "QZ-A40 58mm 热敏打印机",
    "QZ-A50 58mm 热敏打印机",  "QZ-A50X 58mm 热敏打印机", "QZ-B10 58mm 热敏打印机", "QZ-B20 58mm 热敏打印机",
    "QZ-B20M 58mm 热敏打印机", "QZ-HB20 58mm 便携打印机", "QZ-C10 58mm 热敏打印机",
};
const char kDefaultPrinterName[] = "QZ 58mm 热敏票据打印机";

// None of these cases installs anything; the reset only keeps a case that reached an
// installation by mistake from leaking it into the next one.
void SettingsPageTest::SetUp() {
    ResetPrefix(kProgramFile);
    ASSERT_TRUE(SetReportedWindowsVersion(kProgramFile, ""));
    workspace_ = std::make_unique<Workspace>(CurrentCaseName());
    ASSERT_TRUE(workspace_->AddProgramFromEnv("KORA_EXE", kProgramFile)) << "cannot copy KORA_EXE";
}

void SettingsPageTest::TearDown() {
    program_.reset();  // terminates a program that is still running
    ResetPrefix(kProgramFile);
}

void SettingsPageTest::OpenSettingsPage() {
    program_ = std::make_unique<Program>(workspace_->PathOf(kProgramFile), workspace_->Folder());
    ASSERT_TRUE(program_->Started()) << program_->StartError();
    systemPage_ = WaitForSystemPage(program_->ProcessId());
    ASSERT_TRUE(systemPage_) << "the system page did not appear";
    page_ = NextToSettingsPage(program_->ProcessId(), systemPage_);
    ASSERT_TRUE(page_) << "no settings page after Next on the system page";
}

}  // namespace e2e
