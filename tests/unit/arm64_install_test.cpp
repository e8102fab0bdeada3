// 64-bit ARM Windows, which tells this 32-bit program only that it runs under WOW64: the real
// machine decides which 64-bit driver a run registers, and on ARM64 it is "Windows ARM64",
// from the system's own ARM64 Unidrv, inside the existing progress steps.
#include "install/driver64.h"
#include "install/install_run.h"
#include "install/system_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/fake_install_system.h"
#include "tests/support/unidrv64_calls.h"

namespace kora {
namespace {

using testing::AddUnidrv64Files;
using testing::Calls;
using testing::Joined;

const char kX86Directory[] = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
const char kArm64Directory[] = "C:\\WINDOWS\\system32\\spool\\drivers\\arm64";
const char kInstalled[] = "C:\\WINDOWS\\system32\\spool\\drivers\\arm64\\3";
const char kStoreA[] = "C:\\WINDOWS\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_arm64_aaa\\Arm64";
const char kStoreB[] = "C:\\WINDOWS\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_arm64_bbb\\Arm64";
const char kPackage[] = "win2k\\arm64";
const char kFailureLine[] = "错误：驱动安装失败\n";

TEST(SystemMachineTest, TheNativeMachineDecidesWhereWindowsTellsIt) {
    struct Case {
        const char* name;
        bool nativeKnown;
        std::uint16_t native;
        bool wow64;
        SystemMachine expected;
        Calls calls;
    };
    const Case cases[] = {
        {"32-bit Windows before IsWow64Process2", false, 0, false, SystemMachine::X86, {}},
        {"64-bit Windows before IsWow64Process2", false, 0, true, SystemMachine::X64, {"IsSystem64Bit"}},
        {"32-bit Windows 10", true, kMachineI386, false, SystemMachine::X86, {"QueryNativeMachine 0x014c"}},
        {"x64 Windows 10 and 11", true, kMachineAmd64, true, SystemMachine::X64, {"QueryNativeMachine 0x8664"}},
        {"Windows 10 and 11 on ARM64", true, kMachineArm64, true, SystemMachine::Arm64, {"QueryNativeMachine 0xaa64"}},
        {"Itanium: no driver of ours", true, 0x0200, true, SystemMachine::X86, {"QueryNativeMachine 0x0200"}},
    };
    for (const Case& c : cases) {
        testing::FakeInstallSystem sys;
        sys.nativeMachineKnown = c.nativeKnown;
        sys.nativeMachine = c.native;
        sys.system64Bit = c.wow64;
        EXPECT_EQ(DetectSystemMachine(sys), c.expected) << c.name;
        EXPECT_EQ(sys.calls, c.calls) << c.name;
    }
}

std::string CopyInto(const std::string& directory, const std::string& folder, const std::string& file) {
    return "CopyDriverFile " + folder + "\\" + file + " -> " + directory + "\\" + file;
}

// The ARM64 copies, in the x86 order, from the folder that holds the ARM64 Unidrv.
Calls Arm64Copies(const std::string& unidrv, bool withHelp) {
    Calls calls = {CopyInto(kArm64Directory, kPackage, "QZC10.DLL"), CopyInto(kArm64Directory, "win2k", "QZA10.GPD"),
                   CopyInto(kArm64Directory, unidrv, "unidrvui.dll"), CopyInto(kArm64Directory, unidrv, "unidrv.dll")};
    if (withHelp) calls.push_back(CopyInto(kArm64Directory, unidrv, "unidrv.hlp"));
    for (const char* name : {"unires.dll", "ttfsub.gpd", "stdnames.gpd"})
        calls.push_back(CopyInto(kArm64Directory, unidrv, name));
    return calls;
}

// A whole run of model row 0 on LPT1: as default printer, with `part64` between the x86
// registration and progress 70.
Calls WholeRun(const Calls& part64) {
    Calls calls = {"ChosenPortName", "GetDriverDirectory Windows NT x86 1 255", "SerialPortRow", "ModelRow"};
    const std::pair<const char*, int> x86Files[] = {
        {"QZC10.DLL", 10},  {"QZA10.GPD", 20}, {"uniDRVui.DLL", 30}, {"uniDRV.DLL", 0},
        {"UNIDRV.HLP", 40}, {"UNIRES.DLL", 0}, {"TTFSUB.GPD", 50},   {"STDNAMES.GPD", 60},
    };
    for (const auto& [file, progress] : x86Files) {
        calls.push_back(CopyInto(kX86Directory, "win2k", file));
        if (progress) calls.push_back("SetProgress " + std::to_string(progress));
    }
    calls.push_back("AddDriver 3");
    calls.insert(calls.end(), part64.begin(), part64.end());
    const Calls rest = {"SetProgress 70",
                        "CreatePrinter 2",
                        "SetProgress 80",
                        "IsDefaultPrinterChecked",
                        "OpenKey HKCU Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                        "SetTextValue 119 Device [QZ-A10 Series,winspool,LPT1:] 28",
                        "CloseKey 119",
                        "BroadcastSettingChange windows",
                        "SetProgress 90",
                        "SetProgress 95",
                        "ClosePrinterHandle 20816",
                        "Pause 500",
                        "SetProgress 100"};
    calls.insert(calls.end(), rest.begin(), rest.end());
    return calls;
}

// Windows 10 or 11 on ARM, as IsWow64Process2 describes it to this emulated x86 program.
testing::FakeInstallSystem Arm64System() {
    testing::FakeInstallSystem sys;
    sys.nativeMachineKnown = true;
    sys.nativeMachine = kMachineArm64;
    sys.system64Bit = true;
    sys.modelRow = 0;
    sys.serialPortRow = 0;
    return sys;
}

const Calls kArm64Start = {"QueryNativeMachine 0xaa64", "GetDriverDirectory Windows ARM64 1 255"};
const char kStoreSearch[] = "FindDriverStoreFolders ntprint.inf_arm64_* Arm64";

TEST(Arm64InstallTest, RegistersWindowsArm64FromTheFirstFolderWithTheArm64Unidrv) {
    struct Case {
        const char* name;
        void (*arrange)(testing::FakeInstallSystem&);
        Calls part64;
    };
    const Case cases[] = {
        {"the arm64\\3 folder of an earlier Unidrv printer",
         [](testing::FakeInstallSystem& s) { AddUnidrv64Files(s, kInstalled, 5, true); },
         Joined(
             {kArm64Start, testing::LookForUnidrv64(kInstalled, 5), Arm64Copies(kInstalled, true), {"AddDriver 3"}})},
        {"the in-box printer package of the driver store",
         [](testing::FakeInstallSystem& s) {
             AddUnidrv64Files(s, kInstalled, 2);
             AddUnidrv64Files(s, kStoreA, 4);
             AddUnidrv64Files(s, kStoreB, 5);
             s.driverStoreFolders = {kStoreA, kStoreB};
         },
         Joined({kArm64Start,
                 testing::LookForUnidrv64(kInstalled, 2),
                 {kStoreSearch},
                 testing::LookForUnidrv64(kStoreA, 4),
                 testing::LookForUnidrv64(kStoreB, 5),
                 Arm64Copies(kStoreB, false),
                 {"AddDriver 3"}})},
        {"the package's win2k\\arm64", [](testing::FakeInstallSystem& s) { AddUnidrv64Files(s, kPackage, 5, true); },
         Joined({kArm64Start,
                 testing::LookForUnidrv64(kInstalled, 0),
                 {kStoreSearch},
                 testing::LookForUnidrv64(kPackage, 5),
                 Arm64Copies(kPackage, true),
                 {"AddDriver 3"}})},
    };
    for (const Case& c : cases) {
        testing::FakeInstallSystem sys = Arm64System();
        c.arrange(sys);
        const InstallOutcome outcome = RunInstallation(sys);
        EXPECT_TRUE(outcome.Succeeded()) << c.name << ": " << InstallFailureMessage(outcome, "error text");
        EXPECT_EQ(sys.calls, WholeRun(c.part64)) << c.name;
    }
}

TEST(Arm64InstallTest, TheArm64RecordIsTheX86OneWithTheArm64Unidrv) {
    testing::FakeInstallSystem sys = Arm64System();
    sys.modelRow = 10;
    AddUnidrv64Files(sys, kStoreA, 5);
    sys.driverStoreFolders = {kStoreA};
    RunInstallation(sys);
    ASSERT_EQ(sys.driverRecords.size(), 2u);
    const DriverRecord& x86 = sys.driverRecords[0];
    const DriverRecord& arm64 = sys.driverRecords[1];
    EXPECT_EQ(x86.pEnvironment, "Windows NT x86");
    EXPECT_EQ(arm64.pEnvironment, "Windows ARM64");
    EXPECT_EQ(arm64.cVersion, 3u);
    EXPECT_EQ(arm64.pName, "QZ-C10 Series");
    EXPECT_EQ(arm64.pDriverPath, "unidrv.dll");
    EXPECT_EQ(arm64.pConfigFile, "unidrvui.dll");
    EXPECT_EQ(arm64.pHelpFile, "");  // the store's package has none
    EXPECT_EQ(arm64.pDataFile, "\\QZC10.GPD");
    EXPECT_TRUE(arm64.pDependentFiles == x86.pDependentFiles);
    EXPECT_EQ(arm64.pMonitorName, "");
    EXPECT_EQ(arm64.pDefaultDataType, "RAW");
}

// Not the x64 advice to install a printer, where only the x64 Unidrv was looked for: the
// message names the ARM64 system, the files missing and where they may come from.
TEST(Arm64InstallTest, AnArm64UnidrvFoundNowhereIsSaidAsSuchAndNoSuccess) {
    testing::FakeInstallSystem sys = Arm64System();
    AddUnidrv64Files(sys, kStoreA, 3);
    sys.driverStoreFolders = {kStoreA};
    // The x64 Unidrv of an emulated x64 program's world is no use to the ARM64 spooler.
    AddUnidrv64Files(sys, "C:\\WINDOWS\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_amd64_ccc\\Amd64", 5);
    AddUnidrv64Files(sys, "win2k\\x64", 5);
    const InstallOutcome outcome = RunInstallation(sys);

    EXPECT_EQ(sys.calls, WholeRun(Joined({kArm64Start,
                                          testing::LookForUnidrv64(kInstalled, 0),
                                          {kStoreSearch},
                                          testing::LookForUnidrv64(kStoreA, 3),
                                          testing::LookForUnidrv64(kPackage, 0)})));
    EXPECT_EQ(outcome.failedStep, InstallStep::FindUnidrv64);
    EXPECT_EQ(outcome.detail, "win2k\\arm64");
    EXPECT_EQ(outcome.error, 0u);
    ASSERT_EQ(sys.driverRecords.size(), 1u);
    EXPECT_EQ(sys.driverRecords[0].pEnvironment, "Windows NT x86");
    EXPECT_EQ(
        InstallFailureMessage(outcome, "error text"),
        std::string(kFailureLine) +
            "找不到 64 位 ARM Windows 的通用打印驱动程序文件（unidrv.dll、unidrvui.dll、unires.dll、stdnames.gpd、"
            "ttfsub.gpd），无法为 64 位 ARM Windows 注册驱动程序。\n"
            "请先用 Windows 的“添加打印机”安装任意一台使用 Windows 自带通用驱动程序（Unidrv）的打印机，"
            "或把这些文件放入本程序的 win2k\\arm64\\ 文件夹，然后重新安装。");
}

TEST(Arm64InstallTest, ReportsEachArm64FailureAndStillAddsThePrinter) {
    struct Case {
        const char* name;
        void (*arrange)(testing::FakeInstallSystem&);
        std::size_t driverRecords;
        const char* message;
    };
    const Case cases[] = {
        {"ARM64 driver directory unknown",
         [](testing::FakeInstallSystem& s) {
             s.arm64DriverDirectoryOk = false;
             s.lastError = 1804;
         },
         1, "无法获取打印机驱动程序目录 Windows ARM64：error text"},
        {"ARM64 resource library missing",
         [](testing::FakeInstallSystem& s) {
             s.failingCopySources = {"win2k\\arm64\\QZC10.DLL"};
             s.lastError = 2;
         },
         2, "无法复制驱动文件 win2k\\arm64\\QZC10.DLL：error text"},
        {"ARM64 registration refused",
         [](testing::FakeInstallSystem& s) {
             s.addArm64PrinterDriverOk = false;
             s.lastError = 87;
         },
         2, "无法添加打印机驱动程序：error text"},
    };
    for (const Case& c : cases) {
        testing::FakeInstallSystem sys = Arm64System();
        AddUnidrv64Files(sys, kInstalled, 5);
        c.arrange(sys);
        const InstallOutcome outcome = RunInstallation(sys);
        EXPECT_FALSE(outcome.Succeeded()) << c.name;
        EXPECT_EQ(InstallFailureMessage(outcome, "error text"), kFailureLine + std::string(c.message)) << c.name;
        EXPECT_EQ(sys.driverRecords.size(), c.driverRecords) << c.name;
        EXPECT_EQ(sys.CallsStartingWith("CreatePrinter 2").size(), 1u) << c.name;
        EXPECT_EQ(sys.CallsStartingWith("SetProgress").size(), 11u) << c.name;
    }
}

// Where IsWow64Process2 answers, x86 and x64 Windows get exactly the run they got from
// IsWow64Process: the one query is all that differs.
TEST(Arm64InstallTest, X86AndX64RunsAreUnchangedWhereWindowsNamesItsMachine) {
    struct Case {
        const char* name;
        std::uint16_t native;
        bool wow64;
        const char* query;
        const char* before;  // what the run asked in its place without IsWow64Process2, if anything
    };
    const Case cases[] = {
        {"x86", kMachineI386, false, "QueryNativeMachine 0x014c", nullptr},
        {"x64", kMachineAmd64, true, "QueryNativeMachine 0x8664", "IsSystem64Bit"},
    };
    for (const Case& c : cases) {
        auto run = [&c](bool nativeKnown) {
            testing::FakeInstallSystem sys;
            sys.nativeMachineKnown = nativeKnown;
            sys.nativeMachine = c.native;
            sys.system64Bit = c.wow64;
            sys.modelRow = 0;
            sys.serialPortRow = 0;
            AddUnidrv64Files(sys, "C:\\WINDOWS\\system32\\spool\\drivers\\x64\\3", 5, true);
            const InstallOutcome outcome = RunInstallation(sys);
            EXPECT_TRUE(outcome.Succeeded()) << c.name << ": " << InstallFailureMessage(outcome, "error text");
            return sys;
        };
        const testing::FakeInstallSystem withQuery = run(true), without = run(false);
        Calls expected = without.calls;
        const auto after = std::find(expected.begin(), expected.end(), "AddDriver 3") + 1;
        if (c.before) {
            ASSERT_EQ(*after, c.before) << c.name;
            *after = c.query;
        } else {
            expected.insert(after, c.query);
        }
        EXPECT_EQ(withQuery.calls, expected) << c.name;
        ASSERT_EQ(withQuery.driverRecords.size(), without.driverRecords.size()) << c.name;
        EXPECT_EQ(withQuery.driverRecords.back().pEnvironment, c.wow64 ? "Windows x64" : "Windows NT x86") << c.name;
    }
}

}  // namespace
}  // namespace kora
