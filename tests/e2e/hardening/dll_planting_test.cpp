// Planted comctl32.dll and winspool.drv beside the program, with Wine told to prefer
// native copies for exactly those two: a whole installation must succeed without ever
// loading them. The probe proves that the same folder and overrides do catch a program
// that loads them by plain name.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/dll_overrides.h"
#include "harness/installation.h"
#include "harness/installed_checks.h"
#include "harness/landed_state.h"
#include "harness/model_files.h"
#include "harness/paths.h"
#include "harness/prefix_reset.h"
#include "harness/spooler.h"
#include "harness/workspace.h"
#include "readings.h"

namespace e2e {
namespace {

const char kPlantedMarker[] = "planted DLL loaded";

struct PlantedDll {
    const char* variable;  // where the build put it
    const char* fileName;  // the name it is planted under
};
const PlantedDll kPlanted[] = {
    {"KORA_PLANTED_COMCTL32", "comctl32.dll"},
    {"KORA_PLANTED_WINSPOOL", "winspool.drv"},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return text;
}

bool HasPlantedMarker(const std::vector<std::string>& debugStrings) {
    return std::any_of(debugStrings.begin(), debugStrings.end(),
                       [](const std::string& s) { return s.rfind(kPlantedMarker, 0) == 0; });
}

class DllPlantingTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPrefix(kProgramFile, WindowsKey::kEmpty); }
    void TearDown() override { ResetPrefix(kProgramFile, WindowsKey::kEmpty); }

    // The folder with both DLLs planted, and the overrides that make Wine take them.
    void Plant(const InstallFolder& folder) {
        ASSERT_TRUE(folder.Ready()) << folder.Trouble();
        for (const PlantedDll& dll : kPlanted)
            ASSERT_TRUE(folder.AddFile(ProgramFromEnv(dll.variable), dll.fileName))
                << dll.variable << " " << dll.fileName;
        ASSERT_TRUE(SetNativeFirstOverrides(kProgramFile));
    }
};

TEST_F(DllPlantingTest, ProbeLoadingByPlainNamePicksThePlantedDllsUp) {
    InstallFolder folder("C:\\kora-e2e\\planted-probe", {});
    Plant(folder);
    if (HasFatalFailure()) return;
    // The probe runs under the program's file name, so the same overrides apply to it.
    ASSERT_TRUE(folder.AddFile(ProgramFromEnv("KORA_LOAD_PROBE_EXE"), kProgramFile));
    Program probe(folder.PathOf(kProgramFile), folder.Folder());
    ASSERT_TRUE(probe.Started()) << probe.StartError();
    ASSERT_TRUE(probe.WaitForExit(30000)) << "the probe did not end";
    EXPECT_EQ(3u, probe.ExitCode()) << "bit 0: winspool.drv, bit 1: comctl32.dll from the probe's folder";
    for (const PlantedDll& dll : kPlanted)
        EXPECT_TRUE(FileExists(folder.PathOf(std::string(dll.fileName) + ".loaded"))) << dll.fileName << ": no marker";
    EXPECT_TRUE(HasPlantedMarker(probe.DebugStrings())) << "no debug string from a planted DLL";
}

TEST_F(DllPlantingTest, WholeInstallationNeverLoadsThePlantedDlls) {
    InstallFolder folder("C:\\kora-e2e\\planted", DefaultModelFiles());
    Plant(folder);
    if (HasFatalFailure()) return;
    Installer installer(folder);
    ASSERT_TRUE(installer.Started());
    Dialog ports = installer.OpenPortPage();
    ASSERT_TRUE(ports) << installer.Trouble();
    std::vector<std::string> modules;
    const DWORD id = installer.Process().ProcessId();
    std::vector<std::string> messages = installer.InstallOn(ports, [&](HWND) { modules = LoadedModules(id); });
    EXPECT_TRUE(installer.Process().HasExited()) << installer.Trouble();
    EXPECT_TRUE(installer.Process().UnhandledExceptions().empty()) << "the program crashed";
    EXPECT_EQ(std::vector<std::string>{kCompletionText}, messages);

    ExpectPrinterAdded(kPreselectedModelRow, "LPT1:");
    std::vector<DriverEntry> drivers = PrinterDrivers();
    ASSERT_EQ(1u, drivers.size()) << "drivers in the spooler";
    EXPECT_EQ(DefaultModel(), drivers[0].name);

    for (const PlantedDll& dll : kPlanted)
        EXPECT_FALSE(FileExists(folder.PathOf(std::string(dll.fileName) + ".loaded"))) << dll.fileName << " was loaded";
    EXPECT_FALSE(HasPlantedMarker(installer.Process().DebugStrings())) << "a planted DLL wrote its debug string";

    // While the completion message was up: both libraries loaded, from the system folder.
    ASSERT_FALSE(modules.empty()) << "no module list of the running program";
    const std::string folderKey = Lower(folder.Folder());
    for (const std::string& module : modules) {
        if (Lower(FolderOf(module)) != folderKey) continue;
        EXPECT_EQ(Lower(folder.PathOf(kProgramFile)), Lower(module)) << "loaded from the program's folder";
    }
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    for (const PlantedDll& dll : kPlanted) {
        const std::string expected = Lower(std::string(system) + "\\" + dll.fileName);
        EXPECT_TRUE(
            std::any_of(modules.begin(), modules.end(), [&](const std::string& m) { return Lower(m) == expected; }))
            << expected << " is not among the program's modules: " << ::testing::PrintToString(modules);
    }
}

}  // namespace
}  // namespace e2e
