// A recording InstallSystem: every call becomes one line in `calls`, in order, and the
// records handed to the spooler are kept whole. Its answers are set per test.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "install/install_system.h"

namespace kora::testing {

class FakeInstallSystem : public InstallSystem {
public:
    // Answers.
    // The settings page's box selections; -1 stands for a box without one.
    int modelRow = -1;
    int serialPortRow = -1;
    int baudRateRow = -1;
    int dataBitsRow = -1;
    int stopBitsRow = -1;
    int parityRow = -1;
    int flowControlRow = -1;
    bool defaultPrinterChecked = true;
    std::string chosenPortName = "LPT1:";
    bool driverDirectoryOk = true;
    std::string driverDirectory = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
    std::set<std::string> failingCopySources;
    bool addPrinterDriverOk = true;
    PrinterHandle printerHandle = 0x5150;
    std::uint32_t lastError = 0;
    long openKeyResult = 0;
    long setValueResult = 0;
    RegKey openedKey = 0x77;
    // The printer that is there already; an error other than 0 makes that call fail with it.
    PrinterHandle existingPrinter = 0x6160;
    std::string existingPrinterPort = "LPT3:";
    std::uint32_t openExistingError = 0;
    std::uint32_t getPrinterPortError = 0;
    std::uint32_t setPrinterPortError = 0;
    // 64-bit Windows. A 32-bit answer is not logged, so that a 32-bit run's calls are
    // exactly those it made before the x64 registration existed.
    bool system64Bit = false;
    bool x64DriverDirectoryOk = true;
    std::string x64DriverDirectory = "C:\\WINDOWS\\system32\\spool\\drivers\\x64";
    std::vector<std::string> driverStoreFolders;  // what the driver store search finds
    std::set<std::string> existingFiles;          // every other path does not exist
    bool addX64PrinterDriverOk = true;
    // IsWow64Process2's answer; unanswered (a Windows without it) unless set, and then not
    // logged either, so that runs on such systems keep their calls.
    bool nativeMachineKnown = false;
    std::uint16_t nativeMachine = 0;
    // 64-bit ARM Windows, which IsWow64Process2 alone tells from x64.
    bool arm64DriverDirectoryOk = true;
    std::string arm64DriverDirectory = "C:\\WINDOWS\\system32\\spool\\drivers\\arm64";
    bool addArm64PrinterDriverOk = true;

    // What was asked.
    std::vector<std::string> calls;
    std::vector<DriverRecord> driverRecords;
    std::vector<PrinterRecord> printerRecords;

    int ModelRow() override;
    int SerialPortRow() override;
    int BaudRateRow() override;
    int DataBitsRow() override;
    int StopBitsRow() override;
    int ParityRow() override;
    int FlowControlRow() override;
    bool IsDefaultPrinterChecked() override;
    std::string ChosenPortName() override;
    void SetProgress(int position) override;
    bool GetDriverDirectory(const std::string& environment, std::uint32_t level, char* buffer,
                            std::uint32_t size) override;
    bool CopyDriverFile(const std::string& source, const std::string& destination, bool failIfExists) override;
    bool AddDriver(std::uint32_t level, const DriverRecord& record) override;
    PrinterHandle CreatePrinter(std::uint32_t level, const PrinterRecord& record) override;
    bool ClosePrinterHandle(PrinterHandle printer) override;
    std::uint32_t LastError() override;
    PrinterHandle OpenExistingPrinter(const std::string& printerName) override;
    bool GetPrinterPort(PrinterHandle printer, std::string* port) override;
    bool SetPrinterPort(PrinterHandle printer, const std::string& port) override;
    bool IsSystem64Bit() override;
    bool QueryNativeMachine(std::uint16_t* machine) override;
    std::vector<std::string> FindDriverStoreFolders(const std::string& packages, const std::string& subFolder) override;
    bool FileExists(const std::string& path) override;
    long OpenKey(Hive hive, const std::string& subKey, RegKey* key) override;
    long SetTextValue(RegKey key, const std::string& valueName, const std::string& text, std::uint32_t length) override;
    void CloseKey(RegKey key) override;
    void BroadcastSettingChange(const std::string& section) override;
    void Pause(std::uint32_t milliseconds) override;
    void ShowMessage(const std::string& text) override;

    // The calls whose line starts with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

private:
    bool Answer(std::uint32_t error);
    int Row(const char* name, int answer);
};

}  // namespace kora::testing
