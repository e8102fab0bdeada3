// Reading what a run left in the prefix.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// Every REG_SZ value of a key, by name.
std::map<std::string, std::string> RegistryTexts(HKEY root, const std::string& key);

// The whole file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes);
// "C:\a\b\X.GPD" -> "X.GPD"
std::string BaseName(const std::string& path);
// "C:\a\b\X.GPD" -> "C:\a\b"
std::string FolderOf(const std::string& path);
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
std::vector<std::string> Sorted(std::vector<std::string> texts);

// The Device value that makes `printer` on `port` the default printer.
std::string DeviceText(const std::string& printer, const std::string& port);

}  // namespace e2e
