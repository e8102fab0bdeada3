#include "install/driver64.h"

#include "install/driver_package.h"

namespace kora {

const char kUnidrv64HelpFile[] = "unidrv.hlp";

const Environment64 kX64Environment = {
    "Windows x64",
    "x64",
    "ntprint.inf_amd64_*",
    "Amd64",
    {"unidrv.dll", "unidrvui.dll", "unires.dll", "stdnames.gpd", "ttfsub.gpd"},
};

namespace {

const char kVersion3Folder[] = "\\3";

bool HoldsEveryRequiredFile(InstallSystem& sys, const Environment64& environment, const std::string& folder) {
    for (const char* name : environment.requiredUnidrvFiles)
        if (!sys.FileExists(folder + "\\" + name)) return false;
    return true;
}

Unidrv64Source SourceIn(InstallSystem& sys, const std::string& folder) {
    Unidrv64Source source;
    source.folder = folder;
    source.hasHelpFile = sys.FileExists(folder + "\\" + kUnidrv64HelpFile);
    return source;
}

DriverFileCopy CopyInto(const std::string& sourceFolder, const std::string& fileName, const std::string& directory) {
    return {sourceFolder + "\\" + fileName, directory + "\\" + fileName, kNoProgress};
}

}  // namespace

Unidrv64Source FindUnidrv64Source(InstallSystem& sys, const Environment64& environment,
                                  const std::string& driverDirectory) {
    if (!driverDirectory.empty()) {
        const std::string installed = driverDirectory + kVersion3Folder;
        if (HoldsEveryRequiredFile(sys, environment, installed)) return SourceIn(sys, installed);
    }
    for (const std::string& folder : sys.FindDriverStoreFolders(environment.storePackages, environment.storeFolder))
        if (HoldsEveryRequiredFile(sys, environment, folder)) return SourceIn(sys, folder);
    const std::string packageFolder = PackagePath(environment.packageFolder);
    if (HoldsEveryRequiredFile(sys, environment, packageFolder)) return SourceIn(sys, packageFolder);
    return Unidrv64Source();
}

std::vector<DriverFileCopy> Driver64FileCopies(const Environment64& environment, int row, const Unidrv64Source& unidrv,
                                               const std::string& driverDirectory) {
    std::vector<DriverFileCopy> copies = {
        CopyInto(PackagePath(environment.packageFolder), ResourceLibraryName(row), driverDirectory),
        // A GPD is the same on every processor: the x86 package's own.
        {PackagePath(DataFileName(row)), driverDirectory + "\\" + DataFileName(row), kNoProgress},
        CopyInto(unidrv.folder, "unidrvui.dll", driverDirectory),
        CopyInto(unidrv.folder, "unidrv.dll", driverDirectory),
    };
    if (unidrv.hasHelpFile) copies.push_back(CopyInto(unidrv.folder, kUnidrv64HelpFile, driverDirectory));
    for (const char* name : {"unires.dll", "ttfsub.gpd", "stdnames.gpd"})
        copies.push_back(CopyInto(unidrv.folder, name, driverDirectory));
    return copies;
}

DriverRecord MakeDriver64Record(const Environment64& environment, int row, bool withHelpFile) {
    DriverRecord record = MakeDriverRecord(row);
    record.cVersion = kDriver64RecordVersion;
    record.pEnvironment = environment.name;
    record.pDriverPath = "unidrv.dll";
    record.pConfigFile = "unidrvui.dll";
    record.pHelpFile = withHelpFile ? kUnidrv64HelpFile : "";
    return record;
}

void InstallDriver64(InstallSystem& sys, const Environment64& environment, int row, InstallOutcome& outcome) {
    const std::string directory = QueryDriverDirectory(sys, environment.name, environment.name, outcome);
    if (directory.empty()) return;
    const Unidrv64Source unidrv = FindUnidrv64Source(sys, environment, directory);
    if (!unidrv.Found()) {
        outcome.Fail(InstallStep::FindUnidrv64, kErrorSuccess, PackagePath(environment.packageFolder));
        return;
    }
    for (const DriverFileCopy& copy : Driver64FileCopies(environment, row, unidrv, directory))
        if (!sys.CopyDriverFile(copy.source, copy.destination, false))
            outcome.Fail(InstallStep::CopyFiles, sys.LastError(), copy.source);
    if (!sys.AddDriver(kDriverRecordLevel, MakeDriver64Record(environment, row, unidrv.hasHelpFile)))
        outcome.Fail(InstallStep::RegisterDriver, sys.LastError());
}

}  // namespace kora
