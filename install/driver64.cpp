#include "install/driver64.h"

#include "install/driver_package.h"

namespace kora {

const char kUnidrv64HelpFile[] = "unidrv.hlp";

namespace {

// Every 64-bit Windows names its in-box Unidrv files alike.
constexpr std::array<const char*, 5> kInBoxUnidrvFiles = {"unidrv.dll", "unidrvui.dll", "unires.dll", "stdnames.gpd",
                                                          "ttfsub.gpd"};

}  // namespace

const Environment64 kX64Environment = {
    "Windows x64",          // name
    "64 位 Windows",        // systemName
    "x64",                  // packageFolder
    "ntprint.inf_amd64_*",  // storePackages
    "Amd64",                // storeFolder
    kInBoxUnidrvFiles,      // requiredUnidrvFiles
};

// Windows 10 and 11 on ARM run this program as an emulated x86 one; their spooler is
// ARM64's and takes only a driver built for it.
const Environment64 kArm64Environment = {
    "Windows ARM64",        // name
    "64 位 ARM Windows",    // systemName
    "arm64",                // packageFolder
    "ntprint.inf_arm64_*",  // storePackages
    "Arm64",                // storeFolder
    kInBoxUnidrvFiles,      // requiredUnidrvFiles
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

const Environment64* Environment64For(SystemMachine machine) {
    switch (machine) {
    case SystemMachine::X64: return &kX64Environment;
    case SystemMachine::Arm64: return &kArm64Environment;
    case SystemMachine::X86: break;
    }
    return nullptr;
}

std::string Unidrv64MissingText(const Environment64& environment) {
    std::string files;
    for (const char* name : environment.requiredUnidrvFiles) files += (files.empty() ? "" : "、") + std::string(name);
    const std::string system = environment.systemName;
    return "找不到 " + system + " 的通用打印驱动程序文件（" + files + "），无法为 " + system +
           " 注册驱动程序。\n请先用 Windows 的“添加打印机”安装任意一台使用 Windows 自带通用驱动程序（Unidrv）的打印机，"
           "或把这些文件放入本程序的 " +
           PackagePath(environment.packageFolder) + "\\ 文件夹，然后重新安装。";
}

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
        if (outcome.Succeeded()) outcome.unidrvMissingFor = &environment;
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
