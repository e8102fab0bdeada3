#include "harness/dialog.h"

#include "harness/process_windows.h"

namespace e2e {

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* failed) {
  DWORD_PTR result = 0;
  LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
  if (failed) *failed = (ok == 0);
  return static_cast<LRESULT>(result);
}

std::string Dialog::Caption() const { return WindowCaption(window_); }
LONG Dialog::Style() const { return GetWindowLongA(window_, GWL_STYLE); }
LONG Dialog::ExStyle() const { return GetWindowLongA(window_, GWL_EXSTYLE); }

std::string Dialog::ClassName(int id) const {
  HWND control = Control(id);
  return control ? WindowClass(control) : "";
}

std::string Dialog::Text(int id) const {
  HWND control = Control(id);
  if (!control) return "";
  char text[1024] = "";
  SendWithTimeout(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  text[sizeof text - 1] = '\0';
  return text;
}

LONG Dialog::Style(int id) const {
  HWND control = Control(id);
  return control ? GetWindowLongA(control, GWL_STYLE) : 0;
}

LONG Dialog::ExStyle(int id) const {
  HWND control = Control(id);
  return control ? GetWindowLongA(control, GWL_EXSTYLE) : 0;
}

bool Dialog::IsShown(int id) const { return Has(id) && (Style(id) & WS_VISIBLE) != 0; }
bool Dialog::IsEnabled(int id) const { return Has(id) && (Style(id) & WS_DISABLED) == 0; }

int Dialog::CheckState(int id) const {
  HWND control = Control(id);
  if (!control) return -1;
  bool failed = false;
  LRESULT state = SendWithTimeout(control, BM_GETCHECK, 0, 0, &failed);
  return failed ? -1 : static_cast<int>(state);
}

RECT Dialog::RectInDialogUnits(int id) const {
  RECT rect = {};
  HWND control = Control(id);
  if (!control) return rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
  // MapDialogRect converts the other way; scale by the dialog's base units, which it
  // reports for a 4 x 8 rectangle.
  RECT base = {0, 0, 4, 8};
  MapDialogRect(window_, &base);
  if (base.right == 0 || base.bottom == 0) return RECT{};
  auto toUnitsX = [&](LONG pixels) { return MulDiv(pixels, 4, base.right); };
  auto toUnitsY = [&](LONG pixels) { return MulDiv(pixels, 8, base.bottom); };
  return RECT{toUnitsX(rect.left), toUnitsY(rect.top), toUnitsX(rect.right - rect.left),
              toUnitsY(rect.bottom - rect.top)};
}

void Dialog::Click(int id) const {
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

void Dialog::PressKey(WORD virtualKey) const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  HWND target = window_;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) && info.hwndFocus)
    target = info.hwndFocus;
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (1u << 30) | (1u << 31));
}

void Dialog::SystemCommand(WPARAM command) const { PostMessageA(window_, WM_SYSCOMMAND, command, 0); }

std::vector<std::string> Dialog::SystemMenuItems() const {
  std::vector<std::string> items;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (!menu) return items;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  return items;
}

}  // namespace e2e
