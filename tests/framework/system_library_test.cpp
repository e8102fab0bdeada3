// Libraries that are not known DLLs come from the system directory only.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/system_library.h"
#include "test_app.h"

namespace {

std::string SystemDirectory() {
    char dir[MAX_PATH] = {};
    ::GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string ModuleDirectoryOf(FARPROC function) {
    HMODULE module = nullptr;
    DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!::GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(function), &module)) return "";
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(module, path, MAX_PATH);
    std::string name = path;
    return name.substr(0, name.find_last_of('\\'));
}

struct ProcCase {
    const char* dll;
    const char* function;
};

TEST(SystemProc, LoadsFromTheSystemDirectory) {
    const ProcCase cases[] = {
        {"comctl32.dll", "InitCommonControlsEx"},
        {"winspool.drv", "EnumPortsA"},
        {"winspool.drv", "AddPrinterDriverA"},
    };
    const std::string system = SystemDirectory();
    ASSERT_FALSE(system.empty());
    for (const ProcCase& c : cases) {
        FARPROC function = SystemProcAddress(c.dll, c.function);
        ASSERT_NE(function, nullptr) << c.dll << "!" << c.function;
        EXPECT_EQ(lstrcmpiA(ModuleDirectoryOf(function).c_str(), system.c_str()), 0)
            << c.dll << "!" << c.function << " came from " << ModuleDirectoryOf(function);
    }
}

TEST(SystemProc, UnknownFunctionIsNull) { EXPECT_EQ(SystemProcAddress("winspool.drv", "NoSuchFunctionHere"), nullptr); }

TEST(SystemProc, NeverTakesACopyBesideTheProgram) {
    ASSERT_EQ(::GetModuleHandleA("kora_planted.dll"), nullptr);
    EXPECT_EQ(SystemProcAddress("kora_planted.dll", "PlantedProbe"), nullptr);
    EXPECT_EQ(::GetModuleHandleA("kora_planted.dll"), nullptr) << "the planted copy was loaded";
    // The plant is where an ordinary search finds it, so the refusal above means something.
    HMODULE planted = ::LoadLibraryA("kora_planted.dll");
    ASSERT_NE(planted, nullptr) << "kora_planted.dll is not beside the program";
    EXPECT_NE(::GetProcAddress(planted, "PlantedProbe"), nullptr);
    ::FreeLibrary(planted);
}

TEST(CommonControls, RegisteredFromTheSystemDirectoryAtStartUp) {
    EXPECT_FALSE(StartUp().comctl32LoadedBefore) << "comctl32 was loaded before start-up: the check proves nothing";
    EXPECT_TRUE(StartUp().controlsRegistered);
    const char* classes[] = {WC_LISTVIEWA, PROGRESS_CLASSA, TRACKBAR_CLASSA};
    for (const char* cls : classes) {
        HWND window = ::CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr) << cls;
        if (window) ::DestroyWindow(window);
    }
}

}  // namespace
