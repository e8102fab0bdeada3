#include "framework/app.h"

#include <commctrl.h>

#include "framework/dialog.h"
#include "framework/system_library.h"

namespace {
CWinApp* g_app = nullptr;

// Windows 2000 and XP do not terminate a path cut short at the buffer's size, so only a
// length below the size is a whole path.
std::string ModulePath(HINSTANCE instance) {
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string path(size, '\0');
        DWORD length = ::GetModuleFileNameA(instance, &path[0], size);
        if (length == 0) break;
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::string();
}

std::string FileTitle(HINSTANCE instance) {
    std::string name = ModulePath(instance);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

void CWinApp::StartUp(HINSTANCE instance) {
    m_hInstance = instance;
    m_appName = FileTitle(instance);
    m_pszAppName = m_appName.c_str();
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id)); }

// The program ships no help file, so the standard Help command has nothing to open.
void CWinApp::OnHelp() {}

BOOL CWinApp::Enable3dControlsStatic() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = SystemProc<InitFn>("comctl32.dll", "InitCommonControlsEx");
    if (init == nullptr) return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    return init(&icc);
}

// Empty: the application class binds the Help command itself.
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() { return g_app; }

HWND AfxTopLevelWindow(HWND window) { return window ? ::GetAncestor(window, GA_ROOT) : nullptr; }

HWND AfxGetModalOwner() { return AfxTopLevelWindow(CDialog::InnermostModalWindow()); }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }

// Pages host no ActiveX controls; kept so start-up reads as the wizard always has.
void AfxEnableControlContainer() {}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/) {
    if ((type & MB_ICONMASK) == 0 && ((type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_OKCANCEL))
        type |= MB_ICONEXCLAMATION;
    CWinApp* app = AfxGetApp();
    const char* caption = app && app->m_pszAppName ? app->m_pszAppName : nullptr;
    return ::MessageBoxA(AfxGetModalOwner(), text, caption, type);
}
