/* The positive control of the planted-DLL test: loads winspool.drv and comctl32.dll by
   plain name, the way a program without a restricted search does. Exit code: bit 0 set
   when winspool.drv came from the probe's own folder, bit 1 for comctl32.dll; 255 when a
   load failed. The full path of each module also goes out as a debug string. */
#include <windows.h>

/* Cuts a path after its last backslash, leaving the folder with its trailing backslash. */
static void KeepFolder(char* path) {
    char* end = path + lstrlenA(path);
    while (end > path && end[-1] != '\\') --end;
    *end = '\0';
}

static int FromOwnFolder(HMODULE module) {
    char own[MAX_PATH] = "", loaded[MAX_PATH] = "";
    GetModuleFileNameA(NULL, own, MAX_PATH);
    GetModuleFileNameA(module, loaded, MAX_PATH);
    OutputDebugStringA("probe loaded: ");
    OutputDebugStringA(loaded);
    KeepFolder(own);
    KeepFolder(loaded);
    return lstrcmpiA(own, loaded) == 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    HMODULE spooler = LoadLibraryA("winspool.drv");
    HMODULE controls = LoadLibraryA("comctl32.dll");
    if (spooler == NULL || controls == NULL) return 255;
    return FromOwnFolder(spooler) | (FromOwnFolder(controls) << 1);
}
