// Runs inside the program under test, each entry started there by CreateRemoteThread
// with a request in the program's memory. Wine keeps menus inside their process and does
// not pass messages that carry icon or font handles between processes, so these
// readings are made from within.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "in_process_requests.h"

// One line per item: "-" for a separator, otherwise "<id> <state flags in hex> <text>".
extern "C" __declspec(dllexport) DWORD WINAPI ReadSystemMenu(LPVOID parameter) {
    MenuRequest* request = static_cast<MenuRequest*>(parameter);
    request->text[0] = '\0';
    HMENU menu = GetSystemMenu(request->window, FALSE);
    if (!menu) return 0;
    int count = GetMenuItemCount(menu);
    size_t used = 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA item = {};
        char text[256] = "";
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &item)) continue;
        char line[320];
        if (item.fType & MFT_SEPARATOR)
            snprintf(line, sizeof line, "-\n");
        else
            snprintf(line, sizeof line, "%u %x %s\n", item.wID, item.fState, text);
        size_t length = strlen(line);
        if (used + length >= sizeof request->text) break;
        memcpy(request->text + used, line, length + 1);
        used += length;
    }
    return static_cast<DWORD>(count);
}

// LoadIconA hands out one shared handle per icon resource of a module, so the page's icon
// compares equal to it exactly when the page loaded that resource.
extern "C" __declspec(dllexport) DWORD WINAPI LoadProgramIcon(LPVOID parameter) {
    IconRequest* request = static_cast<IconRequest*>(parameter);
    request->icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(request->iconId));
    return request->icon != nullptr;
}

extern "C" __declspec(dllexport) DWORD WINAPI SendToWindow(LPVOID parameter) {
    MessageRequest* request = static_cast<MessageRequest*>(parameter);
    request->result = SendMessageA(request->window, request->message, request->wParam, request->lParam);
    return 1;
}
