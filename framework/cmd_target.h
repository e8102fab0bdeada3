// The root of everything that has a message map: the application and the windows.
#pragma once

#include "framework/message_map.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler this object's map has for the message; false when it has none.
    bool OnCmdMsg(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};
