// The port selection page: its template, and every way of leaving it.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "harness/controls.h"
#include "harness/expect_units.h"
#include "harness/message_box.h"
#include "harness/model_files.h"
#include "harness/ownership.h"
#include "harness/process_windows.h"
#include "harness/screenshot.h"
#include "harness/spooler.h"
#include "harness/ways_out.h"
#include "port_fixture.h"

namespace e2e {
namespace {

const int kLptTimeoutEdit = 202;  // in the local monitor's LPT dialog

std::string Explanation() {
    return "指定端口" + std::string(71, ' ') + "端口用于连接打印机和计算机。" + std::string(47, ' ') +
           "如果使用 TCP/IP 或以下未列出的其它端口类型进行连接，请创建一个新端口。";
}

struct ControlCase {
    int id;
    const char* className;
    bool shown;
    RECT units;  // left, top, width, height
    std::string text;
};

std::vector<ControlCase> PortPageControls() {
    return {
        {-1, "Static", true, {7, 7, 296, 26}, Explanation()},
        {kPortList, "SysListView32", true, {7, 35, 306, 100}, "List1"},
        {kCreatePort, "Button", true, {183, 141, 60, 14}, "创建端口..."},
        {kConfigurePort, "Button", true, {251, 141, 60, 14}, "配置端口..."},
        {kPortBack, "Button", true, {127, 182, 55, 14}, kBackText},
        {kInstall, "Button", true, {192, 182, 54, 14}, "安装(&I)"},
        {kPortCancel, "Button", true, {254, 182, 56, 14}, "取消(&C)"},
        {kTrackBar, "msctls_trackbar32", false, {7, 150, 304, 6}, "Slider1"},
        {kProgress, "msctls_progress32", true, {7, 163, 306, 11}, "Progress1"},
    };
}

std::vector<int> ChildIdsInCreationOrder(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

void ExpectBits(LONG value, LONG set, LONG clear, const std::string& what) {
    EXPECT_EQ(set, value & set) << what << ": bits that must be set";
    EXPECT_EQ(0, value & clear) << what << ": bits that must be clear";
}

// The dialog manager turns a control's WS_BORDER into WS_EX_CLIENTEDGE (3-D look), as
// Windows does for programs of version 4 and later. The progress bar then replaces that
// edge by its own, so its border is checked in the stored template only.
bool HasBorder(const Dialog& dialog, int id) {
    return (dialog.Style(id) & WS_BORDER) != 0 || (dialog.ExStyle(id) & WS_EX_CLIENTEDGE) != 0;
}

// The first visible top-level window of the process that `owner` owns.
HWND WaitForOwnedWindow(DWORD processId, HWND owner) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWindowTimeoutMs; Sleep(20))
        for (HWND window : VisibleTopLevelWindows(processId))
            if (GetWindow(window, GW_OWNER) == owner) return window;
    return nullptr;
}

TEST_F(PortPageTest, TemplateAsDesigned) {
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    EXPECT_FALSE(SaveScreenshot(portPage_.Handle(), "port_page").empty()) << "no screenshot port_page.png";
    EXPECT_EQ(kPortPageCaption, portPage_.Caption());
    ExpectBits(portPage_.Style(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "page style");
    ExpectBits(portPage_.ExStyle(), WS_EX_DLGMODALFRAME, WS_EX_APPWINDOW, "page extended style");

    std::vector<int> expectedOrder;
    for (const ControlCase& control : PortPageControls()) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        expectedOrder.push_back(control.id);
        ASSERT_TRUE(portPage_.Has(control.id));
        EXPECT_EQ(control.className, portPage_.ClassName(control.id));
        EXPECT_EQ(control.shown, portPage_.IsShown(control.id));
        EXPECT_EQ(control.text, portPage_.Text(control.id));
        ExpectUnitsNear(control.units, portPage_.RectInDialogUnits(control.id, kPageFont, kPagePointSize),
                        "control " + std::to_string(control.id));
    }
    EXPECT_EQ(expectedOrder, ChildIdsInCreationOrder(portPage_.Handle())) << "controls out of template order";

    LONG staticStyle = portPage_.Style(-1);
    EXPECT_EQ(SS_LEFT, staticStyle & SS_TYPEMASK) << "explanation: left-aligned, word-wrapped";
    ExpectBits(staticStyle, WS_GROUP, 0, "explanation");
    LONG listStyle = portPage_.Style(kPortList);
    EXPECT_EQ(LVS_REPORT, listStyle & LVS_TYPEMASK) << "port list: report view";
    ExpectBits(listStyle, LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, 0, "port list");
    EXPECT_TRUE(HasBorder(portPage_, kPortList)) << "port list border";
    for (int button : {kCreatePort, kConfigurePort, kPortBack, kInstall, kPortCancel}) {
        SCOPED_TRACE("button " + std::to_string(button));
        EXPECT_EQ(BS_PUSHBUTTON, portPage_.Style(button) & BS_TYPEMASK) << "a plain push button, not a default one";
        ExpectBits(portPage_.Style(button), WS_TABSTOP, 0, "button");
    }
    ExpectBits(portPage_.Style(kTrackBar), TBS_BOTH | WS_TABSTOP, TBS_VERT, "track bar");
    ExpectBits(portPage_.ExStyle(kTrackBar), WS_EX_CLIENTEDGE, 0, "track bar extended style");
    EXPECT_EQ(portPage_.Control(kPortList), portPage_.FocusedControl()) << "the focus starts on the port list";

    portPage_.PressEscape();
    EXPECT_TRUE(WaitForWindowGone(portPage_.Handle()));
    ExitFromSettingsPage();
}

// Back, Cancel, Esc and the close box: the settings page that opened the port page, and
// took no input meanwhile, is there again, untouched and active.
TEST_F(PortPageTest, LeavingWithoutInstallKeepsTheSettingsPage) {
    static const WayOut kCases[] = {ButtonWay("Back", kPortBack), ButtonWay("Cancel", kPortCancel), kEscape, kCloseBox};
    const int chosenModel = 2;
    for (const WayOut& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(StartAtSettingsPage());
        ASSERT_TRUE(SelectComboRow(settings_, kModelBox, chosenModel));
        SendWithTimeout(settings_.Control(kDefaultPrinterBox), BM_SETCHECK, BST_UNCHECKED, 0);
        const std::string printerName = settings_.Text(kPrinterNameBox);
        ASSERT_NO_FATAL_FAILURE(OpenPortPage());
        ExpectOwnedAndBlocking(portPage_.Handle(), settings_.Handle(), row.name);

        row.Take(portPage_);
        EXPECT_TRUE(WaitForWindowGone(portPage_.Handle())) << row.name << ": the port page stayed";
        ExpectGivenBack(settings_.Handle(), row.name);
        EXPECT_EQ(std::vector<HWND>{settings_.Handle()}, VisibleTopLevelWindows(program_->ProcessId()))
            << row.name << ": " << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
        EXPECT_EQ(chosenModel, ComboSelection(settings_, kModelBox)) << row.name;
        EXPECT_EQ(printerName, settings_.Text(kPrinterNameBox)) << row.name;
        EXPECT_EQ(BST_UNCHECKED, settings_.CheckState(kDefaultPrinterBox)) << row.name;
        EXPECT_TRUE(Printers().empty()) << row.name << ": something was installed";
        ExitFromSettingsPage();
        program_.reset();
    }
}

// Enter on the list ends the page with OK but without its Install steps: the settings
// page then installs once, with no port name.
TEST_F(PortPageTest, EnterOnTheListEndsThePageWithoutAPort) {
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    ASSERT_EQ(portPage_.Control(kPortList), portPage_.FocusedControl());
    portPage_.PressEnter();
    EXPECT_TRUE(WaitForWindowGone(portPage_.Handle()));
    ConfirmMessageAndExpectEnd(kCompletionText);
    std::vector<PrinterEntry> printers = Printers();
    ASSERT_EQ(1u, printers.size()) << "printers after the run";
    EXPECT_EQ(DefaultModel(), printers[0].name);
    EXPECT_EQ("", printers[0].port) << "the printer's port";
}

// The whole text of the selected row reaches the installation, however long it is.
TEST_F(PortPageTest, InstallUsesTheWholeLongPortName) {
    const std::string longName = "LPT1" + std::string(254, 'W') + ":";
    ASSERT_EQ(259u, longName.size());
    ASSERT_TRUE(SetPorts({"COM2:", "FILE:", longName}));
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    ASSERT_EQ(3, ListViewCount(portPage_, kPortList));
    EXPECT_EQ(longName, ListViewText(portPage_, kPortList, 2, 0)) << "the long name is listed in full";
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListViewItemState(portPage_, kPortList, 2, LVIS_SELECTED));
    portPage_.Click(kInstall);
    ConfirmMessageAndExpectEnd(kCompletionText);
    std::vector<PrinterEntry> printers = Printers();
    ASSERT_EQ(1u, printers.size());
    EXPECT_EQ(longName, printers[0].port) << "the printer's port";
}

// Configure port with no row selected: the click, then a column width posted after it.
// A monitor's window would exist by the time the width has changed, as its modal loop is
// what would handle the width message.
void ExpectConfigureDoesNothing(DWORD processId, const Dialog& portPage) {
    const int kMarkWidth = 77;
    portPage.Click(kConfigurePort);
    PostMessageA(portPage.Control(kPortList), LVM_SETCOLUMNWIDTH, 1, kMarkWidth);
    bool handled = false;
    for (DWORD start = GetTickCount(); !handled && GetTickCount() - start < kWindowTimeoutMs; Sleep(20))
        handled = ListViewColumnWidth(portPage, kPortList, 1) == kMarkWidth;
    ASSERT_TRUE(handled) << "the page did not get to the message after the click";
    for (HWND window : VisibleTopLevelWindows(processId))
        EXPECT_NE(portPage.Handle(), GetWindow(window, GW_OWNER)) << "opened " << DescribeWindows({window});
    EXPECT_TRUE(IsWindowEnabled(portPage.Handle()));
}

// Configure port hands the selected row's port to its monitor, with the page as owner;
// with no row selected it does nothing. Wine's local monitor speaks the prefix's language.
TEST_F(PortPageTest, ConfigurePortRunsTheMonitorForTheSelectedRow) {
    const int kKeepPreselected = -1, kNoRow = -2;
    struct Case {
        const char* name;
        int selectRow;
        const char* caption;  // of the monitor's window; nullptr: none may open
        int dismiss;          // the button that closes it
    };
    static const Case kCases[] = {
        {"preselected LPT1:", kKeepPreselected, "设置打印端口", IDCANCEL},
        {"FILE: chosen by the user", 4, kLocalPortDescription, IDOK},
        {"no selected row", kNoRow, nullptr, 0},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        if (row.selectRow == kNoRow) {
            // Every row has a monitor window here, so configuring any of them would show.
            ASSERT_TRUE(SetPorts({"FILE:", "LPT1:", "LPT2:"}));
        }
        ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
        if (row.selectRow >= 0) {
            ASSERT_TRUE(SelectListViewRow(portPage_, kPortList, row.selectRow));
        }
        if (row.selectRow == kNoRow) {
            ASSERT_TRUE(ClearListViewSelection(portPage_, kPortList));
        }
        if (!row.caption) {
            ExpectConfigureDoesNothing(program_->ProcessId(), portPage_);
            portPage_.PressEscape();
            EXPECT_TRUE(WaitForWindowGone(portPage_.Handle())) << row.name << ": the page no longer answers";
            ExitFromSettingsPage();
            program_.reset();
            continue;
        }
        portPage_.Click(kConfigurePort);
        HWND monitor = WaitForOwnedWindow(program_->ProcessId(), portPage_.Handle());
        ASSERT_NE(nullptr, monitor) << row.name << ": no window owned by the page; windows: "
                                    << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
        EXPECT_EQ(row.caption, WindowCaption(monitor)) << row.name << ": " << DescribeWindows({monitor});
        EXPECT_EQ(row.selectRow < 0, GetDlgItem(monitor, kLptTimeoutEdit) != nullptr)
            << row.name << ": the LPT dialog has its timeout box";
        Dialog(monitor).Click(row.dismiss);
        EXPECT_TRUE(WaitForWindowGone(monitor)) << row.name;
        EXPECT_TRUE(IsWindowVisible(portPage_.Handle())) << row.name << ": the port page must stay";
        portPage_.PressEscape();
        EXPECT_TRUE(WaitForWindowGone(portPage_.Handle())) << row.name << ": the page no longer answers";
        ExitFromSettingsPage();
        program_.reset();
    }
}

}  // namespace
}  // namespace e2e
