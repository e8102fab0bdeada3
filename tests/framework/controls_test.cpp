// DDX_Control binding, detaching when the dialog closes, and the list view's cell texts.
#include <gtest/gtest.h>

#include "framework/controls.h"
#include "handle_reuse.h"
#include "scripted_dialog.h"
#include "test_ids.h"

namespace {

class CControlsDlg : public CScriptedDlg {
public:
    explicit CControlsDlg(Script script) : CScriptedDlg(IDD_CONTROLS, std::move(script)) {}

    CProgressCtrl m_progress;
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_LIST, m_list);
    }
};

struct Bound {
    HWND progress = nullptr;
    HWND list = nullptr;
    HWND progressWrapped = nullptr;
    HWND listWrapped = nullptr;
};

class ControlBinding : public testing::Test {
protected:
    CControlsDlg dialog{[this](CScriptedDlg& d) {
        auto& self = static_cast<CControlsDlg&>(d);
        seen.progress = d.GetDlgItem(IDC_PROGRESS);
        seen.list = d.GetDlgItem(IDC_LIST);
        seen.progressWrapped = self.m_progress.m_hWnd;
        seen.listWrapped = self.m_list.m_hWnd;
        self.m_progress.SetRange(0, 100);
        self.m_progress.SetPos(40);
        progressPos = ::SendMessageA(seen.progress, PBM_GETPOS, 0, 0);
        self.m_list.InsertColumn(0, "端口", LVCFMT_LEFT);
        self.m_list.InsertItem(0, "LPT1:");
        listCount = ::SendMessageA(seen.list, LVM_GETITEMCOUNT, 0, 0);
    }};
    Bound seen;
    LRESULT progressPos = -1;
    LRESULT listCount = -1;
};

TEST_F(ControlBinding, BindsTheWrappersWhileTheDialogIsOpen) {
    dialog.DoModal();
    ASSERT_NE(seen.progress, nullptr);
    ASSERT_NE(seen.list, nullptr);
    EXPECT_EQ(seen.progressWrapped, seen.progress);
    EXPECT_EQ(seen.listWrapped, seen.list);
    EXPECT_EQ(progressPos, 40);
    EXPECT_EQ(listCount, 1);
}

TEST_F(ControlBinding, DetachesWhenTheDialogCloses) {
    dialog.DoModal();
    EXPECT_EQ(dialog.m_progress.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_list.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_progress.SetPos(10), 0);
    EXPECT_EQ(dialog.m_list.GetItemCount(), 0);
    EXPECT_EQ(dialog.m_list.GetItemText(0, 0), "");
}

TEST_F(ControlBinding, RunningAgainBindsToTheNewControls) {
    dialog.DoModal();
    HWND firstProgress = seen.progress;
    seen = Bound();
    progressPos = -1;
    dialog.DoModal();
    ASSERT_NE(seen.progress, nullptr);
    EXPECT_EQ(seen.progressWrapped, seen.progress);
    EXPECT_EQ(seen.listWrapped, seen.list);
    EXPECT_EQ(progressPos, 40) << "second run, old progress handle " << firstProgress;
}

// The old handles, given to new windows of the same kinds, are never reached through
// the closed dialog's wrappers.
TEST_F(ControlBinding, ClosedWrappersNeverReachAWindowWithTheOldHandle) {
    dialog.DoModal();
    HWND progress = CreateWindowWithHandle(seen.progress, PROGRESS_CLASSA);
    ASSERT_NE(progress, nullptr) << "no progress bar got the old handle " << seen.progress;
    HWND list = CreateWindowWithHandle(seen.list, WC_LISTVIEWA);
    ASSERT_NE(list, nullptr) << "no list view got the old handle " << seen.list;
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>("其他");
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("其他窗口");
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));

    EXPECT_EQ(dialog.m_progress.SetPos(77), 0);
    EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 0) << "the old wrapper moved another progress bar";
    EXPECT_EQ(dialog.m_list.GetItemCount(), 0);
    EXPECT_EQ(dialog.m_list.GetItemText(0, 0), "");
    dialog.m_list.InsertItem(1, "不该出现");
    EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1) << "the old wrapper added a row to another list";
    ::DestroyWindow(progress);
    ::DestroyWindow(list);
}

std::string Pattern(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return text;
}

std::string Repeated(const char* piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

struct CellCase {
    const char* name;
    std::string text;
};

TEST(ListCtrl, GetItemTextReturnsTheWholeCell) {
    // Lengths around the first buffer (256 bytes) and its doublings.
    const CellCase cases[] = {
        {"empty", ""},
        {"one character", "x"},
        {"254 characters", Pattern(254)},
        {"255 characters", Pattern(255)},
        {"256 characters", Pattern(256)},
        {"511 characters", Pattern(511)},
        {"1000 characters", Pattern(1000)},
        {"600 Chinese characters (1200 GBK bytes)", Repeated("端口", 300)},
    };
    std::vector<std::string> column0, column1;
    CControlsDlg dialog([&](CScriptedDlg& d) {
        CListCtrl& list = static_cast<CControlsDlg&>(d).m_list;
        list.InsertColumn(0, "名称", LVCFMT_LEFT);
        list.InsertColumn(1, "说明", LVCFMT_LEFT);
        for (const CellCase& c : cases) {
            list.InsertItem(0, c.text.c_str());
            list.SetItemText(0, 1, c.text.c_str());
            column0.push_back(list.GetItemText(0, 0));
            column1.push_back(list.GetItemText(0, 1));
            list.DeleteAllItems();
        }
    });
    dialog.DoModal();
    ASSERT_EQ(column0.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(column0[i], cases[i].text) << cases[i].name << ", item text";
        EXPECT_EQ(column1[i], cases[i].text) << cases[i].name << ", subitem text";
    }
}

}  // namespace
