// Dialog initialisation data (resource type 240) applied by the base OnInitDialog.
#include <gtest/gtest.h>

#include <vector>

#include "box_reader.h"
#include "scripted_dialog.h"
#include "test_ids.h"

namespace {

using Items = std::vector<std::string>;

Items BoxItems(HWND dialog, int id) {
    char cls[32] = {};
    ::GetClassNameA(::GetDlgItem(dialog, id), cls, sizeof cls);
    bool isListBox = lstrcmpiA(cls, "ListBox") == 0;
    UINT countMessage = isListBox ? LB_GETCOUNT : CB_GETCOUNT;
    UINT textMessage = isListBox ? LB_GETTEXT : CB_GETLBTEXT;
    Items items;
    LRESULT count = ::SendDlgItemMessageA(dialog, id, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendDlgItemMessageA(dialog, id, textMessage, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// Counts the first box's entries around the base initialisation.
class CInitProbeDlg : public CScriptedDlg {
public:
    CInitProbeDlg(UINT templateId, Script script) : CScriptedDlg(templateId, std::move(script)) {}

    BOOL OnInitDialog() override {
        m_countBefore = ::SendDlgItemMessageA(m_hWnd, IDC_FIRST_BOX, CB_GETCOUNT, 0, 0);
        return CScriptedDlg::OnInitDialog();
    }

    LRESULT m_countBefore = -1;
};

struct BoxCase {
    const char* name;
    int id;
    Items expected;
};

TEST(DialogInitData, FillsTheBoxesInRecordOrderDuringBaseInit) {
    const BoxCase cases[] = {
        {"first combo: its three records in order", IDC_FIRST_BOX, {"9600", "2400", "115200"}},
        {"second combo: nothing after the zero id", IDC_SECOND_BOX, {"Odd"}},
        {"list box: the 16-bit LB_ADDSTRING", IDC_LIST_BOX, {"LPT1"}},
        {"a record without its zero is left out", IDC_NO_ZERO, {}},
    };
    std::vector<Items> seen;
    CInitProbeDlg dialog(IDD_DLGINIT, [&](CScriptedDlg& d) {
        for (const BoxCase& c : cases) seen.push_back(BoxItems(d.m_hWnd, c.id));
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.m_countBefore, 0) << "the boxes were filled before the base OnInitDialog";
    ASSERT_EQ(seen.size(), std::size(cases));
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], cases[i].expected) << cases[i].name;
}

// A page whose initialisation data cannot be read is not shown with boxes that miss
// entries: it ends with -1 after a message, having applied the records before the damaged
// one and no byte beyond the resource.
TEST(DialogInitData, DamagedDataEndsTheDialogAfterAMessage) {
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_DLGINIT_DAMAGED), MAKEINTRESOURCEA(240));
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(::SizeofResource(nullptr, found), 22u) << "the damaged record no longer overruns by one byte";

    Items seen;
    HWND window = nullptr;
    CScriptedDlg dialog(IDD_DLGINIT_DAMAGED, [&](CScriptedDlg& d) {
        window = d.m_hWnd;
        seen = BoxItems(d.m_hWnd, IDC_FIRST_BOX);
    });
    BoxReader reader;
    EXPECT_EQ(dialog.DoModal(), -1) << "the dialog carried on";
    const std::vector<ReadBox>& boxes = reader.Finish();
    EXPECT_EQ(seen, Items({"ab"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "程序文件已损坏：无法读取此页面的初始数据，此页面无法打开。");
    EXPECT_EQ(boxes[0].owner, window);
}

}  // namespace
