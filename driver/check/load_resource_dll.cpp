// Windows' loader accepts QZC10.DLL, an image with a resource section and nothing else,
// both the way Unidrv maps it (as a data file) and as a module, and its strings read
// back as the texts the GPDs mean. Run under Wine: load_resource_dll <path of QZC10.DLL>.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

struct Case {
  UINT id;
  const wchar_t* text;
};

// Written out by hand, independent of QZC10.rc.
const Case kStrings[] = {
    {101, L"纵向"},
    {111, L"自动进纸"},
    {121, L"58 x 297 毫米"},
    {122, L"58 毫米长卷纸"},
    {131, L"203 x 203 点/英寸"},
    {141, L"黑白"},
};

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

int CheckLoad(const char* path, DWORD flags, const char* how) {
  HMODULE library = LoadLibraryExA(path, nullptr, flags);
  if (!library) {
    std::printf("%s: LoadLibraryEx failed, error %lu\n", how, GetLastError());
    return 1;
  }
  const int faults = CheckStrings(library, how);
  FreeLibrary(library);
  return faults;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  int faults = CheckLoad(argv[1], LOAD_LIBRARY_AS_DATAFILE, "as data file");
  faults += CheckLoad(argv[1], 0, "as module");
  std::printf("load_resource_dll: %d fault(s)\n", faults);
  return faults ? 1 : 0;
}
