/* A planted DLL: on load it leaves a marker file beside itself (<its path>.loaded) and a
   debug string, so a test sees that a process picked it up. It exports nothing; a process
   that loaded it would fail at its first call, but the evidence is already there. */
#include <windows.h>

static const char kMarkerSuffix[] = ".loaded";

static void LeaveEvidence(HINSTANCE self) {
    char path[MAX_PATH + sizeof kMarkerSuffix] = "";
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    lstrcatA(path, kMarkerSuffix);
    HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    OutputDebugStringA("planted DLL loaded: ");
    OutputDebugStringA(path);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) LeaveEvidence(self);
    return TRUE;
}
