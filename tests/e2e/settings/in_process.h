// Readings taken inside the process that owns a window, by a small library loaded into
// it: its system menu, and the answer to messages that Wine does not pass between
// processes (WM_GETICON, WM_QUERYDRAGICON).
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

// The handle LoadIconA gives for the icon resource `iconId` of the window's program file,
// read inside that process; false with *error set when there is none.
bool ProgramIconInProcess(HWND window, UINT iconId, HICON* icon, std::string* error);

// SendMessage from a thread of the window's own process; false with *error set when
// that could not be arranged.
bool SendInProcess(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, std::string* error);

}  // namespace e2e
