// Registry key permissions of the test prefix, for cases of keys the user may not change.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Gives the key a DACL that lets everyone do everything except set values.
bool DenySetValue(HKEY root, const std::string& key);
// Gives the key a DACL that lets everyone do everything (the harness opens keys with full
// access, which a read-only key refuses).
bool AllowEverything(HKEY root, const std::string& key);

}  // namespace e2e
