#include "system_menu.h"

#include <cstdio>
#include <sstream>

#include "harness/paths.h"
#include "harness/remote_buffer.h"
#include "menu_reader_request.h"

namespace e2e {
namespace {

const DWORD kRemoteThreadTimeoutMs = 10000;

// Runs start(parameter) on a new thread of the window's process; false on failure or
// when it does not finish in time.
bool RunRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter, DWORD* result) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
  if (!thread) return false;
  bool done = WaitForSingleObject(thread, kRemoteThreadTimeoutMs) == WAIT_OBJECT_0;
  if (done) GetExitCodeThread(thread, result);
  CloseHandle(thread);
  return done;
}

// Loads the reader library into the process; its base address there, or 0.
DWORD LoadReader(HWND window, HANDLE process, const std::string& path) {
  RemoteBuffer remotePath(window, path.size() + 1);
  if (!remotePath.Valid() || !remotePath.Write(0, path.c_str(), path.size() + 1)) return 0;
  // kernel32 lies at the same address in every process of the prefix.
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  DWORD base = 0;
  return RunRemoteThread(process, loadLibrary, remotePath.At(), &base) ? base : 0;
}

// The reader's entry point in the other process: its offset in our own copy of the
// library, added to the base address there.
LPTHREAD_START_ROUTINE RemoteEntry(const std::string& path, DWORD remoteBase) {
  HMODULE local = LoadLibraryA(path.c_str());
  if (!local) return nullptr;
  FARPROC entry = GetProcAddress(local, "ReadSystemMenu");
  if (!entry) return nullptr;
  DWORD offset = reinterpret_cast<DWORD>(entry) - reinterpret_cast<DWORD>(local);
  return reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteBase + offset);
}

std::vector<MenuItem> ParseItems(const std::string& text) {
  std::vector<MenuItem> items;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    MenuItem item;
    if (line == "-") {
      item.separator = true;
    } else {
      int consumed = 0;
      if (sscanf(line.c_str(), "%u %x %n", &item.id, &item.state, &consumed) < 2) continue;
      item.text = line.substr(consumed);
    }
    items.push_back(item);
  }
  return items;
}

}  // namespace

std::vector<MenuItem> SystemMenuItems(HWND window, std::string* error) {
  std::string path = ProgramFromEnv("KORA_MENU_READER_DLL");
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  std::vector<MenuItem> items;
  if (path.empty() || !process) {
    *error = path.empty() ? "KORA_MENU_READER_DLL is not set" : "cannot open the program's process";
    if (process) CloseHandle(process);
    return items;
  }
  DWORD base = LoadReader(window, process, path);
  LPTHREAD_START_ROUTINE entry = base ? RemoteEntry(path, base) : nullptr;
  RemoteBuffer request(window, sizeof(MenuReaderRequest));
  MenuReaderRequest copy = {};
  copy.window = window;
  DWORD count = 0;
  if (!entry || !request.Write(0, &copy, sizeof copy) || !RunRemoteThread(process, entry, request.At(), &count) ||
      !request.Read(0, &copy, sizeof copy)) {
    *error = base ? "the menu reader did not run" : "cannot load the menu reader into the program";
  } else {
    copy.text[sizeof copy.text - 1] = '\0';
    items = ParseItems(copy.text);
    if (items.empty()) *error = "the window has no system menu";
  }
  CloseHandle(process);
  return items;
}

}  // namespace e2e
