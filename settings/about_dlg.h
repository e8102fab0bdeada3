// The About box, opened from the settings page's system menu.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    DECLARE_MESSAGE_MAP()
};
