// State the pages share for one run of the program (single-threaded, never locked). The
// pages meet here through interfaces, so that the port page needs no settings page header.
#pragma once

#include <string>

#include "install/install_pages.h"

// The settings page's installation entry, as the port page's Install button calls it.
class PrinterDriverInstaller {
public:
    virtual void InstallPrinterDriver() = 0;

protected:
    ~PrinterDriverInstaller() = default;
};

extern std::string g_portName;                  // the printer's port, set by every installation run
extern PrinterDriverInstaller* g_pSettingsDlg;  // the last initialised settings page
extern kora::PortPageInputs* g_pPortSelectDlg;  // the port page of the current Next press
extern int g_systemType;                        // detected Windows version code, 0 to 8
