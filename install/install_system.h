// The operations an installation run asks of Windows and of the pages, named after what they
// do. KORA.exe implements them over the spooler, the registry, the file system and
// the live dialogs (install/win32_install_system.cpp); the native tests use a recording fake.
// No windows.h here: the types are plain stand-ins for theirs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kora {

using PrinterHandle = std::uintptr_t;  // 0 stands for "no printer handle"
using RegKey = std::uintptr_t;

enum class Hive { CurrentUser, LocalMachine };

constexpr std::uint32_t kErrorSuccess = 0;
constexpr std::uint32_t kErrorPrinterAlreadyExists = 1802;  // ERROR_PRINTER_ALREADY_EXISTS
constexpr std::size_t kDriverDirectorySize = 255;
constexpr std::size_t kDependentFilesSize = 255;

// The members of DRIVER_INFO_3A, each already composed.
struct DriverRecord {
    std::uint32_t cVersion = 0;
    std::string pName;
    std::string pEnvironment;
    std::string pDriverPath;
    std::string pDataFile;
    std::string pConfigFile;
    std::string pHelpFile;
    std::array<char, kDependentFilesSize> pDependentFiles{};  // names, each zero-terminated, then an empty one
    std::string pMonitorName;  // passed as a pointer to its text, never as a null pointer
    std::string pDefaultDataType;
};

// The members of PRINTER_INFO_2A that a run sets; every other member is zero or null.
struct PrinterRecord {
    std::string pPrinterName;
    std::string pPortName;
    std::string pDriverName;
    std::string pPrintProcessor;
    std::string pDatatype;
};

class InstallSystem {
public:
    virtual ~InstallSystem() = default;

    // What the pages give the run (install_pages.h): the settings page's selections, -1 for
    // a box without one, its default-printer box, the port page's choice and progress bar.
    virtual int ModelRow() = 0;
    virtual int SerialPortRow() = 0;
    virtual int BaudRateRow() = 0;
    virtual int DataBitsRow() = 0;
    virtual int StopBitsRow() = 0;
    virtual int ParityRow() = 0;
    virtual int FlowControlRow() = 0;
    virtual bool IsDefaultPrinterChecked() = 0;
    virtual std::string ChosenPortName() = 0;
    virtual void SetProgress(int position) = 0;  // nothing once that page has closed

    // Spooler and files. Failures report false / 0; LastError tells why.
    virtual bool GetDriverDirectory(const std::string& environment, std::uint32_t level, char* buffer,
                                    std::uint32_t size) = 0;
    virtual bool CopyDriverFile(const std::string& source, const std::string& destination, bool failIfExists) = 0;
    virtual bool AddDriver(std::uint32_t level, const DriverRecord& record) = 0;
    virtual PrinterHandle CreatePrinter(std::uint32_t level, const PrinterRecord& record) = 0;
    virtual bool ClosePrinterHandle(PrinterHandle printer) = 0;
    virtual std::uint32_t LastError() = 0;

    // A printer that is there already: opened for administration (0 when it cannot be),
    // its port read, and its port replaced with every other setting kept.
    virtual PrinterHandle OpenExistingPrinter(const std::string& printerName) = 0;
    virtual bool GetPrinterPort(PrinterHandle printer, std::string* port) = 0;
    virtual bool SetPrinterPort(PrinterHandle printer, const std::string& port) = 0;
    // 64-bit Windows, where the driver must also be registered for "Windows x64" or
    // "Windows ARM64" (install/system_machine.h decides which).
    virtual bool IsSystem64Bit() = 0;  // this 32-bit program runs on a 64-bit Windows
    // The IMAGE_FILE_MACHINE_* value of the processor Windows runs on; false where Windows
    // cannot tell (no IsWow64Process2 before Windows 10 version 1709) or the query fails.
    virtual bool QueryNativeMachine(std::uint16_t* machine) = 0;
    // In the driver store, as this 32-bit program reaches it: the sub-folder `subFolder` of
    // every package folder matching `packages` ("ntprint.inf_amd64_*" and "Amd64" hold the
    // in-box x64 Unidrv); none where there is no such package.
    virtual std::vector<std::string> FindDriverStoreFolders(const std::string& packages,
                                                            const std::string& subFolder) = 0;
    virtual bool FileExists(const std::string& path) = 0;  // a file, not a folder

    // Registry. Results are Win32 error codes: 0 means success.
    virtual long OpenKey(Hive hive, const std::string& subKey, RegKey* key) = 0;  // KEY_SET_VALUE
    virtual long SetTextValue(RegKey key, const std::string& valueName, const std::string& text,
                              std::uint32_t length) = 0;  // REG_SZ
    virtual void CloseKey(RegKey key) = 0;

    // WM_SETTINGCHANGE with the section's name to every top-level window, each given a
    // short time to answer, so that a hung program cannot hold the run.
    virtual void BroadcastSettingChange(const std::string& section) = 0;

    virtual void Pause(std::uint32_t milliseconds) = 0;
    virtual void ShowMessage(const std::string& text) = 0;  // OK button, exclamation icon
};

}  // namespace kora
