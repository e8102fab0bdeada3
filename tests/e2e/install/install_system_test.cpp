// Operations of the installation's Win32 side that a whole run under Wine cannot show:
// a printer that is there already (Wine never refuses a second one of a name) opened,
// its port read and replaced with every other setting kept; and the broadcast of a
// setting change, as a top-level window of another program receives it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "harness/spooler.h"
#include "harness/workspace.h"
#include "install/driver64.h"
#include "install/install_run.h"
#include "install/system_machine.h"
#include "install/win32_install_system.h"

namespace e2e {
namespace {

const char kPrinter[] = "KORA Seam Test";
const char kComment[] = "till 2";
const char kLocation[] = "front counter";

struct PrinterSettings {
    bool found = false;
    std::string port, driver, printProcessor, datatype, comment, location;
    DWORD attributes = 0, priority = 0;
};

std::string Text(const char* text) { return text ? text : ""; }

PrinterSettings ReadPrinter(const std::string& name) {
    PrinterSettings settings;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return settings;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (needed && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        settings = {true,
                    Text(info->pPortName),
                    Text(info->pDriverName),
                    Text(info->pPrintProcessor),
                    Text(info->pDatatype),
                    Text(info->pComment),
                    Text(info->pLocation),
                    info->Attributes,
                    info->Priority};
    }
    ClosePrinter(printer);
    return settings;
}

class ExistingPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveAllPrintersAndDrivers();
        // Wine registers a driver whose files are missing; the printer only needs its name.
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kPrinter);
        driver.pEnvironment = const_cast<char*>(kDriverEnvironment);
        driver.pDriverPath = const_cast<char*>("uniDRV.DLL");
        driver.pDataFile = const_cast<char*>("QZA10.GPD");
        driver.pConfigFile = const_cast<char*>("uniDRVui.DLL");
        ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver))) << GetLastError();
        PRINTER_INFO_2A info = {};
        info.pPrinterName = const_cast<char*>(kPrinter);
        info.pPortName = const_cast<char*>("LPT1:");
        info.pDriverName = const_cast<char*>(kPrinter);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        info.pComment = const_cast<char*>(kComment);
        info.pLocation = const_cast<char*>(kLocation);
        info.Priority = 7;
        HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
        ASSERT_NE(nullptr, printer) << GetLastError();
        ClosePrinter(printer);
        before_ = ReadPrinter(kPrinter);
        ASSERT_TRUE(before_.found);
        ASSERT_EQ("LPT1:", before_.port);
    }
    void TearDown() override { RemoveAllPrintersAndDrivers(); }

    std::unique_ptr<kora::InstallSystem> sys_ = MakeWin32InstallSystem(nullptr, nullptr);
    PrinterSettings before_;
};

TEST_F(ExistingPrinterTest, MovesThePrinterToAnotherPortKeepingTheRest) {
    kora::PrinterHandle printer = sys_->OpenExistingPrinter(kPrinter);
    ASSERT_NE(0u, printer) << sys_->LastError();
    std::string port;
    ASSERT_TRUE(sys_->GetPrinterPort(printer, &port)) << sys_->LastError();
    EXPECT_EQ("LPT1:", port);
    ASSERT_TRUE(sys_->SetPrinterPort(printer, "LPT2:")) << sys_->LastError();
    ASSERT_TRUE(sys_->GetPrinterPort(printer, &port));
    EXPECT_EQ("LPT2:", port) << "read through the same handle";
    EXPECT_TRUE(sys_->ClosePrinterHandle(printer));

    PrinterSettings after = ReadPrinter(kPrinter);
    ASSERT_TRUE(after.found);
    EXPECT_EQ("LPT2:", after.port);
    EXPECT_EQ(before_.driver, after.driver);
    EXPECT_EQ(before_.printProcessor, after.printProcessor);
    EXPECT_EQ(before_.datatype, after.datatype);
    EXPECT_EQ(kComment, after.comment);
    EXPECT_EQ(kLocation, after.location);
    EXPECT_EQ(before_.attributes, after.attributes);
    EXPECT_EQ(before_.priority, after.priority);
    EXPECT_EQ(1u, Printers().size());
}

TEST_F(ExistingPrinterTest, APrinterThatIsNotThereCannotBeOpened) {
    EXPECT_EQ(0u, sys_->OpenExistingPrinter("KORA No Such Printer"));
    EXPECT_NE(0u, sys_->LastError());
}

// A top-level window on a thread of its own, as another program's main window is. It
// answers messages, or, told to, stops answering for a while.
class Listener {
public:
    explicit Listener(DWORD stallMs) : stallMs_(stallMs) {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &Listener::Run, this, 0, nullptr);
        WaitForSingleObject(ready_, 10000);
    }
    ~Listener() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 30000);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    HWND Window() const { return window_; }
    // The sections of the WM_SETTINGCHANGE messages received, in order.
    std::vector<std::string> Sections() const { return sections_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_SETTINGCHANGE && wParam == 0)
            self->sections_.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "(null)");
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static DWORD WINAPI Run(void* parameter) {
        auto* self = static_cast<Listener*>(parameter);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Listener::Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KoraSettingListener";
        RegisterClassA(&windowClass);
        self->threadId_ = GetCurrentThreadId();
        self->window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
        SetWindowLongPtrA(self->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
        SetEvent(self->ready_);
        if (self->stallMs_) Sleep(self->stallMs_);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        DestroyWindow(self->window_);
        return 0;
    }

    DWORD stallMs_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::vector<std::string> sections_;
};

// IsWow64Process2 is found at run time (Wine's kernel32 has it, as Windows 10 from version
// 1709 on): a 32-bit prefix is an x86 Windows. The 64-bit prefix's x64 answer leads the
// whole runs of install_x64_test.
TEST(SystemMachine, AThirtyTwoBitPrefixIsAnX86Windows) {
    const std::unique_ptr<kora::InstallSystem> sys = MakeWin32InstallSystem(nullptr, nullptr);
    std::uint16_t machine = 0;
    ASSERT_TRUE(sys->QueryNativeMachine(&machine));
    EXPECT_EQ(machine, kora::kMachineI386);
    EXPECT_EQ(kora::DetectSystemMachine(*sys), kora::SystemMachine::X86);
}

// The ARM64 table entry against a real spooler and file system: the environment is one the
// spooler knows (Wine's, like Windows', keeps it in spool\drivers\arm64), and the driver
// store search finds the in-box ARM64 package's Arm64 folder and nothing else. In a 32-bit
// prefix the store is System32's.
TEST(Arm64Environment, TheSpoolerKnowsItAndTheDriverStoreSearchFindsItsPackage) {
    const std::unique_ptr<kora::InstallSystem> sys = MakeWin32InstallSystem(nullptr, nullptr);
    kora::InstallOutcome outcome;
    const std::string directory = kora::QueryDriverDirectory(*sys, kora::kArm64Environment.name, "", outcome);
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(directory, "C:\\windows\\system32\\spool\\drivers\\arm64");

    char windows[MAX_PATH] = {};
    ASSERT_NE(0u, GetSystemWindowsDirectoryA(windows, MAX_PATH));
    const std::string repository = std::string(windows) + "\\System32\\DriverStore\\FileRepository\\";
    const std::string package = repository + "ntprint.inf_arm64_e2e0001";
    const std::string notAFolder = repository + "ntprint.inf_arm64_e2e0002";
    const std::string x64Package = repository + "ntprint.inf_amd64_e2e0003";
    ASSERT_TRUE(CreateFolderWithParents(package + "\\Arm64"));
    ASSERT_TRUE(CreateFolderWithParents(x64Package + "\\Amd64"));
    ASSERT_TRUE(WriteWholeFile(notAFolder, "x", 1));
    const std::vector<std::string> found =
        sys->FindDriverStoreFolders(kora::kArm64Environment.storePackages, kora::kArm64Environment.storeFolder);
    RemoveTree(package);
    RemoveTree(x64Package);
    DeleteFileA(notAFolder.c_str());
    EXPECT_EQ(found, std::vector<std::string>{package + "\\Arm64"});
}

TEST(SettingChange, ReachesTopLevelWindowsWithTheSection) {
    std::unique_ptr<kora::InstallSystem> sys = MakeWin32InstallSystem(nullptr, nullptr);
    Listener listener(0);
    ASSERT_NE(nullptr, listener.Window());
    sys->BroadcastSettingChange("windows");
    // SendMessageTimeout returns once every window has answered, so the message is in.
    EXPECT_EQ(std::vector<std::string>{"windows"}, listener.Sections());
}

// A program that stops answering (here for 15 s) holds the broadcast for its short
// timeout only, not until it answers.
TEST(SettingChange, AWindowThatDoesNotAnswerCannotHoldTheRun) {
    const DWORD kStallMs = 15000;
    const DWORD kBoundMs = 8000;  // the timeout with room for a slow, shared machine
    std::unique_ptr<kora::InstallSystem> sys = MakeWin32InstallSystem(nullptr, nullptr);
    Listener listener(kStallMs);
    ASSERT_NE(nullptr, listener.Window());
    DWORD start = GetTickCount();
    sys->BroadcastSettingChange("windows");
    EXPECT_LT(GetTickCount() - start, kBoundMs);
}

}  // namespace
}  // namespace e2e
