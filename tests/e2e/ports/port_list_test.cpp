// The port list: rows from the spooler, columns, styles, the default row and its limits.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/controls.h"
#include "harness/process_windows.h"
#include "port_fixture.h"

namespace e2e {
namespace {

// Wine's local monitor describes its ports in the prefix's language (code page 936 here).
const int kNoRow = -1;
const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

std::vector<std::string> ListedNames(const Dialog& page) { return ListViewColumnTexts(page, kPortList, 0); }

std::vector<int> SelectedRows(const Dialog& page) {
    std::vector<int> rows;
    int count = ListViewCount(page, kPortList);
    for (int row = 0; row < count; ++row)
        if (ListViewItemState(page, kPortList, row, LVIS_SELECTED) == LVIS_SELECTED) rows.push_back(row);
    return rows;
}

std::vector<std::string> Numbered(const char* pattern, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, i);
        names.push_back(name);
    }
    return names;
}

void Append(std::vector<std::string>* to, const std::vector<std::string>& more) {
    to->insert(to->end(), more.begin(), more.end());
}

TEST_F(PortPageTest, FillsTheListFromTheSpooler) {
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
    const std::vector<std::string> ports = FreshPrefixPorts();
    EXPECT_EQ(ports, ListedNames(portPage_));
    for (size_t row = 0; row < ports.size(); ++row)
        EXPECT_EQ(kLocalPortDescription, ListViewText(portPage_, kPortList, static_cast<int>(row), 1))
            << "description of row " << row << " (" << ports[row] << ")";
    EXPECT_EQ(DebugLinesOf(ports), program_->DebugStrings()) << "one debugger line per listed port";

    EXPECT_EQ(2, ListViewColumnCount(portPage_, kPortList));
    EXPECT_EQ(kPortHeading, ListViewHeading(portPage_, kPortList, 0));
    EXPECT_EQ("类型", ListViewHeading(portPage_, kPortList, 1));
    EXPECT_EQ(150, ListViewColumnWidth(portPage_, kPortList, 0));
    EXPECT_EQ(280, ListViewColumnWidth(portPage_, kPortList, 1));
    DWORD extended = ListViewExtendedStyle(portPage_, kPortList);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT))
        << "extended style " << extended;

    int low = -1, high = -1;
    ProgressRange(portPage_, kProgress, &low, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
    EXPECT_EQ(0, ProgressPosition(portPage_, kProgress));

    portPage_.PressEscape();
    EXPECT_TRUE(WaitForWindowGone(portPage_.Handle()));
    ExitFromSettingsPage();
}

// The spooler lists ports sorted by name without regard to case, so each case's names
// are chosen to come back in the order shown. Two orders cannot be made that way: an
// LPT1 port in row 0 with a COM1 port below it, and a lower-case lpt1: beside LPT1: (the
// registry merges the two names).
TEST_F(PortPageTest, PreselectsTheDefaultRow) {
    struct Case {
        const char* name;
        std::vector<std::string> ports;
        int selected;
    };
    const Case kCases[] = {
        {"fresh prefix: LPT1: below COM and FILE", FreshPrefixPorts(), 5},
        {"LPT1: below COM1: and FILE:", {"COM1:", "COM2:", "FILE:", "LPT1:"}, 3},
        {"COM1: below an unmatched first row", {"AUX:", "COM1:", "FILE:"}, 0},
        {"LPT1: only in row 0", {"LPT1:", "LPT2:", "LPT3:"}, kNoRow},
        {"COM1: only in row 0", {"COM1:", "COM2:"}, kNoRow},
        {"FILE: only in row 0", {"FILE:", "LPT2:", "LPT3:"}, kNoRow},
        {"FILE: alone below row 0", {"COM2:", "FILE:", "LPT2:"}, 1},
        {"the last FILE match wins", {"COM2:", "FILE:", "FILEX:"}, 2},
        {"LPT10: counts as LPT1", {"COM2:", "FILE:", "LPT10:"}, 2},
        {"the last LPT1 match wins", {"COM2:", "LPT1:", "LPT1X:"}, 2},
        {"lower-case lpt1: matches nothing", {"COM2:", "FILE:", "lpt1:"}, 1},
        {"lower-case com1: matches nothing", {"AUX:", "com1:", "FILE:"}, 2},
        {"no matching port", {"COM2:", "LPT2:"}, kNoRow},
        {"no ports at all", {}, kNoRow},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(SetPorts(row.ports)) << row.name;
        ASSERT_NO_FATAL_FAILURE(StartAtPortPage());
        ASSERT_EQ(row.ports, ListedNames(portPage_)) << row.name << ": rows not in the order set up";
        EXPECT_EQ(DebugLinesOf(row.ports), program_->DebugStrings()) << row.name;
        std::vector<int> expected;
        if (row.selected != kNoRow) expected.push_back(row.selected);
        EXPECT_EQ(expected, SelectedRows(portPage_)) << row.name << ": selected rows";
        if (row.selected != kNoRow) {
            EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED),
                      ListViewItemState(portPage_, kPortList, row.selected, kSelectedAndFocused))
                << row.name << ": the default row is selected, not focused";
        }
        portPage_.PressEscape();
        EXPECT_TRUE(WaitForWindowGone(portPage_.Handle())) << row.name;
        ExitFromSettingsPage();
        program_.reset();
    }
}

// 300 ports: only records 0 to 255 are listed and tested, so LPT1: at record 280 is
// neither shown nor preselected and FILE: at row 100 is the default.
TEST_F(PortPageTest, ListsAtMost256Ports) {
    std::vector<std::string> ports = Numbered("AUX%03d:", 100);
    ports.push_back("FILE:");
    Append(&ports, Numbered("GAME%03d:", 179));
    ports.push_back("LPT1:");
    Append(&ports, Numbered("PRN%02d:", 19));
    ASSERT_EQ(300u, ports.size());
    ASSERT_EQ("LPT1:", ports[280]);
    ASSERT_TRUE(SetPorts(ports));
    ASSERT_NO_FATAL_FAILURE(StartAtPortPage());

    const std::vector<std::string> listed(ports.begin(), ports.begin() + 256);
    EXPECT_EQ(listed, ListedNames(portPage_));
    EXPECT_EQ(DebugLinesOf(listed), program_->DebugStrings());
    EXPECT_EQ(std::vector<int>{100}, SelectedRows(portPage_));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), ListViewItemState(portPage_, kPortList, 100, kSelectedAndFocused));

    portPage_.PressEscape();
    EXPECT_TRUE(WaitForWindowGone(portPage_.Handle()));
    ExitFromSettingsPage();
}

}  // namespace
}  // namespace e2e
