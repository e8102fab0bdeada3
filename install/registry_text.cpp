#include "install/registry_text.h"

namespace kora {

const char kRegistryErrorMessage[] = "错误：无法设置有关的注册表信息";

bool WriteRegistryText(InstallSystem& sys, Hive hive, const std::string& subKey, const std::string& valueName,
                       const std::string& text) {
    RegKey key = 0;
    if (sys.OpenKey(hive, subKey, &key) != kErrorSuccess) return false;
    const auto length = static_cast<std::uint32_t>(text.size());
    const bool written = sys.SetTextValue(key, valueName, text, length) == kErrorSuccess;
    if (!written) sys.ShowMessage(kRegistryErrorMessage);
    sys.CloseKey(key);
    return written;
}

}  // namespace kora
