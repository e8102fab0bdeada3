// A dialog or message box made without a parent while another dialog is shown: owned by
// that dialog, which takes no input while it runs and is enabled and active again when
// it ends, before the window that ended is destroyed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "box_reader.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "test_ids.h"

namespace {

constexpr UINT_PTR kShownTimer = 0x5E5;
constexpr DWORD kFindTimeoutMs = 5000;

// Runs a step once the dialog is shown: a timer message comes only when the queue is
// empty, and the modal loop shows the dialog the first time the queue runs empty.
class CWhenShownDlg : public CDialog {
public:
    using Step = std::function<void(CWhenShownDlg&)>;
    explicit CWhenShownDlg(Step onShown) : CDialog(IDD_PROBE), m_onShown(std::move(onShown)) {}

    BOOL OnInitDialog() override {
        BOOL result = CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, kShownTimer, 10, &CWhenShownDlg::Shown);
        return result;
    }

private:
    static void CALLBACK Shown(HWND hWnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hWnd, id);
        auto* dialog = reinterpret_cast<CWhenShownDlg*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
        if (dialog && dialog->m_onShown) dialog->m_onShown(*dialog);
    }

    Step m_onShown;
};

// What the inner dialog saw of the outer one.
struct Seen {
    HWND outer = nullptr;
    HWND outerOwner = reinterpret_cast<HWND>(-1);
    HWND innerOwner = nullptr;
    bool outerEnabledWhileInnerShown = true;
    bool outerEnabledWhenInnerDestroyed = false;
    bool outerEnabledAfter = false;
    HWND activeAfter = nullptr;
    INT_PTR innerResult = 0;
};

Seen* g_seen = nullptr;
WNDPROC g_innerProc = nullptr;

LRESULT CALLBACK WatchDestroy(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && g_seen) g_seen->outerEnabledWhenInnerDestroyed = ::IsWindowEnabled(g_seen->outer);
    return ::CallWindowProcA(g_innerProc, hWnd, message, wParam, lParam);
}

struct WayOut {
    const char* name;
    void (*leave)(HWND inner);
    INT_PTR result;
};

const WayOut kWaysOut[] = {
    {"OK button",
     [](HWND inner) {
         ::PostMessageA(inner, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(inner, IDOK)));
     },
     IDOK},
    {"Esc", [](HWND inner) { ::PostMessageA(inner, WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
    {"close box", [](HWND inner) { ::PostMessageA(inner, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
};

// The outer dialog opens the inner one once it is shown, as a button handler of a page does.
Seen RunNested(const WayOut& way, bool disableOuterFirst) {
    Seen seen;
    g_seen = &seen;
    CWhenShownDlg outer([&](CWhenShownDlg& o) {
        seen.outer = o.m_hWnd;
        seen.outerOwner = ::GetWindow(o.m_hWnd, GW_OWNER);
        if (disableOuterFirst) ::EnableWindow(o.m_hWnd, FALSE);
        CWhenShownDlg inner([&](CWhenShownDlg& i) {
            seen.innerOwner = ::GetWindow(i.m_hWnd, GW_OWNER);
            seen.outerEnabledWhileInnerShown = ::IsWindowEnabled(o.m_hWnd);
            g_innerProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(i.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDestroy)));
            way.leave(i.m_hWnd);
        });
        seen.innerResult = inner.DoModal();
        seen.outerEnabledAfter = ::IsWindowEnabled(o.m_hWnd);
        seen.activeAfter = ::GetActiveWindow();
        ::EnableWindow(o.m_hWnd, TRUE);
        o.EndDialog(IDOK);
    });
    EXPECT_EQ(outer.DoModal(), IDOK) << way.name;
    g_seen = nullptr;
    return seen;
}

TEST(ModalOwner, TheDialogUnderneathOwnsItAndIsDisabledUntilItEnds) {
    for (const WayOut& way : kWaysOut) {
        Seen seen = RunNested(way, false);
        ASSERT_NE(seen.outer, nullptr) << way.name << ": the outer dialog never showed";
        EXPECT_EQ(seen.outerOwner, nullptr) << way.name << ": with no active window the first dialog is unowned";
        EXPECT_EQ(seen.innerOwner, seen.outer) << way.name;
        EXPECT_FALSE(seen.outerEnabledWhileInnerShown) << way.name;
        EXPECT_TRUE(seen.outerEnabledWhenInnerDestroyed) << way.name << ": enabled only after the window was gone";
        EXPECT_TRUE(seen.outerEnabledAfter) << way.name;
        EXPECT_EQ(seen.activeAfter, seen.outer) << way.name << ": activation did not return to the owner";
        EXPECT_EQ(seen.innerResult, way.result) << way.name;
    }
}

TEST(ModalOwner, AnOwnerDisabledBeforeStaysDisabled) {
    Seen seen = RunNested(kWaysOut[0], true);
    EXPECT_EQ(seen.innerOwner, seen.outer);
    EXPECT_FALSE(seen.outerEnabledWhenInnerDestroyed);
    EXPECT_FALSE(seen.outerEnabledAfter);
}

struct SeenBox {
    DWORD thread = 0;
    HWND dialog = nullptr;
    bool found = false;
    HWND owner = nullptr;
    bool dialogEnabled = true;
};

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    char cls[16] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    auto* seen = reinterpret_cast<SeenBox*>(found);
    if (std::string(cls) != "#32770" || window == seen->dialog || !::IsWindowVisible(window)) return TRUE;
    seen->found = true;
    seen->owner = ::GetWindow(window, GW_OWNER);
    seen->dialogEnabled = ::IsWindowEnabled(seen->dialog);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
    return FALSE;
}

DWORD WINAPI ReadBoxAndClose(void* param) {
    auto* seen = static_cast<SeenBox*>(param);
    for (DWORD waited = 0; waited < kFindTimeoutMs && !seen->found; waited += 20) {
        ::EnumThreadWindows(seen->thread, &FindBox, reinterpret_cast<LPARAM>(seen));
        if (!seen->found) ::Sleep(20);
    }
    return seen->found ? 0 : 1;
}

TEST(ModalOwner, AMessageBoxIsOwnedByTheDialogShown) {
    SeenBox seen;
    HWND activeAfter = nullptr;
    bool enabledAfter = false;
    CWhenShownDlg dialog([&](CWhenShownDlg& d) {
        seen.thread = ::GetCurrentThreadId();
        seen.dialog = d.m_hWnd;
        HANDLE reader = ::CreateThread(nullptr, 0, &ReadBoxAndClose, &seen, 0, nullptr);
        if (reader) {
            AfxMessageBox("请先关闭正在运行的打印任务", MB_OK);
            ::WaitForSingleObject(reader, 2 * kFindTimeoutMs);
            ::CloseHandle(reader);
        }
        enabledAfter = ::IsWindowEnabled(d.m_hWnd);
        activeAfter = ::GetActiveWindow();
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ(seen.owner, seen.dialog);
    EXPECT_FALSE(seen.dialogEnabled);
    EXPECT_TRUE(enabledAfter);
    EXPECT_EQ(activeAfter, seen.dialog);
}

// A window of another thread made the foreground window, as another program's is when the
// user switches to it: the thread showing the dialogs is left without an active window.
class ForeignForegroundWindow {
public:
    ForeignForegroundWindow()
        : m_quit(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_thread(::CreateThread(nullptr, 0, &ForeignForegroundWindow::Run, this, 0, nullptr)) {}
    ~ForeignForegroundWindow() {
        ::SetEvent(m_quit);
        ::WaitForSingleObject(m_thread, kFindTimeoutMs);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_quit);
    }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<ForeignForegroundWindow*>(param);
        HWND window = ::CreateWindowExA(0, "Static", "another program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200,
                                        80, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SetForegroundWindow(window);
        while (::MsgWaitForMultipleObjects(1, &self->m_quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        }
        ::DestroyWindow(window);
        return 0;
    }

    HANDLE m_quit;
    HANDLE m_thread;
};

// Handles what is sent to this thread (the loss of activation comes so) until it has no
// active window.
bool LoseActivation() {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kFindTimeoutMs; ::Sleep(10)) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        if (::GetActiveWindow() == nullptr) return true;
    }
    return false;
}

// The user switched to another program while a page worked: what the page opens then is
// still owned by the page, which takes no input until it has closed.
TEST(ModalOwner, OwnedByThePageWhileAnotherProgramIsActive) {
    struct Opened {
        HWND owner = nullptr;
        bool ownerEnabled = true;
    };
    struct Case {
        const char* name;
        Opened (*open)(HWND page);
    };
    static const Case kCases[] = {
        {"message box",
         [](HWND) {
             BoxReader reader;
             AfxMessageBox("请先关闭正在运行的打印任务", MB_OK);
             const std::vector<ReadBox>& boxes = reader.Finish();
             return boxes.size() == 1 ? Opened{boxes[0].owner, boxes[0].ownerEnabled} : Opened{};
         }},
        {"dialog",
         [](HWND page) {
             Opened seen;
             CWhenShownDlg inner([&](CWhenShownDlg& i) {
                 seen = {::GetWindow(i.m_hWnd, GW_OWNER), ::IsWindowEnabled(page) != FALSE};
                 i.EndDialog(IDOK);
             });
             inner.DoModal();
             return seen;
         }},
    };
    for (const Case& c : kCases) {
        HWND shown = nullptr;
        bool deactivated = false;
        Opened opened;
        CWhenShownDlg page([&](CWhenShownDlg& d) {
            shown = d.m_hWnd;
            ::SetForegroundWindow(d.m_hWnd);  // as the page the user works in
            ForeignForegroundWindow other;
            deactivated = LoseActivation();
            opened = c.open(d.m_hWnd);
            d.EndDialog(IDOK);
        });
        EXPECT_EQ(page.DoModal(), IDOK) << c.name;
        ASSERT_TRUE(deactivated) << c.name << ": the page stayed the active window";
        EXPECT_EQ(opened.owner, shown) << c.name;
        EXPECT_FALSE(opened.ownerEnabled) << c.name;
    }
}

}  // namespace
