// Registry state of the test prefix: values the program reads or writes, and the
// Windows version Wine reports to the program.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

extern const char kPortsKey[];          // HKLM: the local monitor's ports (value names)
extern const char kWindowsDeviceKey[];  // HKCU: "Device", the default printer

bool SetRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& value);
// Creates the key (without values) if it is missing.
bool CreateRegistryKey(HKEY root, const std::string& key);
bool SetRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
// The text of a REG_SZ value; false when it is missing or of another type.
bool ReadRegistryText(HKEY root, const std::string& key, const std::string& name, std::string* value);
bool RegistryValueExists(HKEY root, const std::string& key, const std::string& name);
// Waits until the value exists (another process writes it); false after timeoutMs.
bool WaitForRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD timeoutMs = 10000);
bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
// Deletes a key with everything below it; true also when it did not exist.
bool DeleteRegistryTree(HKEY root, const std::string& key);
bool RegistryKeyExists(HKEY root, const std::string& key);
std::vector<std::string> RegistryValueNames(HKEY root, const std::string& key);

// The version Wine reports to programs of this file name (the Version value under
// HKCU\Software\Wine\AppDefaults\<exe>): "win98", "winxp", "win10" ...; an empty name
// removes it, so the prefix's default (6.1) applies. Affects programs started afterwards.
bool SetReportedWindowsVersion(const std::string& exeName, const std::string& versionName);

// Without a Version value Wine 8 reports what the prefix's registry says: the texts
// "CurrentVersion" (major.minor) and "CurrentBuildNumber" of the key
// HKLM\Software\Microsoft\Windows NT\CurrentVersion. That is the way to versions none of
// Wine's names gives, such as Windows 11's 10.0 with a build of 22000 or above. Removes the
// program's Version value, sets both texts for the object's lifetime and puts the prefix's
// own back afterwards. Affects programs started meanwhile.
class RegistryReportedVersion {
public:
    RegistryReportedVersion(const std::string& exeName, const std::string& version, const std::string& build);
    ~RegistryReportedVersion();
    RegistryReportedVersion(const RegistryReportedVersion&) = delete;
    RegistryReportedVersion& operator=(const RegistryReportedVersion&) = delete;

    bool Ready() const { return ready_; }

private:
    std::string oldVersion_, oldBuild_;
    bool saved_ = false;
    bool ready_ = false;
};

}  // namespace e2e
