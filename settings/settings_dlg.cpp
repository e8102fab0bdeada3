
#include "settings/settings_dlg.h"

#include <memory>

#include "app/globals.h"
#include "app/system_type.h"
#include "framework/app.h"
#include "ports/port_select_dlg.h"
#include "res/resource.h"
#include "settings/about_dlg.h"
#include "settings/model_texts.h"

namespace {

// Clears g_pPortSelectDlg when the port page object of a Next press goes away.
struct PortPageScope {
    explicit PortPageScope(CPortSelectDlg* page) { g_pPortSelectDlg = page; }
    ~PortPageScope() { g_pPortSelectDlg = nullptr; }
};

}  // namespace

CSettingsDlg::CSettingsDlg() : CDialog(IDD_SETTINGS), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

CSettingsDlg::~CSettingsDlg() {
    if (g_pSettingsDlg == this) g_pSettingsDlg = nullptr;
}

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_SETTINGS_BACK, OnBack)
    ON_BN_CLICKED(IDC_SETTINGS_NEXT, OnNext)
    ON_CBN_SELCHANGE(IDC_MODEL, OnModelChange)
    ON_CBN_SELCHANGE(IDC_SERIAL_PORT, OnPortChange)
    ON_BN_CLICKED(IDC_SETTINGS_EXIT, OnCancel)
    ON_BN_CLICKED(IDC_DEFAULT_PRINTER, OnDefaultPrinterClicked)
END_MESSAGE_MAP()

void CSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MODEL, m_modelBox);
    DDX_Control(pDX, IDC_SERIAL_PORT, m_portBox);
    DDX_Control(pDX, IDC_BAUD_RATE, m_baudRateBox);
    DDX_Control(pDX, IDC_DATA_BITS, m_dataBitsBox);
    DDX_Control(pDX, IDC_STOP_BITS, m_stopBitsBox);
    DDX_Control(pDX, IDC_PARITY, m_parityBox);
    DDX_Control(pDX, IDC_FLOW_CONTROL, m_flowControlBox);
    DDX_Control(pDX, IDC_DEFAULT_PRINTER, m_defaultPrinterBox);
    DDX_Control(pDX, IDC_PRINTER_NAME, m_printerNameBox);
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutMenuItem();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    FillModelBox();
    m_modelBox.SetCurSel(5);
    m_defaultPrinterBox.SetCheck(BST_CHECKED);
    // The printer-name box shows the default name until the user picks a model.
    m_printerNameBox.SetWindowText(kora::DefaultPrinterName().c_str());
    SelectSerialDefaults();
    EnableLineBoxes(FALSE);
    g_pSettingsDlg = this;
    return TRUE;
}

void CSettingsDlg::AddAboutMenuItem() {
    HMENU menu = GetSystemMenu(FALSE);
    char text[256] = {};
    if (menu == nullptr || ::LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, text, sizeof text) <= 0) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CSettingsDlg::FillModelBox() {
    m_modelBox.ResetContent();
    for (int row = 0; row < kora::kModelCount; ++row) m_modelBox.AddString(kora::DisplayText(row).c_str());
}

void CSettingsDlg::SelectSerialDefaults() {
    m_portBox.SetCurSel(0);         // LPT1
    m_baudRateBox.SetCurSel(5);     // 19200
    m_dataBitsBox.SetCurSel(3);     // 8
    m_stopBitsBox.SetCurSel(0);     // 1
    m_parityBox.SetCurSel(2);       // None
    m_flowControlBox.SetCurSel(2);  // Hardware
}

// Exit, Esc and the close box end the program as a finished installation does.
void CSettingsDlg::OnCancel() { CDialog::OnOK(); }

void CSettingsDlg::OnBack() { CDialog::OnCancel(); }

void CSettingsDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CSettingsDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.bottom - rect.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
}

HCURSOR CSettingsDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CSettingsDlg::OnModelChange() {
    int row = m_modelBox.GetCurSel();
    if (row < 0 || row >= kora::kModelCount) return;
    m_printerNameBox.SetWindowText(kora::DisplayText(row).c_str());
}

// The five line boxes only matter for a COM entry of the port box.
void CSettingsDlg::OnPortChange() { EnableLineBoxes(m_portBox.GetCurSel() > 2); }

void CSettingsDlg::EnableLineBoxes(BOOL enable) {
    for (CComboBox* box : {&m_baudRateBox, &m_dataBitsBox, &m_stopBitsBox, &m_parityBox, &m_flowControlBox})
        box->EnableWindow(enable);
}

// The box is read when the installation runs; a click needs no answer of its own.
void CSettingsDlg::OnDefaultPrinterClicked() {}

int CSettingsDlg::ModelRow() const { return m_modelBox.GetCurSel(); }
int CSettingsDlg::SerialPortRow() const { return m_portBox.GetCurSel(); }
int CSettingsDlg::BaudRateRow() const { return m_baudRateBox.GetCurSel(); }
int CSettingsDlg::DataBitsRow() const { return m_dataBitsBox.GetCurSel(); }
int CSettingsDlg::StopBitsRow() const { return m_stopBitsBox.GetCurSel(); }
int CSettingsDlg::ParityRow() const { return m_parityBox.GetCurSel(); }
int CSettingsDlg::FlowControlRow() const { return m_flowControlBox.GetCurSel(); }
bool CSettingsDlg::IsDefaultPrinterChecked() const { return m_defaultPrinterBox.GetCheck() == BST_CHECKED; }

void CSettingsDlg::OnNext() {
    auto portPage = std::make_unique<CPortSelectDlg>();
    PortPageScope scope(portPage.get());
    m_lastInstall.reset();
    if (portPage->DoModal() == IDCANCEL) return;
    g_portName = portPage->m_portName;
    if (kora::RunsSecondInstallationPass(g_systemType)) InstallPrinterDriver();
    ReportInstallation();
    CDialog::OnOK();
}
