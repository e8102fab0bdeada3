// The installation's operations over the real spooler, registry, files and dialogs.
#pragma once

#include "framework/seam_names.h"

#include <memory>
#include <string>

#include "install/install_system.h"

class CPortSelectDlg;

// Makes the seam for a run on the settings page `settingsPage` with the port page `portPage`
// (which may have closed, or be null).
std::unique_ptr<kora::InstallSystem> MakeWin32InstallSystem(HWND settingsPage, CPortSelectDlg* portPage);

// The system's text for a Win32 error code, for the error box.
std::string SystemErrorText(DWORD error);
