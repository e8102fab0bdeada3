// AfxMessageBox as the user sees it: read from a second thread while the box is open.
#include <gtest/gtest.h>

#include <string>

#include "test_app.h"
#include "test_ids.h"

namespace {

constexpr DWORD kFindTimeoutMs = 5000;

struct SeenBox {
    DWORD ownerThread = 0;
    UINT closeWith = IDOK;
    bool found = false;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char cls[16] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK ReadStatic(HWND child, LPARAM seenBox) {
    auto* seen = reinterpret_cast<SeenBox*>(seenBox);
    char cls[16] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        seen->icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    } else {
        char text[256] = {};
        ::GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0') seen->text = text;
    }
    return TRUE;
}

// Waits for a dialog of the owner thread, reads it, and clicks the given button.
DWORD WINAPI ReadAndClose(void* param) {
    auto* seen = static_cast<SeenBox*>(param);
    for (DWORD waited = 0; waited < kFindTimeoutMs; waited += 20) {
        HWND box = nullptr;
        ::EnumThreadWindows(seen->ownerThread, &FindDialog, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            ::Sleep(20);
            continue;
        }
        seen->found = true;
        char caption[256] = {};
        ::GetWindowTextA(box, caption, sizeof caption);
        seen->caption = caption;
        ::EnumChildWindows(box, &ReadStatic, reinterpret_cast<LPARAM>(seen));
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(seen->closeWith, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, static_cast<int>(seen->closeWith))));
        return 0;
    }
    return 1;
}

std::string LoadText(UINT id) {
    char text[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

struct BoxCase {
    const char* name;
    UINT type;
    const char* expectedIcon;  // a system icon id
    UINT closeWith;
};

const BoxCase kBoxCases[] = {
    {"a plain OK box gets the exclamation icon", MB_OK, IDI_EXCLAMATION, IDOK},
    {"OK and Cancel get it too", MB_OKCANCEL, IDI_EXCLAMATION, IDCANCEL},
    {"an icon the caller asked for is kept", MB_OK | MB_ICONINFORMATION, IDI_ASTERISK, IDOK},
};

TEST(AfxMessageBox, CaptionIsTheProgramNameAndTheIconAsAsked) {
    const std::string notice = LoadText(IDS_NOTICE);
    ASSERT_EQ(notice, "请先关闭正在运行的打印任务");
    for (const BoxCase& c : kBoxCases) {
        SeenBox seen;
        seen.ownerThread = ::GetCurrentThreadId();
        seen.closeWith = c.closeWith;
        HANDLE reader = ::CreateThread(nullptr, 0, &ReadAndClose, &seen, 0, nullptr);
        ASSERT_NE(reader, nullptr);
        int answer = AfxMessageBox(notice.c_str(), c.type);
        EXPECT_EQ(::WaitForSingleObject(reader, 10000), WAIT_OBJECT_0) << c.name;
        ::CloseHandle(reader);
        ASSERT_TRUE(seen.found) << c.name << ": no message box appeared";
        EXPECT_EQ(seen.caption, "framework_test") << c.name;
        EXPECT_EQ(seen.text, notice) << c.name;
        EXPECT_EQ(seen.icon, ::LoadIconA(nullptr, c.expectedIcon)) << c.name;
        EXPECT_EQ(answer, static_cast<int>(c.closeWith)) << c.name;
    }
}

}  // namespace
