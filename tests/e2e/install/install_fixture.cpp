#include "install/install_fixture.h"

#include "harness/model_files.h"
#include "harness/prefix_reset.h"
#include "harness/spooler.h"

namespace e2e {

void InstallTest::SetUp() {
  ResetPrefix(kProgramFile);
  ASSERT_TRUE(Printers().empty()) << "printers left over from an earlier case";
  ASSERT_TRUE(PrinterDrivers().empty()) << "drivers left over from an earlier case";
}

void InstallTest::TearDown() {
  program_.reset();
  workspace_.reset();
  ResetPrefix(kProgramFile);
}

void InstallTest::PrepareWorkspace(bool withWin2k) {
  program_.reset();
  workspace_.reset();
  workspace_ = std::make_unique<Workspace>(CurrentCaseName());
  ASSERT_TRUE(workspace_->AddProgramFromEnv("KORA_EXE", kProgramFile)) << "cannot copy KORA_EXE";
  if (withWin2k) {
    ASSERT_TRUE(workspace_->AddWin2kFolder(Win2kFolderFiles())) << "cannot make the win2k folder";
  }
}

WizardOutcome InstallTest::Run(const WizardPlan& plan) {
  program_ = std::make_unique<Program>(workspace_->PathOf(kProgramFile), workspace_->Folder());
  if (!program_->Started()) {
    ADD_FAILURE() << program_->StartError();
    return WizardOutcome();
  }
  WizardOutcome outcome = WalkWizard(*program_, plan);
  EXPECT_EQ("", outcome.failure);
  EXPECT_TRUE(program_->UnhandledExceptions().empty()) << "KORA.exe crashed";
  program_.reset();
  return outcome;
}

std::string InstallTest::Win2kPath(const std::string& fileName) const {
  return workspace_->PathOf("win2k\\" + fileName);
}

}  // namespace e2e
