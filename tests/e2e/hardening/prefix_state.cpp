#include "prefix_state.h"

#include <tlhelp32.h>

#include <cstring>

#include "harness/registry.h"
#include "harness/spooler.h"

namespace e2e {

const char kMonitorsKey[] = "System\\CurrentControlSet\\Control\\Print\\Monitors";

namespace {

const char kLocalMonitorKey[] = "System\\CurrentControlSet\\Control\\Print\\Monitors\\Local Port";

std::string AppDefaultsKey(const std::string& exeName) { return "Software\\Wine\\AppDefaults\\" + exeName; }

// What wineboot writes: data "9600,n,8,1" for the serial ports, empty for the others.
void ResetPorts() {
  for (const std::string& name : RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKey))
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKey, name);
  for (const char* com : {"COM1:", "COM2:", "COM3:", "COM4:"})
    SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, com, "9600,n,8,1");
  for (const char* other : {"FILE:", "LPT1:", "LPT2:", "LPT3:"}) SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, other, "");
}

bool SetDacl(HKEY root, const std::string& path, PACL acl) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Everyone may do everything, except what `denied` names.
bool SetEveryoneAcl(HKEY root, const std::string& path, REGSAM denied) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
  alignas(DWORD) BYTE buffer[256];
  PACL acl = reinterpret_cast<PACL>(buffer);
  bool ok = InitializeAcl(acl, sizeof buffer, ACL_REVISION) &&
            (denied == 0 || AddAccessDeniedAce(acl, ACL_REVISION, denied, everyone)) &&
            AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) && SetDacl(root, path, acl);
  FreeSid(everyone);
  return ok;
}

void ResetDeviceKey() {
  // The harness opens keys with full access, which a read-only key refuses: lift that first.
  SetEveryoneAcl(HKEY_CURRENT_USER, kWindowsDeviceKey, 0);
  DeleteRegistryTree(HKEY_CURRENT_USER, kWindowsDeviceKey);
  // Windows always has this key; a fresh Wine prefix does not.
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kWindowsDeviceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(key);
}

}  // namespace

void ResetPrefixState(const std::string& exeName) {
  RemoveAllPrintersAndDrivers();
  ClearPrinterDriverDirectory();
  ResetPorts();
  SetRegistryText(HKEY_LOCAL_MACHINE, kLocalMonitorKey, "Driver", "localspl.dll");
  ResetDeviceKey();
  SetReportedWindowsVersion(exeName, "");
  DeleteRegistryTree(HKEY_CURRENT_USER, AppDefaultsKey(exeName) + "\\DllOverrides");
}

bool SetNativeFirstOverrides(const std::string& exeName) {
  const std::string key = AppDefaultsKey(exeName) + "\\DllOverrides";
  // Wine names a ".dll" by its stem and any other DLL by its full file name.
  return SetRegistryText(HKEY_CURRENT_USER, key, "comctl32", "native,builtin") &&
         SetRegistryText(HKEY_CURRENT_USER, key, "winspool.drv", "native,builtin");
}

bool DenySetValue(HKEY root, const std::string& key) { return SetEveryoneAcl(root, key, KEY_SET_VALUE); }

bool AddPortValue(const std::string& name) { return SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, name, ""); }

std::vector<std::string> LoadedModules(DWORD processId) {
  std::vector<std::string> paths;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return paths;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
    paths.push_back(entry.szExePath);
  CloseHandle(snapshot);
  return paths;
}

std::string ReadableText(HKEY root, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "(no key)";
  char text[1024] = "";
  DWORD type = 0, size = sizeof text - 1;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "(none)";
  if (type != REG_SZ) return "(not REG_SZ)";
  return std::string(text, strnlen(text, size));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace e2e
