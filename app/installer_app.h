// The application: runs the wizard as a chain of modal pages, then ends the program.
#pragma once

#include "framework/app.h"

class CInstallerApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
