#include "harness/dll_overrides.h"

#include "harness/registry.h"

namespace e2e {
namespace {

std::string OverridesKey(const std::string& exeName) {
    return "Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides";
}

}  // namespace

bool SetNativeFirstOverrides(const std::string& exeName) {
    const std::string key = OverridesKey(exeName);
    // Wine names a ".dll" by its stem and any other DLL by its full file name.
    return SetRegistryText(HKEY_CURRENT_USER, key, "comctl32", "native,builtin") &&
           SetRegistryText(HKEY_CURRENT_USER, key, "winspool.drv", "native,builtin");
}

void RemoveDllOverrides(const std::string& exeName) { DeleteRegistryTree(HKEY_CURRENT_USER, OverridesKey(exeName)); }

}  // namespace e2e
