// Routing through message maps and DoModal's result, in a real modal loop.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <new>

#include "box_reader.h"
#include "scripted_dialog.h"
#include "test_app.h"
#include "test_ids.h"

namespace {

void Record(const std::string& call) { CallLog().push_back(call); }

class CProbeBaseDlg : public CScriptedDlg {
public:
    using CScriptedDlg::CScriptedDlg;

protected:
    void OnSharedInBase() { Record("base:shared"); }
    void OnBaseOnly() { Record("base:base-only"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeBaseDlg, CScriptedDlg)
    ON_BN_CLICKED(IDC_SHARED, OnSharedInBase)
    ON_BN_CLICKED(IDC_BASE_ONLY, OnBaseOnly)
END_MESSAGE_MAP()

class CProbeDlg : public CProbeBaseDlg {
public:
    CProbeDlg(Script script, bool passSysCommand)
        : CProbeBaseDlg(IDD_PROBE, std::move(script)), m_passSysCommand(passSysCommand) {}

    void OnOK() override {
        Record("OnOK");
        CProbeBaseDlg::OnOK();
    }
    void OnCancel() override {
        Record("OnCancel");
        CProbeBaseDlg::OnCancel();
    }

    HICON m_dragIcon = ::LoadIconA(nullptr, IDI_ASTERISK);

protected:
    void OnButton() { Record("derived:button"); }
    void OnComboChange() { Record("derived:combo-selchange"); }
    void OnSharedInDerived() { Record("derived:shared"); }
    void OnSysCommand(UINT id, LPARAM) {
        char word[16];
        std::snprintf(word, sizeof word, "sys:%04X", id);
        Record(word);
        if (m_passSysCommand) Default();
    }
    HCURSOR OnQueryDragIcon() {
        Record("query-drag-icon");
        return m_dragIcon;
    }

    DECLARE_MESSAGE_MAP()

private:
    bool m_passSysCommand;
};

BEGIN_MESSAGE_MAP(CProbeDlg, CProbeBaseDlg)
    ON_BN_CLICKED(IDC_BUTTON, OnButton)
    ON_CBN_SELCHANGE(IDC_COMBO, OnComboChange)
    ON_BN_CLICKED(IDC_SHARED, OnSharedInDerived)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

constexpr INT_PTR kTimer = CScriptedDlg::kEndedByTimer;
constexpr UINT kNoCommand = 0;

struct RouteCase {
    const char* name;
    UINT commandId;  // posted as WM_COMMAND with `code`, unless kNoCommand
    UINT code;
    WPARAM sysCommand;  // posted as WM_SYSCOMMAND when not 0
    bool passSysCommand;
    const char* expectedCalls;
    INT_PTR expectedResult;
};

const RouteCase kRouteCases[] = {
    {"button click reaches the derived map", IDC_BUTTON, BN_CLICKED, 0, false, "derived:button", kTimer},
    {"combo selection change", IDC_COMBO, CBN_SELCHANGE, 0, false, "derived:combo-selchange", kTimer},
    {"another combo notification is not a selection change", IDC_COMBO, CBN_DROPDOWN, 0, false, "", kTimer},
    {"the derived entry wins over the base's", IDC_SHARED, BN_CLICKED, 0, false, "derived:shared", kTimer},
    {"the base's own entry still works", IDC_BASE_ONLY, BN_CLICKED, 0, false, "base:base-only", kTimer},
    {"a command no window binds reaches the application", IDC_APP_CMD, BN_CLICKED, 0, false, "app:command", kTimer},
    {"unbound IDOK runs OnOK", IDOK, BN_CLICKED, 0, false, "OnOK", IDOK},
    {"unbound IDCANCEL runs OnCancel", IDCANCEL, BN_CLICKED, 0, false, "OnCancel", IDCANCEL},
    {"IDOK with another notification is no click", IDOK, BN_DOUBLECLICKED, 0, false, "", kTimer},
    {"system command handled and kept", kNoCommand, 0, SC_CLOSE, false, "sys:F060", kTimer},
    {"system command passed on closes as Cancel", kNoCommand, 0, SC_CLOSE, true, "sys:F060 OnCancel", IDCANCEL},
    {"the program's own system-menu id", kNoCommand, 0, 0x0010, false, "sys:0010", kTimer},
};

TEST(MessageMap, RoutesEachMessageToItsHandler) {
    for (const RouteCase& c : kRouteCases) {
        CallLog().clear();
        CProbeDlg dialog(
            [&c](CScriptedDlg& d) {
                if (c.commandId != kNoCommand) d.PostCommand(c.commandId, c.code);
                if (c.sysCommand != 0) d.Post(WM_SYSCOMMAND, c.sysCommand, 0);
            },
            c.passSysCommand);
        INT_PTR result = dialog.DoModal();
        EXPECT_EQ(JoinedCalls(), c.expectedCalls) << c.name;
        EXPECT_EQ(result, c.expectedResult) << c.name;
    }
}

TEST(MessageMap, QueryDragIconReturnsTheHandlersIcon) {
    CallLog().clear();
    LRESULT answer = 0;
    CProbeDlg dialog([&answer](CScriptedDlg& d) { answer = ::SendMessageA(d.m_hWnd, WM_QUERYDRAGICON, 0, 0); }, false);
    ASSERT_NE(dialog.m_dragIcon, nullptr);
    dialog.DoModal();
    EXPECT_EQ(JoinedCalls(), "query-drag-icon");
    EXPECT_EQ(reinterpret_cast<HICON>(answer), dialog.m_dragIcon);
}

struct ModalCase {
    const char* name;
    UINT templateId;
    int endWith;
    INT_PTR expectedResult;
    bool scriptRuns;
};

const ModalCase kModalCases[] = {
    {"EndDialog's value comes back", IDD_PROBE, 1234, 1234, true},
    {"EndDialog with zero", IDD_PROBE, 0, 0, true},
    {"a template that does not exist", IDD_MISSING, 1234, -1, false},
};

TEST(DoModal, ReturnsTheEndValueOrMinusOne) {
    for (const ModalCase& c : kModalCases) {
        CScriptedDlg dialog(c.templateId, [&c](CScriptedDlg& d) { d.EndDialog(c.endWith); });
        EXPECT_EQ(dialog.DoModal(), c.expectedResult) << c.name;
        EXPECT_EQ(dialog.m_scriptRan, c.scriptRuns) << c.name;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.name;
    }
}

// What the user is told when a handler threw.
const char kInternalErrorText[] = "由于内部错误（可能是内存不足），操作未能完成，此页面已关闭。";

// Handlers that throw, one that runs a test's step, and one that only says it ran.
class CThrowingDlg : public CScriptedDlg {
public:
    using Step = std::function<void(CThrowingDlg&)>;
    CThrowingDlg(Script script, bool throwInInit, Step onStep = nullptr)
        : CScriptedDlg(IDD_PROBE, std::move(script)), m_throwInInit(throwInInit), m_onStep(std::move(onStep)) {}

    BOOL OnInitDialog() override {
        m_window = m_hWnd;
        if (m_throwInInit) {
            Record("init-throws");
            throw std::bad_alloc();
        }
        return CScriptedDlg::OnInitDialog();
    }
    void OnOK() override {
        Record("OnOK");
        CScriptedDlg::OnOK();
    }

    CWnd m_combo;
    HWND m_window = nullptr;  // kept after the dialog has ended

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_COMBO, m_combo); }
    void OnBadAlloc() {
        Record("bad_alloc");
        throw std::bad_alloc();
    }
    void OnThrowInt() {
        Record("int");
        throw 42;
    }
    void OnStep() {
        Record("step");
        if (m_onStep) m_onStep(*this);
    }
    void OnLater() { Record("later"); }

    DECLARE_MESSAGE_MAP()

private:
    bool m_throwInInit;
    Step m_onStep;
};

BEGIN_MESSAGE_MAP(CThrowingDlg, CScriptedDlg)
    ON_BN_CLICKED(IDC_BUTTON, OnBadAlloc)
    ON_BN_CLICKED(IDC_BASE_ONLY, OnThrowInt)
    ON_BN_CLICKED(IDC_SHARED, OnStep)
    ON_BN_CLICKED(IDC_APP_CMD, OnLater)
END_MESSAGE_MAP()

struct ThrowCase {
    const char* name;
    bool throwInInit;
    UINT command;  // posted first; then "later" and OK, which must not run
    const char* expectedCalls;
};

const ThrowCase kThrowCases[] = {
    {"std::bad_alloc in a command handler", false, IDC_BUTTON, "bad_alloc"},
    {"an exception of any other type", false, IDC_BASE_ONLY, "int"},
    {"std::bad_alloc in OnInitDialog", true, kNoCommand, "init-throws"},
};

// The dialog ends with -1 after one message that says what happened, owned by the dialog
// (shown or not yet); none of its handlers runs after the throw, and its controls are let go.
TEST(SafetyNet, AThrowingHandlerEndsItsDialogAfterAMessage) {
    for (const ThrowCase& c : kThrowCases) {
        CallLog().clear();
        CThrowingDlg dialog(
            [&c](CScriptedDlg& d) {
                d.PostCommand(c.command, BN_CLICKED);
                d.PostCommand(IDC_APP_CMD, BN_CLICKED);
                d.PostCommand(IDOK, BN_CLICKED);
            },
            c.throwInInit);
        BoxReader reader;
        INT_PTR result = dialog.DoModal();
        std::vector<ReadBox> boxes = reader.Finish();
        EXPECT_EQ(result, -1) << c.name;
        EXPECT_EQ(JoinedCalls(), c.expectedCalls) << c.name;
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].text, kInternalErrorText) << c.name;
        EXPECT_NE(dialog.m_window, nullptr) << c.name;
        EXPECT_EQ(boxes[0].owner, dialog.m_window) << c.name;
        EXPECT_FALSE(boxes[0].ownerEnabled) << c.name;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.name;
        EXPECT_EQ(dialog.m_combo.m_hWnd, nullptr) << c.name;
    }
}

// A dialog runs another from a handler. When the inner one's handler throws, only it ends;
// when the outer one's handler throws while the inner one is open, both end with -1, and
// the outer one keeps -1 although its handler asks for IDOK once the inner one returned.
TEST(SafetyNet, NestedDialogsEndWithThePageWhoseHandlerThrew) {
    struct Case {
        const char* name;
        bool outerThrows;
        const char* expectedCalls;
        INT_PTR expectedOuterResult;
    };
    const Case cases[] = {
        {"the inner dialog's handler throws", false, "step bad_alloc inner:-1", IDOK},
        {"the outer dialog's handler throws", true, "step bad_alloc inner:-1", -1},
    };
    for (const Case& c : cases) {
        CallLog().clear();
        auto openInner = [&c](CThrowingDlg& outer) {
            HWND target = outer.m_hWnd;
            CThrowingDlg inner(
                [&c, target](CScriptedDlg& d) {
                    HWND to = c.outerThrows ? target : d.m_hWnd;
                    ::PostMessageA(to, WM_COMMAND, MAKEWPARAM(IDC_BUTTON, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(to, IDC_BUTTON)));
                },
                false);
            Record("inner:" + std::to_string(inner.DoModal()));
            outer.EndDialog(IDOK);
        };
        CThrowingDlg outer([](CScriptedDlg& d) { d.PostCommand(IDC_SHARED, BN_CLICKED); }, false, openInner);
        BoxReader reader;
        INT_PTR result = outer.DoModal();
        std::vector<ReadBox> boxes = reader.Finish();
        EXPECT_EQ(JoinedCalls(), c.expectedCalls) << c.name;
        EXPECT_EQ(result, c.expectedOuterResult) << c.name;
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].text, kInternalErrorText) << c.name;
    }
}

}  // namespace
