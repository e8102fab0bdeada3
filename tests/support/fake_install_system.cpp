#include "tests/support/fake_install_system.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kora::testing {

namespace {

std::string HiveName(Hive hive) { return hive == Hive::CurrentUser ? "HKCU" : "HKLM"; }

}  // namespace

int FakeInstallSystem::Row(const char* name, int answer) {
    calls.push_back(name);
    return answer;
}

int FakeInstallSystem::ModelRow() { return Row("ModelRow", modelRow); }
int FakeInstallSystem::SerialPortRow() { return Row("SerialPortRow", serialPortRow); }
int FakeInstallSystem::BaudRateRow() { return Row("BaudRateRow", baudRateRow); }
int FakeInstallSystem::DataBitsRow() { return Row("DataBitsRow", dataBitsRow); }
int FakeInstallSystem::StopBitsRow() { return Row("StopBitsRow", stopBitsRow); }
int FakeInstallSystem::ParityRow() { return Row("ParityRow", parityRow); }
int FakeInstallSystem::FlowControlRow() { return Row("FlowControlRow", flowControlRow); }

bool FakeInstallSystem::IsDefaultPrinterChecked() {
    calls.push_back("IsDefaultPrinterChecked");
    return defaultPrinterChecked;
}

std::string FakeInstallSystem::ChosenPortName() {
    calls.push_back("ChosenPortName");
    return chosenPortName;
}

void FakeInstallSystem::SetProgress(int position) { calls.push_back("SetProgress " + std::to_string(position)); }

bool FakeInstallSystem::GetDriverDirectory(const std::string& environment, std::uint32_t level, char* buffer,
                                           std::uint32_t size) {
    calls.push_back("GetDriverDirectory " + environment + " " + std::to_string(level) + " " + std::to_string(size));
    // The caller must hand over a zero-filled buffer; note any byte that is not.
    if (std::any_of(buffer, buffer + size, [](char c) { return c != '\0'; })) calls.push_back("buffer not zero-filled");
    const bool x64 = environment == "Windows x64", arm64 = environment == "Windows ARM64";
    if (!(x64 ? x64DriverDirectoryOk : arm64 ? arm64DriverDirectoryOk : driverDirectoryOk)) return false;
    const std::string& directory = x64 ? x64DriverDirectory : arm64 ? arm64DriverDirectory : driverDirectory;
    std::memcpy(buffer, directory.data(), std::min<std::size_t>(directory.size(), size));
    return true;
}

bool FakeInstallSystem::CopyDriverFile(const std::string& source, const std::string& destination, bool failIfExists) {
    calls.push_back("CopyDriverFile " + source + " -> " + destination + (failIfExists ? " failIfExists" : ""));
    return failingCopySources.count(source) == 0;
}

bool FakeInstallSystem::AddDriver(std::uint32_t level, const DriverRecord& record) {
    calls.push_back("AddDriver " + std::to_string(level));
    driverRecords.push_back(record);
    if (record.pEnvironment == "Windows x64") return addX64PrinterDriverOk;
    if (record.pEnvironment == "Windows ARM64") return addArm64PrinterDriverOk;
    return addPrinterDriverOk;
}

PrinterHandle FakeInstallSystem::CreatePrinter(std::uint32_t level, const PrinterRecord& record) {
    calls.push_back("CreatePrinter " + std::to_string(level));
    printerRecords.push_back(record);
    return printerHandle;
}

bool FakeInstallSystem::ClosePrinterHandle(PrinterHandle printer) {
    calls.push_back("ClosePrinterHandle " + std::to_string(printer));
    return printer != 0;
}

std::uint32_t FakeInstallSystem::LastError() {
    calls.push_back("LastError");
    return lastError;
}

PrinterHandle FakeInstallSystem::OpenExistingPrinter(const std::string& printerName) {
    calls.push_back("OpenExistingPrinter " + printerName);
    if (!Answer(openExistingError)) return 0;
    return existingPrinter;
}

bool FakeInstallSystem::GetPrinterPort(PrinterHandle printer, std::string* port) {
    calls.push_back("GetPrinterPort " + std::to_string(printer));
    if (!Answer(getPrinterPortError)) return false;
    *port = existingPrinterPort;
    return true;
}

bool FakeInstallSystem::SetPrinterPort(PrinterHandle printer, const std::string& port) {
    calls.push_back("SetPrinterPort " + std::to_string(printer) + " " + port);
    if (!Answer(setPrinterPortError)) return false;
    existingPrinterPort = port;
    return true;
}

// A call set to fail leaves its error for GetLastError.
bool FakeInstallSystem::Answer(std::uint32_t error) {
    if (error == 0) return true;
    lastError = error;
    return false;
}

bool FakeInstallSystem::IsSystem64Bit() {
    if (system64Bit) calls.push_back("IsSystem64Bit");
    return system64Bit;
}

bool FakeInstallSystem::QueryNativeMachine(std::uint16_t* machine) {
    if (!nativeMachineKnown) return false;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%#06x", static_cast<unsigned>(nativeMachine));
    calls.push_back(std::string("QueryNativeMachine ") + hex);
    *machine = nativeMachine;
    return true;
}

std::vector<std::string> FakeInstallSystem::FindDriverStoreFolders(const std::string& packages,
                                                                   const std::string& subFolder) {
    calls.push_back("FindDriverStoreFolders " + packages + " " + subFolder);
    return driverStoreFolders;
}

bool FakeInstallSystem::FileExists(const std::string& path) {
    calls.push_back("FileExists " + path);
    return existingFiles.count(path) != 0;
}

long FakeInstallSystem::OpenKey(Hive hive, const std::string& subKey, RegKey* key) {
    calls.push_back("OpenKey " + HiveName(hive) + " " + subKey);
    if (openKeyResult == 0) *key = openedKey;
    return openKeyResult;
}

long FakeInstallSystem::SetTextValue(RegKey key, const std::string& valueName, const std::string& text,
                                     std::uint32_t length) {
    calls.push_back("SetTextValue " + std::to_string(key) + " " + valueName + " [" + text + "] " +
                    std::to_string(length));
    return setValueResult;
}

void FakeInstallSystem::CloseKey(RegKey key) { calls.push_back("CloseKey " + std::to_string(key)); }

void FakeInstallSystem::BroadcastSettingChange(const std::string& section) {
    calls.push_back("BroadcastSettingChange " + section);
}

void FakeInstallSystem::Pause(std::uint32_t milliseconds) { calls.push_back("Pause " + std::to_string(milliseconds)); }

void FakeInstallSystem::ShowMessage(const std::string& text) { calls.push_back("ShowMessage " + text); }

std::vector<std::string> FakeInstallSystem::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    return found;
}

}  // namespace kora::testing
