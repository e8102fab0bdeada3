// Whole installations in a 64-bit prefix (KORA_WINE_ARCH=win64), where KORA.exe runs under
// WOW64: the driver must land for "Windows x64" as well as for "Windows NT x86". Wine's
// spooler runs inside the 32-bit program and would take the printer with the x86 driver
// alone (Windows' 64-bit spooler refuses it), so the cases check what a 64-bit spooler
// needs: the x64 registration and its files.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/installed_checks.h"
#include "harness/kora_pages.h"
#include "harness/landed_state.h"
#include "harness/model_files.h"
#include "harness/prefix_reset.h"
#include "harness/registry.h"
#include "harness/spooler.h"
#include "harness/workspace.h"
#include "install/install_fixture.h"

namespace e2e {
namespace {

const char kX64Environment[] = "Windows x64";
// The real System32's driver store as a 32-bit program reaches it; through "system32" Wine
// shows it SysWOW64's instead.
const char kStoreRoot[] = "C:\\windows\\sysnative\\DriverStore";
const char kStorePackage[] = "C:\\windows\\sysnative\\DriverStore\\FileRepository\\ntprint.inf_amd64_e2e0001\\Amd64";
const char kRedirectedPackage[] =
    "C:\\windows\\system32\\DriverStore\\FileRepository\\ntprint.inf_amd64_e2e0001\\Amd64";
const char* const kUnidrv64Files[] = {"unidrv.dll",   "unidrvui.dll", "unires.dll",
                                      "stdnames.gpd", "ttfsub.gpd",   "unidrv.hlp"};
const char kUnidrvMissing[] = "找不到 64 位 Windows 的通用打印驱动程序文件";
const int kRow = kPreselectedModelRow;

std::string X64DriverDirectory() { return PrinterDriverDirectory(kX64Environment); }

// Stand-ins that differ from the x86 ones, so a file from the wrong source shows.
bool WriteX64StandIns(const std::string& folder, const std::vector<std::string>& names) {
    if (!CreateFolderWithParents(folder)) return false;
    for (const std::string& name : names) {
        const std::string text = "e2e 64-bit stand-in for " + name + " in " + folder + "\r\n";
        if (!WriteWholeFile(folder + "\\" + name, text.data(), text.size())) return false;
    }
    return true;
}

void RemoveX64State() {
    for (const DriverEntry& driver : PrinterDrivers(kX64Environment))
        DeletePrinterDriverNamed(driver.name, kX64Environment);
    const std::string root = X64DriverDirectory();
    if (!root.empty()) {
        for (const char* sub : {"", "\\3"}) {
            const std::string folder = root + sub;
            for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
        }
    }
    RemoveTree(std::string(kStoreRoot) + "\\FileRepository\\ntprint.inf_amd64_e2e0001");
}

class InstallX64Test : public InstallTest {
protected:
    void SetUp() override {
        InstallTest::SetUp();
        RemoveX64State();
        ASSERT_TRUE(PrinterDrivers(kX64Environment).empty()) << "x64 drivers left over from an earlier case";
    }
    void TearDown() override {
        InstallTest::TearDown();
        RemoveX64State();
    }

    // A complete win2k folder, with win2k\x64\QZC10.DLL (and, if asked, the 64-bit Unidrv).
    void PrepareX64Workspace(bool unidrvInPackage) {
        ASSERT_NO_FATAL_FAILURE(PrepareWorkspace(true));
        std::vector<std::string> x64Files = {"QZC10.DLL"};
        if (unidrvInPackage) x64Files.insert(x64Files.end(), std::begin(kUnidrv64Files), std::end(kUnidrv64Files));
        ASSERT_TRUE(WriteX64StandIns(Win2kPath("x64"), x64Files));
        ASSERT_TRUE(CreateRegistryKey(HKEY_CURRENT_USER, kWindowsDeviceKey));
    }
};

// The driver's registration for one environment, and each of its files byte for byte as
// in its source folder (a file's name picks the folder).
void ExpectRegistration(const std::string& environment, const std::string& driverFile, const std::string& configFile,
                        const std::string& helpFile, const std::vector<std::string>& dependentFiles,
                        const std::string& modelFolder, const std::string& libraryFolder,
                        const std::string& unidrvFolder) {
    SCOPED_TRACE(environment);
    std::vector<DriverEntry> drivers = PrinterDrivers(environment);
    ASSERT_EQ(1u, drivers.size()) << "drivers of " << environment;
    const DriverEntry& driver = drivers[0];
    EXPECT_EQ(ModelDriverName(kRow), driver.name);
    EXPECT_EQ(environment, driver.environment);
    EXPECT_EQ(3u, driver.version);
    EXPECT_EQ(driverFile, BaseName(driver.driverPath));
    EXPECT_EQ(ModelDataFile(kRow), BaseName(driver.dataFile));
    EXPECT_EQ(configFile, BaseName(driver.configFile));
    EXPECT_EQ(helpFile, BaseName(driver.helpFile));
    std::vector<std::string> dependent;
    for (const std::string& path : driver.dependentFiles) dependent.push_back(BaseName(path));
    EXPECT_EQ(dependentFiles, dependent);
    EXPECT_EQ("", driver.monitor);
    EXPECT_EQ("RAW", driver.datatype);

    ExpectSameBytes(modelFolder + "\\" + ModelDataFile(kRow), driver.dataFile);
    std::vector<std::string> paths = {driver.driverPath, driver.configFile, driver.helpFile};
    paths.insert(paths.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
    for (const std::string& path : paths) {
        const bool library = SameTextIgnoringCase(BaseName(path), "QZC10.DLL");
        ExpectSameBytes((library ? libraryFolder : unidrvFolder) + "\\" + BaseName(path), path);
    }
}

TEST_F(InstallX64Test, TheProgramSeesA64BitWindows) {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64 = reinterpret_cast<IsWow64Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    ASSERT_NE(nullptr, isWow64);
    BOOL wow64 = FALSE;
    ASSERT_TRUE(isWow64(GetCurrentProcess(), &wow64));
    EXPECT_TRUE(wow64) << "not a 64-bit prefix: run with KORA_WINE_ARCH=win64";
    EXPECT_EQ("C:\\windows\\system32\\spool\\drivers\\x64", X64DriverDirectory());
}

// Both environments registered from the right files, wherever the 64-bit Unidrv comes from.
TEST_F(InstallX64Test, RegistersBothEnvironmentsAndAddsThePrinter) {
    struct Case {
        const char* name;
        bool inDriverStore;
        bool inPackage;
        const char* port;
    };
    static const Case kCases[] = {
        {"Unidrv from the driver store", true, false, "LPT1:"},
        {"Unidrv from win2k\\x64", false, true, "COM2:"},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        ResetPrefix(kProgramFile);
        RemoveX64State();
        ASSERT_NO_FATAL_FAILURE(PrepareX64Workspace(row.inPackage));
        if (row.inDriverStore) {
            ASSERT_TRUE(WriteX64StandIns(kStorePackage, {std::begin(kUnidrv64Files), std::end(kUnidrv64Files)}));
            // Only the real System32 holds them: a program that looked through "system32" misses them.
            ASSERT_FALSE(FileExists(std::string(kRedirectedPackage) + "\\unidrv.dll")) << "no redirection";
        }
        WizardPlan plan;
        plan.port = row.port;
        WizardOutcome outcome = Run(plan);

        EXPECT_EQ(kCompletionText, outcome.boxText);
        EXPECT_TRUE(outcome.exited);
        const std::string win2k = WorkingFolder() + "\\win2k";
        ExpectRegistration("Windows NT x86", "uniDRV.DLL", "uniDRVui.DLL", "uniDRV.HLP",
                           {"ttfsub.GPD", "unires.DLL", "stdnames.GPD", "QZC10.DLL"}, win2k, win2k, win2k);
        const std::string unidrv = row.inDriverStore ? kStorePackage : win2k + "\\x64";
        ExpectRegistration(kX64Environment, "unidrv.dll", "unidrvui.dll", "unidrv.hlp",
                           {"ttfsub.GPD", "unires.DLL", "stdnames.GPD", "QZC10.DLL"}, win2k, win2k + "\\x64", unidrv);
        // What KORA.exe itself copied into the x64 driver directory.
        const std::string x64 = X64DriverDirectory();
        ExpectSameBytes(win2k + "\\x64\\QZC10.DLL", x64 + "\\QZC10.DLL");
        ExpectSameBytes(win2k + "\\" + ModelDataFile(kRow), x64 + "\\" + ModelDataFile(kRow));
        for (const char* name : kUnidrv64Files) ExpectSameBytes(unidrv + "\\" + name, x64 + "\\" + name);
        ExpectPrinterAdded(kRow, row.port);
        ExpectDevice(DeviceText(ModelDriverName(kRow), row.port).c_str());
    }
}

TEST_F(InstallX64Test, WithoutA64BitUnidrvSaysSoAndNeverReportsSuccess) {
    ASSERT_NO_FATAL_FAILURE(PrepareX64Workspace(false));
    WizardPlan plan;
    plan.port = "LPT1:";
    plan.boxScreenshot = "install_x64_no_unidrv";
    WizardOutcome outcome = Run(plan);

    const std::string head = kFailureLine + std::string(kUnidrvMissing);
    EXPECT_EQ(head, outcome.boxText.substr(0, head.size())) << outcome.boxText;
    for (const char* advice : {"添加打印机", "win2k\\x64\\"})
        EXPECT_NE(std::string::npos, outcome.boxText.find(advice)) << advice << " not in: " << outcome.boxText;
    EXPECT_EQ(std::string::npos, outcome.boxText.find(kCompletionText));
    EXPECT_TRUE(outcome.exited) << "KORA.exe did not end after its message box";
    EXPECT_TRUE(outcome.otherWindows.empty()) << ::testing::PrintToString(outcome.otherWindows);
    EXPECT_TRUE(PrinterDrivers(kX64Environment).empty()) << "an x64 driver without Unidrv";
    EXPECT_TRUE(FilesIn(X64DriverDirectory()).empty()) << ::testing::PrintToString(FilesIn(X64DriverDirectory()));
    EXPECT_EQ(1u, PrinterDrivers().size()) << "the x86 driver is still registered";
}

}  // namespace
}  // namespace e2e
