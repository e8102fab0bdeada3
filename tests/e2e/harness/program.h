// The program under test, started under the debugger so that its debug strings and its
// exit code can be collected exactly. The debug loop runs on a thread of its own (it has
// to be the thread that created the process); the test drives the UI from its own thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class Program {
public:
    // Starts exePath (a Windows path) with workingFolder as its current directory.
    Program(const std::string& exePath, const std::string& workingFolder);
    // A program still running at this point is terminated.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return processId_ != 0; }
    // Why the start failed, for the failure message.
    const std::string& StartError() const { return startError_; }
    DWORD ProcessId() const { return processId_; }

    // True once the program has ended by itself within timeoutMs. A program still running
    // then is hung: it is terminated and the result is false.
    bool WaitForExit(DWORD timeoutMs);
    bool HasExited() const;
    bool WasTerminated() const { return terminated_; }
    DWORD ExitCode() const;

    // Every OutputDebugString text so far, in order, byte for byte.
    std::vector<std::string> DebugStrings() const;
    // Codes of exceptions the program did not handle (second chance).
    std::vector<DWORD> UnhandledExceptions() const;

private:
    static DWORD WINAPI DebugThread(LPVOID self);
    void RunDebugLoop();
    void OnDebugString(const DEBUG_EVENT& event);
    void Terminate();

    std::string exePath_;
    std::string workingFolder_;
    std::string startError_;
    DWORD processId_ = 0;
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    HANDLE started_ = nullptr;
    HANDLE ended_ = nullptr;
    bool terminated_ = false;
    mutable CRITICAL_SECTION lock_;
    DWORD exitCode_ = STILL_ACTIVE;
    std::vector<std::string> debugStrings_;
    std::vector<DWORD> unhandled_;
};

}  // namespace e2e
