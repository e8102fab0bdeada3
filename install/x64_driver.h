// The driver's registration for the "Windows x64" environment, which a 64-bit Windows
// spooler needs before it takes the printer. We may not ship Microsoft's 64-bit Unidrv, so
// its files come from the system's own copies (or a win2k\x64\ folder a builder supplied);
// the model GPD and a 64-bit build of the resource library come from our package.
#pragma once

#include <string>
#include <vector>

#include "install/install_records.h"
#include "install/install_run.h"
#include "install/install_system.h"

namespace kora {

extern const char kX64Environment[];      // "Windows x64"
extern const char kPackageX64Folder[];    // "win2k\x64", beside win2k's own files
extern const char kUnidrv64HelpFile[];    // "unidrv.hlp": used where the system has it
constexpr std::uint32_t kX64DriverRecordVersion = 3;  // 64-bit Windows has user-mode drivers only

// The 64-bit Unidrv files a driver cannot do without, in the order they are looked for.
const std::vector<std::string>& RequiredUnidrv64Files();

// Where the 64-bit Unidrv files were found.
struct Unidrv64Source {
    std::string folder;  // empty: found nowhere
    bool hasHelpFile = false;
    bool Found() const { return !folder.empty(); }
};

// The first folder holding every required file: the version-3 folder of the x64 driver
// directory (empty when that directory is unknown), then the driver store's in-box
// printer packages, then the package's win2k\x64.
Unidrv64Source FindUnidrv64Source(InstallSystem& sys, const std::string& x64DriverDirectory);

// The copies into the x64 driver directory, in the x86 order: the 64-bit resource library,
// the model GPD, then the Unidrv files (the help file only where the source has it).
std::vector<DriverFileCopy> X64DriverFileCopies(int row, const Unidrv64Source& unidrv,
                                                const std::string& x64DriverDirectory);

// The x86 record's name, data file, dependent files, monitor and data type, with the
// 64-bit Unidrv as driver, configuration and help file.
DriverRecord MakeX64DriverRecord(int row, bool withHelpFile);

// The whole x64 part of a run, on a system already known to be 64-bit: directory, source,
// copies, registration. Returns the first failure, or a succeeded outcome.
InstallOutcome InstallX64Driver(InstallSystem& sys, int row);

}  // namespace kora
