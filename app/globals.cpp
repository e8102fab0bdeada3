#include "app/globals.h"

std::string g_portName;
CSettingsDlg* g_pSettingsDlg = nullptr;
CPortSelectDlg* g_pPortSelectDlg = nullptr;
int g_systemType = 0;
