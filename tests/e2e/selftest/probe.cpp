// A small dialog program the harness is tested against, independent of KORA.exe.
// Exit code: the dialog's result (1 OK, 2 Cancel). It reports what it saw through
// OutputDebugStringA, one line per event.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <initializer_list>

#include "probe_ids.h"

namespace {

void FillCombo(HWND dialog) {
    for (const char* text : {"甲", "乙", "丙"})
        SendDlgItemMessageA(dialog, IDC_PROBE_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, IDC_PROBE_COMBO, CB_SETCURSEL, 1, 0);
}

void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PROBE_LIST);
    const char* headings[] = {"名称", "说明"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(headings[i]);
        column.cx = 80 + 20 * i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {{"LPT1:", "本地端口"}, {"COM1:", "串口"}, {"FILE:", "文件"}};
    for (int row = 0; row < 3; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(rows[row][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[row][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void ReportVersion() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    char line[64];
    std::snprintf(line, sizeof line, "version %lu %lu.%lu\n", version.dwPlatformId, version.dwMajorVersion,
                  version.dwMinorVersion);
    OutputDebugStringA(line);
}

void OnInit(HWND dialog) {
    FillCombo(dialog);
    FillList(dialog);
    SendDlgItemMessageA(dialog, IDC_PROBE_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendDlgItemMessageA(dialog, IDC_PROBE_PROGRESS, PBM_SETPOS, 40, 0);
    AppendMenuA(GetSystemMenu(dialog, FALSE), MF_STRING, IDM_PROBE_ABOUT, "关于探针(&A)...");
    OutputDebugStringA("init\n");
    ReportVersion();
}

void ReportSelection(HWND dialog) {
    char line[64];
    std::snprintf(line, sizeof line, "combo %d\n",
                  static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROBE_COMBO, CB_GETCURSEL, 0, 0)));
    OutputDebugStringA(line);
}

INT_PTR OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        OutputDebugStringA(id == IDOK ? "ok\n" : "cancel\n");
        EndDialog(dialog, id);
        return TRUE;
    case IDC_PROBE_HANG: Sleep(INFINITE); return TRUE;
    case IDC_PROBE_COMBO:
        if (code == CBN_SELCHANGE) ReportSelection(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ProbeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_PROBE_ABOUT) {
            MessageBoxA(dialog, "探针 1.0", "关于", MB_OK | MB_ICONEXCLAMATION);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROBE), nullptr, ProbeProc, 0));
}
