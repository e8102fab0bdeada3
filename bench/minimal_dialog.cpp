// The least a dialog program does: one modal dialog from its template, nothing else. Built a
// second time with BENCH_COMMON_CONTROLS: then it first loads the common controls as KORA.exe
// must before its first page, whose template holds a trackbar.
#include <windows.h>
#ifdef BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include "minimal_dialog.h"

namespace {

INT_PTR CALLBACK MinimalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef BENCH_COMMON_CONTROLS
    // KORA.exe's classes, loaded the way it loads them: by name, at run time.
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    if (init == nullptr || !init(&classes)) return -1;
#endif
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL_DIALOG), nullptr, &MinimalDialogProc, 0));
}
