#include "harness/prefix_reset.h"

#include <windows.h>

#include "harness/dll_overrides.h"
#include "harness/key_access.h"
#include "harness/model_files.h"
#include "harness/port_registry.h"
#include "harness/registry.h"
#include "harness/spooler.h"

namespace e2e {
namespace {

void ResetWindowsKey(WindowsKey windowsKey) {
    // A case may have left the key read-only, which the deletion would fail on.
    AllowEverything(HKEY_CURRENT_USER, kWindowsDeviceKey);
    DeleteRegistryTree(HKEY_CURRENT_USER, kWindowsDeviceKey);
    if (windowsKey == WindowsKey::kEmpty) CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey);
}

}  // namespace

void ResetPrefix(const std::string& exeName, WindowsKey windowsKey) {
    RemoveAllPrintersAndDrivers();
    ClearPrinterDriverDirectory();
    for (const std::string& name : Win2kFolderFiles()) DeleteFileA(("C:\\" + name).c_str());
    ResetPortsToFreshPrefix();
    RestoreLocalPortMonitor();
    ResetWindowsKey(windowsKey);
    SetReportedWindowsVersion(exeName, "");
    RemoveDllOverrides(exeName);
}

}  // namespace e2e
