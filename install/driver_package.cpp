#include "install/driver_package.h"

#include "install/driver_models.h"

namespace kora {

namespace {

const char kPackageFolder[] = "win2k";

}  // namespace

std::string PackagePath(const std::string& name) { return std::string(kPackageFolder) + "\\" + name; }

std::string DataFileName(int row) { return std::string(DataFileStem(row)) + ".GPD"; }
std::string ResourceLibraryName(int row) { return std::string(ResourceLibraryStem(row)) + ".DLL"; }

}  // namespace kora
