#include "in_process.h"

#include <cstdio>
#include <sstream>

#include "harness/paths.h"
#include "harness/remote_buffer.h"
#include "in_process_requests.h"

namespace e2e {
namespace {

const DWORD kRemoteThreadTimeoutMs = 10000;

// Runs start(parameter) on a new thread of the process; false on failure or when it
// does not finish in time.
bool RunRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter, DWORD* result) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
    if (!thread) return false;
    bool done = WaitForSingleObject(thread, kRemoteThreadTimeoutMs) == WAIT_OBJECT_0;
    if (done) GetExitCodeThread(thread, result);
    CloseHandle(thread);
    return done;
}

// Loads the library into the window's process (again: it stays loaded) and returns its
// base address there, or 0.
DWORD LoadLibraryThere(HWND window, HANDLE process, const std::string& path) {
    RemoteBuffer remotePath(window, path.size() + 1);
    if (!remotePath.Valid() || !remotePath.Write(0, path.c_str(), path.size() + 1)) return 0;
    // kernel32 lies at the same address in every process of the prefix.
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    DWORD base = 0;
    return RunRemoteThread(process, loadLibrary, remotePath.At(), &base) ? base : 0;
}

// An entry point in the other process: its offset in our own copy of the library, added
// to the base address there.
LPTHREAD_START_ROUTINE EntryThere(const std::string& path, DWORD remoteBase, const char* entryName) {
    HMODULE local = LoadLibraryA(path.c_str());
    FARPROC entry = local ? GetProcAddress(local, entryName) : nullptr;
    if (!entry) return nullptr;
    DWORD offset = reinterpret_cast<DWORD>(entry) - reinterpret_cast<DWORD>(local);
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteBase + offset);
}

// Copies the request into the window's process, runs the entry on it there and copies
// it back.
bool RunThere(HWND window, const char* entryName, void* request, size_t size, std::string* error) {
    std::string path = ProgramFromEnv("KORA_IN_PROCESS_DLL");
    if (path.empty()) {
        *error = "KORA_IN_PROCESS_DLL is not set";
        return false;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (!process) {
        *error = "cannot open the program's process";
        return false;
    }
    DWORD base = LoadLibraryThere(window, process, path);
    LPTHREAD_START_ROUTINE entry = base ? EntryThere(path, base, entryName) : nullptr;
    RemoteBuffer remote(window, size);
    DWORD ignored = 0;
    bool ok = entry && remote.Write(0, request, size) && RunRemoteThread(process, entry, remote.At(), &ignored) &&
              remote.Read(0, request, size);
    if (!ok) *error = base ? std::string(entryName) + " did not run in the program" : "cannot load " + path + " there";
    CloseHandle(process);
    return ok;
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
    MenuRequest request = {};
    request.window = window;
    if (!RunThere(window, "ReadSystemMenu", &request, sizeof request, error)) return {};
    request.text[sizeof request.text - 1] = '\0';
    std::vector<MenuItem> items = ParseItems(request.text);
    if (items.empty()) *error = "the window has no system menu";
    return items;
}

bool ProgramIconInProcess(HWND window, UINT iconId, HICON* icon, std::string* error) {
    IconRequest request = {iconId, nullptr};
    if (!RunThere(window, "LoadProgramIcon", &request, sizeof request, error)) return false;
    *icon = request.icon;
    if (!request.icon) *error = "the program file has no icon " + std::to_string(iconId);
    return request.icon != nullptr;
}

bool SendInProcess(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, std::string* error) {
    MessageRequest request = {window, message, wParam, lParam, 0};
    if (!RunThere(window, "SendToWindow", &request, sizeof request, error)) return false;
    *result = request.result;
    return true;
}

}  // namespace e2e
