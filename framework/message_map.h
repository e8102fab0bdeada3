// Per-class message maps: static tables that bind a command and notification, or a window
// message, to a member handler. A class's map chains to its base class's, so the base
// keeps its meaning for whatever the class does not bind itself.
#pragma once

#include <windows.h>

class CCmdTarget;

enum class HandlerSignature {
    End,
    Command,     // void ()
    SysCommand,  // void (UINT nID, LPARAM lParam)
    Paint,       // void ()
    QueryIcon,   // HCURSOR ()
};

using AFX_PMSG = void (CCmdTarget::*)();

struct MessageMapEntry {
    UINT message;  // WM_COMMAND, or the window message handled
    UINT code;     // notification code of a WM_COMMAND entry
    UINT id;       // control or command id of a WM_COMMAND entry
    HandlerSignature signature;
    AFX_PMSG handler;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

// The entry that handles a message, searching the class's map first, then its bases'.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id);

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

// The two halves of a map open and close braces the other closes and opens: laid out by hand.
// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap() {                               \
        typedef theClass ThisClass [[maybe_unused]];                                \
        typedef baseClass TheBaseClass;                                             \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                  \
            {0, 0, 0, HandlerSignature::End, nullptr}                      \
        };                                                                 \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                       \
    }
// clang-format on

#define AFX_COMMAND_ENTRY(code, id, fn) \
    {WM_COMMAND, UINT(code), UINT(id), HandlerSignature::Command, static_cast<AFX_PMSG>(&ThisClass::fn)},

#define ON_COMMAND(id, fn) AFX_COMMAND_ENTRY(0, id, fn)
#define ON_BN_CLICKED(id, fn) AFX_COMMAND_ENTRY(BN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE(id, fn) AFX_COMMAND_ENTRY(CBN_SELCHANGE, id, fn)

#define ON_WM_SYSCOMMAND()                                                       \
    {WM_SYSCOMMAND, 0, 0, HandlerSignature::SysCommand,                          \
     reinterpret_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)(UINT, LPARAM)>( \
         static_cast<void (ThisClass::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand)))},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, HandlerSignature::Paint, static_cast<AFX_PMSG>(&ThisClass::OnPaint)},
#define ON_WM_QUERYDRAGICON()                             \
    {WM_QUERYDRAGICON, 0, 0, HandlerSignature::QueryIcon, \
     reinterpret_cast<AFX_PMSG>(                          \
         static_cast<HCURSOR (CCmdTarget::*)()>(static_cast<HCURSOR (ThisClass::*)()>(&ThisClass::OnQueryDragIcon)))},
