#include "handle_reuse.h"

#include <vector>

namespace {

constexpr int kMaxHeld = 4000;
constexpr int kMaxRecycles = 0x10000 + 16;

// Menus take their handles from the same table as windows and cost far less to make.
UINT_PTR NewMenu() { return reinterpret_cast<UINT_PTR>(::CreateMenu()); }
void FreeMenu(UINT_PTR menu) { ::DestroyMenu(reinterpret_cast<HMENU>(menu)); }

// A message-only window: no display window behind it.
HWND CreateTarget(const char* className) {
    return ::CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 40, 20, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// The slot's reuse count before the one that gives `wanted`; counts skip 0 and 0xFFFF.
WORD ReuseBefore(UINT_PTR wanted) {
    WORD count = HIWORD(wanted);
    return count <= 1 ? 0xFFFE : count - 1;
}

HWND RecycleSlot(UINT_PTR menu, UINT_PTR wanted, const char* className) {
    for (int i = 0; i < kMaxRecycles && menu != 0; ++i) {
        bool last = HIWORD(menu) == ReuseBefore(wanted);
        FreeMenu(menu);
        if (last) {
            HWND target = CreateTarget(className);
            if (reinterpret_cast<UINT_PTR>(target) == wanted) return target;
            if (target) ::DestroyWindow(target);
            return nullptr;
        }
        menu = NewMenu();
    }
    if (menu) FreeMenu(menu);
    return nullptr;
}

}  // namespace

HWND CreateWindowWithHandle(HWND wanted, const char* className) {
    if (::IsWindow(wanted)) return nullptr;
    UINT_PTR value = reinterpret_cast<UINT_PTR>(wanted);
    std::vector<UINT_PTR> held;
    HWND result = nullptr;
    for (int i = 0; i < kMaxHeld; ++i) {
        UINT_PTR menu = NewMenu();
        if (menu == 0) break;
        if (LOWORD(menu) == LOWORD(value)) {
            result = RecycleSlot(menu, value, className);
            break;
        }
        held.push_back(menu);
    }
    for (UINT_PTR menu : held) FreeMenu(menu);
    return result;
}
