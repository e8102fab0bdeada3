#include "harness/registry.h"

namespace e2e {

const char kPortsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kWindowsDeviceKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

namespace {

class Key {
public:
    Key(HKEY root, const std::string& path, bool create) {
        LONG status = create
                          ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr)
                          : RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool SetRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    Key k(root, key, true);
    return k.get() && RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool CreateRegistryKey(HKEY root, const std::string& key) { return Key(root, key, true).get() != nullptr; }

bool SetRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    Key k(root, key, true);
    return k.get() && RegSetValueExA(k.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof value) == ERROR_SUCCESS;
}

bool ReadRegistryText(HKEY root, const std::string& key, const std::string& name, std::string* value) {
    Key k(root, key, false);
    DWORD type = 0, size = 0;
    if (!k.get() || RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    std::string data(size, '\0');
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(size);
    while (!data.empty() && data.back() == '\0') data.pop_back();
    *value = data;
    return true;
}

bool RegistryValueExists(HKEY root, const std::string& key, const std::string& name) {
    Key k(root, key, false);
    return k.get() && RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool WaitForRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!RegistryValueExists(root, key, name)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    Key k(root, key, false);
    return k.get() && RegDeleteValueA(k.get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegistryKeyExists(HKEY root, const std::string& key) { return Key(root, key, false).get() != nullptr; }

bool DeleteRegistryTree(HKEY root, const std::string& key) {
    {
        Key k(root, key, false);
        if (!k.get()) return true;
        char child[256];
        // Always take the first subkey: deleting shifts the indexes.
        while (RegEnumKeyA(k.get(), 0, child, sizeof child) == ERROR_SUCCESS) {
            if (!DeleteRegistryTree(k.get(), child)) return false;
        }
    }
    return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegistryValueNames(HKEY root, const std::string& key) {
    std::vector<std::string> names;
    Key k(root, key, false);
    if (!k.get()) return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD size = sizeof name;
        if (RegEnumValueA(k.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    return names;
}

bool SetReportedWindowsVersion(const std::string& exeName, const std::string& versionName) {
    std::string key = "Software\\Wine\\AppDefaults\\" + exeName;
    if (versionName.empty())
        return !RegistryValueExists(HKEY_CURRENT_USER, key, "Version") ||
               DeleteRegistryValue(HKEY_CURRENT_USER, key, "Version");
    return SetRegistryText(HKEY_CURRENT_USER, key, "Version", versionName);
}

namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";

bool SetRegistryVersion(const std::string& version, const std::string& build) {
    return SetRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CurrentVersion", version) &&
           SetRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CurrentBuildNumber", build);
}

}  // namespace

RegistryReportedVersion::RegistryReportedVersion(const std::string& exeName, const std::string& version,
                                                 const std::string& build) {
    saved_ = ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CurrentVersion", &oldVersion_) &&
             ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CurrentBuildNumber", &oldBuild_);
    ready_ = saved_ && SetReportedWindowsVersion(exeName, "") &&
             !RegistryValueExists(HKEY_CURRENT_USER, "Software\\Wine", "Version") && SetRegistryVersion(version, build);
}

RegistryReportedVersion::~RegistryReportedVersion() {
    if (saved_) SetRegistryVersion(oldVersion_, oldBuild_);
}

}  // namespace e2e
