// The wizard from outside: the system page as the user sees it under every Windows
// version Wine can report, and every way through the first two pages.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

#include "harness/controls.h"
#include "harness/dialog.h"
#include "harness/exit_watch.h"
#include "harness/expect_units.h"
#include "harness/kora_pages.h"
#include "harness/paths.h"
#include "harness/process_windows.h"
#include "harness/program.h"
#include "harness/registry.h"
#include "harness/screenshot.h"
#include "harness/ways_out.h"
#include "harness/workspace.h"

namespace e2e {
namespace {

const DWORD kExitTimeoutMs = 10000;

// System page radio buttons.
const int kRadio95 = 1000, kRadio98 = 1001, kRadioNt4 = 1002, kRadio2000 = 1003, kRadioXp = 1004;
const int kRadio7 = 1005, kRadio2008 = 1006, kRadio2003 = 1011, kRadioVista = 1020;
const int kRadio8 = 1021, kRadio10 = 1022, kRadio11 = 1023;
const int kAllRadios[] = {kRadio95,   kRadio98,   kRadioNt4,   kRadio2000, kRadioXp, kRadio7,
                          kRadio2008, kRadio2003, kRadioVista, kRadio8,    kRadio10, kRadio11};
// The ones the user sees, in template order.
const int kShownRadios[] = {kRadioVista, kRadio2000, kRadioXp, kRadio2003, kRadio7, kRadio8, kRadio10, kRadio11};

class WizardTest : public ::testing::Test {
protected:
    void TearDown() override { SetReportedWindowsVersion(kProgramFile, ""); }

    // Starts a fresh copy of the program (KORA_EXE or a variant) in a fresh folder, with
    // Wine reporting the named version ("" for the prefix default), and waits for page 1.
    void Start(const char* versionName = "", const char* programVariable = "KORA_EXE") {
        std::string source = ProgramFromEnv(programVariable);
        ASSERT_FALSE(source.empty()) << programVariable << " is not set";
        program_.reset();
        workspace_.reset();  // the old folder goes before the new one of the same name is made
        workspace_ = std::make_unique<Workspace>(CurrentCaseName());
        ASSERT_TRUE(workspace_->AddProgram(source, kProgramFile)) << "cannot copy " << source;
        ASSERT_TRUE(SetReportedWindowsVersion(kProgramFile, versionName)) << versionName;
        program_ = std::make_unique<Program>(workspace_->PathOf(kProgramFile), workspace_->Folder());
        ASSERT_TRUE(program_->Started()) << program_->StartError();
        systemPage_ = WaitForPage(kSystemCaption, nullptr);
        ASSERT_TRUE(systemPage_) << "the system page did not appear (Windows version \"" << versionName << "\")";
    }

    Dialog WaitForPage(const char* caption, HWND previous) {
        return Dialog(WaitForNewDialog(program_->ProcessId(), caption, previous));
    }

    // The program must end by itself, showing no window other than the pages closing.
    void ExpectQuietEnd(const std::vector<HWND>& closingPages, const std::string& row) {
        ExitWatch watch = WatchUntilExit(*program_, closingPages, kExitTimeoutMs);
        EXPECT_TRUE(watch.exited) << row << ": the program did not end within " << kExitTimeoutMs << " ms";
        EXPECT_TRUE(watch.otherWindows.empty())
            << row << ": other windows appeared: " << ::testing::PrintToString(watch.otherWindows);
        EXPECT_TRUE(program_->UnhandledExceptions().empty()) << row << ": the program crashed";
    }

    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Program> program_;
    Dialog systemPage_;
};

// --- The system page as the user sees it --------------------------------------------

struct ControlRow {
    int id;  // -1: the group box, which has none
    const char* className;
    LONG kind;  // BS_* type for buttons, TBS_* style bits for the track bar
    bool shown;
    bool enabled;
    RECT units;  // left, top, width, height
    const char* text;
};

// In template order.
const ControlRow kSystemPageControls[] = {
    {-1, "Button", BS_GROUPBOX, true, true, {7, 19, 237, 77}, "选择安装的操作系统"},
    {kRadioVista, "Button", BS_AUTORADIOBUTTON, true, true, {15, 62, 68, 10}, "Windows Vista"},
    {kRadio95, "Button", BS_AUTORADIOBUTTON, false, true, {13, 7, 54, 10}, "Windows 95"},
    {kRadio98, "Button", BS_AUTORADIOBUTTON, false, true, {85, 7, 54, 10}, "Windows 98"},
    {kRadioNt4, "Button", BS_AUTORADIOBUTTON, false, true, {155, 7, 65, 10}, "Windows NT4.0"},
    {kRadio2000, "Button", BS_AUTORADIOBUTTON, true, true, {15, 39, 62, 10}, "Windows 2000"},
    {kRadioXp, "Button", BS_AUTORADIOBUTTON, true, true, {87, 37, 55, 10}, "Windows XP"},
    {kRadio2003, "Button", BS_AUTORADIOBUTTON, true, true, {157, 37, 64, 10}, "Windows 2003"},
    {kTrackBar, "msctls_trackbar32", TBS_NOTICKS, false, true, {7, 139, 237, 6}, ""},
    {kSystemBack, "Button", BS_PUSHBUTTON, true, false, {67, 157, 52, 14}, "后退"},
    {kSystemNext, "Button", BS_PUSHBUTTON, true, true, {126, 157, 52, 14}, kNextText},
    {kSystemExit, "Button", BS_PUSHBUTTON, true, true, {184, 157, 54, 14}, kExitText},
    {kRadio7, "Button", BS_AUTORADIOBUTTON, true, true, {87, 62, 52, 10}, "Windows 7"},
    {kRadio2008, "Button", BS_AUTORADIOBUTTON, false, true, {157, 62, 64, 10}, "Windows 2008"},
    {kRadio8, "Button", BS_AUTORADIOBUTTON, true, true, {15, 80, 62, 10}, "Windows 8"},
    {kRadio10, "Button", BS_AUTORADIOBUTTON, true, true, {87, 80, 55, 10}, "Windows 10"},
    {kRadio11, "Button", BS_AUTORADIOBUTTON, true, true, {157, 80, 64, 10}, "Windows 11"},
};

std::string RowName(const ControlRow& row) { return "control " + std::to_string(row.id) + " \"" + row.text + "\""; }

// Button kinds: a push button may turn into the default push button while it has focus.
LONG ButtonKind(LONG style) {
    LONG kind = style & BS_TYPEMASK;
    return kind == BS_DEFPUSHBUTTON ? BS_PUSHBUTTON : kind;
}

void ExpectControlMatches(const Dialog& page, HWND child, const ControlRow& row) {
    const std::string name = RowName(row);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    EXPECT_EQ(row.id, Dialog::IdOf(child)) << name << ": out of template order";
    EXPECT_EQ(row.className, WindowClass(child)) << name;
    if (std::string(row.className) == "Button") {
        EXPECT_EQ(row.kind, ButtonKind(style)) << name;
    } else {
        EXPECT_EQ(row.kind, style & row.kind) << name << ": the track bar shows tick marks";
    }
    EXPECT_EQ(row.shown, (style & WS_VISIBLE) != 0) << name;
    EXPECT_EQ(row.enabled, (style & WS_DISABLED) == 0) << name;
    EXPECT_EQ(row.text, WindowCaption(child)) << name;
    if (row.id != -1) {
        ExpectUnitsNear(row.units, page.RectInDialogUnits(row.id, kPageFont, kPagePointSize), name);
    }
}

TEST_F(WizardTest, SystemPageLooksAsDesigned) {
    Start();
    EXPECT_EQ(kSystemCaption, systemPage_.Caption());
    LONG frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(frame, systemPage_.Style() & frame);
    EXPECT_EQ(0, systemPage_.Style() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(nullptr, GetWindow(systemPage_.Handle(), GW_OWNER)) << "the first page has no window to belong to";

    std::vector<HWND> children = systemPage_.Children();
    ASSERT_EQ(std::size(kSystemPageControls), children.size()) << "controls on the page";
    for (size_t i = 0; i < children.size(); ++i) ExpectControlMatches(systemPage_, children[i], kSystemPageControls[i]);

    std::string shot = SaveScreenshot(systemPage_.Handle(), "system_page");
    EXPECT_FALSE(shot.empty()) << "no screenshot of the system page";
    systemPage_.Click(kSystemExit);
    ExpectQuietEnd({systemPage_.Handle()}, "Exit after the look");
}

// --- Detection ------------------------------------------------------------------------

struct VersionRow {
    const char* wineName;  // "" is the prefix default, 6.1
    int markedRadio;       // 0: none
    const char* screenshot = nullptr;
};

// Worked out from what Wine reports for each name (platform, major.minor) to a program
// whose manifest declares Windows Vista to 10: 9x codes 1 and 2 mark hidden buttons.
const VersionRow kVersions[] = {
    {"win95", kRadio95},                       // 1, 4.0
    {"win98", kRadio98},                       // 1, 4.10
    {"winme", kRadio98},                       // 1, 4.90
    {"nt40", kRadioNt4},                       // 2, 4.0
    {"win2k", kRadio2000},                     // 2, 5.0
    {"winxp", kRadioXp},                       // 2, 5.1
    {"win2003", kRadio2003},                   // 2, 5.2
    {"vista", kRadioVista},                    // 2, 6.0
    {"win2008", kRadioVista},                  // 2, 6.0
    {"win7", kRadio7},                         // 2, 6.1
    {"win8", kRadio8, "system_page_win8"},     // 2, 6.2
    {"win81", kRadio8, "system_page_win81"},   // 2, 6.3
    {"win10", kRadio10, "system_page_win10"},  // 2, 10.0 build 18362
    {"", kRadio7},                             // 2, 6.1
};

// Exactly `marked` (0: none) of all radio buttons, shown or hidden, is marked.
void ExpectOnlyMarked(const Dialog& page, int marked, const std::string& name) {
    for (int radio : kAllRadios) {
        int expected = radio == marked ? BST_CHECKED : BST_UNCHECKED;
        EXPECT_EQ(expected, page.CheckState(radio)) << name << ", radio button " << radio;
    }
}

TEST_F(WizardTest, MarksTheDetectedSystemUnderEveryVersion) {
    for (const VersionRow& row : kVersions) {
        const std::string name = std::string("Windows version \"") + row.wineName + "\"";
        Start(row.wineName);
        if (HasFatalFailure()) return;
        ExpectOnlyMarked(systemPage_, row.markedRadio, name);
        for (int hidden : {kRadio95, kRadio98, kRadioNt4, kRadio2008, kTrackBar})
            EXPECT_FALSE(systemPage_.IsShown(hidden)) << name << ", control " << hidden << " became visible";
        EXPECT_FALSE(systemPage_.IsEnabled(kSystemBack)) << name << ": Back is enabled";
        if (row.screenshot) {
            EXPECT_FALSE(SaveScreenshot(systemPage_.Handle(), row.screenshot).empty()) << name;
        }
        systemPage_.Click(kSystemExit);
        ExpectQuietEnd({systemPage_.Handle()}, name);
    }
}

// Versions no Wine name gives, from the prefix's registry: Windows 11 is 10.0 from build
// 22000 on; a version the table does not know marks nothing. (Wine tells a program with our
// manifest nothing above 10.0, nor between 6.3 and 10.0: it gives the highest version the
// manifest names below the registry's, so 11.0 arrives as 10.0 build 18362.)
TEST_F(WizardTest, MarksWindows11FromItsBuildNumber) {
    struct RegistryRow {
        const char* version;
        const char* build;
        int markedRadio;
        const char* screenshot;
    };
    static const RegistryRow kRows[] = {
        {"10.0", "22000", kRadio11, "system_page_win11"},
        {"10.0", "21999", kRadio10, nullptr},
        {"5.3", "4000", 0, nullptr},
    };
    for (const RegistryRow& row : kRows) {
        const std::string name = std::string("reported ") + row.version + " build " + row.build;
        RegistryReportedVersion reported(kProgramFile, row.version, row.build);
        ASSERT_TRUE(reported.Ready()) << name << ": cannot set the registry's version";
        Start();
        if (HasFatalFailure()) return;
        ExpectOnlyMarked(systemPage_, row.markedRadio, name);
        if (row.screenshot) {
            EXPECT_FALSE(SaveScreenshot(systemPage_.Handle(), row.screenshot).empty()) << name;
        }
        systemPage_.Click(kSystemExit);
        ExpectQuietEnd({systemPage_.Handle()}, name);
    }
}

// The radio buttons are one group: a click on any shown one, the third row's among them,
// leaves it the only one marked.
TEST_F(WizardTest, ClickingARadioButtonUnmarksTheOthers) {
    Start("win10");
    ASSERT_EQ(BST_CHECKED, systemPage_.CheckState(kRadio10));
    for (int clicked : kShownRadios) {
        const std::string name = "click on " + std::to_string(clicked);
        ASSERT_TRUE(systemPage_.ClickInPlace(clicked)) << name;
        ExpectOnlyMarked(systemPage_, clicked, name);
    }
    // From the last button of the group back to the first: the unmarking runs round the group.
    ASSERT_TRUE(systemPage_.ClickInPlace(kRadioVista));
    ExpectOnlyMarked(systemPage_, kRadioVista, "click on Windows Vista after Windows 11");
    systemPage_.Click(kSystemExit);
    ExpectQuietEnd({systemPage_.Handle()}, "Exit after the clicks");
}

// --- Page flow ------------------------------------------------------------------------

struct FlowRow {
    const char* name;
    WayOut onSystemPage;
    const WayOut* onSettingsPage;  // nullptr: the system page action ends the program
};

const WayOut kSystemNextWay = ButtonWay("Next", kSystemNext);
const WayOut kSettingsExitWay = ButtonWay("Exit", kSettingsExit);
const FlowRow kFlows[] = {
    {"system Exit", ButtonWay("Exit", kSystemExit), nullptr},
    {"system Esc", kEscape, nullptr},
    {"system close box", kCloseBox, nullptr},
    {"system Next, settings Exit", kSystemNextWay, &kSettingsExitWay},
    {"system Enter, settings Esc", kEnter, &kEscape},
    {"system Next, settings close box", kSystemNextWay, &kCloseBox},
    {"system Next, settings Enter", kSystemNextWay, &kEnter},
};

TEST_F(WizardTest, EveryWayThroughTheTwoPagesEndsTheProgram) {
    for (const FlowRow& row : kFlows) {
        Start();
        if (HasFatalFailure()) return;
        row.onSystemPage.Take(systemPage_);
        std::vector<HWND> closing = {systemPage_.Handle()};
        if (row.onSettingsPage) {
            Dialog settings = WaitForPage(kSettingsCaption, nullptr);
            ASSERT_TRUE(settings) << row.name << ": the settings page did not appear";
            EXPECT_TRUE(WaitForWindowGone(systemPage_.Handle())) << row.name << ": the system page stayed";
            closing.push_back(settings.Handle());
            row.onSettingsPage->Take(settings);
        }
        ExpectQuietEnd(closing, row.name);
    }
}

// What a fresh settings page shows; compared with a later visit.
struct SettingsState {
    int defaultPrinterCheck;
    int modelSelection;
    std::vector<std::string> models;
};

SettingsState ReadSettings(const Dialog& page) {
    return {page.CheckState(kDefaultPrinterBox), ComboSelection(page, kModelBox), ComboItems(page, kModelBox)};
}

// Changes what the user can change, so that a page that kept it would show.
void ChangeSettings(const Dialog& page, const SettingsState& initial) {
    page.ClickInPlace(kDefaultPrinterBox);
    if (initial.models.size() > 1) SelectComboRow(page, kModelBox, initial.modelSelection == 0 ? 1 : 0);
}

TEST_F(WizardTest, BackShowsTheSystemPageAgainAndNextAFreshSettingsPage) {
    Start("win2k");
    ASSERT_EQ(BST_CHECKED, systemPage_.CheckState(kRadio2000));
    // Move the mark by hand: the next showing must put it back where detection says.
    systemPage_.ClickInPlace(kRadioXp);
    ASSERT_EQ(BST_CHECKED, systemPage_.CheckState(kRadioXp));
    ASSERT_EQ(BST_UNCHECKED, systemPage_.CheckState(kRadio2000));
    systemPage_.Click(kSystemNext);

    Dialog firstSettings = WaitForPage(kSettingsCaption, nullptr);
    ASSERT_TRUE(firstSettings) << "the settings page did not appear";
    SaveScreenshot(firstSettings.Handle(), "settings_page");
    SettingsState initial = ReadSettings(firstSettings);
    ChangeSettings(firstSettings, initial);
    ASSERT_NE(initial.defaultPrinterCheck, firstSettings.CheckState(kDefaultPrinterBox))
        << "the check box did not change";
    firstSettings.Click(kSettingsBack);

    Dialog systemAgain = WaitForPage(kSystemCaption, systemPage_.Handle());
    ASSERT_TRUE(systemAgain) << "Back did not show the system page again";
    EXPECT_TRUE(WaitForWindowGone(firstSettings.Handle())) << "the first settings page stayed";
    EXPECT_EQ(BST_CHECKED, systemAgain.CheckState(kRadio2000)) << "detection did not mark Windows 2000 again";
    EXPECT_EQ(BST_UNCHECKED, systemAgain.CheckState(kRadioXp)) << "the hand-set mark survived";
    EXPECT_FALSE(systemAgain.IsEnabled(kSystemBack));
    systemAgain.Click(kSystemNext);

    Dialog secondSettings = WaitForPage(kSettingsCaption, firstSettings.Handle());
    ASSERT_TRUE(secondSettings) << "Next after Back did not show the settings page";
    SettingsState again = ReadSettings(secondSettings);
    EXPECT_EQ(initial.defaultPrinterCheck, again.defaultPrinterCheck) << "default-printer box kept from the last visit";
    EXPECT_EQ(initial.modelSelection, again.modelSelection) << "model selection kept from the last visit";
    EXPECT_EQ(initial.models, again.models) << "model list differs from the first visit";
    secondSettings.Click(kSettingsExit);
    ExpectQuietEnd({systemAgain.Handle(), secondSettings.Handle()}, "Exit after Back and Next");
}

// --- A page that cannot be created ----------------------------------------------------

TEST_F(WizardTest, MissingSettingsTemplateEndsTheWizardQuietly) {
    Start("", "KORA_NO_SETTINGS_EXE");
    systemPage_.Click(kSystemNext);
    ExpectQuietEnd({systemPage_.Handle()}, "Next without a settings template");
}

}  // namespace
}  // namespace e2e
