// A dialog that runs a test's script from inside its own modal loop: the script runs at
// the end of OnInitDialog, and a timer ends the dialog once the script's posted messages
// have all been handled (a timer message comes only when the queue is empty). So every
// case ends by itself, and a case that should have ended the dialog otherwise shows it
// by DoModal returning kEndedByTimer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"

class CScriptedDlg : public CDialog {
public:
    using Script = std::function<void(CScriptedDlg&)>;
    static constexpr INT_PTR kEndedByTimer = 0x7E57;

    CScriptedDlg(UINT templateId, Script script);

    BOOL OnInitDialog() override;
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0);
    void PostCommand(UINT id, UINT code);

    bool m_scriptRan = false;

private:
    static void CALLBACK EndByTimer(HWND hWnd, UINT, UINT_PTR id, DWORD);

    Script m_script;
};

// What the handlers of a case were called with, in order, one word each.
std::vector<std::string>& CallLog();
std::string JoinedCalls();
