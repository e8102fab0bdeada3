// What the test hands the helper library inside the program under test, and gets back.
#pragma once
#include <windows.h>

struct MenuRequest {
    HWND window;      // whose system menu
    char text[4096];  // the items, filled in inside the program
};

struct IconRequest {
    UINT iconId;  // an icon resource of the program file
    HICON icon;   // LoadIconA's answer inside the program
};

struct MessageRequest {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;  // filled in inside the program
};
