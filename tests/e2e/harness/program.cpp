#include "harness/program.h"

namespace e2e {
namespace {

// What TerminateProcess hands a hung program as its exit code.
const DWORD kTerminatedExitCode = 0xDEAD;

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Locked() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION& section_;
};

}  // namespace

Program::Program(const std::string& exePath, const std::string& workingFolder)
    : exePath_(exePath), workingFolder_(workingFolder) {
    InitializeCriticalSection(&lock_);
    started_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ended_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &Program::DebugThread, this, 0, nullptr);
    if (!thread_) {
        startError_ = "CreateThread failed";
        SetEvent(ended_);
        return;
    }
    WaitForSingleObject(started_, INFINITE);
}

Program::~Program() {
    if (thread_) {
        if (WaitForSingleObject(ended_, 0) != WAIT_OBJECT_0) Terminate();
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    if (process_) CloseHandle(process_);
    CloseHandle(started_);
    CloseHandle(ended_);
    DeleteCriticalSection(&lock_);
}

DWORD WINAPI Program::DebugThread(LPVOID self) {
    static_cast<Program*>(self)->RunDebugLoop();
    return 0;
}

void Program::RunDebugLoop() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exePath_ + "\"";
    if (!CreateProcessA(exePath_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        workingFolder_.c_str(), &startup, &info)) {
        startError_ = "CreateProcess failed for " + exePath_ + ", error " + std::to_string(GetLastError());
        SetEvent(started_);
        SetEvent(ended_);
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    SetEvent(started_);

    for (bool exited = false; !exited;) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, INFINITE)) break;
        DWORD continueStatus = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT: OnDebugString(event); break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                continueStatus = DBG_EXCEPTION_NOT_HANDLED;
                if (!event.u.Exception.dwFirstChance) {
                    Locked locked(lock_);
                    unhandled_.push_back(event.u.Exception.ExceptionRecord.ExceptionCode);
                }
            }
            break;
        case EXIT_PROCESS_DEBUG_EVENT: {
            Locked locked(lock_);
            exitCode_ = event.u.ExitProcess.dwExitCode;
            exited = true;
            break;
        }
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
    }
    SetEvent(ended_);
}

void Program::OnDebugString(const DEBUG_EVENT& event) {
    const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
    WORD length = info.nDebugStringLength;  // characters, with the terminating zero
    if (length == 0) return;
    size_t bytes = info.fUnicode ? length * 2u : length;
    std::string raw(bytes, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, info.lpDebugStringData, &raw[0], bytes, &read)) return;
    raw.resize(read);
    std::string text;
    if (info.fUnicode) {
        std::wstring wide(reinterpret_cast<const wchar_t*>(raw.data()), read / 2);
        if (!wide.empty() && wide.back() == L'\0') wide.pop_back();
        int size =
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        text.resize(size);
        if (size)
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr,
                                nullptr);
    } else {
        text = raw;
        if (!text.empty() && text.back() == '\0') text.pop_back();
    }
    Locked locked(lock_);
    debugStrings_.push_back(text);
}

void Program::Terminate() {
    if (!process_) return;
    terminated_ = true;
    TerminateProcess(process_, kTerminatedExitCode);
    WaitForSingleObject(ended_, 10000);
}

bool Program::WaitForExit(DWORD timeoutMs) {
    if (!Started()) return false;
    if (WaitForSingleObject(ended_, timeoutMs) == WAIT_OBJECT_0) return !terminated_;
    Terminate();
    return false;
}

bool Program::HasExited() const { return WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }

DWORD Program::ExitCode() const {
    Locked locked(lock_);
    return exitCode_;
}

std::vector<std::string> Program::DebugStrings() const {
    Locked locked(lock_);
    return debugStrings_;
}

std::vector<DWORD> Program::UnhandledExceptions() const {
    Locked locked(lock_);
    return unhandled_;
}

}  // namespace e2e
