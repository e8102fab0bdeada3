// Makes a new window that gets a given, no longer used window handle value.
#pragma once

#include <windows.h>

// Wine and Windows keep a window handle's slot in its low word and count the slot's
// reuses in its high word; freed slots are handed out again last-freed first. So
// handles are taken (and kept) until one lands on the wanted slot, that slot is
// recycled until the next reuse would give the wanted value, and then a window of
// `className` is created there. nullptr if the value could not be reached.
HWND CreateWindowWithHandle(HWND wanted, const char* className);
