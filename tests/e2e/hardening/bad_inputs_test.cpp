// Whole installations from states a shop owner's machine may be in: a driver file missing,
// a default-printer key the user may not change, unusual folders, no port monitor, long
// port names and many ports, the printer already there, and two copies of the program.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "harness/controls.h"
#include "harness/installation.h"
#include "harness/key_access.h"
#include "harness/landed_state.h"
#include "harness/model_files.h"
#include "harness/port_registry.h"
#include "harness/prefix_reset.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/spooler.h"
#include "readings.h"

namespace e2e {
namespace {

std::string DeviceValue() { return ReadableText(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device"); }

std::vector<std::string> DriverDirectoryFiles() { return Sorted(FilesIn(PrinterDriverDirectory())); }

// The printers of that name: a name, a port, one line each, for failure messages too.
std::vector<PrinterEntry> PrintersNamed(const std::string& name) {
    std::vector<PrinterEntry> found;
    for (const PrinterEntry& printer : Printers())
        if (printer.name == name) found.push_back(printer);
    return found;
}

bool HasDriver(const std::string& name) {
    std::vector<DriverEntry> drivers = PrinterDrivers();
    return std::any_of(drivers.begin(), drivers.end(), [&](const DriverEntry& d) { return d.name == name; });
}

// Three hyphen-joined words repeated: a folder path of at least `length` characters.
std::string LongFolder(size_t length) {
    std::string folder = "C:\\kora-e2e\\long";
    while (folder.size() < length) folder += "\\Downloads-of-the-shop-owner-" + std::to_string(folder.size());
    return folder;
}

class BadInputsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPrefix(kProgramFile, WindowsKey::kEmpty); }
    void TearDown() override { ResetPrefix(kProgramFile, WindowsKey::kEmpty); }

    // The complete installation succeeded on `port`: one message, the completion; the eight
    // files; the printer with its driver; the default printer pointing at it.
    void ExpectInstalledOn(const std::string& port, const std::vector<std::string>& messages, const std::string& row) {
        EXPECT_EQ(std::vector<std::string>{kCompletionText}, messages) << row;
        EXPECT_EQ(Sorted(DefaultModelFiles()), DriverDirectoryFiles()) << row << ": driver directory";
        EXPECT_TRUE(HasDriver(DefaultModel())) << row << ": no driver";
        std::vector<PrinterEntry> printers = PrintersNamed(DefaultModel());
        ASSERT_EQ(1u, printers.size()) << row << ": printers named " << DefaultModel();
        EXPECT_EQ(port, printers[0].port) << row;
        EXPECT_EQ(DefaultModel(), printers[0].driver) << row;
        EXPECT_EQ(DeviceText(DefaultModel(), port), DeviceValue()) << row << ": Device";
    }

    void ExpectCleanEnd(Installer& installer, const std::string& row) {
        EXPECT_TRUE(installer.Process().HasExited()) << row << ": " << installer.Trouble();
        EXPECT_TRUE(installer.Process().UnhandledExceptions().empty()) << row << ": the program crashed";
    }

    // One installation with the program in `folder` on port row `portRow` (-1: the
    // preselected row), then Install and the messages until the end.
    std::vector<std::string> InstallFrom(const InstallFolder& folder, const std::string& row, int portRow = -1) {
        Installer installer(folder);
        if (!installer.Started()) {
            ADD_FAILURE() << row << ": the program did not start";
            return {};
        }
        Dialog ports = installer.OpenPortPage();
        if (!ports) {
            ADD_FAILURE() << row << ": " << installer.Trouble();
            return {};
        }
        if (portRow >= 0) {
            EXPECT_TRUE(SelectListViewRow(ports, kPortList, portRow)) << row << ": port row " << portRow;
        }
        std::vector<std::string> messages = installer.InstallOn(ports);
        ExpectCleanEnd(installer, row);
        return messages;
    }
};

// --- A driver file missing from win2k ------------------------------------------------------

TEST_F(BadInputsTest, MissingDriverFileIsReportedAndTheOthersAreStillCopied) {
    for (const char* missing : {"QZC10.DLL", "QZA50X.GPD", "STDNAMES.GPD"}) {
        ResetPrefix(kProgramFile, WindowsKey::kEmpty);
        const std::string row = std::string("win2k without ") + missing;
        std::vector<std::string> present = DefaultModelFiles();
        present.erase(std::find(present.begin(), present.end(), missing));
        InstallFolder folder("C:\\kora-e2e\\missing-file", present);
        ASSERT_TRUE(folder.Ready()) << row << ": " << folder.Trouble();
        std::vector<std::string> messages = InstallFrom(folder, row);

        ASSERT_EQ(1u, messages.size()) << row << ": " << ::testing::PrintToString(messages);
        EXPECT_EQ(0u, messages[0].rfind(kErrorPrefix, 0)) << row << ": not an error message: " << messages[0];
        EXPECT_NE(std::string::npos, messages[0].find(std::string("win2k\\") + missing))
            << row << ": the message does not name the failed copy: " << messages[0];
        EXPECT_EQ(Sorted(present), DriverDirectoryFiles()) << row << ": the other seven files";
        // The failed copy does not undo the rest of the run.
        EXPECT_EQ(1u, PrintersNamed(DefaultModel()).size()) << row << ": printer";
        EXPECT_EQ(DeviceText(DefaultModel(), "LPT1:"), DeviceValue()) << row;
    }
}

// --- The Device key read-only ------------------------------------------------------------

// Wine honours the key's DACL at RegOpenKeyExA (KEY_SET_VALUE denied: error 5), so this is
// the key that cannot be opened: skipped without a message, the earlier value kept. Wine
// offers no way to let the open succeed and the set fail; the fake covers that.
TEST_F(BadInputsTest, ReadOnlyDeviceKeyIsSkippedSilently) {
    const std::string earlier = "Earlier Printer,winspool,LPT2:";
    ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device", earlier));
    ASSERT_TRUE(DenySetValue(HKEY_CURRENT_USER, kWindowsDeviceKey));
    HKEY probe = nullptr;
    ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(HKEY_CURRENT_USER, kWindowsDeviceKey, 0, KEY_SET_VALUE, &probe))
        << "the DACL does not make the key read-only";
    InstallFolder folder("C:\\kora-e2e\\readonly-device", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    std::vector<std::string> messages = InstallFrom(folder, "read-only Device key");
    EXPECT_EQ(std::vector<std::string>{kCompletionText}, messages);
    EXPECT_EQ(earlier, DeviceValue()) << "the read-only value changed";
    std::vector<PrinterEntry> printers = PrintersNamed(DefaultModel());
    ASSERT_EQ(1u, printers.size());
    EXPECT_EQ("LPT1:", printers[0].port);
}

// --- Unusual current directories ---------------------------------------------------------

TEST_F(BadInputsTest, InstallsFromAFolderOf236Characters) {
    // The longest source, win2k\STDNAMES.GPD, then ends at 255 characters, under MAX_PATH.
    const std::string path = LongFolder(236).substr(0, 236);
    InstallFolder folder(path, DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    ExpectInstalledOn("LPT1:", InstallFrom(folder, "long folder"), "folder " + path);
}

TEST_F(BadInputsTest, InstallsFromAChineseFolder) {
    const std::string path = "C:\\kora-e2e\\打印机驱动 安装\\收银台";
    // Wine maps non-ASCII names to the Unix side only when the locale it runs under exists;
    // cmake/install-deps.sh generates zh_CN.UTF-8.
    const std::string check = "C:\\kora-e2e\\中文";
    if (!CreateDirectoryA(check.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        FAIL() << "this Wine cannot create non-ASCII file names: is the zh_CN.UTF-8 locale generated?";
    RemoveDirectoryA(check.c_str());
    InstallFolder folder(path, DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    ExpectInstalledOn("LPT1:", InstallFrom(folder, "Chinese folder"), "Chinese folder");
}

// --- No port monitor ---------------------------------------------------------------------

// Without monitors Wine also lists no ports, so both lists are empty.
TEST_F(BadInputsTest, NoPortMonitorGivesEmptyListsAndNewPortDoesNothing) {
    ASSERT_TRUE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kMonitorsKey));
    InstallFolder folder("C:\\kora-e2e\\no-monitor", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    Installer installer(folder);
    ASSERT_TRUE(installer.Started());
    Dialog ports = installer.OpenPortPage();
    ASSERT_TRUE(ports) << installer.Trouble();
    EXPECT_EQ(0, ListViewCount(ports, kPortList)) << "ports listed without a monitor";

    ports.Click(kCreatePort);
    Dialog types(WaitForDialog(installer.Process().ProcessId(), kPortTypeCaption));
    ASSERT_TRUE(types) << "the port type dialog did not appear";
    EXPECT_EQ(0, ListViewCount(types, kPortList)) << "monitor rows";
    const std::vector<HWND> before = VisibleTopLevelWindows(installer.Process().ProcessId());
    types.Click(kNewPort);
    // Nothing may open: give a monitor's dialog time to show, then look.
    Sleep(2000);
    std::vector<HWND> after = VisibleTopLevelWindows(installer.Process().ProcessId());
    EXPECT_EQ(before, after) << "windows after New port: " << DescribeWindows(after);
    EXPECT_TRUE(IsWindowVisible(types.Handle())) << "New port closed the dialog";

    types.Click(kPortTypeClose);
    EXPECT_TRUE(WaitForWindowGone(types.Handle())) << "Close did not close the port type dialog";
    EXPECT_EQ(0, ListViewCount(ports, kPortList)) << "ports after the rebuild";
    EXPECT_TRUE(IsWindowVisible(ports.Handle())) << "the port page went away";
    std::vector<std::string> debug = installer.Process().DebugStrings();
    EXPECT_TRUE(debug.empty()) << "debugger lines: " << ::testing::PrintToString(debug);

    ports.Click(kPortCancel);
    EXPECT_TRUE(WaitForWindowGone(ports.Handle())) << "Cancel did not close the port page";
    installer.SettingsPage().Click(kSettingsExit);
    std::vector<std::string> messages = installer.AnswerMessagesUntilExit(kInstallTimeoutMs);
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(messages);
    ExpectCleanEnd(installer, "no monitor");
    EXPECT_TRUE(Printers().empty()) << "a printer was added without Install";
}

// --- Long port names and many ports ------------------------------------------------------

std::string PortNamed(char first, size_t length) { return first + std::string(length - 2, 'x') + ":"; }

// The fresh prefix's ports sort as COM1:-COM4:, FILE:, then the added K... name, then LPT1:-LPT3:.
TEST_F(BadInputsTest, LongestPortNameWineKeepsIsListedAndUsedInFull) {
    const std::string longest = PortNamed('K', 259);
    ASSERT_TRUE(AddPortValue(longest));
    InstallFolder folder("C:\\kora-e2e\\port-259", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    Installer installer(folder);
    ASSERT_TRUE(installer.Started());
    Dialog ports = installer.OpenPortPage();
    ASSERT_TRUE(ports) << installer.Trouble();
    ASSERT_EQ(9, ListViewCount(ports, kPortList));
    EXPECT_EQ(longest, ListViewText(ports, kPortList, 5, 0)) << "row 5";
    ASSERT_TRUE(SelectListViewRow(ports, kPortList, 5));
    std::vector<std::string> messages = installer.InstallOn(ports);
    ExpectCleanEnd(installer, "259-character port");
    ExpectInstalledOn(longest, messages, "259-character port");
}

// A value name of 260 characters or more ends Wine's port enumeration: the user sees the
// ports sorted before it, and the FILE: row preselected (no LPT1 row any more).
TEST_F(BadInputsTest, PortNameOf300CharactersCutsWinesPortList) {
    ASSERT_TRUE(AddPortValue(PortNamed('K', 300)));
    InstallFolder folder("C:\\kora-e2e\\port-300", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    Installer installer(folder);
    ASSERT_TRUE(installer.Started());
    Dialog ports = installer.OpenPortPage();
    ASSERT_TRUE(ports) << installer.Trouble();
    const std::vector<std::string> expected = {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:"};
    EXPECT_EQ(expected, ListViewColumnTexts(ports, kPortList, 0));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListViewItemState(ports, kPortList, 4, LVIS_SELECTED)) << "FILE: row";
    std::vector<std::string> messages = installer.InstallOn(ports);
    ExpectCleanEnd(installer, "300-character port");
    ExpectInstalledOn("FILE:", messages, "300-character port");
}

// P000: to P299: sort after LPT3:, so the list holds the eight standard ports and P000: to
// P247:; the rest are not listed at all.
TEST_F(BadInputsTest, ThreeHundredPortsListTheFirst256) {
    std::vector<std::string> expected = {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"};
    for (int i = 0; i < 300; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%03d:", i);
        ASSERT_TRUE(AddPortValue(name)) << name;
        if (expected.size() < 256) expected.push_back(name);
    }
    InstallFolder folder("C:\\kora-e2e\\ports-300", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    Installer installer(folder);
    ASSERT_TRUE(installer.Started());
    Dialog ports = installer.OpenPortPage();
    ASSERT_TRUE(ports) << installer.Trouble();
    ASSERT_EQ(256, ListViewCount(ports, kPortList));
    for (int row : {0, 5, 8, 255}) EXPECT_EQ(expected[row], ListViewText(ports, kPortList, row, 0)) << "row " << row;
    std::vector<std::string> lines;
    for (const std::string& name : expected) lines.push_back(name + "\n");
    EXPECT_EQ(lines, installer.Process().DebugStrings()) << "debugger lines";
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListViewItemState(ports, kPortList, 5, LVIS_SELECTED)) << "LPT1: row";
    ASSERT_TRUE(SelectListViewRow(ports, kPortList, 255));
    std::vector<std::string> messages = installer.InstallOn(ports);
    ExpectCleanEnd(installer, "300 ports");
    ExpectInstalledOn("P247:", messages, "300 ports, last listed row");
}

// --- The printer already there -----------------------------------------------------------

// The second run meets the printer from the first on COM2: (row 1). Wine overwrites a
// printer of the same name, so the user ends up with one printer, on the port chosen last.
TEST_F(BadInputsTest, SameModelAgainOnAnotherPortKeepsOnePrinter) {
    InstallFolder folder("C:\\kora-e2e\\again", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    std::vector<std::string> first = InstallFrom(folder, "first installation, COM2:", 1);
    ASSERT_EQ(std::vector<std::string>{kCompletionText}, first);
    ASSERT_EQ("COM2:", PrintersNamed(DefaultModel()).at(0).port);
    std::vector<std::string> second = InstallFrom(folder, "second installation, LPT1:");
    ExpectInstalledOn("LPT1:", second, "second installation");
}

// --- Two copies at once --------------------------------------------------------------------

// Both started in the same folder and both Install buttons pressed together. Each must end
// by itself with one message, and the spooler must hold one whole installation.
TEST_F(BadInputsTest, TwoInstancesAtOnceBothFinishAndLeaveOneInstallation) {
    InstallFolder folder("C:\\kora-e2e\\twice", DefaultModelFiles());
    ASSERT_TRUE(folder.Ready()) << folder.Trouble();
    Installer a(folder), b(folder);
    ASSERT_TRUE(a.Started());
    ASSERT_TRUE(b.Started());
    Dialog portsA = a.OpenPortPage();
    ASSERT_TRUE(portsA) << "first: " << a.Trouble();
    Dialog portsB = b.OpenPortPage();
    ASSERT_TRUE(portsB) << "second: " << b.Trouble();
    portsA.Click(kInstall);
    portsB.Click(kInstall);
    std::vector<std::string> messagesA = a.AnswerMessagesUntilExit(kInstallTimeoutMs);
    std::vector<std::string> messagesB = b.AnswerMessagesUntilExit(kInstallTimeoutMs);
    ExpectCleanEnd(a, "first");
    ExpectCleanEnd(b, "second");
    std::cout << "[observed] first: " << ::testing::PrintToString(messagesA)
              << ", second: " << ::testing::PrintToString(messagesB) << std::endl;
    for (const auto& messages : {messagesA, messagesB}) {
        ASSERT_EQ(1u, messages.size()) << ::testing::PrintToString(messages);
        EXPECT_TRUE(messages[0] == kCompletionText || messages[0].rfind(kErrorPrefix, 0) == 0) << messages[0];
    }
    EXPECT_EQ(Sorted(DefaultModelFiles()), DriverDirectoryFiles()) << "driver directory";
    EXPECT_TRUE(HasDriver(DefaultModel()));
    std::vector<PrinterEntry> printers = PrintersNamed(DefaultModel());
    ASSERT_EQ(1u, printers.size());
    EXPECT_EQ("LPT1:", printers[0].port);
    EXPECT_EQ(DeviceText(DefaultModel(), "LPT1:"), DeviceValue());
}

}  // namespace
}  // namespace e2e
