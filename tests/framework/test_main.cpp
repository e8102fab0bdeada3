// framework_test.exe: the framework driven for real, in the program's own process.
#include <gtest/gtest.h>

#include "scripted_dialog.h"
#include "test_app.h"
#include "test_ids.h"

namespace {
CTestApp g_app;
StartUpFacts g_startUp = {};
}  // namespace

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(IDC_APP_CMD, OnAppCommand)
END_MESSAGE_MAP()

void CTestApp::OnAppCommand() { CallLog().push_back("app:command"); }

CTestApp& TestApp() { return g_app; }

const StartUpFacts& StartUp() { return g_startUp; }

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_app.StartUp(::GetModuleHandleA(nullptr));
    g_startUp.comctl32LoadedBefore = ::GetModuleHandleA("comctl32.dll") != nullptr;
    g_startUp.controlsRegistered = g_app.RegisterCommonControls();
    return RUN_ALL_TESTS();
}
