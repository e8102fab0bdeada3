#include "remote_controls.h"

#include <commctrl.h>

namespace e2e {

int ListViewColumnCount(const Dialog& dialog, int id) {
  HWND listView = dialog.Control(id);
  if (!listView) return -1;
  HWND header = reinterpret_cast<HWND>(SendWithTimeout(listView, LVM_GETHEADER, 0, 0));
  if (!header) return -1;
  bool failed = false;
  LRESULT count = SendWithTimeout(header, HDM_GETITEMCOUNT, 0, 0, &failed);
  return failed ? -1 : static_cast<int>(count);
}

void SetProgressPosition(const Dialog& dialog, int id, int position) {
  HWND progress = dialog.Control(id);
  if (progress) SendWithTimeout(progress, PBM_SETPOS, position, 0);
}

bool SetControlText(HWND control, const std::string& text) {
  if (!control) return false;
  bool failed = false;
  LRESULT ok = SendWithTimeout(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &failed);
  return !failed && ok;
}

HWND FocusedWindow(const Dialog& dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog.Handle(), nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void PostButtonClick(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace e2e
