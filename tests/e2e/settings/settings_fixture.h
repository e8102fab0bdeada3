// One run of KORA.exe taken to its settings page, in a working folder of its own.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/dialog.h"
#include "harness/kora_pages.h"
#include "harness/program.h"
#include "harness/workspace.h"

namespace e2e {

extern const char kAboutCaption[];  // "关于 KORA"
const DWORD kExitTimeoutMs = 20000;

// The model box's texts, row 0 to 10, and the printer name shown before a model is picked.
extern const std::vector<std::string> kModelTexts;
extern const char kDefaultPrinterName[];

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program and presses Next on the system page; fails the case when the
    // settings page does not appear.
    void OpenSettingsPage();

    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Program> program_;
    Dialog systemPage_;
    Dialog page_;
};

}  // namespace e2e
