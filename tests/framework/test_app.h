// The application object of framework_test.exe. main() starts it as the entry point of
// a program would, so AfxGetApp, the instance handle and the message-box caption are real.
#pragma once

#include "framework/app.h"

class CTestApp : public CWinApp {
public:
    BOOL RegisterCommonControls() { return Enable3dControlsStatic(); }

protected:
    void OnAppCommand();

    DECLARE_MESSAGE_MAP()
};

CTestApp& TestApp();

// Start-up facts taken before any test ran.
struct StartUpFacts {
    bool comctl32LoadedBefore;
    BOOL controlsRegistered;
};
const StartUpFacts& StartUp();
