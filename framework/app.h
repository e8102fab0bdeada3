// The application object. The entry point calls InitInstance; when that returns false the
// program ends without a message loop, as a wizard of modal dialogs does.
#pragma once

#include <string>

#include "framework/cmd_target.h"

constexpr UINT ID_HELP = 57670;  // 0xE146, the standard Help command

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // The program file's name without its extension; the caption of every message box.
    const char* m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;

    HICON LoadIcon(UINT id) const;
    void StartUp(HINSTANCE instance);

protected:
    void OnHelp();
    // Keeps the name of the start-up call it stands for, but draws nothing in 3-D: it
    // registers the common-control classes the templates use (list view, progress bar,
    // track bar), without which those dialogs cannot be created.
    BOOL Enable3dControlsStatic();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_appName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
void AfxEnableControlContainer();

// The top-level window that `window` belongs to; nullptr for nullptr.
HWND AfxTopLevelWindow(HWND window);
// The owner of a dialog or message box made without a parent: the innermost page that the
// program runs, even while the user works in another program; nullptr when no page runs
// (the first page, and a page opened after the one before it has closed).
HWND AfxGetModalOwner();

// A message box owned by AfxGetModalOwner(), with the application's title as its caption;
// an OK box gets the exclamation icon.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
