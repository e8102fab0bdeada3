// A case of the port pages: a prefix reset to a known spooler state, the program started
// in a fresh working folder and walked to the port selection page.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/dialog.h"
#include "harness/kora_pages.h"
#include "harness/port_registry.h"
#include "harness/program.h"
#include "harness/workspace.h"

namespace e2e {

// "name\n" for each name: the debugger lines of one fill.
std::vector<std::string> DebugLinesOf(const std::vector<std::string>& names);

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
