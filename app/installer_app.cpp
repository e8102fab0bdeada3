#include "app/installer_app.h"

#include <memory>

#include "app/system_select_dlg.h"
#include "settings/settings_dlg.h"

CInstallerApp theApp;

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

BOOL CInstallerApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    CSystemSelectDlg systemPage;
    INT_PTR r = systemPage.DoModal();
    while (r == IDOK) {
        INT_PTR s;
        {
            auto settingsPage = std::make_unique<CSettingsDlg>();
            s = settingsPage->DoModal();
        }
        if (s != IDCANCEL) break;  // IDOK or -1 end the wizard; Back shows the system page again
        r = systemPage.DoModal();
    }
    return FALSE;
}
