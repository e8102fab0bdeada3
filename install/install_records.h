// What one installation run hands to the file system and the spooler for "Windows NT x86",
// composed from the model row, the driver directory and the chosen port. Texts grow as
// needed, so no port name or directory is cut; only the dependent-files list has the fixed
// 255 bytes of the product's layout, which its four short names always fit.
#pragma once

#include <string>
#include <vector>

#include "install/install_system.h"

namespace kora {

extern const char kDriverEnvironment[];  // "Windows NT x86"
constexpr std::uint32_t kDriverDirectoryLevel = 1;
constexpr std::uint32_t kDriverRecordLevel = 3;   // DRIVER_INFO_3
constexpr std::uint32_t kPrinterRecordLevel = 2;  // PRINTER_INFO_2
constexpr std::uint32_t kDriverRecordVersion = 2;

constexpr int kNoProgress = 0;

// One driver file, copied from the package (or the system's 64-bit Unidrv) into a driver directory.
struct DriverFileCopy {
    std::string source;
    std::string destination;
    int progress = kNoProgress;  // position set after the copy, or kNoProgress
};

// The eight copies for the model row, in the order they are made.
std::vector<DriverFileCopy> DriverFileCopies(int row, const std::string& driverDirectory);

DriverRecord MakeDriverRecord(int row);
PrinterRecord MakePrinterRecord(int row, const std::string& port);

// "driver,winspool,port": the user's default printer as the Device value holds it.
std::string MakeDeviceText(int row, const std::string& port);

}  // namespace kora
