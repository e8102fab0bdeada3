// What the test hands the menu reader inside the program under test, and gets back.
#pragma once
#include <windows.h>

struct MenuReaderRequest {
  HWND window;      // whose system menu
  char text[4096];  // the items, filled in by the reader
};
