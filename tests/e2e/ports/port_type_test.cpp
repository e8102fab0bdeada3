// The port type dialog opened by Create port: its monitors, a port made through the
// local monitor, and the port list rebuilt behind it.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "harness/controls.h"
#include "harness/expect_units.h"
#include "harness/ownership.h"
#include "harness/process_windows.h"
#include "harness/registry.h"
#include "harness/screenshot.h"
#include "harness/ways_out.h"
#include "port_fixture.h"

namespace e2e {
namespace {

const char kLocalMonitor[] = "Local Port";
// Listed after "Local Port"; its DLL does not exist, which the spooler tolerates.
const char kExtraMonitor[] = "Test Port Monitor";
// Wine's local monitor speaks the prefix's language: "Add a Local Port".
const char kAddPortCaption[] = "添加本地端口";
const int kAddPortNameEdit = 101;
const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

// Ports before and after LPT1: is created: the default row moves from FILE: to LPT1:.
const std::vector<std::string> kPortsBefore = {"COM2:", "FILE:", "LPT2:"};
const std::vector<std::string> kPortsAfter = {"COM2:", "FILE:", "LPT1:", "LPT2:"};
const int kDefaultRowBefore = 1;
const int kDefaultRowAfter = 2;

std::vector<std::string> ListTexts(const Dialog& dialog) { return ListViewColumnTexts(dialog, kPortList, 0); }

std::vector<std::string> Concatenated(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class PortTypeTest : public PortPageTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PortPageTest::SetUp());
        ASSERT_TRUE(AddMonitor(kExtraMonitor, "kora_e2e_missing.dll"));
        ASSERT_TRUE(SetPorts(kPortsBefore));
    }
    void TearDown() override {
        PortPageTest::TearDown();
        RemoveMonitor(kExtraMonitor);
    }

    void OpenPortType() {
        portPage_.Click(kCreatePort);
        portType_ = Dialog(WaitForDialog(program_->ProcessId(), kPortTypeCaption));
        ASSERT_TRUE(portType_) << "the port type dialog did not appear; windows: "
                               << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
    }

    // The port page after a rebuild: the new port listed and the default rule applied again.
    void ExpectRebuiltList(const std::string& how) {
        EXPECT_EQ(kPortsAfter, ListTexts(portPage_)) << how;
        EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED),
                  ListViewItemState(portPage_, kPortList, kDefaultRowAfter, kSelectedAndFocused))
            << how << ": default row after the rebuild";
        for (int row = 0; row < static_cast<int>(kPortsAfter.size()); ++row)
            if (row != kDefaultRowAfter) {
                EXPECT_EQ(0u, ListViewItemState(portPage_, kPortList, row, LVIS_SELECTED)) << how << ": row " << row;
            }
        EXPECT_EQ(Concatenated({DebugLinesOf(kPortsBefore), DebugLinesOf({kLocalMonitor, kExtraMonitor}),
                                DebugLinesOf(kPortsAfter)}),
                  program_->DebugStrings())
            << how << ": debugger lines of the first fill, the monitors and the rebuild";
    }

    void LeaveThroughSettingsPage() {
        portPage_.PressEscape();
        EXPECT_TRUE(WaitForWindowGone(portPage_.Handle()));
        ExitFromSettingsPage();
    }

    Dialog portType_;
};

TEST_F(PortTypeTest, ListsTheMonitorsWithTheFirstSelected) {
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    ASSERT_NO_FATAL_FAILURE(OpenPortType());
    EXPECT_FALSE(SaveScreenshot(portType_.Handle(), "port_type_dialog").empty()) << "no port_type_dialog.png";
    EXPECT_EQ(0, portType_.ExStyle() & WS_EX_APPWINDOW);

    LONG listStyle = portType_.Style(kPortList);
    EXPECT_EQ(LVS_REPORT, listStyle & LVS_TYPEMASK);
    EXPECT_EQ(LVS_SINGLESEL | WS_TABSTOP, listStyle & (LVS_SINGLESEL | WS_TABSTOP));
    // The dialog manager may have turned WS_BORDER into WS_EX_CLIENTEDGE.
    EXPECT_TRUE((listStyle & WS_BORDER) || (portType_.ExStyle(kPortList) & WS_EX_CLIENTEDGE)) << "list border";
    EXPECT_EQ(0, listStyle & LVS_SHOWSELALWAYS) << "the selection shows only while the list has the focus";
    struct Button {
        int id;
        const char* text;
        RECT units;
    };
    static const Button kButtons[] = {{kNewPort, "新建端口...", {114, 108, 57, 14}},
                                      {kPortTypeClose, "关闭", {179, 108, 55, 14}}};
    for (const Button& button : kButtons) {
        SCOPED_TRACE(button.text);
        EXPECT_EQ(button.text, portType_.Text(button.id));
        EXPECT_EQ(BS_PUSHBUTTON, portType_.Style(button.id) & BS_TYPEMASK);
        ExpectUnitsNear(button.units, portType_.RectInDialogUnits(button.id, kPageFont, kPagePointSize), button.text);
    }
    ExpectUnitsNear(RECT{7, 14, 240, 85}, portType_.RectInDialogUnits(kPortList, kPageFont, kPagePointSize),
                    "monitor list");

    EXPECT_EQ(1, ListViewColumnCount(portType_, kPortList));
    EXPECT_EQ("可用端口类型", ListViewHeading(portType_, kPortList, 0));
    EXPECT_EQ(350, ListViewColumnWidth(portType_, kPortList, 0));
    DWORD extended = ListViewExtendedStyle(portType_, kPortList);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT))
        << "extended style " << extended;

    EXPECT_EQ((std::vector<std::string>{kLocalMonitor, kExtraMonitor}), ListTexts(portType_));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListViewItemState(portType_, kPortList, 0, kSelectedAndFocused));
    EXPECT_EQ(0u, ListViewItemState(portType_, kPortList, 1, LVIS_SELECTED));
    EXPECT_EQ(portType_.Control(kPortList), portType_.FocusedControl()) << "the focus starts on the monitor list";
    EXPECT_EQ(Concatenated({DebugLinesOf(kPortsBefore), DebugLinesOf({kLocalMonitor, kExtraMonitor})}),
              program_->DebugStrings());

    portType_.Click(kPortTypeClose);
    EXPECT_TRUE(WaitForWindowGone(portType_.Handle()));
    LeaveThroughSettingsPage();
}

// New port runs the local monitor's dialog; Close then shows the port in a list made anew,
// with columns and progress bar left as they were.
TEST_F(PortTypeTest, NewPortThenCloseListsTheNewPort) {
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    ASSERT_EQ(static_cast<UINT>(LVIS_SELECTED),
              ListViewItemState(portPage_, kPortList, kDefaultRowBefore, LVIS_SELECTED));
    ASSERT_TRUE(SelectListViewRow(portPage_, kPortList, 0));  // the user's choice, replaced by the rebuild
    SetProgressPosition(portPage_, kProgress, 37);
    SendWithTimeout(portPage_.Control(kPortList), LVM_SETCOLUMNWIDTH, 0, 123);
    ASSERT_NO_FATAL_FAILURE(OpenPortType());

    portType_.Click(kNewPort);
    HWND addPort = WaitForDialog(program_->ProcessId(), kAddPortCaption);
    ASSERT_NE(nullptr, addPort) << "no \"" << kAddPortCaption << "\" dialog; windows: "
                                << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
    EXPECT_EQ(portType_.Handle(), GetWindow(addPort, GW_OWNER)) << "owner of the monitor's dialog";
    ASSERT_TRUE(SetControlText(GetDlgItem(addPort, kAddPortNameEdit), "LPT1:"));
    Dialog(addPort).Click(IDOK);
    EXPECT_TRUE(WaitForWindowGone(addPort));
    // The monitor writes the port after its dialog has gone.
    EXPECT_TRUE(WaitForRegistryValue(HKEY_LOCAL_MACHINE, kPortsKey, "LPT1:")) << "the monitor did not create LPT1:";
    EXPECT_TRUE(IsWindowVisible(portType_.Handle())) << "the port type dialog stays open after New port";
    EXPECT_EQ(kPortsBefore, ListTexts(portPage_)) << "the port list changes only when the dialog closes";

    portType_.Click(kPortTypeClose);
    EXPECT_TRUE(WaitForWindowGone(portType_.Handle()));
    ExpectRebuiltList("Close after New port");
    EXPECT_EQ(0u, ListViewItemState(portPage_, kPortList, 0, LVIS_SELECTED)) << "the user's row 0 kept its selection";
    EXPECT_EQ(37, ProgressPosition(portPage_, kProgress)) << "the rebuild must not touch the progress bar";
    int low = -1, high = -1;
    ProgressRange(portPage_, kProgress, &low, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
    EXPECT_EQ(2, ListViewColumnCount(portPage_, kPortList)) << "columns inserted again";
    EXPECT_EQ(123, ListViewColumnWidth(portPage_, kPortList, 0)) << "column width reset by the rebuild";
    EXPECT_EQ(280, ListViewColumnWidth(portPage_, kPortList, 1));
    EXPECT_EQ(kPortHeading, ListViewHeading(portPage_, kPortList, 0));
    LeaveThroughSettingsPage();
}

// However the dialog ends, the port page, which took no input meanwhile, is active again
// and enumerates again: a port that appeared meanwhile is listed and becomes the default.
TEST_F(PortTypeTest, EveryWayOutRebuildsThePortList) {
    for (const WayOut& row : EveryWayOut(ButtonWay("Close", kPortTypeClose))) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(SetPorts(kPortsBefore));
        ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
        ASSERT_NO_FATAL_FAILURE(OpenPortType());
        ASSERT_TRUE(SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, "LPT1:", ""));
        ExpectOwnedAndBlocking(portType_.Handle(), portPage_.Handle(), row.name);
        EXPECT_FALSE(IsWindowEnabled(settings_.Handle())) << row.name << ": the settings page takes input";
        row.Take(portType_);
        EXPECT_TRUE(WaitForWindowGone(portType_.Handle())) << row.name;
        ExpectGivenBack(portPage_.Handle(), row.name);
        EXPECT_FALSE(IsWindowEnabled(settings_.Handle())) << row.name << ": the settings page takes input";
        ExpectRebuiltList(row.name);
        LeaveThroughSettingsPage();
        program_.reset();
    }
}

}  // namespace
}  // namespace e2e
