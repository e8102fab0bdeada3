#include "install/install_fixture.h"

#include "harness/model_files.h"
#include "harness/prefix_reset.h"
#include "harness/registry.h"
#include "harness/spooler.h"
#include "harness/workspace.h"

namespace e2e {

void InstallTest::SetUp() {
    ResetPrefix(kProgramFile);
    ASSERT_TRUE(Printers().empty()) << "printers left over from an earlier case";
    ASSERT_TRUE(PrinterDrivers().empty()) << "drivers left over from an earlier case";
}

void InstallTest::TearDown() {
    folder_.reset();
    ResetPrefix(kProgramFile);
}

void InstallTest::PrepareWorkspace(bool withWin2k) {
    folder_.reset();  // the old folder goes before the new one of the same name is made
    const std::string folder = "C:\\kora-e2e\\" + CurrentCaseName();
    folder_ = withWin2k ? std::make_unique<InstallFolder>(folder, Win2kFolderFiles())
                        : std::make_unique<InstallFolder>(folder);
    ASSERT_TRUE(folder_->Ready()) << folder_->Trouble();
}

void InstallTest::StartCaseOfATable(bool windowsKey) {
    ResetPrefix(kProgramFile);
    ASSERT_NO_FATAL_FAILURE(PrepareWorkspace(true));
    if (windowsKey) {
        ASSERT_TRUE(CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey));
    }
}

WizardOutcome InstallTest::Run(const WizardPlan& plan) {
    Installer installer(*folder_);
    if (!installer.Started()) {
        ADD_FAILURE() << installer.Process().StartError();
        return WizardOutcome();
    }
    WizardOutcome outcome = installer.Walk(plan);
    EXPECT_EQ("", outcome.failure);
    EXPECT_TRUE(installer.Process().UnhandledExceptions().empty()) << "KORA.exe crashed";
    return outcome;
}

std::string InstallTest::Win2kPath(const std::string& fileName) const { return folder_->PathOf("win2k\\" + fileName); }

}  // namespace e2e
