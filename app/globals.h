// State the pages share for one run of the program (single-threaded, never locked).
#pragma once

#include <string>

class CSettingsDlg;
class CPortSelectDlg;

extern std::string g_portName;                 // the printer's port, set by every installation run
extern CSettingsDlg* g_pSettingsDlg;           // the last initialised settings page
extern CPortSelectDlg* g_pPortSelectDlg;       // the port page of the current Next press
extern int g_systemType;                       // detected Windows version code, 0 to 11
