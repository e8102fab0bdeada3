#include "ports/port_select_dlg.h"

#include "app/globals.h"
#include "ports/list_view.h"
#include "ports/port_rows.h"
#include "ports/port_type_dlg.h"
#include "ports/spooler_enum.h"
#include "res/resource.h"

namespace {

class PortListSink : public kora::PortRowSink {
public:
    explicit PortListSink(CListCtrl& list) : m_list(list) {}
    void WriteDebugLine(const std::string& line) override { ::OutputDebugStringA(line.c_str()); }
    void InsertRow(int row, const std::string& name) override { m_list.InsertItem(row, name.c_str()); }
    void SetDescription(int row, const std::string& description) override {
        m_list.SetItemText(row, 1, description.c_str());
    }
    void SelectRow(int row) override { PreselectRow(m_list, row); }

private:
    CListCtrl& m_list;
};

}  // namespace

CPortSelectDlg::CPortSelectDlg() : CDialog(IDD_PORT_SELECT) {}

CPortSelectDlg::~CPortSelectDlg() = default;

BEGIN_MESSAGE_MAP(CPortSelectDlg, CDialog)
    ON_BN_CLICKED(IDC_CREATE_PORT, OnCreatePort)
    ON_BN_CLICKED(IDC_CONFIGURE_PORT, OnConfigurePort)
    ON_BN_CLICKED(IDC_PORT_BACK, OnBack)
    ON_BN_CLICKED(IDC_INSTALL, OnInstall)
    ON_BN_CLICKED(IDC_PORT_CANCEL, OnCancel)
END_MESSAGE_MAP()

void CPortSelectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_PORT_LIST, m_portList);
}

BOOL CPortSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SpoolerRecords ports = EnumerateAndStyle();
    InsertColumns();
    ListPorts(ports);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    return TRUE;
}

// The page's own cancel operation, bound to its Cancel button; it ends the page as the
// framework's does.
void CPortSelectDlg::OnCancel() { CDialog::OnCancel(); }

SpoolerRecords CPortSelectDlg::EnumerateAndStyle() {
    SpoolerRecords ports = EnumPortsLevel2();
    ApplyListStyle(m_portList);
    return ports;
}

void CPortSelectDlg::InsertColumns() {
    m_portList.InsertColumn(0, "端口", LVCFMT_LEFT);
    m_portList.InsertColumn(1, "类型", LVCFMT_LEFT);
    m_portList.SetColumnWidth(0, 150);
    m_portList.SetColumnWidth(1, 280);
}

void CPortSelectDlg::ListPorts(const SpoolerRecords& ports) {
    std::vector<kora::PortRecordView> views;
    views.reserve(ports.count);
    const PORT_INFO_2A* records = ports.Records<PORT_INFO_2A>();
    for (DWORD i = 0; i < ports.count; ++i) views.push_back({records[i].pPortName, records[i].pDescription});
    PortListSink sink(m_portList);
    kora::FillPortRows(views.data(), static_cast<std::uint32_t>(views.size()), sink);
}

void CPortSelectDlg::OnCreatePort() {
    CPortTypeDlg portType;
    portType.DoModal();
    m_portList.DeleteAllItems();
    ListPorts(EnumerateAndStyle());
}

void CPortSelectDlg::OnConfigurePort() {
    int row = FindSelectedRow(m_portList);
    if (row < 0) return;
    ConfigurePortOnLocalSpooler(m_hWnd, m_portList.GetItemText(row, 0).c_str());
}

void CPortSelectDlg::OnBack() { CDialog::OnCancel(); }

void CPortSelectDlg::OnInstall() {
    int row = FindSelectedRow(m_portList);
    if (row >= 0) m_portName = m_portList.GetItemText(row, 0);
    if (g_pSettingsDlg) g_pSettingsDlg->InstallPrinterDriver();
    CDialog::OnOK();
}
