// The driver's registration for a 64-bit environment, which a 64-bit Windows spooler needs
// before it takes the printer. We may not ship Microsoft's 64-bit Unidrv, so its files come
// from the system's own copies (or a package sub-folder a builder supplied); the model GPD
// and the processor's build of the resource library come from our package.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "install/install_records.h"
#include "install/install_run.h"
#include "install/install_system.h"
#include "install/system_machine.h"

namespace kora {

// What the registration needs to know of one 64-bit environment.
struct Environment64 {
    const char* name;           // the spooler's environment
    const char* systemName;     // the system as messages name it
    const char* packageFolder;  // the package's sub-folder with this processor's files
    const char* storePackages;  // the in-box printer packages in the driver store
    const char* storeFolder;    // their sub-folder with this processor's files
    // The Unidrv files a driver cannot do without, in the order they are looked for.
    std::array<const char*, 5> requiredUnidrvFiles;
};

// "Windows x64": package folder "x64", driver store "ntprint.inf_amd64_*\Amd64".
extern const Environment64 kX64Environment;
// "Windows ARM64": package folder "arm64", driver store "ntprint.inf_arm64_*\Arm64".
extern const Environment64 kArm64Environment;

// The environment a 64-bit spooler on that machine needs besides "Windows NT x86"; null
// for a 32-bit Windows.
const Environment64* Environment64For(SystemMachine machine);

// What the error box says when no folder holds the environment's required Unidrv files:
// which files for which system, and where they may come from.
std::string Unidrv64MissingText(const Environment64& environment);

constexpr std::uint32_t kDriver64RecordVersion = 3;  // 64-bit Windows has user-mode drivers only
extern const char kUnidrv64HelpFile[];               // "unidrv.hlp": used where the system has it

// Where the 64-bit Unidrv files were found.
struct Unidrv64Source {
    std::string folder;  // empty: found nowhere
    bool hasHelpFile = false;
    bool Found() const { return !folder.empty(); }
};

// The first folder holding every required file: the version-3 folder of the environment's
// driver directory (empty when that directory is unknown), then the driver store's in-box
// printer packages, then the package's own sub-folder.
Unidrv64Source FindUnidrv64Source(InstallSystem& sys, const Environment64& environment,
                                  const std::string& driverDirectory);

// The copies into the environment's driver directory, in the x86 order: the processor's
// resource library, the model GPD, then the Unidrv files (the help file only where the
// source has it).
std::vector<DriverFileCopy> Driver64FileCopies(const Environment64& environment, int row, const Unidrv64Source& unidrv,
                                               const std::string& driverDirectory);

// The x86 record's name, data file, dependent files, monitor and data type, with the
// environment's Unidrv as driver, configuration and help file.
DriverRecord MakeDriver64Record(const Environment64& environment, int row, bool withHelpFile);

// The whole part of a run for the environment, on a system already known to have it:
// directory, source, copies, registration. Failures go to `outcome`.
void InstallDriver64(InstallSystem& sys, const Environment64& environment, int row, InstallOutcome& outcome);

}  // namespace kora
