// One REG_SZ value written the way both of the installer's values are written.
#pragma once

#include <string>

#include "install/install_system.h"

namespace kora {

extern const char kRegistryErrorMessage[];

// A key that cannot be opened is skipped silently; a value that cannot be set shows the
// registry error box, and the key is closed either way. The length excludes the zero byte.
// True when the value was set.
bool WriteRegistryText(InstallSystem& sys, Hive hive, const std::string& subKey, const std::string& valueName,
                       const std::string& text);

}  // namespace kora
