/* Writes what GetVersionExA reports to the file named on its command line, as
   "<platform> <major>.<minor>.<build>", so that a test can see the version Wine gives a
   program with KORA.exe's manifest and one without. */
#include <windows.h>

#include <stdio.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    OSVERSIONINFOEXA info;
    FILE* out;
    (void)instance;
    (void)previous;
    (void)show;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA((OSVERSIONINFOA*)&info)) return 2;
    out = fopen(commandLine, "w");
    if (!out) return 3;
    fprintf(out, "%lu %lu.%lu.%lu", info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
    return fclose(out) == 0 ? 0 : 4;
}
