#include "app/globals.h"

std::string g_portName;
PrinterDriverInstaller* g_pSettingsDlg = nullptr;
kora::PortPageInputs* g_pPortSelectDlg = nullptr;
int g_systemType = 0;
