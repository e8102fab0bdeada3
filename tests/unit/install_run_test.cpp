#include "install/install_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "install/install_records.h"
#include "tests/support/fake_install_system.h"

namespace kora {
namespace {

using Calls = std::vector<std::string>;

const char kDirectory[] = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
const char kWindowsKeyOpen[] = "OpenKey HKCU Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char kPortsKeyOpen[] = "OpenKey HKLM SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kKey[] = "119";  // the fake's open key

struct RunCase {
    int modelRow;
    const char* port;
    const char* driverName;
    const char* libraryFile;
    const char* dataFile;
    unsigned deviceLength;  // counted by hand, without the zero byte
};

const RunCase kRunCases[] = {
    {0, "LPT1:", "QZ-A10 Series", "QZC10.DLL", "QZA10.GPD", 28},
    {10, "COM2:", "QZ-C10 Series", "QZC10.DLL", "QZC10.GPD", 28},
    {5, "USB001", "QZ-A50X Series", "QZC10.DLL", "QZA50X.GPD", 30},
};

std::string Copy(const std::string& file) {
    return "CopyDriverFile win2k\\" + file + " -> " + kDirectory + "\\" + file;
}

// A whole run with the box checked, the port box on LPT1 and every call succeeding.
Calls SuccessfulRun(const RunCase& c) {
    const std::string device = std::string(c.driverName) + ",winspool," + c.port;
    return {
        "ChosenPortName",
        "GetDriverDirectory Windows NT x86 1 255",
        "SerialPortRow",
        "ModelRow",
        Copy(c.libraryFile),
        "SetProgress 10",
        Copy(c.dataFile),
        "SetProgress 20",
        Copy("uniDRVui.DLL"),
        "SetProgress 30",
        Copy("uniDRV.DLL"),
        Copy("UNIDRV.HLP"),
        "SetProgress 40",
        Copy("UNIRES.DLL"),
        Copy("TTFSUB.GPD"),
        "SetProgress 50",
        Copy("STDNAMES.GPD"),
        "SetProgress 60",
        "AddDriver 3",
        "SetProgress 70",
        "CreatePrinter 2",
        "SetProgress 80",
        "IsDefaultPrinterChecked",
        kWindowsKeyOpen,
        std::string("SetTextValue ") + kKey + " Device [" + device + "] " + std::to_string(c.deviceLength),
        std::string("CloseKey ") + kKey,
        "BroadcastSettingChange windows",
        "SetProgress 90",
        "SetProgress 95",
        "ClosePrinterHandle 20816",  // the fake's handle 0x5150
        "Pause 500",
        "SetProgress 100",
    };
}

bool SameRecord(const DriverRecord& a, const DriverRecord& b) {
    return a.cVersion == b.cVersion && a.pName == b.pName && a.pEnvironment == b.pEnvironment &&
           a.pDriverPath == b.pDriverPath && a.pDataFile == b.pDataFile && a.pConfigFile == b.pConfigFile &&
           a.pHelpFile == b.pHelpFile && a.pDependentFiles == b.pDependentFiles && a.pMonitorName == b.pMonitorName &&
           a.pDefaultDataType == b.pDefaultDataType;
}

bool SameRecord(const PrinterRecord& a, const PrinterRecord& b) {
    return a.pPrinterName == b.pPrinterName && a.pPortName == b.pPortName && a.pDriverName == b.pDriverName &&
           a.pPrintProcessor == b.pPrintProcessor && a.pDatatype == b.pDatatype;
}

// The calls from the first one equal to `from` up to, not including, the next one equal to `to`.
Calls Between(const Calls& calls, const std::string& from, const std::string& to) {
    const auto begin = std::find(calls.begin(), calls.end(), from);
    if (begin == calls.end()) return {"missing " + from};
    const auto end = std::find(begin + 1, calls.end(), to);
    return Calls(begin + 1, end);
}

class RunInstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        sys.driverDirectory = kDirectory;
        sys.serialPortRow = 0;
        sys.modelRow = 0;
        sys.baudRateRow = 5;
        sys.dataBitsRow = 3;
        sys.stopBitsRow = 0;
        sys.parityRow = 2;
        sys.flowControlRow = 2;
    }

    InstallOutcome Run(int modelRow = 0, int portRow = 0) {
        sys.modelRow = modelRow;
        sys.serialPortRow = portRow;
        return RunInstallation(sys);
    }

    Calls CopyCalls() const { return sys.CallsStartingWith("CopyDriverFile"); }

    testing::FakeInstallSystem sys;
};

TEST_F(RunInstallationTest, MakesEveryCallInOrderForTheModel) {
    for (const RunCase& c : kRunCases) {
        sys.calls.clear();
        sys.chosenPortName = c.port;
        const InstallOutcome outcome = Run(c.modelRow);
        EXPECT_EQ(sys.calls, SuccessfulRun(c)) << "row " << c.modelRow;
        EXPECT_TRUE(outcome.Succeeded()) << "row " << c.modelRow;
        EXPECT_EQ(outcome.portName, c.port) << "row " << c.modelRow;
    }
}

TEST_F(RunInstallationTest, HandsTheSpoolerTheRecordsOfTheModel) {
    for (const RunCase& c : kRunCases) {
        sys.driverRecords.clear();
        sys.printerRecords.clear();
        sys.chosenPortName = c.port;
        Run(c.modelRow);
        ASSERT_EQ(sys.driverRecords.size(), 1u) << "row " << c.modelRow;
        ASSERT_EQ(sys.printerRecords.size(), 1u) << "row " << c.modelRow;
        // The records' fields are checked where they are composed; here: the run hands over
        // exactly those of its model and port.
        EXPECT_TRUE(SameRecord(sys.driverRecords[0], MakeDriverRecord(c.modelRow))) << "row " << c.modelRow;
        EXPECT_EQ(sys.driverRecords[0].pName, c.driverName) << "row " << c.modelRow;
        EXPECT_TRUE(SameRecord(sys.printerRecords[0], MakePrinterRecord(c.modelRow, c.port))) << "row " << c.modelRow;
    }
}

TEST_F(RunInstallationTest, PassesTheElevenProgressValuesInOrder) {
    Run();
    const Calls expected = {"SetProgress 10", "SetProgress 20", "SetProgress 30", "SetProgress 40",
                            "SetProgress 50", "SetProgress 60", "SetProgress 70", "SetProgress 80",
                            "SetProgress 90", "SetProgress 95", "SetProgress 100"};
    EXPECT_EQ(sys.CallsStartingWith("SetProgress"), expected);
}

TEST_F(RunInstallationTest, LeavesTheDefaultPrinterAloneWhenTheBoxIsUnchecked) {
    sys.defaultPrinterChecked = false;
    Run();
    EXPECT_EQ(Between(sys.calls, "SetProgress 80", "SetProgress 90"), Calls{"IsDefaultPrinterChecked"});
    EXPECT_TRUE(sys.CallsStartingWith("OpenKey").empty());
}

TEST_F(RunInstallationTest, WritesTheSerialValueOnlyForComRows) {
    sys.chosenPortName = "LPT1:";  // the value follows the port box, not the chosen port
    const char* const names[] = {"COM1:", "COM2:", "COM3:", "COM4:"};
    for (int portRow = 0; portRow <= 6; ++portRow) {
        sys.calls.clear();
        Run(0, portRow);
        Calls expected;
        if (portRow >= 3)
            expected = {"BaudRateRow",
                        "DataBitsRow",
                        "StopBitsRow",
                        "ParityRow",
                        "FlowControlRow",
                        kPortsKeyOpen,
                        std::string("SetTextValue 119 ") + names[portRow - 3] + " [19200,N,8,1,p] 13",
                        "CloseKey 119"};
        EXPECT_EQ(Between(sys.calls, "SetProgress 90", "SetProgress 95"), expected) << "port row " << portRow;
    }
}

TEST_F(RunInstallationTest, WritesFlowControlNoneAsATrailingBlank) {
    sys.flowControlRow = 0;
    Run(0, 3);
    EXPECT_EQ(sys.CallsStartingWith("SetTextValue 119 COM1:"), Calls{"SetTextValue 119 COM1: [19200,N,8,1, ] 13"});
}

TEST_F(RunInstallationTest, SkipsTheDeviceValueSilentlyWhenTheKeyCannotBeOpened) {
    sys.openKeyResult = 2;  // ERROR_FILE_NOT_FOUND
    const InstallOutcome outcome = Run();
    EXPECT_EQ(Between(sys.calls, "SetProgress 80", "SetProgress 90"),
              (Calls{"IsDefaultPrinterChecked", kWindowsKeyOpen}));
    EXPECT_TRUE(sys.CallsStartingWith("ShowMessage").empty());
    EXPECT_TRUE(outcome.Succeeded());
}

TEST_F(RunInstallationTest, ReportsADeviceValueThatCannotBeSetAndGoesOn) {
    sys.setValueResult = 5;
    Run();
    EXPECT_EQ(
        Between(sys.calls, "SetProgress 80", "SetProgress 90"),
        (Calls{"IsDefaultPrinterChecked", kWindowsKeyOpen, "SetTextValue 119 Device [QZ-A10 Series,winspool,LPT1:] 28",
               "ShowMessage 错误：无法设置有关的注册表信息", "CloseKey 119"}));
    EXPECT_EQ(sys.calls.back(), "SetProgress 100");
}

// Programs are told of the new default printer only once the Device value holds it.
TEST_F(RunInstallationTest, BroadcastsTheSettingChangeOnlyAfterDeviceWasWritten) {
    struct Case {
        const char* name;
        bool boxChecked;
        long openKeyResult, setValueResult;
        bool printerAdded;
        bool broadcast;
    };
    // clang-format off
    static const Case kCases[] = {
        {"Device written", true, 0, 0, true, true},
        {"box unchecked", false, 0, 0, true, false},
        {"key cannot be opened", true, 2, 0, true, false},
        {"value cannot be set", true, 0, 5, true, false},
        {"printer refused", true, 0, 0, false, false},
    };
    // clang-format on
    for (const Case& c : kCases) {
        sys.calls.clear();
        sys.defaultPrinterChecked = c.boxChecked;
        sys.openKeyResult = c.openKeyResult;
        sys.setValueResult = c.setValueResult;
        sys.printerHandle = c.printerAdded ? 0x5150 : 0;
        sys.lastError = c.printerAdded ? 0 : 1796;
        Run();
        const Calls broadcasts = sys.CallsStartingWith("BroadcastSettingChange");
        EXPECT_EQ(broadcasts, c.broadcast ? Calls{"BroadcastSettingChange windows"} : Calls{}) << c.name;
        if (c.broadcast) {
            EXPECT_EQ(Between(sys.calls, "SetTextValue 119 Device [QZ-A10 Series,winspool,LPT1:] 28", "SetProgress 90"),
                      (Calls{"CloseKey 119", "BroadcastSettingChange windows"}))
                << c.name;
        }
    }
}

TEST_F(RunInstallationTest, HandsOverAZeroFilledDirectoryBuffer) {
    Run();
    EXPECT_TRUE(sys.CallsStartingWith("buffer not zero-filled").empty());
}

// Without a driver directory the destinations would be "\QZC10.DLL" and so on: the drive's root.
TEST_F(RunInstallationTest, SkipsTheCopiesWhenTheDirectoryQueryFails) {
    sys.driverDirectoryOk = false;
    sys.lastError = 1801;  // ERROR_INVALID_PRINTER_NAME
    const InstallOutcome outcome = Run();
    EXPECT_TRUE(CopyCalls().empty());
    EXPECT_EQ(sys.CallsStartingWith("SetProgress").size(), 11u);
    EXPECT_EQ(sys.CallsStartingWith("AddDriver").size(), 1u);
    EXPECT_EQ(sys.CallsStartingWith("CreatePrinter 2").size(), 1u);
    EXPECT_EQ(outcome.failedStep, InstallStep::DriverDirectory);
    EXPECT_EQ(outcome.error, 1801u);
}

TEST_F(RunInstallationTest, SkipsTheCopiesWhenTheDirectoryComesBackEmpty) {
    sys.driverDirectory = "";
    const InstallOutcome outcome = Run();
    EXPECT_TRUE(CopyCalls().empty());
    EXPECT_EQ(Between(sys.calls, "ModelRow", "AddDriver 3"),
              (Calls{"SetProgress 10", "SetProgress 20", "SetProgress 30", "SetProgress 40", "SetProgress 50",
                     "SetProgress 60"}));
    EXPECT_EQ(outcome.failedStep, InstallStep::DriverDirectory);
}

TEST_F(RunInstallationTest, CutsADirectoryThatFillsTheWholeBuffer) {
    sys.driverDirectory = std::string(300, 'd');
    Run();
    ASSERT_EQ(CopyCalls().size(), 8u);
    EXPECT_EQ(CopyCalls()[0], "CopyDriverFile win2k\\QZC10.DLL -> " + std::string(255, 'd') + "\\QZC10.DLL");
}

TEST_F(RunInstallationTest, RecordsTheFirstFailedCopyAndMakesTheOthers) {
    sys.failingCopySources = {"win2k\\QZA10.GPD", "win2k\\UNIRES.DLL"};
    sys.lastError = 2;
    const InstallOutcome outcome = Run();
    EXPECT_EQ(CopyCalls().size(), 8u);
    EXPECT_EQ(outcome.failedStep, InstallStep::CopyFiles);
    EXPECT_EQ(outcome.detail, "win2k\\QZA10.GPD");
    EXPECT_EQ(outcome.error, 2u);
    EXPECT_EQ(sys.calls.back(), "SetProgress 100");
}

TEST_F(RunInstallationTest, RecordsAFailedDriverRegistrationAndStillAddsThePrinter) {
    sys.addPrinterDriverOk = false;
    sys.lastError = 1797;  // ERROR_UNKNOWN_PRINTER_DRIVER
    const InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.failedStep, InstallStep::RegisterDriver);
    EXPECT_EQ(outcome.error, 1797u);
    EXPECT_EQ(sys.CallsStartingWith("CreatePrinter 2").size(), 1u);
    EXPECT_EQ(sys.CallsStartingWith("SetTextValue 119 Device").size(), 1u);
}

// Windows refuses a second printer of a name and keeps the old one on its port; the fake's
// existing printer is on LPT3: with handle 0x6160.
struct ExistingPrinterCase {
    const char* name;
    const char* chosenPort;
    std::uint32_t openError, getError, setError;  // 0: the call succeeds
    Calls expectedCalls;                          // from CreatePrinter's error to progress 80
    std::uint32_t expectedError;                  // 0: the run succeeded
};

// clang-format off
const ExistingPrinterCase kExistingPrinterCases[] = {
    {"on another port: moved to the chosen one", "LPT2:", 0, 0, 0,
     {"LastError", "OpenExistingPrinter QZ-A10 Series", "GetPrinterPort 24928", "SetPrinterPort 24928 LPT2:",
      "ClosePrinterHandle 24928", "SetProgress 80"},
     0},
    {"on the chosen port already: left alone", "LPT3:", 0, 0, 0,
     {"LastError", "OpenExistingPrinter QZ-A10 Series", "GetPrinterPort 24928", "ClosePrinterHandle 24928",
      "SetProgress 80"},
     0},
    {"no port chosen: never changed", "", 0, 0, 0, {"LastError", "SetProgress 80"}, 0},
    {"cannot be opened", "LPT2:", 5, 0, 0,
     {"LastError", "OpenExistingPrinter QZ-A10 Series", "LastError", "SetProgress 80"}, 5},
    {"its port cannot be read", "LPT2:", 0, 122, 0,
     {"LastError", "OpenExistingPrinter QZ-A10 Series", "GetPrinterPort 24928", "LastError",
      "ClosePrinterHandle 24928", "SetProgress 80"},
     122},
    {"the port cannot be set", "LPT2:", 0, 0, 1796,
     {"LastError", "OpenExistingPrinter QZ-A10 Series", "GetPrinterPort 24928", "SetPrinterPort 24928 LPT2:",
      "LastError", "ClosePrinterHandle 24928", "SetProgress 80"},
     1796},
};
// clang-format on

TEST_F(RunInstallationTest, PutsAPrinterThatAlreadyExistsOnTheChosenPort) {
    for (const ExistingPrinterCase& c : kExistingPrinterCases) {
        sys.calls.clear();
        sys.printerHandle = 0;
        sys.lastError = kErrorPrinterAlreadyExists;
        sys.existingPrinterPort = "LPT3:";
        sys.chosenPortName = c.chosenPort;
        sys.openExistingError = c.openError;
        sys.getPrinterPortError = c.getError;
        sys.setPrinterPortError = c.setError;
        const InstallOutcome outcome = Run();
        EXPECT_EQ(Between(sys.calls, "CreatePrinter 2", "IsDefaultPrinterChecked"), c.expectedCalls) << c.name;
        if (c.expectedError == 0) {
            EXPECT_TRUE(outcome.Succeeded()) << c.name;
        } else {
            EXPECT_EQ(outcome.failedStep, InstallStep::MovePrinterToPort) << c.name;
            EXPECT_EQ(outcome.error, c.expectedError) << c.name;
            EXPECT_EQ(outcome.detail, c.chosenPort) << c.name;
        }
        // The printer is there either way: it still becomes the default, and the handle
        // that CreatePrinter did not give is closed as null.
        EXPECT_EQ(sys.CallsStartingWith("SetTextValue 119 Device").size(), 1u) << c.name;
        EXPECT_EQ(sys.CallsStartingWith("ClosePrinterHandle 0"), Calls{"ClosePrinterHandle 0"}) << c.name;
        EXPECT_EQ(sys.calls.back(), "SetProgress 100") << c.name;
    }
}

TEST_F(RunInstallationTest, RecordsAFailedPrinterAndWritesNoDefault) {
    sys.printerHandle = 0;
    sys.lastError = 1796;  // ERROR_UNKNOWN_PORT
    const InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.failedStep, InstallStep::CreatePrinter);
    EXPECT_EQ(outcome.error, 1796u);
    EXPECT_TRUE(sys.CallsStartingWith("OpenKey HKCU").empty());
    EXPECT_EQ(sys.CallsStartingWith("ClosePrinterHandle"), Calls{"ClosePrinterHandle 0"});
    EXPECT_EQ(sys.calls.back(), "SetProgress 100");
}

TEST_F(RunInstallationTest, KeepsTheFirstFailureWhenSeveralStepsFail) {
    sys.driverDirectoryOk = false;
    sys.addPrinterDriverOk = false;
    sys.printerHandle = 0;
    sys.lastError = 5;
    EXPECT_EQ(Run().failedStep, InstallStep::DriverDirectory);
}

TEST_F(RunInstallationTest, TakesAnEmptyPortName) {
    sys.chosenPortName = "";
    const InstallOutcome outcome = Run();
    EXPECT_EQ(sys.CallsStartingWith("SetTextValue 119 Device"),
              Calls{"SetTextValue 119 Device [QZ-A10 Series,winspool,] 23"});
    EXPECT_EQ(outcome.portName, "");
}

TEST_F(RunInstallationTest, KeepsAVeryLongPortNameWhole) {
    sys.chosenPortName = std::string(300, 'P');
    const InstallOutcome outcome = Run();
    // 13 + 1 + 8 + 1 + 300 bytes.
    EXPECT_EQ(sys.CallsStartingWith("SetTextValue 119 Device"),
              Calls{"SetTextValue 119 Device [QZ-A10 Series,winspool," + std::string(300, 'P') + "] 323"});
    ASSERT_EQ(sys.printerRecords.size(), 1u);
    EXPECT_EQ(sys.printerRecords[0].pPortName, std::string(300, 'P'));
    EXPECT_EQ(outcome.portName, std::string(300, 'P'));
}

struct MessageCase {
    InstallStep step;
    const char* detail;
    std::uint32_t error;
    const char* expected;
};

// clang-format off
const MessageCase kMessageCases[] = {
    {InstallStep::DriverDirectory, "", 1801, "错误：驱动安装失败\n无法获取打印机驱动程序目录：system text"},
    {InstallStep::DriverDirectory, "", 0, "错误：驱动安装失败\n无法获取打印机驱动程序目录"},
    {InstallStep::CopyFiles, "win2k\\QZA10.GPD", 2,
     "错误：驱动安装失败\n无法复制驱动文件 win2k\\QZA10.GPD：system text"},
    {InstallStep::RegisterDriver, "", 1797, "错误：驱动安装失败\n无法添加打印机驱动程序：system text"},
    {InstallStep::CreatePrinter, "", 1796, "错误：驱动安装失败\n无法添加打印机：system text"},
    {InstallStep::MovePrinterToPort, "LPT2:", 1796, "错误：驱动安装失败\n无法将已有打印机的端口改为 LPT2:：system text"},
    {InstallStep::None, "", 0, ""},
};
// clang-format on

TEST(InstallFailureMessage, NamesTheFailedStepAndTheSystemText) {
    for (const MessageCase& c : kMessageCases) {
        InstallOutcome outcome;
        outcome.failedStep = c.step;
        outcome.detail = c.detail;
        outcome.error = c.error;
        EXPECT_EQ(InstallFailureMessage(outcome, "system text"), c.expected) << "step " << static_cast<int>(c.step);
    }
}

}  // namespace
}  // namespace kora
