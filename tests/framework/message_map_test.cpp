// Routing through message maps and DoModal's result, in a real modal loop.
#include <gtest/gtest.h>

#include <cstdio>

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
    UINT commandId;   // posted as WM_COMMAND with `code`, unless kNoCommand
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
    {"a command no window binds reaches the application", IDC_APP_CMD, BN_CLICKED, 0, false, "app:command",
     kTimer},
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
    CProbeDlg dialog([&answer](CScriptedDlg& d) { answer = ::SendMessageA(d.m_hWnd, WM_QUERYDRAGICON, 0, 0); },
                     false);
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

}  // namespace
