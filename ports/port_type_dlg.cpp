#include "ports/port_type_dlg.h"

#include <vector>

#include "ports/list_view.h"
#include "ports/monitor_rows.h"
#include "ports/spooler_enum.h"
#include "res/resource.h"

namespace {

class MonitorListSink : public kora::MonitorRowSink {
public:
    explicit MonitorListSink(CListCtrl& list) : m_list(list) {}
    void WriteDebugLine(const std::string& line) override { ::OutputDebugStringA(line.c_str()); }
    void InsertRow(int position, const std::string& name) override { m_list.InsertItem(position, name.c_str()); }

private:
    CListCtrl& m_list;
};

}  // namespace

CPortTypeDlg::CPortTypeDlg() : CDialog(IDD_PORT_TYPE) {}

CPortTypeDlg::~CPortTypeDlg() = default;

BEGIN_MESSAGE_MAP(CPortTypeDlg, CDialog)
    ON_BN_CLICKED(IDC_NEW_PORT, OnNewPort)
    ON_BN_CLICKED(IDC_PORT_TYPE_CLOSE, OnCancel)
END_MESSAGE_MAP()

void CPortTypeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PORT_LIST, m_typeList);
}

BOOL CPortTypeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SpoolerRecords monitors = EnumMonitorsLevel1();
    ApplyListStyle(m_typeList);
    m_typeList.InsertColumn(0, "可用端口类型", LVCFMT_LEFT);
    m_typeList.SetColumnWidth(0, 350);
    std::vector<const char*> names;
    const MONITOR_INFO_1A* records = monitors.Records<MONITOR_INFO_1A>();
    for (DWORD i = 0; i < monitors.count; ++i) names.push_back(records[i].pName);
    MonitorListSink sink(m_typeList);
    kora::FillMonitorRows(names.data(), static_cast<std::uint32_t>(names.size()), sink);
    PreselectRow(m_typeList, 0);
    return TRUE;
}

void CPortTypeDlg::OnNewPort() {
    int row = FindSelectedRow(m_typeList);
    if (row < 0) return;
    AddPortOnLocalSpooler(m_hWnd, m_typeList.GetItemText(row, 0).c_str());
}
