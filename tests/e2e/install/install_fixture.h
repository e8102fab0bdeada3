// One installation case: a clean prefix, a working folder with KORA.exe, one program run.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness/installation.h"

namespace e2e {

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // KORA.exe in a fresh working folder, with or without a complete win2k folder.
    void PrepareWorkspace(bool withWin2k);
    // One row of a table of cases: a clean prefix (with or without the Windows key that holds
    // the Device value) and a working folder with a complete win2k folder.
    void StartCaseOfATable(bool windowsKey = true);
    // Starts KORA.exe and walks the wizard; fails the case when the walk breaks off.
    WizardOutcome Run(const WizardPlan& plan);

    // The source file of the working folder's win2k folder.
    std::string Win2kPath(const std::string& fileName) const;
    const std::string& WorkingFolder() const { return folder_->Folder(); }

private:
    std::unique_ptr<InstallFolder> folder_;
};

}  // namespace e2e
