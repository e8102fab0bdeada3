// Functions of DLLs that are not "known DLLs" (comctl32, winspool.drv), loaded from the
// system directory by full path: a planted copy beside KORA.exe is never picked up.
#pragma once

#include <windows.h>

FARPROC SystemProcAddress(const char* dll, const char* name);

template <typename Fn>
Fn SystemProc(const char* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProcAddress(dll, name)));
}

// A function of the print spooler's client DLL.
template <typename Fn>
Fn SpoolerProc(const char* name) {
    return SystemProc<Fn>("winspool.drv", name);
}

// Keeps later DLL loads out of the program's own folder where the system allows it.
void RestrictDllSearchPath();
