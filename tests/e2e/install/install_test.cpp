// Whole installations under Wine, from the system page to what landed in the driver
// directory, the spooler and the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "harness/installed_checks.h"
#include "harness/landed_state.h"
#include "harness/model_files.h"
#include "harness/port_registry.h"
#include "harness/prefix_reset.h"
#include "harness/registry.h"
#include "harness/spooler.h"
#include "harness/workspace.h"
#include "install/install_fixture.h"

namespace e2e {
namespace {

const DWORD kFinalPauseMs = 500;
// Wine keeps every driver as version 3, whatever cVersion the record gives.
const unsigned kWineDriverVersion = 3;

std::vector<std::string> BaseNames(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths) names.push_back(BaseName(path));
    return names;
}

// The eight files, byte for byte as in win2k, and nothing else in the driver directory.
void ExpectDriverFilesCopied(int row, const std::string& win2kFolder) {
    std::string directory = PrinterDriverDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(Sorted(DriverFilesOf(row)), Sorted(FilesIn(directory))) << "files in " << directory;
    for (const std::string& name : DriverFilesOf(row))
        ExpectSameBytes(win2kFolder + "\\" + name, directory + "\\" + name);
}

void ExpectDriverRegistered(int row) {
    std::vector<DriverEntry> drivers = PrinterDrivers();
    ASSERT_EQ(1u, drivers.size()) << "drivers of " << kDriverEnvironment;
    const DriverEntry& driver = drivers[0];
    EXPECT_EQ(ModelDriverName(row), driver.name);
    EXPECT_EQ(kDriverEnvironment, driver.environment);
    EXPECT_EQ(kWineDriverVersion, driver.version);
    EXPECT_EQ("uniDRV.DLL", BaseName(driver.driverPath)) << driver.driverPath;
    EXPECT_EQ(ModelDataFile(row), BaseName(driver.dataFile)) << driver.dataFile;
    EXPECT_EQ("uniDRVui.DLL", BaseName(driver.configFile)) << driver.configFile;
    EXPECT_EQ("uniDRV.HLP", BaseName(driver.helpFile)) << driver.helpFile;
    EXPECT_EQ((std::vector<std::string>{"ttfsub.GPD", "unires.DLL", "stdnames.GPD", "QZC10.DLL"}),
              BaseNames(driver.dependentFiles));
    EXPECT_EQ("", driver.monitor);
    EXPECT_EQ("RAW", driver.datatype);
}

void ExpectEndedQuietlyAfterTheBox(const WizardOutcome& outcome) {
    EXPECT_TRUE(outcome.boxOwnedBySettingsPage) << "the message box is not owned by the settings page";
    EXPECT_FALSE(outcome.settingsPageEnabledUnderBox) << "the settings page takes input under its message box";
    EXPECT_TRUE(outcome.exited) << "KORA.exe did not end after its message box";
    EXPECT_TRUE(outcome.otherWindows.empty()) << "also shown: " << ::testing::PrintToString(outcome.otherWindows);
}

void ExpectCompletionMessage(const WizardOutcome& outcome) {
    EXPECT_EQ(kCompletionText, outcome.boxText);
    EXPECT_TRUE(outcome.boxHasIcon);
    ExpectEndedQuietlyAfterTheBox(outcome);
}

// "错误：驱动安装失败", then the step, "：" and the system's (non-empty) text for the error.
void ExpectFailureMessage(const WizardOutcome& outcome, const std::string& step) {
    const std::string head = kFailureLine + step + "：";
    EXPECT_EQ(head, outcome.boxText.substr(0, head.size())) << "whole text: " << outcome.boxText;
    EXPECT_GT(outcome.boxText.size(), head.size()) << "no error text after the step: " << outcome.boxText;
    EXPECT_EQ(std::string::npos, outcome.boxText.find(kCompletionText));
    ExpectEndedQuietlyAfterTheBox(outcome);
}

// Successful installations: model row, chosen port, default-printer box and Windows key.
TEST_F(InstallTest, CompleteInstallationLandsDriverPrinterAndDefault) {
    struct Case {
        const char* name;
        int chosenModelRow;  // -1: the preselected row
        const char* port;
        bool uncheckDefaultPrinter;
        bool windowsKey;
        int installedRow;
        const char* device;  // nullptr: no Device value
    };
    static const Case kCases[] = {
        {"preselected model on COM2:", -1, "COM2:", false, true, 5, "QZ-A50X Series,winspool,COM2:"},
        {"first model on LPT1:", 0, "LPT1:", false, true, 0, "QZ-A10 Series,winspool,LPT1:"},
        {"last model on FILE:", 10, "FILE:", false, true, 10, "QZ-C10 Series,winspool,FILE:"},
        {"default-printer box unchecked", -1, "LPT1:", true, true, 5, nullptr},
        {"no Windows key in the prefix", -1, "LPT1:", false, false, 5, nullptr},
    };
    bool first = true;
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(StartCaseOfATable(row.windowsKey));
        std::map<std::string, std::string> portsBefore = RegistryTexts(HKEY_LOCAL_MACHINE, kPortsKey);

        WizardPlan plan;
        plan.modelRow = row.chosenModelRow;
        plan.port = row.port;
        plan.uncheckDefaultPrinter = row.uncheckDefaultPrinter;
        plan.boxScreenshot = first ? "install_complete" : nullptr;
        first = false;
        WizardOutcome outcome = Run(plan);

        ExpectCompletionMessage(outcome);
        EXPECT_GE(outcome.installToCloseMs, kFinalPauseMs) << "Install click to the port page's closing";
        // The Install run itself, not only the second pass, sets the default printer.
        EXPECT_EQ(row.device != nullptr, outcome.deviceSeenDuringInstall)
            << "Device value while the port page was open";
        ExpectDriverFilesCopied(row.installedRow, WorkingFolder() + "\\win2k");
        ExpectDriverRegistered(row.installedRow);
        ExpectPrinterAdded(row.installedRow, row.port);
        ExpectDevice(row.device);
        if (!row.windowsKey) {
            EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kWindowsDeviceKey)) << "key created";
        }
        // The hidden port box rests on LPT1, so no serial line value is written.
        EXPECT_EQ(portsBefore, RegistryTexts(HKEY_LOCAL_MACHINE, kPortsKey)) << "Ports values changed";
    }
}

// Where Wine has no name for a version, the prefix's registry gives it.
struct ReportedVersion {
    const char* wineName;  // nullptr: registryVersion and registryBuild
    const char* registryVersion = nullptr;
    const char* registryBuild = nullptr;
};

std::string NameOf(const ReportedVersion& version) {
    if (version.wineName) return version.wineName;
    return std::string("registry ") + version.registryVersion + " build " + version.registryBuild;
}

// Makes Wine report the version to KORA.exe while it lives.
class ReportedVersionScope {
public:
    explicit ReportedVersionScope(const ReportedVersion& version) {
        if (version.wineName) {
            ready_ = SetReportedWindowsVersion(kProgramFile, version.wineName);
        } else {
            registry_ =
                std::make_unique<RegistryReportedVersion>(kProgramFile, version.registryVersion, version.registryBuild);
            ready_ = registry_->Ready();
        }
    }
    bool Ready() const { return ready_; }

private:
    std::unique_ptr<RegistryReportedVersion> registry_;
    bool ready_ = false;
};

const ReportedVersion kWindows11 = {nullptr, "10.0", "22631"};
const ReportedVersion kNotInTheTable = {nullptr, "5.3", "4000"};  // code 0: one run, no message

// The Device value of the Install run is removed while the port page is still open, so a
// value after the end shows a second run.
TEST_F(InstallTest, SecondPassAndCompletionMessageOnlyForKnownSystems) {
    struct Case {
        ReportedVersion version;
        bool secondRun;
    };
    static const Case kCases[] = {
        {{"win7"}, true},  {{"win8"}, true},   {{"win81"}, true},
        {{"win10"}, true}, {kWindows11, true}, {kNotInTheTable, false},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(NameOf(row.version));
        ASSERT_NO_FATAL_FAILURE(StartCaseOfATable());
        ReportedVersionScope reported(row.version);
        ASSERT_TRUE(reported.Ready());

        WizardPlan plan;
        plan.port = "LPT1:";
        plan.removeDeviceOfInstallRun = true;
        WizardOutcome outcome = Run(plan);

        ASSERT_TRUE(outcome.deviceRemovedDuringInstall) << "no Device value seen while the port page was open";
        if (row.secondRun) {
            ExpectCompletionMessage(outcome);
            ExpectDevice(DeviceText(DefaultModel(), "LPT1:").c_str());
        } else {
            EXPECT_EQ("", outcome.boxText) << "message shown";
            EXPECT_TRUE(outcome.exited) << "KORA.exe did not end after the port page";
            EXPECT_TRUE(outcome.otherWindows.empty()) << ::testing::PrintToString(outcome.otherWindows);
            ExpectDevice(nullptr);
        }
        ExpectPrinterAdded(kPreselectedModelRow, "LPT1:");
    }
}

// Windows 10 and 11 as shops have them: a USB receipt printer appears as a port "USB001",
// which the user must choose over the preselected LPT1:.
TEST_F(InstallTest, NewerWindowsInstallOnTheChosenPort) {
    struct Case {
        ReportedVersion version;
        const char* port;
    };
    static const Case kCases[] = {
        {{"win10"}, "USB001"},
        {kWindows11, "COM2:"},
    };
    bool first = true;
    for (const Case& row : kCases) {
        SCOPED_TRACE(NameOf(row.version));
        ASSERT_NO_FATAL_FAILURE(StartCaseOfATable());
        ASSERT_TRUE(AddPortValue("USB001"));
        ReportedVersionScope reported(row.version);
        ASSERT_TRUE(reported.Ready());

        WizardPlan plan;
        plan.port = row.port;
        plan.boxScreenshot = first ? "install_complete_win10" : nullptr;
        first = false;
        WizardOutcome outcome = Run(plan);

        ExpectCompletionMessage(outcome);
        ExpectDriverFilesCopied(kPreselectedModelRow, WorkingFolder() + "\\win2k");
        ExpectDriverRegistered(kPreselectedModelRow);
        ExpectPrinterAdded(kPreselectedModelRow, row.port);
        ExpectDevice(DeviceText(DefaultModel(), row.port).c_str());
    }
}

// On Windows 10 the second pass fails as the first did, and the user is told so.
TEST_F(InstallTest, FailedInstallationOnWindows10IsReported) {
    ASSERT_NO_FATAL_FAILURE(PrepareWorkspace(false));
    ASSERT_TRUE(CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey));
    ASSERT_TRUE(SetReportedWindowsVersion(kProgramFile, "win10"));
    WizardPlan plan;
    plan.port = "LPT1:";
    WizardOutcome outcome = Run(plan);

    ExpectFailureMessage(outcome, "无法复制驱动文件 win2k\\QZC10.DLL");
    ExpectPrinterAdded(kPreselectedModelRow, "LPT1:");
}

// The user switches to another program while the installation runs: the completion
// message is still owned by the settings page, not left on its own beside it.
TEST_F(InstallTest, CompletionMessageOwnedBySettingsPageWhileAnotherProgramIsActive) {
    ASSERT_NO_FATAL_FAILURE(StartCaseOfATable());
    WizardPlan plan;
    plan.port = "LPT1:";
    plan.anotherProgramActiveAtInstall = true;
    ExpectCompletionMessage(Run(plan));
    ExpectPrinterAdded(kPreselectedModelRow, "LPT1:");
}

// Wine's spooler takes a printer without a port, so an empty port name is a success there.
TEST_F(InstallTest, EmptyPortNameInstallsOnWine) {
    struct Case {
        const char* name;
        PortPageExit exit;
    };
    static const Case kCases[] = {{"Enter on the port list", PortPageExit::EnterOnList},
                                  {"Install with no row selected", PortPageExit::InstallWithNoSelection}};
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(StartCaseOfATable());

        WizardPlan plan;
        plan.exit = row.exit;
        WizardOutcome outcome = Run(plan);

        ExpectCompletionMessage(outcome);
        ExpectDriverFilesCopied(kPreselectedModelRow, WorkingFolder() + "\\win2k");
        ExpectPrinterAdded(kPreselectedModelRow, "");
        ExpectDevice(DeviceText(DefaultModel(), "").c_str());
    }
}

TEST_F(InstallTest, MissingWin2kFolderReportsTheFirstCopyAndCopiesNothing) {
    ASSERT_NO_FATAL_FAILURE(PrepareWorkspace(false));
    ASSERT_TRUE(CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey));
    WizardPlan plan;
    plan.port = "LPT1:";
    plan.boxScreenshot = "install_error";
    WizardOutcome outcome = Run(plan);

    ExpectFailureMessage(outcome, "无法复制驱动文件 win2k\\QZC10.DLL");
    std::string directory = PrinterDriverDirectory();
    EXPECT_TRUE(FilesIn(directory).empty()) << ::testing::PrintToString(FilesIn(directory));
    for (const std::string& folder : {std::string("C:"), WorkingFolder(), FolderOf(directory)}) {
        for (const std::string& name : DriverFilesOf(kPreselectedModelRow))
            EXPECT_FALSE(FileExists(folder + "\\" + name)) << folder << "\\" << name;
    }
    // The later steps still ran.
    ExpectDriverRegistered(kPreselectedModelRow);
    ExpectPrinterAdded(kPreselectedModelRow, "LPT1:");
    ExpectDevice(DeviceText(DefaultModel(), "LPT1:").c_str());
}

// Under a 9x version Wine looks drivers up in "Windows 4.0": the printer is refused.
TEST_F(InstallTest, RefusedPrinterIsReportedAndNotMadeDefault) {
    ASSERT_NO_FATAL_FAILURE(PrepareWorkspace(true));
    ASSERT_TRUE(CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey));
    ASSERT_TRUE(SetReportedWindowsVersion(kProgramFile, "win98"));
    WizardPlan plan;
    plan.port = "LPT1:";
    WizardOutcome outcome = Run(plan);

    ExpectFailureMessage(outcome, "无法添加打印机");
    EXPECT_TRUE(Printers().empty()) << Printers().size() << " printers";
    ExpectDevice(nullptr);
    ExpectDriverFilesCopied(kPreselectedModelRow, WorkingFolder() + "\\win2k");
    ExpectDriverRegistered(kPreselectedModelRow);
}

// A reinstall of the model ends with one printer, on the port of the second run. Wine
// replaces the printer where Windows refuses a second one of the name (1802); the run's
// answer to that refusal is proven against the seam and in install_system_test.
TEST_F(InstallTest, SecondInstallationOfTheSameModelEndsOnItsPort) {
    struct Case {
        const char* name;
        const char* firstPort;
        const char* secondPort;
    };
    static const Case kCases[] = {
        {"same port", "LPT2:", "LPT2:"},
        {"another port", "LPT1:", "LPT2:"},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(StartCaseOfATable());
        WizardPlan plan;
        plan.port = row.firstPort;
        ExpectCompletionMessage(Run(plan));
        ExpectPrinterAdded(kPreselectedModelRow, row.firstPort);
        plan.port = row.secondPort;
        ExpectCompletionMessage(Run(plan));
        ExpectDriverFilesCopied(kPreselectedModelRow, WorkingFolder() + "\\win2k");
        ExpectDriverRegistered(kPreselectedModelRow);
        ExpectPrinterAdded(kPreselectedModelRow, row.secondPort);
        ExpectDevice(DeviceText(DefaultModel(), row.secondPort).c_str());
    }
}

}  // namespace
}  // namespace e2e
