// The driver package beside KORA.exe: the win2k folder of the current directory, and the
// names of the model files an installation takes from it. Nothing else spells them.
#pragma once

#include <string>

namespace kora {

// A file or sub-folder of the package, as a path relative to the current directory.
std::string PackagePath(const std::string& name);

// The model's Unidrv data file and the resource library, named by the model row's stems.
std::string DataFileName(int row);
std::string ResourceLibraryName(int row);

}  // namespace kora
