// The two templates as stored in the program file. At run time the dialog manager and
// the controls rewrite some bits (WS_BORDER becomes an edge style, the progress bar sets
// its own edge), so borders, visibility and the template kind are checked here.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog_template.h"
#include "harness/paths.h"

namespace e2e {
namespace {

const int kPortSelectTemplate = 139;
const int kPortTypeTemplate = 138;
const DWORD kNoId = 0xFFFFFFFF;  // -1 in an extended template

struct ExpectedControl {
    DWORD id;
    const char* className;
    DWORD typeMask, type;  // the control's kind bits
    DWORD set, clear;      // other style bits
    DWORD exSet;
    short x, y, cx, cy;
};

const DWORD kShownTab = WS_VISIBLE | WS_TABSTOP;

const ExpectedControl kPortSelectControls[] = {
    {kNoId, "Static", SS_TYPEMASK, SS_LEFT, WS_VISIBLE | WS_GROUP, 0, 0, 7, 7, 296, 26},
    {1021, "SysListView32", LVS_TYPEMASK, LVS_REPORT, LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | kShownTab, 0, 0,
     7, 35, 306, 100},
    {1008, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 183, 141, 60, 14},
    {1009, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 251, 141, 60, 14},
    {1010, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 127, 182, 55, 14},
    {1022, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 192, 182, 54, 14},
    {1023, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 254, 182, 56, 14},
    {1007, "msctls_trackbar32", TBS_VERT, TBS_HORZ, TBS_BOTH | WS_TABSTOP, WS_VISIBLE, WS_EX_CLIENTEDGE, 7, 150, 304,
     6},
    {1025, "msctls_progress32", 0, 0, WS_BORDER | WS_VISIBLE, 0, 0, 7, 163, 306, 11},
};

const ExpectedControl kPortTypeControls[] = {
    {1021, "SysListView32", LVS_TYPEMASK, LVS_REPORT, LVS_SINGLESEL | WS_BORDER | kShownTab, LVS_SHOWSELALWAYS, 0, 7,
     14, 240, 85},
    {1008, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 114, 108, 57, 14},
    {1009, "Button", BS_TYPEMASK, BS_PUSHBUTTON, kShownTab, 0, 0, 179, 108, 55, 14},
};

void ExpectControls(const DialogTemplate& dialog, const ExpectedControl* expected, size_t count) {
    ASSERT_EQ(count, dialog.controls.size()) << "controls in the template";
    for (size_t i = 0; i < count; ++i) {
        const ExpectedControl& want = expected[i];
        const TemplateControl& got = dialog.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(static_cast<int>(want.id)));
        EXPECT_EQ(want.id, got.id);
        // Window class names are case-insensitive; the resource compiler may store them upper-case.
        EXPECT_EQ(0, lstrcmpiA(want.className, got.className.c_str())) << want.className << " vs " << got.className;
        EXPECT_EQ(want.type, got.style & want.typeMask) << "kind bits of style " << std::hex << got.style;
        EXPECT_EQ(want.set, got.style & want.set) << "style " << std::hex << got.style;
        EXPECT_EQ(0u, got.style & want.clear) << "style " << std::hex << got.style;
        EXPECT_EQ(want.exSet, got.exStyle) << "extended style";
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
    }
}

void ExpectDialogFrame(const DialogTemplate& dialog, short cx, short cy) {
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(frame, dialog.style & frame) << "style " << std::hex << dialog.style;
    EXPECT_EQ(0u, dialog.exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(cx, dialog.cx);
    EXPECT_EQ(cy, dialog.cy);
    EXPECT_EQ(9, dialog.pointSize);
    EXPECT_TRUE(dialog.typeface == L"宋体") << "typeface";
}

TEST(PortTemplates, PortSelectionPageAsStored) {
    DialogTemplate dialog = ReadDialogTemplate(ProgramFromEnv("KORA_EXE"), kPortSelectTemplate);
    ASSERT_TRUE(dialog.found) << "template 139 not readable from KORA_EXE";
    EXPECT_TRUE(dialog.extended) << "an extended template";
    ExpectDialogFrame(dialog, 320, 210);
    EXPECT_EQ(0, dialog.weight);
    EXPECT_EQ(0, dialog.italic);
    EXPECT_EQ(1, dialog.charset);
    ExpectControls(dialog, kPortSelectControls, sizeof kPortSelectControls / sizeof kPortSelectControls[0]);
}

TEST(PortTemplates, PortTypeDialogAsStored) {
    DialogTemplate dialog = ReadDialogTemplate(ProgramFromEnv("KORA_EXE"), kPortTypeTemplate);
    ASSERT_TRUE(dialog.found) << "template 138 not readable from KORA_EXE";
    EXPECT_FALSE(dialog.extended) << "a plain template";
    ExpectDialogFrame(dialog, 254, 133);
    ExpectControls(dialog, kPortTypeControls, sizeof kPortTypeControls / sizeof kPortTypeControls[0]);
}

}  // namespace
}  // namespace e2e
