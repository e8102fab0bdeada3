// Reading and driving controls of another process where the harness has no call for it.
#pragma once
#include <windows.h>

#include <string>

#include "harness/dialog.h"

namespace e2e {

// Number of columns of a report-view list (items of its header control); -1 without it.
int ListViewColumnCount(const Dialog& dialog, int id);
// PBM_SETPOS, as the installation does.
void SetProgressPosition(const Dialog& dialog, int id, int position);
// WM_SETTEXT (marshalled across processes); false when the control is missing or hung.
bool SetControlText(HWND control, const std::string& text);
// The window with the keyboard focus on the dialog's thread.
HWND FocusedWindow(const Dialog& dialog);
// A click on a button of a dialog posted as the dialog itself would receive it.
void PostButtonClick(HWND dialog, int id);

}  // namespace e2e
