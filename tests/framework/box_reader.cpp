#include "box_reader.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kFinishTimeoutMs = 10000;

struct Search {
    const std::vector<HWND>* seen;
    HWND found;
};

// InternalGetWindowText sends no message: the thread that owns the window may be busy.
bool IsMessageBox(HWND window) {
    char cls[16] = {};
    wchar_t caption[64] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    ::InternalGetWindowText(window, caption, 64);
    return lstrcmpA(cls, "#32770") == 0 && lstrcmpW(caption, L"framework_test") == 0 && ::IsWindowVisible(window);
}

BOOL CALLBACK FindNewBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    for (HWND seen : *search->seen)
        if (seen == window) return TRUE;
    if (!IsMessageBox(window)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK ReadText(HWND child, LPARAM param) {
    char cls[16] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
    char text[256] = {};
    ::GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0') *reinterpret_cast<std::string*>(param) = text;
    return TRUE;
}

}  // namespace

BoxReader::BoxReader()
    : m_thread(::GetCurrentThreadId()),
      m_stop(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_reader(::CreateThread(nullptr, 0, &BoxReader::Read, this, 0, nullptr)) {}

BoxReader::~BoxReader() {
    Finish();
    if (m_reader) ::CloseHandle(m_reader);
    if (m_stop) ::CloseHandle(m_stop);
}

const std::vector<ReadBox>& BoxReader::Finish() {
    if (m_stop) ::SetEvent(m_stop);
    if (m_reader) ::WaitForSingleObject(m_reader, kFinishTimeoutMs);
    return m_boxes;
}

DWORD WINAPI BoxReader::Read(void* param) {
    auto* self = static_cast<BoxReader*>(param);
    while (::WaitForSingleObject(self->m_stop, kPollMs) == WAIT_TIMEOUT) {
        while (self->ReadNewBox()) {
        }
    }
    return 0;
}

bool BoxReader::ReadNewBox() {
    Search search = {&m_seen, nullptr};
    ::EnumThreadWindows(m_thread, &FindNewBox, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    HWND box = search.found;
    m_seen.push_back(box);
    ReadBox read;
    read.owner = ::GetWindow(box, GW_OWNER);
    read.ownerEnabled = read.owner && ::IsWindowEnabled(read.owner);
    ::EnumChildWindows(box, &ReadText, reinterpret_cast<LPARAM>(&read.text));
    m_boxes.push_back(read);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    return true;
}
