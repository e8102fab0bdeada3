#include "install/install_run.h"

#include <algorithm>
#include <array>

#include "install/driver64.h"
#include "install/install_records.h"
#include "install/registry_text.h"
#include "install/serial_settings.h"
#include "install/system_machine.h"

namespace kora {

namespace {

const char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr std::uint32_t kFinalPause = 500;

void CopyDriverFiles(InstallSystem& sys, int modelRow, const std::string& directory, InstallOutcome& outcome) {
    for (const DriverFileCopy& copy : DriverFileCopies(modelRow, directory)) {
        if (!directory.empty() && !sys.CopyDriverFile(copy.source, copy.destination, false))
            outcome.Fail(InstallStep::CopyFiles, sys.LastError(), copy.source);
        if (copy.progress != kNoProgress) sys.SetProgress(copy.progress);
    }
}

void RegisterDriver(InstallSystem& sys, int modelRow, InstallOutcome& outcome) {
    if (!sys.AddDriver(kDriverRecordLevel, MakeDriverRecord(modelRow)))
        outcome.Fail(InstallStep::RegisterDriver, sys.LastError());
}

// Windows keeps a printer of that name from an earlier run, on its old port, where Wine
// replaces it: the user's chosen port must reach it either way.
void MoveExistingPrinter(InstallSystem& sys, const std::string& name, const std::string& port,
                         InstallOutcome& outcome) {
    if (port.empty()) return;
    const PrinterHandle existing = sys.OpenExistingPrinter(name);
    if (existing == 0) {
        outcome.Fail(InstallStep::MovePrinterToPort, sys.LastError(), port);
        return;
    }
    std::string current;
    if (!sys.GetPrinterPort(existing, &current) || (current != port && !sys.SetPrinterPort(existing, port)))
        outcome.Fail(InstallStep::MovePrinterToPort, sys.LastError(), port);
    sys.ClosePrinterHandle(existing);
}

// A 64-bit spooler takes the printer only with a driver for its own processor, "Windows x64"
// or "Windows ARM64"; on a 32-bit system a run makes exactly the calls it always made.
void Add64BitDriver(InstallSystem& sys, int modelRow, InstallOutcome& outcome) {
    if (const Environment64* environment = Environment64For(DetectSystemMachine(sys)))
        InstallDriver64(sys, *environment, modelRow, outcome);
}

// A printer of that name from an earlier run counts as there.
bool AddPrinterTo(InstallSystem& sys, int modelRow, const std::string& port, PrinterHandle* printer,
                  InstallOutcome& outcome) {
    const PrinterRecord record = MakePrinterRecord(modelRow, port);
    *printer = sys.CreatePrinter(kPrinterRecordLevel, record);
    if (*printer != 0) return true;
    const std::uint32_t error = sys.LastError();
    if (error == kErrorPrinterAlreadyExists) {
        MoveExistingPrinter(sys, record.pPrinterName, port, outcome);
        return true;
    }
    outcome.Fail(InstallStep::CreatePrinter, error);
    return false;
}

// Windows itself tells running programs when the default printer changes.
void MakeDefaultPrinter(InstallSystem& sys, int modelRow, const std::string& port, bool printerExists) {
    if (!sys.IsDefaultPrinterChecked() || !printerExists) return;
    if (WriteRegistryText(sys, Hive::CurrentUser, kWindowsKey, "Device", MakeDeviceText(modelRow, port)))
        sys.BroadcastSettingChange("windows");
}

std::string FailedStepText(const InstallOutcome& outcome) {
    switch (outcome.failedStep) {
    case InstallStep::DriverDirectory:  // the detail names an environment other than x86's
        return "无法获取打印机驱动程序目录" + (outcome.detail.empty() ? "" : " " + outcome.detail);
    case InstallStep::CopyFiles: return "无法复制驱动文件 " + outcome.detail;
    case InstallStep::RegisterDriver: return "无法添加打印机驱动程序";
    case InstallStep::CreatePrinter: return "无法添加打印机";
    case InstallStep::MovePrinterToPort: return "无法将已有打印机的端口改为 " + outcome.detail;
    case InstallStep::FindUnidrv64:
        return outcome.unidrvMissingFor ? Unidrv64MissingText(*outcome.unidrvMissingFor) : std::string();
    case InstallStep::None: break;
    }
    return std::string();
}

}  // namespace

void InstallOutcome::Fail(InstallStep step, std::uint32_t error, const std::string& detail) {
    if (!Succeeded()) return;
    failedStep = step;
    this->error = error;
    this->detail = detail;
}

std::string QueryDriverDirectory(InstallSystem& sys, const std::string& environment, const std::string& detail,
                                 InstallOutcome& outcome) {
    std::array<char, kDriverDirectorySize> buffer{};
    if (!sys.GetDriverDirectory(environment, kDriverDirectoryLevel, buffer.data(),
                                static_cast<std::uint32_t>(buffer.size()))) {
        outcome.Fail(InstallStep::DriverDirectory, sys.LastError(), detail);
        return std::string();
    }
    const std::string directory(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
    if (directory.empty()) outcome.Fail(InstallStep::DriverDirectory, kErrorSuccess, detail);
    return directory;
}

InstallOutcome RunInstallation(InstallSystem& sys) {
    InstallOutcome outcome;
    outcome.portName = sys.ChosenPortName();
    // The x86 directory's failure has always been shown without naming the environment.
    const std::string directory = QueryDriverDirectory(sys, kDriverEnvironment, std::string(), outcome);
    const int portRow = sys.SerialPortRow();
    const int modelRow = sys.ModelRow();

    CopyDriverFiles(sys, modelRow, directory, outcome);
    RegisterDriver(sys, modelRow, outcome);
    Add64BitDriver(sys, modelRow, outcome);
    sys.SetProgress(70);
    PrinterHandle printer = 0;
    const bool printerExists = AddPrinterTo(sys, modelRow, outcome.portName, &printer, outcome);
    sys.SetProgress(80);
    MakeDefaultPrinter(sys, modelRow, outcome.portName, printerExists);
    sys.SetProgress(90);
    WriteSerialSettings(sys, portRow);
    sys.SetProgress(95);
    sys.ClosePrinterHandle(printer);
    sys.Pause(kFinalPause);
    sys.SetProgress(100);
    return outcome;
}

std::string InstallFailureMessage(const InstallOutcome& outcome, const std::string& errorText) {
    if (outcome.Succeeded()) return std::string();
    std::string message = "错误：驱动安装失败\n" + FailedStepText(outcome);
    if (outcome.error != kErrorSuccess) message += "：" + errorText;
    return message;
}

}  // namespace kora
