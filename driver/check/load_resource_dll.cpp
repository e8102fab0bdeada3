// Windows' loader accepts QZC10.DLL, an image with a resource section and nothing else,
// the way Unidrv maps it (as a data file), as a module, and as a module when something
// else already holds its base address (the loader must then move it, which an image
// marked "relocations stripped" forbids); its strings read back as the texts the GPDs
// mean. Run under Wine: load_resource_dll <path of QZC10.DLL>.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

struct Case {
    UINT id;
    const wchar_t* text;
};

// Written out by hand, independent of QZC10.rc.
// clang-format off
const Case kStrings[] = {
    {101, L"纵向"},
    {111, L"自动进纸"},
    {121, L"58 x 297 毫米"},
    {122, L"58 毫米长卷纸"},
    {124, L"58 x 200 毫米"},
    {125, L"58 毫米自定义长度"},
    {131, L"203 x 203 点/英寸"},
    {141, L"黑白"},
};
// clang-format on

int CheckStrings(HMODULE library, const char* how) {
    int faults = 0;
    for (const Case& c : kStrings) {
        wchar_t text[64] = {};
        const int length = LoadStringW(library, c.id, text, 64);
        if (length <= 0 || std::wcscmp(text, c.text) != 0) {
            std::printf("%s: string %u: length %d, not the expected text\n", how, c.id, length);
            ++faults;
        }
    }
    return faults;
}

int CheckLoad(const char* path, DWORD flags, const char* how, HMODULE* base = nullptr) {
    HMODULE library = LoadLibraryExA(path, nullptr, flags);
    if (!library) {
        std::printf("%s: LoadLibraryEx failed, error %lu\n", how, GetLastError());
        return 1;
    }
    const int faults = CheckStrings(library, how);
    if (base) *base = library;
    FreeLibrary(library);
    return faults;
}

// Loads the module again after reserving the address where it was first placed.
int CheckLoadWithBaseTaken(const char* path, HMODULE first_base) {
    const char* how = "as module, base taken";
    void* taken = VirtualAlloc(first_base, 0x10000, MEM_RESERVE, PAGE_NOACCESS);
    if (taken != first_base) {
        std::printf("%s: cannot reserve %p, error %lu\n", how, static_cast<void*>(first_base), GetLastError());
        if (taken) VirtualFree(taken, 0, MEM_RELEASE);
        return 1;
    }
    HMODULE moved = nullptr;
    int faults = CheckLoad(path, 0, how, &moved);
    if (moved == first_base) {
        std::printf("%s: loaded at the reserved address %p\n", how, static_cast<void*>(moved));
        ++faults;
    }
    VirtualFree(taken, 0, MEM_RELEASE);
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    int faults = CheckLoad(argv[1], LOAD_LIBRARY_AS_DATAFILE, "as data file");
    HMODULE base = nullptr;
    const int module_faults = CheckLoad(argv[1], 0, "as module", &base);
    faults += module_faults;
    if (!module_faults) faults += CheckLoadWithBaseTaken(argv[1], base);
    std::printf("load_resource_dll: %d fault(s)\n", faults);
    return faults ? 1 : 0;
}
