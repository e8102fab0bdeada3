// Spooler state of the test prefix, read after a run and reset between cases.
#pragma once
#include <string>
#include <vector>

namespace e2e {

extern const char kDriverEnvironment[];  // "Windows NT x86"

struct PrinterEntry {
    std::string name, port, driver, printProcessor, datatype;
};

struct DriverEntry {
    unsigned version = 0;
    std::string name, environment, driverPath, dataFile, configFile, helpFile, monitor, datatype;
    std::vector<std::string> dependentFiles;
};

// EnumPrintersA level 2 (local printers), EnumPrinterDriversA level 3.
std::vector<PrinterEntry> Printers();
std::vector<DriverEntry> PrinterDrivers(const std::string& environment = kDriverEnvironment);

bool DeletePrinterNamed(const std::string& name);
bool DeletePrinterDriverNamed(const std::string& name, const std::string& environment = kDriverEnvironment);
// Removes every printer, then every driver of the environment.
void RemoveAllPrintersAndDrivers();

// GetPrinterDriverDirectoryA: C:\windows\system32\spool\drivers\w32x86 in Wine (x64 for "Windows x64").
std::string PrinterDriverDirectory(const std::string& environment = kDriverEnvironment);
// Plain file names in a folder (no subfolders).
std::vector<std::string> FilesIn(const std::string& folder);
// Deletes the files of the driver directory and of its version folders 0 to 3.
void ClearPrinterDriverDirectory();

}  // namespace e2e
