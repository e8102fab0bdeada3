#include "harness/landed_state.h"

#include <algorithm>

#include "harness/registry.h"

namespace e2e {

std::map<std::string, std::string> RegistryTexts(HKEY root, const std::string& key) {
    std::map<std::string, std::string> values;
    for (const std::string& name : RegistryValueNames(root, key)) {
        std::string text;
        if (ReadRegistryText(root, key, name, &text)) values[name] = text;
    }
    return values;
}

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

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::string DeviceText(const std::string& printer, const std::string& port) { return printer + ",winspool," + port; }

}  // namespace e2e
