// The settings page's installation operation and the report of its outcome.
#include "settings/settings_dlg.h"

#include "app/globals.h"
#include "app/system_type.h"
#include "framework/app.h"
#include "install/win32_install_system.h"
#include "ports/port_select_dlg.h"
#include "res/resource.h"

void CSettingsDlg::InstallPrinterDriver() {
    g_portName = g_pPortSelectDlg ? g_pPortSelectDlg->m_portName : std::string();
    auto system = MakeWin32InstallSystem(this, g_pPortSelectDlg);
    m_lastInstall = kora::RunInstallation(*system);
}

int CSettingsDlg::SelectedRow(int boxId) const {
    const CComboBox* box = BoxWithId(boxId);
    return box ? box->GetCurSel() : -1;
}

bool CSettingsDlg::IsDefaultPrinterChecked() const { return m_defaultPrinterBox.GetCheck() == BST_CHECKED; }

const CComboBox* CSettingsDlg::BoxWithId(int id) const {
    switch (id) {
    case IDC_MODEL: return &m_modelBox;
    case IDC_SERIAL_PORT: return &m_portBox;
    case IDC_BAUD_RATE: return &m_baudRateBox;
    case IDC_DATA_BITS: return &m_dataBitsBox;
    case IDC_STOP_BITS: return &m_stopBitsBox;
    case IDC_PARITY: return &m_parityBox;
    case IDC_FLOW_CONTROL: return &m_flowControlBox;
    default: return nullptr;
    }
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
