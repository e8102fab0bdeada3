#include "handle_reuse.h"

#include <vector>

namespace {

constexpr int kMaxHeld = 2000;
constexpr int kMaxRecycles = 0x10000 + 16;

// Message-only windows: no display window behind them, so thousands are cheap.
HWND CreatePlain(const char* className) {
    return ::CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 40, 20, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// The slot's reuse count before the one that gives `wanted`; counts skip 0 and 0xFFFF.
WORD ReuseBefore(HWND wanted) {
    WORD count = HIWORD(reinterpret_cast<UINT_PTR>(wanted));
    return count <= 1 ? 0xFFFE : count - 1;
}

HWND RecycleSlot(HWND first, HWND wanted, const char* className) {
    HWND window = first;
    for (int i = 0; i < kMaxRecycles; ++i) {
        if (HIWORD(reinterpret_cast<UINT_PTR>(window)) == ReuseBefore(wanted)) {
            ::DestroyWindow(window);
            HWND target = CreatePlain(className);
            if (target == wanted) return target;
            if (target) ::DestroyWindow(target);
            return nullptr;
        }
        ::DestroyWindow(window);
        window = CreatePlain("Static");
        if (window == nullptr) return nullptr;
    }
    ::DestroyWindow(window);
    return nullptr;
}

}  // namespace

HWND CreateWindowWithHandle(HWND wanted, const char* className) {
    if (::IsWindow(wanted)) return nullptr;
    WORD slot = LOWORD(reinterpret_cast<UINT_PTR>(wanted));
    std::vector<HWND> held;
    HWND result = nullptr;
    for (int i = 0; i < kMaxHeld; ++i) {
        HWND window = CreatePlain("Static");
        if (window == nullptr) break;
        if (LOWORD(reinterpret_cast<UINT_PTR>(window)) == slot) {
            result = RecycleSlot(window, wanted, className);
            break;
        }
        held.push_back(window);
    }
    for (HWND window : held) ::DestroyWindow(window);
    return result;
}
