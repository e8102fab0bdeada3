#include "install/win32_install_system.h"
#include "install/win32_records.h"

#include <winspool.h>

#include <vector>

#include "framework/app.h"
#include "framework/system_library.h"

namespace {

class Win32InstallSystem : public kora::InstallSystem {
public:
    Win32InstallSystem(const kora::SettingsPageInputs* settingsPage, kora::PortPageInputs* portPage)
        : m_page(settingsPage), m_portPage(portPage) {}

    int ModelRow() override { return m_page ? m_page->ModelRow() : -1; }
    int SerialPortRow() override { return m_page ? m_page->SerialPortRow() : -1; }
    int BaudRateRow() override { return m_page ? m_page->BaudRateRow() : -1; }
    int DataBitsRow() override { return m_page ? m_page->DataBitsRow() : -1; }
    int StopBitsRow() override { return m_page ? m_page->StopBitsRow() : -1; }
    int ParityRow() override { return m_page ? m_page->ParityRow() : -1; }
    int FlowControlRow() override { return m_page ? m_page->FlowControlRow() : -1; }
    bool IsDefaultPrinterChecked() override { return m_page && m_page->IsDefaultPrinterChecked(); }
    std::string ChosenPortName() override { return m_portPage ? m_portPage->ChosenPortName() : std::string(); }
    void SetProgress(int position) override {
        if (m_portPage) m_portPage->SetProgress(position);
    }

    bool GetDriverDirectory(const std::string& environment, std::uint32_t level, char* buffer,
                            std::uint32_t size) override {
        using Fn = BOOL(WINAPI*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);
        auto fn = SpoolerProc<Fn>("GetPrinterDriverDirectoryA");
        DWORD needed = 0;
        return Called(fn &&
                      fn(nullptr, SpoolerText(environment), level, reinterpret_cast<LPBYTE>(buffer), size, &needed));
    }
    bool CopyDriverFile(const std::string& source, const std::string& destination, bool failIfExists) override {
        return Called(::CopyFileA(source.c_str(), destination.c_str(), failIfExists));
    }
    bool AddDriver(std::uint32_t level, const kora::DriverRecord& r) override {
        using Fn = BOOL(WINAPI*)(LPSTR, DWORD, LPBYTE);
        auto fn = SpoolerProc<Fn>("AddPrinterDriverA");
        DRIVER_INFO_3A info = ToDriverInfo3(r);
        return Called(fn && fn(nullptr, level, reinterpret_cast<LPBYTE>(&info)));
    }
    kora::PrinterHandle CreatePrinter(std::uint32_t level, const kora::PrinterRecord& r) override {
        using Fn = HANDLE(WINAPI*)(LPSTR, DWORD, LPBYTE);
        auto fn = SpoolerProc<Fn>("AddPrinterA");
        PRINTER_INFO_2A info = ToPrinterInfo2(r);
        HANDLE printer = fn ? fn(nullptr, level, reinterpret_cast<LPBYTE>(&info)) : nullptr;
        Called(printer != nullptr);
        return reinterpret_cast<kora::PrinterHandle>(printer);
    }
    bool ClosePrinterHandle(kora::PrinterHandle printer) override {
        using Fn = BOOL(WINAPI*)(HANDLE);
        auto fn = SpoolerProc<Fn>("ClosePrinter");
        return fn && fn(reinterpret_cast<HANDLE>(printer));
    }
    std::uint32_t LastError() override { return m_lastError; }

    kora::PrinterHandle OpenExistingPrinter(const std::string& printerName) override {
        using Fn = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
        auto fn = SpoolerProc<Fn>("OpenPrinterA");
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE printer = nullptr;
        if (!Called(fn && fn(SpoolerText(printerName), &printer, &defaults))) printer = nullptr;
        return reinterpret_cast<kora::PrinterHandle>(printer);
    }
    bool GetPrinterPort(kora::PrinterHandle printer, std::string* port) override {
        std::vector<BYTE> info;
        if (!GetPrinterInfo2(printer, &info)) return false;
        const char* name = reinterpret_cast<const PRINTER_INFO_2A*>(info.data())->pPortName;
        *port = name ? name : "";
        return true;
    }
    // Level 2, as read back whole, so that every other setting stays as it was (Wine's
    // spooler sets no level with fewer members). A null security descriptor leaves the
    // printer's security alone.
    bool SetPrinterPort(kora::PrinterHandle printer, const std::string& port) override {
        std::vector<BYTE> info;
        if (!GetPrinterInfo2(printer, &info)) return false;
        auto* record = reinterpret_cast<PRINTER_INFO_2A*>(info.data());
        record->pPortName = SpoolerText(port);
        record->pSecurityDescriptor = nullptr;
        using Fn = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD);
        auto fn = SpoolerProc<Fn>("SetPrinterA");
        return Called(fn && fn(reinterpret_cast<HANDLE>(printer), 2, info.data(), 0));
    }
    // IsWow64Process came with Windows XP SP2 and Server 2003 SP1; a system without it has
    // no 64-bit edition this program could run on.
    bool IsSystem64Bit() override {
        using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
        auto fn = SystemProc<Fn>("kernel32.dll", "IsWow64Process");
        BOOL wow64 = FALSE;
        return fn && fn(::GetCurrentProcess(), &wow64) && wow64;
    }
    // Looked up at run time: kernel32 has it from Windows 10 version 1709 on (and in Wine).
    bool QueryNativeMachine(std::uint16_t* machine) override {
        using Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
        auto fn = SystemProc<Fn>("kernel32.dll", "IsWow64Process2");
        USHORT process = 0, native = 0;
        if (!fn || !fn(::GetCurrentProcess(), &process, &native)) return false;
        *machine = native;
        return true;
    }
    std::vector<std::string> FindDriverStoreFolders(const std::string& packages,
                                                    const std::string& subFolder) override {
        std::vector<std::string> folders;
        const std::string repository = DriverStoreRepository();
        if (repository.empty()) return folders;
        WIN32_FIND_DATAA found = {};
        HANDLE search = ::FindFirstFileA((repository + packages).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return folders;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(repository + found.cFileName + "\\" + subFolder);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return folders;
    }
    bool FileExists(const std::string& path) override {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    long OpenKey(kora::Hive hive, const std::string& subKey, kora::RegKey* key) override {
        HKEY root = hive == kora::Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        HKEY opened = nullptr;
        LONG result = ::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_SET_VALUE, &opened);
        *key = reinterpret_cast<kora::RegKey>(opened);
        return result;
    }
    long SetTextValue(kora::RegKey key, const std::string& valueName, const std::string& text,
                      std::uint32_t length) override {
        return ::RegSetValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()), length);
    }
    void CloseKey(kora::RegKey key) override { ::RegCloseKey(reinterpret_cast<HKEY>(key)); }

    void BroadcastSettingChange(const std::string& section) override {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section.c_str()),
                              SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &ignored);
    }
    void Pause(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
    void ShowMessage(const std::string& text) override { AfxMessageBox(text.c_str(), MB_OK); }

private:
    static constexpr UINT kBroadcastTimeoutMs = 1000;

    // The printer's PRINTER_INFO_2A with its texts, in a buffer of the size the spooler asks for.
    bool GetPrinterInfo2(kora::PrinterHandle printer, std::vector<BYTE>* info) {
        using Fn = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
        auto fn = SpoolerProc<Fn>("GetPrinterA");
        DWORD needed = 0;
        if (fn) fn(reinterpret_cast<HANDLE>(printer), 2, nullptr, 0, &needed);
        if (needed < sizeof(PRINTER_INFO_2A)) return Called(FALSE);
        info->assign(needed, 0);
        return Called(fn(reinterpret_cast<HANDLE>(printer), 2, info->data(), needed, &needed));
    }

    // The driver store's package folder with a trailing backslash, or "". A 32-bit program's
    // System32 is SysWOW64: Vista and Wine redirect System32\DriverStore with it (Windows 7
    // and later exempt it). The "sysnative" alias reaches the real System32 from Vista on and
    // in Wine, so it is the one path for every 64-bit Windows that has a driver store (XP and
    // Server 2003 x64 have none, and no sysnative without a hotfix: the search finds nothing
    // there, and the environment's driver directory or the package's sub-folder supply the files).
    std::string DriverStoreRepository() {
        char windows[MAX_PATH] = {};
        const UINT length = ::GetSystemWindowsDirectoryA(windows, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return std::string();
        const char* system = IsSystem64Bit() ? "\\sysnative" : "\\System32";
        return std::string(windows) + system + "\\DriverStore\\FileRepository\\";
    }

    // Keeps the error of a failed call at once, before any other call can replace it.
    bool Called(BOOL ok) {
        m_lastError = ok ? ERROR_SUCCESS : ::GetLastError();
        return ok != FALSE;
    }

    const kora::SettingsPageInputs* m_page;
    kora::PortPageInputs* m_portPage;
    DWORD m_lastError = ERROR_SUCCESS;
};

}  // namespace

std::unique_ptr<kora::InstallSystem> MakeWin32InstallSystem(const kora::SettingsPageInputs* settingsPage,
                                                            kora::PortPageInputs* portPage) {
    return std::make_unique<Win32InstallSystem>(settingsPage, portPage);
}

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    DWORD n =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text) ::LocalFree(text);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    if (result.empty()) result = "错误代码 " + std::to_string(error);
    return result;
}
