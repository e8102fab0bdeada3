// Combo boxes, list views, progress bars of another process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness/dialog.h"

namespace e2e {

// Combo box: item texts (GBK), count and selection (-1: none or no control).
std::vector<std::string> ComboItems(const Dialog& dialog, int id);
int ComboCount(const Dialog& dialog, int id);
int ComboSelection(const Dialog& dialog, int id);
// Selects a row as the user would: the selection changes, then the dialog gets
// CBN_SELCHANGE (sent, so its handler has run when this returns).
bool SelectComboRow(const Dialog& dialog, int id, int row);

// List view.
int ListViewCount(const Dialog& dialog, int id);
std::string ListViewText(const Dialog& dialog, int id, int row, int column);
std::string ListViewHeading(const Dialog& dialog, int id, int column);
int ListViewColumnWidth(const Dialog& dialog, int id, int column);
// LVIS_* bits of the row, masked by `mask`.
UINT ListViewItemState(const Dialog& dialog, int id, int row, UINT mask);
DWORD ListViewExtendedStyle(const Dialog& dialog, int id);
// The texts of one column, row by row.
std::vector<std::string> ListViewColumnTexts(const Dialog& dialog, int id, int column);
// Number of columns of a report-view list (items of its header control); -1 without it.
int ListViewColumnCount(const Dialog& dialog, int id);
// Selects and focuses the row (other rows are deselected), as a click on it does.
bool SelectListViewRow(const Dialog& dialog, int id, int row);
// Deselects and unfocuses every row; false when a row is still selected afterwards.
bool ClearListViewSelection(const Dialog& dialog, int id);

// Progress bar.
int ProgressPosition(const Dialog& dialog, int id);
void ProgressRange(const Dialog& dialog, int id, int* low, int* high);
// PBM_SETPOS, as the installation does.
void SetProgressPosition(const Dialog& dialog, int id, int position);

// WM_SETTEXT (marshalled across processes); false when the control is missing or hung.
bool SetControlText(HWND control, const std::string& text);

}  // namespace e2e
