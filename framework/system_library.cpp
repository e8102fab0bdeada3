#include "framework/system_library.h"

#include <string>

namespace {
HMODULE LoadFromSystemDirectory(const char* dll) {
    char dir[MAX_PATH] = {};
    UINT n = ::GetSystemDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    std::string path = std::string(dir) + "\\" + dll;
    HMODULE module = ::GetModuleHandleA(path.c_str());
    return module ? module : ::LoadLibraryA(path.c_str());
}
}  // namespace

FARPROC SystemProcAddress(const char* dll, const char* name) {
    HMODULE module = LoadFromSystemDirectory(dll);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

void RestrictDllSearchPath() {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return;
    // Windows 7 with KB2533623 and later.
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    auto setDefault =
        reinterpret_cast<SetDefaultFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (setDefault && setDefault(kSearchSystem32)) return;
    // Windows XP SP1 and later: at least take the current directory out of the search.
    using SetDirFn = BOOL(WINAPI*)(LPCSTR);
    auto setDir = reinterpret_cast<SetDirFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDllDirectoryA")));
    if (setDir) setDir("");
}
