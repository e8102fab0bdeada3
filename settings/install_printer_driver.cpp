// The settings page's installation entry and the report of its outcome.
#include "settings/settings_dlg.h"

#include "app/globals.h"
#include "app/system_type.h"
#include "framework/app.h"
#include "install/win32_install_system.h"

void CSettingsDlg::InstallPrinterDriver() {
    g_portName = g_pPortSelectDlg ? g_pPortSelectDlg->ChosenPortName() : std::string();
    auto system = MakeWin32InstallSystem(this, g_pPortSelectDlg);
    m_lastInstall = kora::RunInstallation(*system);
}

// One message for the Next press: the completion message where the second pass ran and
// everything succeeded, or one error box for a failed last run on any system.
void CSettingsDlg::ReportInstallation() {
    if (!m_lastInstall) return;
    if (!m_lastInstall->Succeeded()) {
        std::string text = kora::InstallFailureMessage(*m_lastInstall, SystemErrorText(m_lastInstall->error));
        AfxMessageBox(text.c_str(), MB_OK);
        return;
    }
    if (kora::RunsSecondInstallationPass(g_systemType)) AfxMessageBox("驱动安装完成", MB_OK);
}
