#include "framework/dialog.h"

#include <algorithm>

#include "framework/app.h"

namespace {
const char kInternalErrorText[] = "由于内部错误（可能是内存不足），操作未能完成，此页面已关闭。";
const char kDamagedInitDataText[] = "程序文件已损坏：无法读取此页面的初始数据，此页面无法打开。";
}  // namespace

CDialog* CDialog::s_innermostModal = nullptr;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() { DetachAll(); }

// A dialog made without a parent is owned by the page running beneath it, which takes no
// input while the dialog runs: the framework disables it (when it was enabled)
// and enables it again as the dialog ends, before the dialog is hidden, so activation
// returns to it and not to another program.
INT_PTR CDialog::DoModal() {
    m_modalOwner = m_pParentWnd ? AfxTopLevelWindow(m_pParentWnd->m_hWnd) : AfxGetModalOwner();
    m_ownerWasEnabled = m_modalOwner && ::IsWindowEnabled(m_modalOwner);
    if (m_ownerWasEnabled) ::EnableWindow(m_modalOwner, FALSE);
    m_ended = false;
    m_abandoned = false;
    m_outerModal = s_innermostModal;
    s_innermostModal = this;
    INT_PTR result = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), m_modalOwner,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    s_innermostModal = m_outerModal;
    m_outerModal = nullptr;
    RestoreOwner();
    m_modalOwner = nullptr;
    DetachAll();
    return result;
}

void CDialog::EndDialog(int result) {
    if (!m_hWnd) return;
    if (m_abandoned) result = -1;
    m_ended = true;
    RestoreOwner();
    ::EndDialog(m_hWnd, result);
    // Wine's EndDialog enables the owner even when it was disabled before the dialog ran.
    RestoreOwner();
}

void CDialog::RestoreOwner() {
    if (m_modalOwner) ::EnableWindow(m_modalOwner, m_ownerWasEnabled);
}

// Whether a dialog has been shown yet does not matter: one opened before the modal loop
// first shows its owner still blocks it. An ended dialog is hidden and owns nothing. The
// system's active window is no help here: it is nullptr once the user has switched to
// another program.
HWND CDialog::InnermostModalWindow() {
    for (CDialog* dialog = s_innermostModal; dialog; dialog = dialog->m_outerModal)
        if (dialog->m_hWnd && !dialog->m_ended) return dialog->m_hWnd;
    return nullptr;
}

// A handler that threw left the page in a state no later handler can trust, and a page
// whose initialisation data cannot be read would show boxes with entries missing. The user
// is told what happened, and the page ends with -1 together with every dialog still open
// on top of it (their callers are this page's code, which sees -1 when they return).
void CDialog::Abandon(const char* why) {
    if (m_abandoned) return;
    for (CDialog* dialog = s_innermostModal; dialog && dialog != this; dialog = dialog->m_outerModal)
        dialog->m_abandoned = true;
    m_abandoned = true;
    AfxMessageBox(why, MB_OK);
    for (CDialog* dialog = s_innermostModal; dialog && dialog != this; dialog = dialog->m_outerModal)
        dialog->EndDialog(-1);
    EndDialog(-1);
}

// The controls are bound in any case, so that a page's own initialisation after this one
// works on its controls until the dialog has ended.
BOOL CDialog::OnInitDialog() {
    if (!ExecuteDlgInit(m_nIDTemplate)) Abandon(kDamagedInitDataText);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// Binding is the same both ways: the pages keep no values in members.
BOOL CDialog::UpdateData(BOOL) {
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::BindControl(CWnd& control) {
    if (std::find(m_boundControls.begin(), m_boundControls.end(), &control) == m_boundControls.end())
        m_boundControls.push_back(&control);
}

// Once the window is gone its handle may name another window: no wrapper may keep it.
void CDialog::DetachAll() {
    for (CWnd* control : m_boundControls) control->Detach();
    m_boundControls.clear();
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        dialog->m_hWnd = hWnd;
    } else {
        dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    if (dialog == nullptr) return FALSE;
    // A dialog ended by the system's EndDialog alone still gives its owner back.
    if (message == WM_DESTROY) dialog->RestoreOwner();
    INT_PTR handled = FALSE;
    if (!dialog->m_abandoned) {
        bool threw = false;
        try {
            handled = dialog->HandleMessage(message, wParam, lParam);
        } catch (...) {
            // Nothing may unwind through the system's dialog manager. The exception (a
            // std::bad_alloc's memory, say) is gone before the user is told.
            threw = true;
        }
        if (threw) dialog->Abandon(kInternalErrorText);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        dialog->DetachAll();
    }
    return handled;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return HandleCommand(wParam, lParam);
    default: {
        LRESULT result = 0;
        if (!OnCmdMsg(message, 0, 0, wParam, lParam, &result)) return FALSE;
        if (TakeDefaultRequest()) return FALSE;
        if (message == WM_QUERYDRAGICON) return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

bool CDialog::HandleCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    LRESULT result = 0;
    if (OnCmdMsg(WM_COMMAND, code, id, wParam, lParam, &result)) return true;
    // Enter and Esc (and the close box, through the system) arrive as IDOK and IDCANCEL.
    if (id == IDOK && code == BN_CLICKED) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL && code == BN_CLICKED) {
        OnCancel();
        return true;
    }
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(WM_COMMAND, code, id, wParam, lParam, &result);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) control.Attach(pDX->m_pDlgWnd->GetDlgItem(id));
    pDX->m_pDlgWnd->BindControl(control);
}
