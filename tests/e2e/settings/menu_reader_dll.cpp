// Runs inside the program under test, started there by CreateRemoteThread: writes the
// items of a window's system menu into the request, one line per item, "-" for a
// separator, otherwise "<id> <flags> <text>" with the state flags in hex.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "menu_reader_request.h"

extern "C" __declspec(dllexport) DWORD WINAPI ReadSystemMenu(LPVOID parameter) {
  MenuReaderRequest* request = static_cast<MenuReaderRequest*>(parameter);
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
