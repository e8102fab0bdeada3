// The settings page as it opens and as its model and port boxes are changed.
#include "harness/child_windows.h"
#include "harness/controls.h"
#include "harness/expect_units.h"
#include "harness/screenshot.h"
#include "settings_fixture.h"

namespace e2e {
namespace {

enum class Kind { kCombo, kGroupBox, kLabel, kCheckBox, kReadOnlyEdit, kPushButton };

struct TemplateRow {
    Kind kind;
    int id;  // -1: no id
    bool shown;
    RECT units;        // left, top, width, height
    const char* text;  // nullptr: set at run time, not by the template
};

const TemplateRow kTemplate[] = {
    {Kind::kCombo, 1011, true, {60, 19, 156, 165}, nullptr},
    {Kind::kGroupBox, -1, true, {7, 48, 350, 54}, "打印机设置"},
    {Kind::kGroupBox, -1, false, {7, 108, 350, 94}, "打印机端口设置"},
    {Kind::kLabel, -1, true, {20, 21, 33, 8}, "驱动名称"},
    {Kind::kCheckBox, 1012, true, {20, 59, 115, 10}, "设为默认打印机"},
    {Kind::kLabel, -1, true, {20, 79, 33, 8}, "打印机名称 :"},
    {Kind::kReadOnlyEdit, 1013, true, {60, 77, 155, 15}, nullptr},
    {Kind::kCombo, 1014, false, {58, 123, 65, 86}, nullptr},
    {Kind::kCombo, 1015, false, {58, 149, 65, 112}, nullptr},
    {Kind::kCombo, 1016, false, {58, 172, 65, 60}, nullptr},
    {Kind::kCombo, 1017, false, {286, 149, 65, 60}, nullptr},
    {Kind::kCombo, 1018, false, {171, 172, 65, 68}, nullptr},
    {Kind::kCombo, 1019, false, {171, 149, 65, 55}, nullptr},
    {Kind::kLabel, -1, false, {20, 127, 17, 8}, "端口"},
    {Kind::kLabel, -1, false, {20, 148, 25, 8}, "波特率"},
    {Kind::kLabel, -1, false, {20, 171, 33, 8}, "字节长度"},
    {Kind::kLabel, -1, false, {135, 151, 25, 8}, "停止位"},
    {Kind::kLabel, -1, false, {135, 172, 25, 8}, "校验位"},
    {Kind::kLabel, -1, false, {240, 153, 25, 8}, "流控制"},
    {Kind::kPushButton, 1008, true, {138, 207, 61, 15}, kBackText},
    {Kind::kPushButton, 1009, true, {212, 207, 61, 15}, kNextText},
    {Kind::kPushButton, 1010, true, {286, 207, 61, 15}, kExitText},
};

// Empty when the control has the class and the style bits of the kind, else what differs.
std::string KindMismatch(Kind kind, const ChildWindow& control) {
    LONG style = control.style;
    bool bordered = (style & WS_BORDER) || (control.exStyle & WS_EX_CLIENTEDGE);  // an edit trades one for the other
    switch (kind) {
    case Kind::kCombo:
        if (control.className != "ComboBox") return "not a combo box";
        if ((style & 3) != CBS_DROPDOWNLIST) return "not a drop-down list";
        if (style & CBS_SORT) return "sorted";
        return "";
    case Kind::kGroupBox:
        return control.className == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX ? "" : "not a group box";
    case Kind::kLabel:
        return control.className == "Static" && (style & SS_TYPEMASK) == SS_LEFT ? ""
                                                                                 : "not a left-aligned static text";
    case Kind::kCheckBox:
        return control.className == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? "" : "not an auto check box";
    case Kind::kReadOnlyEdit:
        if (control.className != "Edit") return "not an edit box";
        if (!(style & ES_READONLY) || !(style & ES_AUTOHSCROLL) || !bordered)
            return "not read-only with horizontal auto-scroll and a border";
        return "";
    case Kind::kPushButton:
        if (control.className != "Button") return "not a button";
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return "a default push button";
        return (style & BS_TYPEMASK) == BS_PUSHBUTTON ? "" : "not a push button";
    }
    return "unknown kind";
}

TEST_F(SettingsPageTest, WindowIsTheTemplatesPopUp) {
    OpenSettingsPage();
    EXPECT_EQ(kSettingsCaption, page_.Caption());
    const LONG frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    EXPECT_EQ(frame, page_.Style() & frame);
    EXPECT_TRUE(page_.ExStyle() & WS_EX_APPWINDOW) << "the page has no taskbar button of its own";
    EXPECT_EQ(nullptr, GetWindow(page_.Handle(), GW_OWNER)) << "the system page has gone: nothing owns this page";
    SIZE client = ClientSizeInUnits(page_.Handle(), kPageFont, kPagePointSize);
    EXPECT_NEAR(364, client.cx, 1) << "client width in dialog units";
    EXPECT_NEAR(239, client.cy, 1) << "client height in dialog units";
}

TEST_F(SettingsPageTest, ControlsFollowTheTemplate) {
    OpenSettingsPage();
    std::vector<ChildWindow> controls = DialogControls(page_.Handle(), kPageFont, kPagePointSize);
    ASSERT_EQ(std::size(kTemplate), controls.size()) << "number of controls";
    for (size_t i = 0; i < controls.size(); ++i) {
        const TemplateRow& row = kTemplate[i];
        const ChildWindow& control = controls[i];
        std::string where = "control " + std::to_string(i) + " (id " + std::to_string(row.id) +
                            (row.text ? std::string(", \"") + row.text + "\")" : std::string(")"));
        EXPECT_EQ(row.id, control.id) << where;
        EXPECT_EQ("", KindMismatch(row.kind, control)) << where;
        EXPECT_EQ(row.shown, (control.style & WS_VISIBLE) != 0) << where << ": shown";
        if (row.text) {
            EXPECT_EQ(row.text, control.text) << where;
        }
        ExpectUnitsNear(row.units, control.units, where);
    }
}

TEST_F(SettingsPageTest, NoButtonIsTheDefault) {
    OpenSettingsPage();
    for (int id : {1008, 1009, 1010}) EXPECT_NE(BS_DEFPUSHBUTTON, page_.Style(id) & BS_TYPEMASK) << "button " << id;
    LRESULT defaultId = SendWithTimeout(page_.Handle(), DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID) {
        int id = LOWORD(defaultId);
        EXPECT_TRUE(id != 1008 && id != 1009 && id != 1010) << "DM_GETDEFID names button " << id;
    }
}

TEST_F(SettingsPageTest, OpensWithRowFiveAndTheDefaultPrinterName) {
    OpenSettingsPage();
    EXPECT_EQ(kModelTexts, ComboItems(page_, kModelBox)) << "model box texts, rows 0 to 10";
    EXPECT_EQ(5, ComboSelection(page_, kModelBox));
    EXPECT_EQ(kDefaultPrinterName, page_.Text(kPrinterNameBox)) << "the printer-name box before any choice";
    EXPECT_EQ(BST_CHECKED, page_.CheckState(kDefaultPrinterBox));
    EXPECT_FALSE(SaveScreenshot(page_.Handle(), "settings_page").empty()) << "no screenshot written";
}

// Row 5 first: choosing the preselected row still replaces the default name.
TEST_F(SettingsPageTest, ChoosingARowShowsItsText) {
    OpenSettingsPage();
    for (int row : {5, 0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 5}) {
        ASSERT_TRUE(SelectComboRow(page_, kModelBox, row)) << "row " << row;
        EXPECT_EQ(kModelTexts[row], page_.Text(kPrinterNameBox)) << "after choosing row " << row;
    }
}

struct SerialBox {
    const char* name;
    int id;
    std::vector<std::string> entries;
    int selection;
};

const SerialBox kSerialBoxes[] = {
    {"port", 1014, {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"}, 0},
    {"baud rate", 1015, {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}, 5},
    {"data bits", 1016, {"5", "6", "7", "8"}, 3},
    {"stop bits", 1019, {"1", "1.5", "2"}, 0},
    {"parity", 1018, {"Even", "Mark", "None", "Odd", "Space"}, 2},
    {"flow control", 1017, {"None", "XonXoff", "Hardware"}, 2},
};

TEST_F(SettingsPageTest, SerialBoxesAreHiddenWithTheirListsAndSelections) {
    OpenSettingsPage();
    for (const SerialBox& box : kSerialBoxes) {
        EXPECT_FALSE(page_.IsShown(box.id)) << box.name << " box";
        EXPECT_EQ(box.entries, ComboItems(page_, box.id)) << box.name << " box";
        EXPECT_EQ(box.selection, ComboSelection(page_, box.id)) << box.name << " box";
        EXPECT_EQ(box.id == kPortBox, page_.IsEnabled(box.id)) << box.name << " box enabled";
    }
}

// The five line boxes only take part for a COM entry of the port box.
TEST_F(SettingsPageTest, PortBoxEnablesTheLineBoxesForComPorts) {
    struct Case {
        int portRow;
        bool lineBoxesEnabled;
    };
    static const Case kCases[] = {{3, true}, {2, false}, {6, true}, {4, true}, {0, false}, {5, true}, {1, false}};
    OpenSettingsPage();
    for (const Case& row : kCases) {
        const std::string port = kSerialBoxes[0].entries[row.portRow];
        ASSERT_TRUE(SelectComboRow(page_, kPortBox, row.portRow)) << port;
        EXPECT_TRUE(page_.IsEnabled(kPortBox)) << "port box after choosing " << port;
        for (const SerialBox& box : kSerialBoxes) {
            if (box.id == kPortBox) continue;
            EXPECT_EQ(row.lineBoxesEnabled, page_.IsEnabled(box.id)) << box.name << " box after choosing " << port;
        }
    }
}

}  // namespace
}  // namespace e2e
