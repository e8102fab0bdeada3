// Runs on a 64-bit Windows: the driver is registered for "Windows x64" too, from the first
// folder that holds the system's 64-bit Unidrv, inside the existing progress steps.
#include "install/install_run.h"
#include "install/driver64.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fake_install_system.h"
#include "tests/support/unidrv64_calls.h"

namespace kora {
namespace {

using testing::AddUnidrv64Files;
using testing::Calls;
using testing::Joined;

const char kX64Directory[] = "C:\\WINDOWS\\system32\\spool\\drivers\\x64";
const char kInstalled[] = "C:\\WINDOWS\\system32\\spool\\drivers\\x64\\3";
const char kStoreA[] = "C:\\WINDOWS\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_amd64_aaa\\Amd64";
const char kStoreB[] = "C:\\WINDOWS\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_amd64_bbb\\Amd64";
const char kPackage[] = "win2k\\x64";
const char kStoreSearch[] = "FindDriverStoreFolders ntprint.inf_amd64_* Amd64";

std::string CopyX64(const std::string& folder, const std::string& file) {
    return "CopyDriverFile " + folder + "\\" + file + " -> " + kX64Directory + "\\" + file;
}

// From the x86 registration to the progress that follows it.
Calls X64Part(const Calls& calls) {
    const auto begin = std::find(calls.begin(), calls.end(), "AddDriver 3");
    if (begin == calls.end()) return {"no AddDriver 3"};
    const auto end = std::find(begin, calls.end(), "SetProgress 70");
    return Calls(begin + 1, end);
}

class X64InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        sys.system64Bit = true;
        sys.serialPortRow = 0;
        sys.modelRow = 0;
    }
    testing::FakeInstallSystem sys;
};

TEST_F(X64InstallTest, CopiesAndRegistersFromTheInstalledUnidrvInsideTheDriverStep) {
    AddUnidrv64Files(sys, kInstalled, 5, true);
    const InstallOutcome outcome = RunInstallation(sys);
    EXPECT_TRUE(outcome.Succeeded());
    const Calls expected = Joined({
        {"IsSystem64Bit", "GetDriverDirectory Windows x64 1 255"},
        testing::LookForUnidrv64(kInstalled),
        {"CopyDriverFile win2k\\x64\\QZC10.DLL -> " + std::string(kX64Directory) + "\\QZC10.DLL",
         "CopyDriverFile win2k\\QZA10.GPD -> " + std::string(kX64Directory) + "\\QZA10.GPD",
         CopyX64(kInstalled, "unidrvui.dll"), CopyX64(kInstalled, "unidrv.dll"), CopyX64(kInstalled, "unidrv.hlp"),
         CopyX64(kInstalled, "unires.dll"), CopyX64(kInstalled, "ttfsub.gpd"), CopyX64(kInstalled, "stdnames.gpd"),
         "AddDriver 3"},
    });
    EXPECT_EQ(X64Part(sys.calls), expected);
    // The x86 part and the progress positions stay as on a 32-bit system.
    EXPECT_EQ(sys.CallsStartingWith("GetDriverDirectory Windows NT x86").size(), 1u);
    EXPECT_EQ(sys.CallsStartingWith("CopyDriverFile win2k\\").size(), 8u + 2u);
    const Calls progress = {"SetProgress 10", "SetProgress 20", "SetProgress 30", "SetProgress 40",
                            "SetProgress 50", "SetProgress 60", "SetProgress 70", "SetProgress 80",
                            "SetProgress 90", "SetProgress 95", "SetProgress 100"};
    EXPECT_EQ(sys.CallsStartingWith("SetProgress"), progress);
    EXPECT_EQ(sys.CallsStartingWith("CreatePrinter 2").size(), 1u);
    EXPECT_EQ(std::find(sys.calls.begin(), sys.calls.end(), "CreatePrinter 2") -
                  std::find(sys.calls.begin(), sys.calls.end(), "SetProgress 70"),
              1);
}

TEST_F(X64InstallTest, RegistersTheX86RecordFirstAndThenTheX64One) {
    AddUnidrv64Files(sys, kInstalled, 5, true);
    sys.modelRow = 10;
    RunInstallation(sys);
    ASSERT_EQ(sys.driverRecords.size(), 2u);
    const DriverRecord& x86 = sys.driverRecords[0];
    const DriverRecord& x64 = sys.driverRecords[1];
    EXPECT_EQ(x86.pEnvironment, "Windows NT x86");
    EXPECT_EQ(x64.pEnvironment, "Windows x64");
    EXPECT_EQ(x64.cVersion, 3u);
    EXPECT_EQ(x64.pName, "QZ-C10 Series");
    EXPECT_EQ(x64.pDriverPath, "unidrv.dll");
    EXPECT_EQ(x64.pConfigFile, "unidrvui.dll");
    EXPECT_EQ(x64.pHelpFile, "unidrv.hlp");
    EXPECT_EQ(x64.pDataFile, x86.pDataFile);
    EXPECT_EQ(x64.pDataFile, "\\QZC10.GPD");
    EXPECT_TRUE(x64.pDependentFiles == x86.pDependentFiles);
    EXPECT_EQ(x64.pMonitorName, "");
    EXPECT_EQ(x64.pDefaultDataType, "RAW");
}

// Which folder supplies the 64-bit Unidrv, and what was looked at on the way.
TEST_F(X64InstallTest, TakesTheFirstFolderThatHoldsEveryRequiredFile) {
    struct Case {
        const char* name;
        int installedFiles;  // of the five, in search order
        std::vector<std::string> storeFolders;
        int storeAFiles, storeBFiles, packageFiles;
        const char* chosen;
        Calls looks;
    };
    const Case cases[] = {
        {"installed folder complete", 5, {kStoreA}, 5, 0, 5, kInstalled, testing::LookForUnidrv64(kInstalled)},
        {"installed folder lacks unires.dll; first store package incomplete",
         2,
         {kStoreA, kStoreB},
         4,
         5,
         5,
         kStoreB,
         Joined({testing::LookForUnidrv64(kInstalled, 2),
                 {kStoreSearch},
                 testing::LookForUnidrv64(kStoreA, 4),
                 testing::LookForUnidrv64(kStoreB)})},
        {"no store package: the package's win2k\\x64",
         0,
         {},
         0,
         0,
         5,
         kPackage,
         Joined({testing::LookForUnidrv64(kInstalled, 0), {kStoreSearch}, testing::LookForUnidrv64(kPackage)})},
    };
    for (const Case& c : cases) {
        testing::FakeInstallSystem fresh;
        fresh.system64Bit = true;
        AddUnidrv64Files(fresh, kInstalled, c.installedFiles, false);
        AddUnidrv64Files(fresh, kStoreA, c.storeAFiles, false);
        AddUnidrv64Files(fresh, kStoreB, c.storeBFiles, false);
        AddUnidrv64Files(fresh, kPackage, c.packageFiles, false);
        fresh.driverStoreFolders = c.storeFolders;
        const Unidrv64Source source = FindUnidrv64Source(fresh, kX64Environment, kX64Directory);
        EXPECT_EQ(source.folder, c.chosen) << c.name;
        EXPECT_FALSE(source.hasHelpFile) << c.name;
        EXPECT_EQ(fresh.calls, c.looks) << c.name;
    }
}

TEST_F(X64InstallTest, LeavesTheHelpFileOutWhereTheSystemHasNone) {
    AddUnidrv64Files(sys, kStoreA, 5, false);
    sys.driverStoreFolders = {kStoreA};
    RunInstallation(sys);
    EXPECT_TRUE(sys.CallsStartingWith("CopyDriverFile " + std::string(kStoreA) + "\\unidrv.hlp").empty());
    EXPECT_EQ(sys.CallsStartingWith("CopyDriverFile " + std::string(kStoreA)).size(), 5u);
    ASSERT_EQ(sys.driverRecords.size(), 2u);
    EXPECT_EQ(sys.driverRecords[1].pHelpFile, "");
}

TEST_F(X64InstallTest, MissingUnidrvFailsTheRunAndRegistersNoX64Driver) {
    sys.existingFiles = {std::string(kStoreA) + "\\unidrv.dll"};
    sys.driverStoreFolders = {kStoreA};
    const InstallOutcome outcome = RunInstallation(sys);
    EXPECT_EQ(outcome.failedStep, InstallStep::FindUnidrv64);
    EXPECT_EQ(outcome.error, 0u);
    EXPECT_TRUE(sys.CallsStartingWith("CopyDriverFile " + std::string("win2k\\x64")).empty());
    EXPECT_EQ(sys.CallsStartingWith("CopyDriverFile").size(), 8u);  // the x86 ones only
    ASSERT_EQ(sys.driverRecords.size(), 1u);
    EXPECT_EQ(sys.driverRecords[0].pEnvironment, "Windows NT x86");
    // The rest of the run goes on as after any failed step.
    EXPECT_EQ(sys.CallsStartingWith("CreatePrinter 2").size(), 1u);
    EXPECT_EQ(sys.calls.back(), "SetProgress 100");

    const std::string message = InstallFailureMessage(outcome, "system text");
    EXPECT_EQ(message.rfind("错误：驱动安装失败\n", 0), 0u) << message;
    for (const char* part : {"64 位", "unidrv.dll", "ttfsub.gpd", "通用打印驱动程序", "添加打印机", "win2k\\x64\\"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " not in: " << message;
    EXPECT_EQ(message.find("system text"), std::string::npos) << "no error code to explain";
}

struct FailureCase {
    const char* name;
    void (*arrange)(testing::FakeInstallSystem&);
    InstallStep step;
    const char* detail;
    std::uint32_t error;
    bool x64Registered;  // attempted
    const char* message;
};

const FailureCase kFailureCases[] = {
    {"x64 driver directory unknown",
     [](testing::FakeInstallSystem& s) {
         s.x64DriverDirectoryOk = false;
         s.lastError = 1804;
     },
     InstallStep::DriverDirectory, "Windows x64", 1804, false,
     "错误：驱动安装失败\n无法获取打印机驱动程序目录 Windows x64：error text"},
    {"x64 driver directory empty", [](testing::FakeInstallSystem& s) { s.x64DriverDirectory = ""; },
     InstallStep::DriverDirectory, "Windows x64", 0, false,
     "错误：驱动安装失败\n无法获取打印机驱动程序目录 Windows x64"},
    {"64-bit resource library missing",
     [](testing::FakeInstallSystem& s) {
         s.failingCopySources = {"win2k\\x64\\QZC10.DLL"};
         s.lastError = 2;
     },
     InstallStep::CopyFiles, "win2k\\x64\\QZC10.DLL", 2, true,
     "错误：驱动安装失败\n无法复制驱动文件 win2k\\x64\\QZC10.DLL：error text"},
    {"x64 registration refused",
     [](testing::FakeInstallSystem& s) {
         s.addX64PrinterDriverOk = false;
         s.lastError = 87;
     },
     InstallStep::RegisterDriver, "", 87, true, "错误：驱动安装失败\n无法添加打印机驱动程序：error text"},
    {"an x86 failure comes first",
     [](testing::FakeInstallSystem& s) {
         s.failingCopySources = {"win2k\\QZA10.GPD"};
         s.lastError = 2;
         s.existingFiles.clear();
     },
     InstallStep::CopyFiles, "win2k\\QZA10.GPD", 2, false,
     "错误：驱动安装失败\n无法复制驱动文件 win2k\\QZA10.GPD：error text"},
};

TEST_F(X64InstallTest, ReportsEachX64FailureAndStillAddsThePrinter) {
    for (const FailureCase& c : kFailureCases) {
        testing::FakeInstallSystem fresh;
        fresh.system64Bit = true;
        fresh.serialPortRow = 0;
        fresh.modelRow = 0;
        AddUnidrv64Files(fresh, kInstalled, 5, true);
        c.arrange(fresh);
        const InstallOutcome outcome = RunInstallation(fresh);
        EXPECT_EQ(outcome.failedStep, c.step) << c.name;
        EXPECT_EQ(outcome.detail, c.detail) << c.name;
        EXPECT_EQ(outcome.error, c.error) << c.name;
        EXPECT_EQ(fresh.driverRecords.size(), c.x64Registered ? 2u : 1u) << c.name;
        EXPECT_EQ(InstallFailureMessage(outcome, "error text"), c.message) << c.name;
        EXPECT_EQ(fresh.CallsStartingWith("CreatePrinter 2").size(), 1u) << c.name;
        EXPECT_EQ(fresh.CallsStartingWith("SetProgress").size(), 11u) << c.name;
    }
}

// Another 64-bit environment is one more table: none of x64's names may be spelled outside
// kX64Environment. A made-up environment, its Unidrv looked for in another order, must reach
// every call and the error box.
const Environment64 kOtherEnvironment = {
    "Windows Other",       "其他 Windows", "other",
    "ntprint.inf_other_*", "Other",        {"ttfsub.gpd", "stdnames.gpd", "unires.dll", "unidrvui.dll", "unidrv.dll"},
};

TEST(InstallDriver64, TakesEveryEnvironmentSpecificNameFromItsTable) {
    const std::string directory = "C:\\spool\\other";
    const std::string store = "C:\\store\\ntprint.inf_other_1\\Other";
    testing::FakeInstallSystem sys;
    sys.driverDirectory = directory;  // the fake's answer for any environment but x64's and ARM64's
    sys.driverStoreFolders = {store};
    for (const char* name : kOtherEnvironment.requiredUnidrvFiles) sys.existingFiles.insert(store + "\\" + name);
    InstallOutcome outcome;
    InstallDriver64(sys, kOtherEnvironment, 0, outcome);
    EXPECT_TRUE(outcome.Succeeded());
    auto copy = [&](const std::string& from, const std::string& file) {
        return "CopyDriverFile " + from + "\\" + file + " -> " + directory + "\\" + file;
    };
    const Calls expected = {
        "GetDriverDirectory Windows Other 1 255",
        "FileExists " + directory + "\\3\\ttfsub.gpd",
        "FindDriverStoreFolders ntprint.inf_other_* Other",
        "FileExists " + store + "\\ttfsub.gpd",
        "FileExists " + store + "\\stdnames.gpd",
        "FileExists " + store + "\\unires.dll",
        "FileExists " + store + "\\unidrvui.dll",
        "FileExists " + store + "\\unidrv.dll",
        "FileExists " + store + "\\unidrv.hlp",
        copy("win2k\\other", "QZC10.DLL"),
        copy("win2k", "QZA10.GPD"),
        copy(store, "unidrvui.dll"),
        copy(store, "unidrv.dll"),
        copy(store, "unires.dll"),
        copy(store, "ttfsub.gpd"),
        copy(store, "stdnames.gpd"),
        "AddDriver 3",
    };
    EXPECT_EQ(sys.calls, expected);
    ASSERT_EQ(sys.driverRecords.size(), 1u);
    EXPECT_EQ(sys.driverRecords[0].pEnvironment, "Windows Other");
}

TEST(InstallDriver64, NamesTheEnvironmentsPackageFolderWhenUnidrvIsMissing) {
    testing::FakeInstallSystem sys;
    InstallOutcome outcome;
    InstallDriver64(sys, kOtherEnvironment, 0, outcome);
    EXPECT_EQ(outcome.failedStep, InstallStep::FindUnidrv64);
    EXPECT_EQ(outcome.detail, "win2k\\other");
    const std::string message = InstallFailureMessage(outcome, "error text");
    EXPECT_NE(message.find("放入本程序的 win2k\\other\\ 文件夹"), std::string::npos) << message;
    EXPECT_NE(message.find("找不到 其他 Windows 的通用打印驱动程序文件（ttfsub.gpd、stdnames.gpd、"), std::string::npos)
        << message;
    EXPECT_TRUE(sys.driverRecords.empty());
}

}  // namespace
}  // namespace kora
