#include "scripted_dialog.h"

namespace {
constexpr UINT_PTR kEndTimer = 0x7E57;
constexpr UINT kEndDelayMs = 100;
}  // namespace

CScriptedDlg::CScriptedDlg(UINT templateId, Script script) : CDialog(templateId), m_script(std::move(script)) {}

BOOL CScriptedDlg::OnInitDialog() {
    BOOL result = CDialog::OnInitDialog();
    m_scriptRan = true;
    ::SetTimer(m_hWnd, kEndTimer, kEndDelayMs, &CScriptedDlg::EndByTimer);
    if (m_script) m_script(*this);
    return result;
}

void CScriptedDlg::Post(UINT message, WPARAM wParam, LPARAM lParam) { ::PostMessageA(m_hWnd, message, wParam, lParam); }

// As a control notifies its dialog: the control's handle goes with the command.
void CScriptedDlg::PostCommand(UINT id, UINT code) {
    Post(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(static_cast<int>(id))));
}

void CALLBACK CScriptedDlg::EndByTimer(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(hWnd, id);
    ::EndDialog(hWnd, kEndedByTimer);
}

std::vector<std::string>& CallLog() {
    static std::vector<std::string> calls;
    return calls;
}

std::string JoinedCalls() {
    std::string joined;
    for (const std::string& call : CallLog()) joined += (joined.empty() ? "" : " ") + call;
    return joined;
}
