// The installation's operations over the real spooler, registry, files and dialogs.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "install/install_pages.h"
#include "install/install_system.h"

// Makes the seam for a run that reads the settings page and reports to the port page
// (which may have closed); a null page answers as one without a selection or a port.
std::unique_ptr<kora::InstallSystem> MakeWin32InstallSystem(const kora::SettingsPageInputs* settingsPage,
                                                            kora::PortPageInputs* portPage);

// The system's text for a Win32 error code, for the error box.
std::string SystemErrorText(DWORD error);
