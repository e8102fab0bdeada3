// The harness against its own probe dialog: every reading and every action, checked
// against what the probe is known to contain and to report.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "harness/controls.h"
#include "harness/dialog.h"
#include "harness/exit_watch.h"
#include "harness/message_box.h"
#include "harness/paths.h"
#include "harness/png_writer.h"
#include "harness/program.h"
#include "harness/registry.h"
#include "harness/screenshot.h"
#include "harness/spooler.h"
#include "harness/ways_out.h"
#include "harness/workspace.h"
#include "../selftest/probe_ids.h"

namespace e2e {
namespace {

const char kProbeCaption[] = "探针对话框";
const DWORD kExitTimeoutMs = 10000;

class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        workspace_ = std::make_unique<Workspace>(CurrentCaseName());
        ASSERT_TRUE(workspace_->AddProgram(ProgramFromEnv("KORA_PROBE_EXE"), "probe.exe"))
            << "cannot copy the probe named by KORA_PROBE_EXE";
    }
    void TearDown() override { SetReportedWindowsVersion("probe.exe", ""); }

    void Start() {
        program_ = std::make_unique<Program>(workspace_->PathOf("probe.exe"), workspace_->Folder());
        ASSERT_TRUE(program_->Started()) << program_->StartError();
        dialog_ = Dialog(WaitForDialog(program_->ProcessId(), kProbeCaption));
        ASSERT_TRUE(dialog_) << "the probe dialog did not appear";
    }

    DWORD ExitCodeAfter() {
        EXPECT_TRUE(program_->WaitForExit(kExitTimeoutMs)) << "the probe did not end";
        return program_->ExitCode();
    }

    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Program> program_;
    Dialog dialog_;
};

TEST_F(ProbeTest, ReadsTextsStylesAndStates) {
    Start();
    EXPECT_EQ(kProbeCaption, dialog_.Caption());
    EXPECT_EQ("勾选", dialog_.Text(IDC_PROBE_CHECK));
    EXPECT_EQ("Button", dialog_.ClassName(IDC_PROBE_CHECK));
    EXPECT_EQ(BST_UNCHECKED, dialog_.CheckState(IDC_PROBE_CHECK));
    EXPECT_FALSE(dialog_.IsShown(IDC_PROBE_HIDDEN));
    EXPECT_EQ("隐藏的文字", dialog_.Text(IDC_PROBE_HIDDEN));
    EXPECT_TRUE(dialog_.IsShown(IDC_PROBE_MESSAGE));
    EXPECT_FALSE(dialog_.IsEnabled(IDC_PROBE_MESSAGE));
    EXPECT_TRUE(dialog_.IsEnabled(IDOK));
    EXPECT_FALSE(dialog_.Has(4242));
    EXPECT_EQ(-1, dialog_.CheckState(4242));
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU, dialog_.Style() & (WS_CAPTION | WS_SYSMENU));
    RECT rect = dialog_.RectInDialogUnits(IDOK, "宋体", 9);
    EXPECT_NEAR(110, rect.left, 1);
    EXPECT_NEAR(145, rect.top, 1);
    EXPECT_NEAR(55, rect.right, 1);
    EXPECT_NEAR(14, rect.bottom, 1);
}

TEST_F(ProbeTest, ReadsComboListViewAndProgressBar) {
    Start();
    EXPECT_EQ((std::vector<std::string>{"甲", "乙", "丙"}), ComboItems(dialog_, IDC_PROBE_COMBO));
    EXPECT_EQ(1, ComboSelection(dialog_, IDC_PROBE_COMBO));
    EXPECT_EQ(3, ListViewCount(dialog_, IDC_PROBE_LIST));
    EXPECT_EQ("COM1:", ListViewText(dialog_, IDC_PROBE_LIST, 1, 0));
    EXPECT_EQ("文件", ListViewText(dialog_, IDC_PROBE_LIST, 2, 1));
    EXPECT_EQ("说明", ListViewHeading(dialog_, IDC_PROBE_LIST, 1));
    EXPECT_EQ(80, ListViewColumnWidth(dialog_, IDC_PROBE_LIST, 0));
    EXPECT_EQ(100, ListViewColumnWidth(dialog_, IDC_PROBE_LIST, 1));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              ListViewExtendedStyle(dialog_, IDC_PROBE_LIST));
    EXPECT_EQ(40, ProgressPosition(dialog_, IDC_PROBE_PROGRESS));
    int low = -1, high = -1;
    ProgressRange(dialog_, IDC_PROBE_PROGRESS, &low, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
}

TEST_F(ProbeTest, SelectsRowsAndNotifiesTheDialog) {
    Start();
    ASSERT_TRUE(SelectComboRow(dialog_, IDC_PROBE_COMBO, 2));
    EXPECT_EQ(2, ComboSelection(dialog_, IDC_PROBE_COMBO));
    ASSERT_TRUE(SelectListViewRow(dialog_, IDC_PROBE_LIST, 2));
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    EXPECT_EQ(both, ListViewItemState(dialog_, IDC_PROBE_LIST, 2, both));
    EXPECT_EQ(0u, ListViewItemState(dialog_, IDC_PROBE_LIST, 0, both));
    dialog_.PressEscape();
    EXPECT_EQ(2u, ExitCodeAfter());
    EXPECT_EQ((std::vector<std::string>{"init\n", "version 2 6.1\n", "combo 2\n", "cancel\n"}),
              program_->DebugStrings());
    EXPECT_TRUE(program_->UnhandledExceptions().empty());
}

// Every way of ending the probe, with the dialog result it must give.
TEST_F(ProbeTest, EndsThroughEveryAction) {
    struct Case {
        WayOut way;
        DWORD exitCode;
    };
    static const Case kCases[] = {
        {ButtonWay("click OK", IDOK), IDOK},
        {ButtonWay("click Cancel", IDCANCEL), IDCANCEL},
        {kEnter, IDOK},
        {kEscape, IDCANCEL},
        {kCloseBox, IDCANCEL},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.way.name);
        Start();
        HWND page = dialog_.Handle();
        row.way.Take(dialog_);
        ExitWatch watch = WatchUntilExit(*program_, {page}, kExitTimeoutMs);
        EXPECT_TRUE(watch.exited) << row.way.name;
        EXPECT_TRUE(watch.otherWindows.empty()) << row.way.name;
        EXPECT_EQ(row.exitCode, program_->ExitCode()) << row.way.name;
    }
}

TEST_F(ProbeTest, RunsASystemMenuCommand) {
    Start();
    dialog_.SystemCommand(IDM_PROBE_ABOUT);
    HWND box = WaitForMessageBox(program_->ProcessId(), "关于");
    ASSERT_NE(nullptr, box) << "no message box after the system-menu command";
    EXPECT_EQ("探针 1.0", MessageBoxText(box));
    EXPECT_TRUE(MessageBoxHasIcon(box));
    PressMessageBoxOk(box);
    EXPECT_TRUE(WaitForWindowGone(box));
    dialog_.PressEscape();
    EXPECT_EQ(2u, ExitCodeAfter());
}

TEST_F(ProbeTest, TerminatesAHungProgram) {
    Start();
    dialog_.Click(IDC_PROBE_HANG);
    DWORD start = GetTickCount();
    EXPECT_FALSE(program_->WaitForExit(1000));
    EXPECT_TRUE(program_->WasTerminated());
    EXPECT_TRUE(program_->HasExited());
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(ProbeTest, ReportedWindowsVersionFollowsAppDefaults) {
    struct Case {
        const char* name;
        const char* expected;
    };
    static const Case kCases[] = {{"win98", "version 1 4.10\n"}, {"winxp", "version 2 5.1\n"}, {"", "version 2 6.1\n"}};
    for (const Case& row : kCases) {
        ASSERT_TRUE(SetReportedWindowsVersion("probe.exe", row.name)) << row.name;
        Start();
        dialog_.PressEscape();
        EXPECT_EQ(2u, ExitCodeAfter()) << row.name;
        std::vector<std::string> lines = program_->DebugStrings();
        ASSERT_GE(lines.size(), 2u) << row.name;
        EXPECT_EQ(row.expected, lines[1]) << "version setting \"" << row.name << "\"";
    }
}

TEST_F(ProbeTest, SavesAPngScreenshot) {
    Start();
    std::string path = SaveScreenshot(dialog_.Handle(), "harness_probe");
    ASSERT_FALSE(path.empty()) << "no screenshot written (KORA_SCREENSHOT_DIR=" << EnvText("KORA_SCREENSHOT_DIR")
                               << ")";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    unsigned char signature[8] = {};
    DWORD read = 0;
    ReadFile(file, signature, sizeof signature, &read, nullptr);
    DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    EXPECT_EQ(0, memcmp(signature, "\x89PNG\r\n\x1a\n", 8));
    RECT rect;
    GetWindowRect(dialog_.Handle(), &rect);
    // Stored blocks: at least one byte per pixel channel.
    EXPECT_GT(size, static_cast<DWORD>((rect.right - rect.left) * (rect.bottom - rect.top) * 3));
    dialog_.PressEscape();
    EXPECT_EQ(2u, ExitCodeAfter());
}

TEST(PngWriter, ChecksumsMatchPublishedValues) {
    const uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(0xAE426082u, Crc32(iend, 4));
    const char wiki[] = "Wikipedia";
    EXPECT_EQ(0x11E60398u, Adler32(reinterpret_cast<const uint8_t*>(wiki), 9));
}

TEST(PngWriter, OneRedPixel) {
    // Worked out by hand: signature, IHDR (13 bytes), IDAT with a 4-byte raw stream
    // (filter 0, FF 00 00) in one stored block, IEND.
    std::vector<uint8_t> png = EncodePng(1, 1, {0xFF, 0x00, 0x00});
    const uint8_t idat[] = {0x78, 0x01, 0x01, 0x04, 0x00, 0xFB, 0xFF, 0x00, 0xFF, 0x00, 0x00};
    ASSERT_EQ(8u + 25u + (12u + 15u) + 12u, png.size());
    EXPECT_EQ(0, memcmp(png.data() + 8 + 25 + 8, idat, sizeof idat));
    // Adler-32 of 00 FF 00 00: a = 1 + 255 = 256, b = 1 + 256 + 256 + 256 = 769.
    const uint8_t adler[] = {0x03, 0x01, 0x01, 0x00};
    EXPECT_EQ(0, memcmp(png.data() + 8 + 25 + 8 + 11, adler, 4));
}

TEST(WorkspaceFolder, HoldsTheProgramAndWin2kAndGoesAway) {
    std::string folder;
    {
        Workspace workspace("workspace_selftest");
        folder = workspace.Folder();
        ASSERT_TRUE(workspace.AddProgram(ProgramFromEnv("KORA_PROBE_EXE"), "KORA.exe"));
        ASSERT_TRUE(workspace.AddWin2kFolder({"UNIDRV.HLP", "TTFSUB.GPD"}));
        EXPECT_EQ((std::vector<std::string>{"KORA.exe"}), FilesIn(folder));
        std::vector<std::string> files = FilesIn(workspace.PathOf("win2k"));
        std::sort(files.begin(), files.end());
        EXPECT_EQ((std::vector<std::string>{"TTFSUB.GPD", "UNIDRV.HLP"}), files);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str())) << folder << " was left behind";
}

TEST(PrefixState, RegistryValuesComeAndGo) {
    const std::string key = "Software\\kora-e2e\\selftest";
    ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, key, "COM1:", "9600,n,8,1"));
    std::string value;
    ASSERT_TRUE(ReadRegistryText(HKEY_CURRENT_USER, key, "COM1:", &value));
    EXPECT_EQ("9600,n,8,1", value);
    EXPECT_EQ((std::vector<std::string>{"COM1:"}), RegistryValueNames(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(DeleteRegistryValue(HKEY_CURRENT_USER, key, "COM1:"));
    EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, key, "COM1:"));
    EXPECT_TRUE(DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\kora-e2e"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\kora-e2e"));
}

TEST(PrefixState, FreshPrefixPortsAndDriverDirectory) {
    std::vector<std::string> ports = RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKey);
    for (const char* port : {"COM1:", "LPT1:", "FILE:"}) {
        EXPECT_NE(ports.end(), std::find(ports.begin(), ports.end(), port)) << port;
    }
    std::string folder = PrinterDriverDirectory();
    CharLowerA(&folder[0]);
    EXPECT_EQ("c:\\windows\\system32\\spool\\drivers\\w32x86", folder);
}

}  // namespace
}  // namespace e2e
