#include "install/x64_driver.h"

#include <algorithm>
#include <array>

#include "settings/model_table.h"

namespace kora {

const char kX64Environment[] = "Windows x64";
const char kPackageX64Folder[] = "win2k\\x64";
const char kUnidrv64HelpFile[] = "unidrv.hlp";

namespace {

const char kVersion3Folder[] = "\\3";

bool HoldsEveryRequiredFile(InstallSystem& sys, const std::string& folder) {
    for (const std::string& name : RequiredUnidrv64Files())
        if (!sys.FileExists(folder + "\\" + name)) return false;
    return true;
}

Unidrv64Source SourceIn(InstallSystem& sys, const std::string& folder) {
    Unidrv64Source source;
    source.folder = folder;
    source.hasHelpFile = sys.FileExists(folder + "\\" + kUnidrv64HelpFile);
    return source;
}

// The directory text, or "" when the query failed; a buffer without a zero byte is cut at its end.
std::string QueryX64DriverDirectory(InstallSystem& sys, std::uint32_t* error) {
    std::array<char, kDriverDirectorySize> buffer{};
    *error = kErrorSuccess;
    if (!sys.GetDriverDirectory(kX64Environment, kDriverDirectoryLevel, buffer.data(),
                                       static_cast<std::uint32_t>(buffer.size()))) {
        *error = sys.LastError();
        return std::string();
    }
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

DriverFileCopy CopyInto(const std::string& sourceFolder, const std::string& fileName,
                        const std::string& directory) {
    return {sourceFolder + "\\" + fileName, directory + "\\" + fileName, kNoProgress};
}

}  // namespace

const std::vector<std::string>& RequiredUnidrv64Files() {
    static const std::vector<std::string> files = {"unidrv.dll", "unidrvui.dll", "unires.dll", "stdnames.gpd",
                                                   "ttfsub.gpd"};
    return files;
}

Unidrv64Source FindUnidrv64Source(InstallSystem& sys, const std::string& x64DriverDirectory) {
    if (!x64DriverDirectory.empty()) {
        const std::string installed = x64DriverDirectory + kVersion3Folder;
        if (HoldsEveryRequiredFile(sys, installed)) return SourceIn(sys, installed);
    }
    for (const std::string& folder : sys.FindUnidrv64Folders())
        if (HoldsEveryRequiredFile(sys, folder)) return SourceIn(sys, folder);
    if (HoldsEveryRequiredFile(sys, kPackageX64Folder)) return SourceIn(sys, kPackageX64Folder);
    return Unidrv64Source();
}

std::vector<DriverFileCopy> X64DriverFileCopies(int row, const Unidrv64Source& unidrv,
                                                const std::string& x64DriverDirectory) {
    const std::string library = std::string(ResourceLibraryStem(row)) + ".DLL";
    const std::string dataFile = std::string(DataFileStem(row)) + ".GPD";
    std::vector<DriverFileCopy> copies = {
        CopyInto(kPackageX64Folder, library, x64DriverDirectory),
        CopyInto("win2k", dataFile, x64DriverDirectory),  // a GPD is the same on every processor
        CopyInto(unidrv.folder, "unidrvui.dll", x64DriverDirectory),
        CopyInto(unidrv.folder, "unidrv.dll", x64DriverDirectory),
    };
    if (unidrv.hasHelpFile) copies.push_back(CopyInto(unidrv.folder, kUnidrv64HelpFile, x64DriverDirectory));
    for (const char* name : {"unires.dll", "ttfsub.gpd", "stdnames.gpd"})
        copies.push_back(CopyInto(unidrv.folder, name, x64DriverDirectory));
    return copies;
}

DriverRecord MakeX64DriverRecord(int row, bool withHelpFile) {
    DriverRecord record = MakeDriverRecord(row);
    record.cVersion = kX64DriverRecordVersion;
    record.pEnvironment = kX64Environment;
    record.pDriverPath = "unidrv.dll";
    record.pConfigFile = "unidrvui.dll";
    record.pHelpFile = withHelpFile ? kUnidrv64HelpFile : "";
    return record;
}

InstallOutcome InstallX64Driver(InstallSystem& sys, int row) {
    InstallOutcome outcome;
    auto fail = [&outcome](InstallStep step, std::uint32_t error, const std::string& detail) {
        if (!outcome.Succeeded()) return;
        outcome.failedStep = step;
        outcome.error = error;
        outcome.detail = detail;
    };
    std::uint32_t error = kErrorSuccess;
    const std::string directory = QueryX64DriverDirectory(sys, &error);
    if (directory.empty()) {
        fail(InstallStep::DriverDirectory, error, kX64Environment);
        return outcome;
    }
    const Unidrv64Source unidrv = FindUnidrv64Source(sys, directory);
    if (!unidrv.Found()) {
        fail(InstallStep::FindUnidrv64, kErrorSuccess, std::string());
        return outcome;
    }
    for (const DriverFileCopy& copy : X64DriverFileCopies(row, unidrv, directory))
        if (!sys.CopyDriverFile(copy.source, copy.destination, false))
            fail(InstallStep::CopyFiles, sys.LastError(), copy.source);
    if (!sys.AddDriver(kDriverRecordLevel, MakeX64DriverRecord(row, unidrv.hasHelpFile)))
        fail(InstallStep::RegisterDriver, sys.LastError(), std::string());
    return outcome;
}

}  // namespace kora
