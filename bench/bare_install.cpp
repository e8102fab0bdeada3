// The floor for "Install click to completion message": the spooler, file and registry
// calls of one installation run, made straight, then the completion message box. The
// records come from the same composition KORA.exe uses, so the calls carry the same data.
//
// bare_install.exe [passes]: passes (default 1) runs back to back before the box. Started
// by the benchmark runner, it waits for the runner's go event first, so that its time is
// measured from a click-like trigger rather than from process start.
#include <windows.h>
#include <winspool.h>

#include <cstdlib>

#include "bench/bench_names.h"
#include "install/install_records.h"
#include "install/win32_records.h"

namespace {

const char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const DWORD kFinalPauseMs = 500;

char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }

void CopyDriverFiles(const std::string& directory) {
    for (const kora::DriverFileCopy& copy : kora::DriverFileCopies(bench::kModelRow, directory))
        CopyFileA(copy.source.c_str(), copy.destination.c_str(), FALSE);
}

void RegisterDriver() {
    kora::DriverRecord record = kora::MakeDriverRecord(bench::kModelRow);
    DRIVER_INFO_3A info = ToDriverInfo3(record);
    AddPrinterDriverA(nullptr, kora::kDriverRecordLevel, reinterpret_cast<BYTE*>(&info));
}

HANDLE CreatePrinter() {
    kora::PrinterRecord record = kora::MakePrinterRecord(bench::kModelRow, bench::kPortName);
    PRINTER_INFO_2A info = ToPrinterInfo2(record);
    return AddPrinterA(nullptr, kora::kPrinterRecordLevel, reinterpret_cast<BYTE*>(&info));
}

void WriteDeviceValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    const std::string text = kora::MakeDeviceText(bench::kModelRow, bench::kPortName);
    RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size()));
    RegCloseKey(key);
}

void InstallOnce() {
    char directory[kora::kDriverDirectorySize] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, Text(kora::kDriverEnvironment), kora::kDriverDirectoryLevel,
                               reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
    CopyDriverFiles(directory);
    RegisterDriver();
    HANDLE printer = CreatePrinter();
    WriteDeviceValue();
    ClosePrinter(printer);
    Sleep(kFinalPauseMs);
}

// Started by hand (no runner, no events) it simply runs at once.
void WaitForGo() {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, bench::kReadyEvent);
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, bench::kGoEvent);
    if (ready && go) {
        SetEvent(ready);
        WaitForSingleObject(go, INFINITE);
    }
    if (ready) CloseHandle(ready);
    if (go) CloseHandle(go);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const int passes = commandLine && *commandLine ? std::atoi(commandLine) : 1;
    WaitForGo();
    for (int pass = 0; pass < passes; ++pass) InstallOnce();
    MessageBoxA(nullptr, bench::kCompletionMessage, bench::kMessageBoxCaption, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}
