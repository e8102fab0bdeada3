// The system menu of another process's window, read by a small library loaded into that
// process (Wine hands out menus only inside their own process).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MenuItem {
  bool separator = false;
  UINT id = 0;
  UINT state = 0;    // MFS_* flags
  std::string text;  // GBK, with its & mnemonic
};

// Items in menu order; empty with *error set when the menu could not be read.
std::vector<MenuItem> SystemMenuItems(HWND window, std::string* error);

}  // namespace e2e
