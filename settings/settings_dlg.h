// The second page: model, printer name, default-printer flag and the hidden serial-line
// boxes. Its Next button runs the port page, from which the installation starts.
#pragma once

#include <optional>

#include "app/globals.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "install/install_pages.h"
#include "install/install_run.h"

class CSettingsDlg : public CDialog, public kora::SettingsPageInputs, public PrinterDriverInstaller {
public:
    CSettingsDlg();
    ~CSettingsDlg() override;

    // Installs the driver and the printer from this page's controls and the port page's
    // chosen port; the outcome is kept for the Next handler to report.
    void InstallPrinterDriver() override;

    // What the installation reads of this page.
    int ModelRow() const override;
    int SerialPortRow() const override;
    int BaudRateRow() const override;
    int DataBitsRow() const override;
    int StopBitsRow() const override;
    int ParityRow() const override;
    int FlowControlRow() const override;
    bool IsDefaultPrinterChecked() const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBack();
    void OnNext();
    void OnModelChange();
    void OnPortChange();
    void OnDefaultPrinterClicked();

    DECLARE_MESSAGE_MAP()

private:
    void AddAboutMenuItem();
    void FillModelBox();
    void SelectSerialDefaults();
    void EnableLineBoxes(BOOL enable);
    void ReportInstallation();

    HICON m_hIcon;
    CComboBox m_modelBox;
    CComboBox m_portBox;
    CComboBox m_baudRateBox;
    CComboBox m_dataBitsBox;
    CComboBox m_stopBitsBox;
    CComboBox m_parityBox;
    CComboBox m_flowControlBox;
    CButton m_defaultPrinterBox;
    CWnd m_printerNameBox;
    std::optional<kora::InstallOutcome> m_lastInstall;  // of the current Next press
};
