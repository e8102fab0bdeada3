// Modal dialogs: DoModal runs the template given at construction; the dialog procedure finds
// the object through DWLP_USER and routes every message through the object's message map.
#pragma once

#include <vector>

#include "framework/data_exchange.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended, -1 when it could not be created or was given up
    // (see Abandon). Without a parent the dialog is owned by AfxGetModalOwner(), which is
    // disabled while it runs.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // The window of the innermost dialog whose DoModal runs and that has not ended; nullptr
    // when there is none. The program's pages all run on its one user-interface thread.
    static HWND InnermostModalWindow();

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void BindControl(CWnd& control);  // used by DDX_Control

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Fills controls from the template's dialog initialisation data (resource type 240).
    BOOL ExecuteDlgInit(UINT templateId);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WPARAM wParam, LPARAM lParam);
    void DetachAll();
    void RestoreOwner();  // the owner's enabled state as it was before DoModal
    void Abandon(const char* why);

    static CDialog* s_innermostModal;

    std::vector<CWnd*> m_boundControls;
    HWND m_modalOwner = nullptr;      // while DoModal runs
    CDialog* m_outerModal = nullptr;  // the dialog running beneath this one, while DoModal runs
    bool m_ownerWasEnabled = false;
    bool m_ended = false;      // EndDialog was called
    bool m_abandoned = false;  // ends with -1, and no handler of it runs any more
};
