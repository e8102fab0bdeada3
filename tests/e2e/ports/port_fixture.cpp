#include "port_fixture.h"

#include "harness/message_box.h"
#include "harness/model_files.h"
#include "harness/prefix_reset.h"
#include "harness/process_windows.h"

namespace e2e {
namespace {

const DWORD kExitTimeoutMs = 30000;

}  // namespace

std::vector<std::string> DebugLinesOf(const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    for (const std::string& name : names) lines.push_back(name + "\n");
    return lines;
}

void PortPageTest::SetUp() {
    ResetPrefix(kProgramFile);
    workspace_ = std::make_unique<Workspace>(CurrentCaseName());
    ASSERT_TRUE(workspace_->AddProgramFromEnv("KORA_EXE", kProgramFile)) << "cannot copy KORA_EXE";
    // What the installation copies for the preselected model.
    ASSERT_TRUE(workspace_->AddWin2kFolder(DriverFilesOf(kPreselectedModelRow)));
}

void PortPageTest::TearDown() {
    program_.reset();  // terminates a program a failed case left running
    ResetPrefix(kProgramFile);
    workspace_.reset();
}

void PortPageTest::StartAtSettingsPage() {
    program_ = std::make_unique<Program>(workspace_->PathOf(kProgramFile), workspace_->Folder());
    ASSERT_TRUE(program_->Started()) << program_->StartError();
    Dialog system = WaitForSystemPage(program_->ProcessId());
    ASSERT_TRUE(system) << "the system page did not appear";
    settings_ = NextToSettingsPage(program_->ProcessId(), system);
    ASSERT_TRUE(settings_) << "the settings page did not appear";
}

void PortPageTest::OpenPortPage() {
    portPage_ = NextToPortPage(program_->ProcessId(), settings_, portPage_.Handle());
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
    HWND box = WaitForMessageBox(program_->ProcessId(), kMessageBoxCaption, kExitTimeoutMs);
    ASSERT_NE(nullptr, box) << "no message box; windows: "
                            << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
    EXPECT_EQ(text, MessageBoxText(box));
    EXPECT_EQ(settings_.Handle(), GetWindow(box, GW_OWNER)) << "owner of the message box";
    PressMessageBoxOk(box);
    EXPECT_TRUE(program_->WaitForExit(kExitTimeoutMs)) << "the program did not end after its message";
}

}  // namespace e2e
