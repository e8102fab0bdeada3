#include "harness/message_box.h"

#include "harness/dialog.h"

namespace e2e {
namespace {

struct StaticSearch {
  std::string text;
  bool icon = false;
};

BOOL CALLBACK InspectStatic(HWND child, LPARAM param) {
  StaticSearch* search = reinterpret_cast<StaticSearch*>(param);
  if (WindowClass(child) != "Static") return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    search->icon = true;
    return TRUE;
  }
  char text[2048] = "";
  SendWithTimeout(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  text[sizeof text - 1] = '\0';
  if (search->text.empty()) search->text = text;
  return TRUE;
}

StaticSearch InspectStatics(HWND box) {
  StaticSearch search;
  EnumChildWindows(box, &InspectStatic, reinterpret_cast<LPARAM>(&search));
  return search;
}

}  // namespace

HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs) {
  return WaitForDialog(processId, caption, timeoutMs);
}

std::string MessageBoxText(HWND box) { return InspectStatics(box).text; }
bool MessageBoxHasIcon(HWND box) { return InspectStatics(box).icon; }

void PressMessageBoxOk(HWND box) { Dialog(box).Click(IDOK); }

}  // namespace e2e
