// Dialog initialisation data: after the controls exist, each record sends one message with
// its bytes to one control (combo box and list box entries). Layout of resource type 240:
// WORD control id, WORD message, DWORD length, the bytes; a zero control id ends it.
#include <cstring>

#include "framework/app.h"
#include "framework/dialog.h"

namespace {

constexpr WORD kDlgInitResourceType = 240;
constexpr WORD kWin16LbAddString = 0x0401;  // the record's message numbers are the 16-bit ones
constexpr WORD kWin16CbAddString = 0x0403;

UINT TranslateMessage16(WORD message) {
    switch (message) {
    case kWin16LbAddString: return LB_ADDSTRING;
    case kWin16CbAddString: return CB_ADDSTRING;
    default: return message;
    }
}

template <typename T>
T ReadAt(const BYTE* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

BOOL CDialog::ExecuteDlgInit(UINT templateId) {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(kDlgInitResourceType));
    if (found == nullptr) return TRUE;  // a template without initialisation data
    HGLOBAL loaded = ::LoadResource(instance, found);
    const BYTE* p = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (p == nullptr) return FALSE;
    const BYTE* end = p + ::SizeofResource(instance, found);
    const size_t header = 2 * sizeof(WORD) + sizeof(DWORD);
    while (p + sizeof(WORD) <= end) {
        WORD id = ReadAt<WORD>(p);
        if (id == 0 || p + header > end) break;
        WORD message = ReadAt<WORD>(p + 2);
        DWORD length = ReadAt<DWORD>(p + 4);
        const BYTE* data = p + header;
        if (length > static_cast<DWORD>(end - data)) return FALSE;  // a damaged record
        if (length > 0 && data[length - 1] == '\0')
            ::SendDlgItemMessageA(m_hWnd, id, TranslateMessage16(message), 0, reinterpret_cast<LPARAM>(data));
        p = data + length;
    }
    return TRUE;
}
