#include "readings.h"

#include <tlhelp32.h>

#include <cstring>

namespace e2e {

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

}  // namespace e2e
