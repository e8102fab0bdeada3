// Putting the test prefix back between cases, so that no case sees what an earlier one
// installed or changed.
#pragma once
#include <string>

namespace e2e {

// What HKCU\...\Windows (the key of the "Device" value, the default printer) is reset to.
enum class WindowsKey {
    kAbsent,  // as in a fresh Wine prefix
    kEmpty,   // present without values, as Windows always has it
};

// No printers, drivers or driver directory files; no driver files copied to C:\ by
// mistake; the fresh prefix's Ports values and "Local Port" monitor; the Windows key as
// asked; Wine's own Windows version and DLL load order for the program file.
void ResetPrefix(const std::string& exeName, WindowsKey windowsKey = WindowsKey::kAbsent);

}  // namespace e2e
