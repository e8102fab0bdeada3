#include "install/install_records.h"

#include <algorithm>
#include <cstring>

#include "install/driver_models.h"
#include "install/driver_package.h"

namespace kora {

const char kDriverEnvironment[] = "Windows NT x86";

namespace {

// The three shared dependent files, each zero-terminated, copied as one block.
constexpr char kFixedDependentFiles[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD";
constexpr std::size_t kFixedDependentFilesSize = sizeof kFixedDependentFiles;  // 38, last zero included
// The resource library's name is composed in a 20-byte text: at most 19 characters.
constexpr std::size_t kMaxLibraryNameLength = 19;

DriverFileCopy CopyOf(const std::string& fileName, const std::string& driverDirectory, int progress) {
    return {PackagePath(fileName), driverDirectory + "\\" + fileName, progress};
}

std::array<char, kDependentFilesSize> DependentFiles(int row) {
    std::array<char, kDependentFilesSize> list{};
    std::memcpy(list.data(), kFixedDependentFiles, kFixedDependentFilesSize);
    const std::string library = ResourceLibraryName(row);
    const std::size_t length = std::min(library.size(), kMaxLibraryNameLength);
    // The zero after it, and the empty name that ends the list, are left from the fill.
    std::memcpy(list.data() + kFixedDependentFilesSize, library.data(), length);
    return list;
}

}  // namespace

std::vector<DriverFileCopy> DriverFileCopies(int row, const std::string& driverDirectory) {
    return {
        CopyOf(ResourceLibraryName(row), driverDirectory, 10),
        CopyOf(DataFileName(row), driverDirectory, 20),
        CopyOf("uniDRVui.DLL", driverDirectory, 30),
        CopyOf("uniDRV.DLL", driverDirectory, kNoProgress),
        CopyOf("UNIDRV.HLP", driverDirectory, 40),
        CopyOf("UNIRES.DLL", driverDirectory, kNoProgress),
        CopyOf("TTFSUB.GPD", driverDirectory, 50),
        CopyOf("STDNAMES.GPD", driverDirectory, 60),
    };
}

DriverRecord MakeDriverRecord(int row) {
    DriverRecord record;
    record.cVersion = kDriverRecordVersion;
    record.pName = DriverName(row);
    record.pEnvironment = kDriverEnvironment;
    // One leading backslash and no folder: the spooler takes each name from its driver
    // directory, where the copies put the files.
    record.pDriverPath = "\\uniDRV.DLL";
    record.pDataFile = "\\" + DataFileName(row);
    record.pConfigFile = "\\uniDRVui.DLL";
    record.pHelpFile = "\\uniDRV.HLP";
    record.pDependentFiles = DependentFiles(row);
    record.pMonitorName = "";
    record.pDefaultDataType = "RAW";
    return record;
}

PrinterRecord MakePrinterRecord(int row, const std::string& port) {
    PrinterRecord record;
    record.pPrinterName = DriverName(row);
    record.pPortName = port;
    record.pDriverName = DriverName(row);
    record.pPrintProcessor = "WinPrint";
    record.pDatatype = "RAW";
    return record;
}

std::string MakeDeviceText(int row, const std::string& port) {
    return std::string(DriverName(row)) + ",winspool," + port;
}

}  // namespace kora
