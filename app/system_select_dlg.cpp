#include "app/system_select_dlg.h"

#include "app/detect_system.h"
#include "app/globals.h"
#include "res/resource.h"

namespace {

// The radio button of each code; code 0 has none.
int RadioButtonFor(int systemType) {
    switch (systemType) {
    case 1: return IDC_RADIO_WIN95;
    case 2: return IDC_RADIO_WIN98;
    case 3: return IDC_RADIO_NT4;
    case 4: return IDC_RADIO_WIN2000;
    case 5: return IDC_RADIO_XP;
    case 6: return IDC_RADIO_WIN2003;
    case 7: return IDC_RADIO_VISTA;
    case 8: return IDC_RADIO_WIN7;
    case 9: return IDC_RADIO_WIN8;
    case 10: return IDC_RADIO_WIN10;
    case 11: return IDC_RADIO_WIN11;
    default: return 0;
    }
}

}  // namespace

CSystemSelectDlg::CSystemSelectDlg() : CDialog(IDD_SYSTEM_SELECT) {}

BEGIN_MESSAGE_MAP(CSystemSelectDlg, CDialog)
    ON_BN_CLICKED(IDC_SYSTEM_BACK, OnBack)
    ON_BN_CLICKED(IDC_SYSTEM_NEXT, OnOK)
    ON_BN_CLICKED(IDC_SYSTEM_EXIT, OnCancel)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CSystemSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DetectSystemType();
    if (int radio = RadioButtonFor(g_systemType)) CheckDlgButton(radio, BST_CHECKED);
    return TRUE;
}

// The first page has nothing to go back to; its Back button stays disabled.
void CSystemSelectDlg::OnBack() {}

void CSystemSelectDlg::OnPaint() {
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
}
