#include "harness/spooler.h"

#include <windows.h>
#include <winspool.h>

namespace e2e {

const char kDriverEnvironment[] = "Windows NT x86";

namespace {

std::string Text(const char* text) { return text ? text : ""; }

// The two-call pattern: ask for the size, then enumerate into a buffer of that size.
template <typename Enumerate>
std::vector<BYTE> EnumerateRecords(Enumerate enumerate, DWORD* count) {
    DWORD needed = 0;
    *count = 0;
    enumerate(nullptr, 0, &needed, count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!enumerate(buffer.data(), needed, &needed, count)) *count = 0;
    return buffer;
}

// MULTI_SZ: texts separated by zero bytes, ended by an empty one.
std::vector<std::string> MultiText(const char* text) {
    std::vector<std::string> items;
    for (; text && *text; text += lstrlenA(text) + 1) items.push_back(text);
    return items;
}

}  // namespace

std::vector<PrinterEntry> Printers() {
    DWORD count = 0;
    std::vector<BYTE> buffer = EnumerateRecords(
        [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, returned);
        },
        &count);
    std::vector<PrinterEntry> printers;
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        printers.push_back({Text(info[i].pPrinterName), Text(info[i].pPortName), Text(info[i].pDriverName),
                            Text(info[i].pPrintProcessor), Text(info[i].pDatatype)});
    }
    return printers;
}

std::vector<DriverEntry> PrinterDrivers(const std::string& environment) {
    DWORD count = 0;
    std::vector<BYTE> buffer = EnumerateRecords(
        [&](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrinterDriversA(nullptr, const_cast<char*>(environment.c_str()), 3, data, size, needed,
                                       returned);
        },
        &count);
    std::vector<DriverEntry> drivers;
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        DriverEntry entry;
        entry.version = info[i].cVersion;
        entry.name = Text(info[i].pName);
        entry.environment = Text(info[i].pEnvironment);
        entry.driverPath = Text(info[i].pDriverPath);
        entry.dataFile = Text(info[i].pDataFile);
        entry.configFile = Text(info[i].pConfigFile);
        entry.helpFile = Text(info[i].pHelpFile);
        entry.monitor = Text(info[i].pMonitorName);
        entry.datatype = Text(info[i].pDefaultDataType);
        entry.dependentFiles = MultiText(info[i].pDependentFiles);
        drivers.push_back(entry);
    }
    return drivers;
}

bool DeletePrinterNamed(const std::string& name) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return false;
    BOOL deleted = DeletePrinter(printer);
    ClosePrinter(printer);
    return deleted != FALSE;
}

bool DeletePrinterDriverNamed(const std::string& name, const std::string& environment) {
    return DeletePrinterDriverA(nullptr, const_cast<char*>(environment.c_str()), const_cast<char*>(name.c_str())) !=
           FALSE;
}

void RemoveAllPrintersAndDrivers() {
    for (const PrinterEntry& printer : Printers()) DeletePrinterNamed(printer.name);
    for (const DriverEntry& driver : PrinterDrivers()) DeletePrinterDriverNamed(driver.name);
}

std::string PrinterDriverDirectory(const std::string& environment) {
    char folder[MAX_PATH] = "";
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment.c_str()), 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof folder, &needed))
        return "";
    return folder;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void ClearPrinterDriverDirectory() {
    std::string root = PrinterDriverDirectory();
    if (root.empty()) return;
    for (const char* sub : {"", "\\0", "\\1", "\\2", "\\3"}) {
        std::string folder = root + sub;
        for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
    }
}

}  // namespace e2e
