// Wine's DLL load order for one program file, under
// HKCU\Software\Wine\AppDefaults\<exe>\DllOverrides: for cases that plant DLLs beside it.
#pragma once
#include <string>

namespace e2e {

// Native-first load order for comctl32.dll and winspool.drv.
bool SetNativeFirstOverrides(const std::string& exeName);
// Back to Wine's own load order for every DLL.
void RemoveDllOverrides(const std::string& exeName);

}  // namespace e2e
