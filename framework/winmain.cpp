// The entry point: start the one application object and let it run.
#include "framework/app.h"
#include "framework/system_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearchPath();
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    app->StartUp(instance);
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
