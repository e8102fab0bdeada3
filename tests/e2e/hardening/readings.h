// Readings the hardening cases take that the harness has no call for: the modules of a
// running process, and a value of a key the harness cannot open with full access.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Full paths of the modules loaded in a running process.
std::vector<std::string> LoadedModules(DWORD processId);

// A REG_SZ value read with query access only, so also from a read-only key; "(no key)",
// "(none)" or "(not REG_SZ)" when there is no such text.
std::string ReadableText(HKEY root, const std::string& key, const std::string& name);

}  // namespace e2e
