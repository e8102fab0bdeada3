#include "install/landed_state.h"

#include "harness/registry.h"
#include "harness/spooler.h"
#include "install/model_files.h"

namespace e2e {
namespace {

struct PortValue {
  const char* name;
  const char* data;
};

// As a fresh 32-bit prefix has them.
const PortValue kFreshPorts[] = {
    {"COM1:", "9600,n,8,1"}, {"COM2:", "9600,n,8,1"}, {"COM3:", "9600,n,8,1"}, {"COM4:", "9600,n,8,1"},
    {"FILE:", ""},           {"LPT1:", ""},           {"LPT2:", ""},           {"LPT3:", ""},
};

}  // namespace

void ResetInstallState(const std::string& exeName) {
  RemoveAllPrintersAndDrivers();
  ClearPrinterDriverDirectory();
  for (const std::string& name : Win2kFolderFiles()) DeleteFileA(("C:\\" + name).c_str());
  for (const std::string& name : RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKey))
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKey, name);
  for (const PortValue& port : kFreshPorts) SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, port.name, port.data);
  DeleteRegistryTree(HKEY_CURRENT_USER, kWindowsDeviceKey);
  SetReportedWindowsVersion(exeName, "");
}

bool CreateRegistryKey(HKEY root, const std::string& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS)
    return false;
  RegCloseKey(created);
  return true;
}

std::map<std::string, std::string> RegistryTexts(HKEY root, const std::string& key) {
  std::map<std::string, std::string> values;
  for (const std::string& name : RegistryValueNames(root, key)) {
    std::string text;
    if (ReadRegistryText(root, key, name, &text)) values[name] = text;
  }
  return values;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(file, nullptr);
  std::string data(size, '\0');
  DWORD read = 0;
  BOOL ok = size == 0 || ReadFile(file, &data[0], size, &read, nullptr);
  CloseHandle(file);
  if (!ok || read != size) return false;
  *bytes = data;
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace e2e
