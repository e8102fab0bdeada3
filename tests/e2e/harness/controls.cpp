#include "harness/controls.h"

#include <commctrl.h>

#include "harness/remote_buffer.h"

namespace e2e {
namespace {

const int kTextCapacity = 1024;
const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

std::string WideToAnsi(const std::wstring& wide) {
    if (wide.empty()) return "";
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr, nullptr);
    return text;
}

int SendInt(const Dialog& dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    HWND control = dialog.Control(id);
    if (!control) return -1;
    bool failed = false;
    LRESULT result = SendWithTimeout(control, message, wParam, lParam, &failed);
    return failed ? -1 : static_cast<int>(result);
}

bool SetItemState(HWND listView, int row, UINT state, UINT mask) {
    RemoteBuffer remote(listView, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    if (!remote.Write(0, &item, sizeof item)) return false;
    return SendWithTimeout(listView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote.At())) != 0;
}

}  // namespace

int ComboCount(const Dialog& dialog, int id) { return SendInt(dialog, id, CB_GETCOUNT); }
int ComboSelection(const Dialog& dialog, int id) { return SendInt(dialog, id, CB_GETCURSEL); }

// Across processes Wine hands CB_GETLBTEXT back as UTF-16 even to the A call, so ask
// with the W messages and convert to the ANSI code page.
std::vector<std::string> ComboItems(const Dialog& dialog, int id) {
    std::vector<std::string> items;
    HWND combo = dialog.Control(id);
    int count = ComboCount(dialog, id);
    for (int row = 0; row < count; ++row) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, row, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &copied);
        text.resize(copied == static_cast<DWORD_PTR>(CB_ERR) ? 0 : copied);
        items.push_back(WideToAnsi(text));
    }
    return items;
}

bool SelectComboRow(const Dialog& dialog, int id, int row) {
    HWND combo = dialog.Control(id);
    if (!combo || SendInt(dialog, id, CB_SETCURSEL, row) != row) return false;
    bool failed = false;
    SendWithTimeout(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
                    &failed);
    return !failed;
}

int ListViewCount(const Dialog& dialog, int id) { return SendInt(dialog, id, LVM_GETITEMCOUNT); }

std::string ListViewText(const Dialog& dialog, int id, int row, int column) {
    HWND listView = dialog.Control(id);
    if (!listView) return "";
    RemoteBuffer remote(listView, sizeof(LVITEMA) + kTextCapacity);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote.At(sizeof item));
    item.cchTextMax = kTextCapacity;
    if (!remote.Write(0, &item, sizeof item)) return "";
    int length =
        static_cast<int>(SendWithTimeout(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.At())));
    if (length <= 0) return "";
    std::string text(length, '\0');
    return remote.Read(sizeof item, &text[0], length) ? text : "";
}

std::string ListViewHeading(const Dialog& dialog, int id, int column) {
    HWND listView = dialog.Control(id);
    if (!listView) return "";
    RemoteBuffer remote(listView, sizeof(LVCOLUMNA) + kTextCapacity);
    LVCOLUMNA heading = {};
    heading.mask = LVCF_TEXT;
    heading.pszText = static_cast<char*>(remote.At(sizeof heading));
    heading.cchTextMax = kTextCapacity;
    char text[kTextCapacity] = "";
    if (!remote.Write(0, &heading, sizeof heading) || !remote.Write(sizeof heading, text, 1)) return "";
    if (!SendWithTimeout(listView, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(remote.At()))) return "";
    if (!remote.Read(sizeof heading, text, sizeof text)) return "";
    text[sizeof text - 1] = '\0';
    return text;
}

int ListViewColumnWidth(const Dialog& dialog, int id, int column) {
    return SendInt(dialog, id, LVM_GETCOLUMNWIDTH, column);
}

UINT ListViewItemState(const Dialog& dialog, int id, int row, UINT mask) {
    return static_cast<UINT>(SendInt(dialog, id, LVM_GETITEMSTATE, row, mask));
}

DWORD ListViewExtendedStyle(const Dialog& dialog, int id) {
    return static_cast<DWORD>(SendInt(dialog, id, LVM_GETEXTENDEDLISTVIEWSTYLE));
}

std::vector<std::string> ListViewColumnTexts(const Dialog& dialog, int id, int column) {
    std::vector<std::string> texts;
    int count = ListViewCount(dialog, id);
    for (int row = 0; row < count; ++row) texts.push_back(ListViewText(dialog, id, row, column));
    return texts;
}

int ListViewColumnCount(const Dialog& dialog, int id) {
    HWND listView = dialog.Control(id);
    if (!listView) return -1;
    HWND header = reinterpret_cast<HWND>(SendWithTimeout(listView, LVM_GETHEADER, 0, 0));
    if (!header) return -1;
    bool failed = false;
    LRESULT count = SendWithTimeout(header, HDM_GETITEMCOUNT, 0, 0, &failed);
    return failed ? -1 : static_cast<int>(count);
}

bool SelectListViewRow(const Dialog& dialog, int id, int row) {
    HWND listView = dialog.Control(id);
    if (!listView) return false;
    return SetItemState(listView, -1, 0, kSelectedAndFocused) &&
           SetItemState(listView, row, kSelectedAndFocused, kSelectedAndFocused);
}

// Row -1 stands for every row; the result is read back row by row.
bool ClearListViewSelection(const Dialog& dialog, int id) {
    HWND listView = dialog.Control(id);
    if (!listView) return false;
    SetItemState(listView, -1, 0, kSelectedAndFocused);
    int count = ListViewCount(dialog, id);
    for (int row = 0; row < count; ++row) {
        if (ListViewItemState(dialog, id, row, LVIS_SELECTED) != 0) return false;
    }
    return true;
}

int ProgressPosition(const Dialog& dialog, int id) { return SendInt(dialog, id, PBM_GETPOS); }

void ProgressRange(const Dialog& dialog, int id, int* low, int* high) {
    *low = SendInt(dialog, id, PBM_GETRANGE, TRUE);
    *high = SendInt(dialog, id, PBM_GETRANGE, FALSE);
}

void SetProgressPosition(const Dialog& dialog, int id, int position) {
    if (HWND progress = dialog.Control(id)) SendWithTimeout(progress, PBM_SETPOS, position, 0);
}

bool SetControlText(HWND control, const std::string& text) {
    if (!control) return false;
    bool failed = false;
    LRESULT ok = SendWithTimeout(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &failed);
    return !failed && ok;
}

}  // namespace e2e
