// How the settings page ends, goes back, opens its About box and hands out its icon.
#include "harness/child_windows.h"
#include "harness/controls.h"
#include "harness/exit_watch.h"
#include "harness/ownership.h"
#include "harness/process_windows.h"
#include "harness/screenshot.h"
#include "harness/ways_out.h"
#include "in_process.h"
#include "settings_fixture.h"

namespace e2e {
namespace {

const UINT kAboutCommand = 0x0010;

// Every way the page ends the program: with IDOK, so no page follows.
TEST_F(SettingsPageTest, EndsTheProgram) {
    for (const WayOut& row : EveryWayOut(ButtonWay("Exit button", kSettingsExit))) {
        SCOPED_TRACE(row.name);
        OpenSettingsPage();
        row.Take(page_);
        ExitWatch watch = WatchUntilExit(*program_, {page_.Handle()}, kExitTimeoutMs);
        EXPECT_TRUE(watch.exited) << row.name << ": the program did not end";
        EXPECT_TRUE(watch.otherWindows.empty())
            << row.name << " showed " << ::testing::PrintToString(watch.otherWindows);
        EXPECT_EQ(0u, program_->ExitCode()) << row.name;
        EXPECT_TRUE(program_->UnhandledExceptions().empty()) << row.name;
    }
}

// The selections a page opens with.
void ExpectInitialSelections(const Dialog& page, const std::string& when) {
    EXPECT_EQ(5, ComboSelection(page, kModelBox)) << when;
    EXPECT_EQ(kDefaultPrinterName, page.Text(kPrinterNameBox)) << when;
    EXPECT_EQ(BST_CHECKED, page.CheckState(kDefaultPrinterBox)) << when;
    struct Box {
        int id, selection;
    };
    for (Box box : {Box{1014, 0}, Box{1015, 5}, Box{1016, 3}, Box{1019, 0}, Box{1018, 2}, Box{1017, 2}})
        EXPECT_EQ(box.selection, ComboSelection(page, box.id)) << when << ": box " << box.id;
    for (int id : {1015, 1016, 1017, 1018, 1019}) EXPECT_FALSE(page.IsEnabled(id)) << when << ": box " << id;
}

TEST_F(SettingsPageTest, BackShowsTheSystemPageAndNextAFreshPage) {
    OpenSettingsPage();
    // Change everything a later page could inherit.
    ASSERT_TRUE(SelectComboRow(page_, kModelBox, 2));
    page_.ClickInPlace(kDefaultPrinterBox);
    ASSERT_EQ(BST_UNCHECKED, page_.CheckState(kDefaultPrinterBox)) << "the click did not clear the box";
    for (int id : {1014, 1015, 1016, 1017, 1018, 1019}) ASSERT_TRUE(SelectComboRow(page_, id, 1)) << "box " << id;
    ASSERT_TRUE(SelectComboRow(page_, 1014, 4));
    ASSERT_TRUE(page_.IsEnabled(1015)) << "COM2 did not enable the line boxes";

    HWND oldPage = page_.Handle();
    page_.Click(kSettingsBack);
    EXPECT_TRUE(WaitForWindowGone(oldPage)) << "Back left the settings page open";
    Dialog systemPage = WaitForSystemPage(program_->ProcessId(), systemPage_.Handle());
    ASSERT_TRUE(systemPage) << "no system page after Back; windows: "
                            << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
    EXPECT_FALSE(program_->HasExited());

    page_ = NextToSettingsPage(program_->ProcessId(), systemPage, oldPage);
    ASSERT_TRUE(page_) << "no settings page after the second Next";
    ExpectInitialSelections(page_, "second visit");
    EXPECT_EQ(kModelTexts, ComboItems(page_, kModelBox)) << "second visit";
}

TEST_F(SettingsPageTest, SystemMenuEndsWithTheAboutEntry) {
    OpenSettingsPage();
    std::string error;
    std::vector<MenuItem> items = SystemMenuItems(page_.Handle(), &error);
    ASSERT_GE(items.size(), 2u) << error;
    const MenuItem& separator = items[items.size() - 2];
    const MenuItem& about = items.back();
    EXPECT_TRUE(separator.separator) << "no separator before the last item \"" << about.text << "\"";
    EXPECT_FALSE(about.separator);
    EXPECT_EQ(kAboutCommand, about.id);
    EXPECT_EQ("关于 KORA(&A)...", about.text);
    EXPECT_EQ(0u, about.state & MFS_GRAYED) << "the About entry is disabled";
    int aboutEntries = 0;
    for (const MenuItem& item : items) aboutEntries += !item.separator && item.id == kAboutCommand;
    EXPECT_EQ(1, aboutEntries);
}

struct AboutRow {
    const char* className;
    int id;
    LONG typeMask, type;  // style & typeMask == type
    RECT units;           // a zero size is not compared (an icon control takes the icon's size)
    const char* text;     // nullptr: not compared
};

const AboutRow kAboutTemplate[] = {
    {"Static", -1, SS_TYPEMASK, SS_ICON, {11, 17, 0, 0}, nullptr},
    {"Static", -1, SS_TYPEMASK | SS_NOPREFIX, SS_LEFT | SS_NOPREFIX, {40, 10, 119, 8}, "KORA 4.0 版"},
    {"Static", -1, SS_TYPEMASK, SS_LEFT, {40, 25, 119, 8}, nullptr},
    {"Button", IDOK, BS_TYPEMASK, BS_DEFPUSHBUTTON, {178, 7, 50, 14}, "确定"},
};

void ExpectAboutBox(HWND box) {
    EXPECT_EQ(kAboutCaption, WindowCaption(box));
    SIZE client = ClientSizeInUnits(box, kPageFont, kPagePointSize);
    EXPECT_NEAR(235, client.cx, 1) << "About box width";
    EXPECT_NEAR(55, client.cy, 1) << "About box height";
    std::vector<ChildWindow> controls = DialogControls(box, kPageFont, kPagePointSize);
    ASSERT_EQ(std::size(kAboutTemplate), controls.size()) << "controls of the About box";
    for (size_t i = 0; i < controls.size(); ++i) {
        const AboutRow& row = kAboutTemplate[i];
        const ChildWindow& control = controls[i];
        std::string where = "About box control " + std::to_string(i);
        EXPECT_EQ(row.className, control.className) << where;
        EXPECT_EQ(row.id, control.id) << where;
        EXPECT_EQ(row.type, control.style & row.typeMask) << where << ": style " << std::hex << control.style;
        EXPECT_TRUE(control.style & WS_VISIBLE) << where;
        if (row.text) {
            EXPECT_EQ(row.text, control.text) << where;
        }
        EXPECT_NEAR(row.units.left, control.units.left, 1) << where << ": left";
        EXPECT_NEAR(row.units.top, control.units.top, 1) << where << ": top";
        if (row.units.right == 0) continue;
        EXPECT_NEAR(row.units.right, control.units.right, 1) << where << ": width";
        EXPECT_NEAR(row.units.bottom, control.units.bottom, 1) << where << ": height";
    }
    EXPECT_NE(0, SendWithTimeout(controls[0].handle, STM_GETICON, 0, 0)) << "the icon control shows no icon";
    const std::string& notice = controls[2].text;
    EXPECT_TRUE(!notice.empty() && notice != controls[1].text) << "no rights notice on the second line";
}

// The About box is owned by the page, which takes no input while it is shown; every way
// out gives the page back, active and answering as before.
TEST_F(SettingsPageTest, AboutEntryOpensTheAboutBox) {
    static const WayOut kCases[] = {ButtonWay("OK button", IDOK), kEscape, kCloseBox};
    bool first = true;
    for (const WayOut& row : kCases) {
        SCOPED_TRACE(row.name);
        OpenSettingsPage();
        page_.SystemCommand(kAboutCommand);
        HWND box = WaitForDialog(program_->ProcessId(), kAboutCaption);
        ASSERT_NE(nullptr, box) << "no About box; windows: "
                                << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
        if (first) {
            ExpectAboutBox(box);
            EXPECT_FALSE(SaveScreenshot(box, "about_box").empty()) << "no screenshot written";
            first = false;
        }
        ExpectOwnedAndBlocking(box, page_.Handle(), row.name);

        row.Take(Dialog(box));
        EXPECT_TRUE(WaitForWindowGone(box)) << row.name << " did not close the About box";
        EXPECT_EQ(std::vector<HWND>{page_.Handle()}, VisibleTopLevelWindows(program_->ProcessId()))
            << "windows after " << row.name << ": " << DescribeWindows(VisibleTopLevelWindows(program_->ProcessId()));
        ExpectGivenBack(page_.Handle(), row.name);
        EXPECT_FALSE(program_->HasExited());

        ASSERT_TRUE(SelectComboRow(page_, kModelBox, 9));
        EXPECT_EQ(kModelTexts[9], page_.Text(kPrinterNameBox));
        page_.Click(kSettingsExit);
        EXPECT_TRUE(program_->WaitForExit(kExitTimeoutMs)) << "Exit after the About box did not end the program";
    }
}

// The drag icon and both window icons are the program's own icon resource.
TEST_F(SettingsPageTest, HandsOutTheApplicationIcon) {
    const UINT kMainIcon = 128;  // IDR_MAINFRAME
    OpenSettingsPage();
    std::string error;
    HICON own = nullptr;
    ASSERT_TRUE(ProgramIconInProcess(page_.Handle(), kMainIcon, &own, &error)) << error;
    struct Query {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    static const Query kQueries[] = {{"WM_QUERYDRAGICON", WM_QUERYDRAGICON, 0},
                                     {"WM_GETICON ICON_BIG", WM_GETICON, ICON_BIG},
                                     {"WM_GETICON ICON_SMALL", WM_GETICON, ICON_SMALL}};
    for (const Query& query : kQueries) {
        LRESULT icon = 0;
        ASSERT_TRUE(SendInProcess(page_.Handle(), query.message, query.wParam, 0, &icon, &error)) << error;
        EXPECT_EQ(own, reinterpret_cast<HICON>(icon)) << query.name << " is not the program's icon " << kMainIcon;
    }
}

}  // namespace
}  // namespace e2e
