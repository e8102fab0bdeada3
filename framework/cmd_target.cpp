#include "framework/cmd_target.h"

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id) {
    for (; map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->signature != HandlerSignature::End; ++e) {
            if (e->message != message) continue;
            if (message == WM_COMMAND && (e->code != code || e->id != id)) continue;
            return e;
        }
    }
    return nullptr;
}

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {{0, 0, 0, HandlerSignature::End, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::OnCmdMsg(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, code, id);
    if (entry == nullptr) return false;
    *result = 0;
    switch (entry->signature) {
    case HandlerSignature::Command:
    case HandlerSignature::Paint: (this->*entry->handler)(); break;
    case HandlerSignature::SysCommand: {
        auto fn = reinterpret_cast<void (CCmdTarget::*)(UINT, LPARAM)>(entry->handler);
        (this->*fn)(static_cast<UINT>(wParam), lParam);
        break;
    }
    case HandlerSignature::QueryIcon: {
        auto fn = reinterpret_cast<HCURSOR (CCmdTarget::*)()>(entry->handler);
        *result = reinterpret_cast<LRESULT>((this->*fn)());
        break;
    }
    case HandlerSignature::End: return false;
    }
    return true;
}
