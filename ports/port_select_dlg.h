// The third page: the spooler's ports, a preselected default row, port creation and
// configuration through the monitors, and the progress bar of the installation.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "install/install_pages.h"

struct SpoolerRecords;

class CPortSelectDlg : public CDialog, public kora::PortPageInputs {
public:
    CPortSelectDlg();
    ~CPortSelectDlg() override;

    std::string m_portName;    // the chosen port; written only by Install
    CProgressCtrl m_progress;  // driven by the installation; unbound once the page has closed,
                               // so the positions of a later run go nowhere
    CListCtrl m_portList;

    // What the installation reads of this page and reports to it.
    std::string ChosenPortName() const override { return m_portName; }
    void SetProgress(int position) override { m_progress.SetPos(position); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnCreatePort();
    void OnConfigurePort();
    void OnBack();
    void OnInstall();

    DECLARE_MESSAGE_MAP()

private:
    SpoolerRecords EnumerateAndStyle();
    void InsertColumns();
    void ListPorts(const SpoolerRecords& ports);
};
