// The parts of the test prefix that the hardening cases change, and their reset. Helpers
// the harness does not have yet: key ACLs, DLL overrides, the modules of a running process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

extern const char kMonitorsKey[];  // HKLM: one subkey per port monitor

// Spooler printers and drivers, the driver directory, the Ports values of a fresh prefix,
// the "Local Port" monitor, an empty Device key with a default ACL, no Windows version
// and no DLL overrides for the program.
void ResetPrefixState(const std::string& exeName);

// Wine's native-first load order for comctl32.dll and winspool.drv in programs of this
// file name (HKCU\Software\Wine\AppDefaults\<exe>\DllOverrides).
bool SetNativeFirstOverrides(const std::string& exeName);

// Gives the key a DACL that lets everyone do everything except set values.
bool DenySetValue(HKEY root, const std::string& key);

// Adds a port of the local monitor (a value under the Ports key).
bool AddPortValue(const std::string& name);

// Full paths of the modules loaded in a running process.
std::vector<std::string> LoadedModules(DWORD processId);

// A REG_SZ value read with query access only, so also from a read-only key; "(no key)",
// "(none)" or "(not REG_SZ)" when there is no such text.
std::string ReadableText(HKEY root, const std::string& key, const std::string& name);

bool FileExists(const std::string& path);

}  // namespace e2e
