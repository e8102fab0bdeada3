// What both port pages do with their list views.
#pragma once

#include "framework/controls.h"

// The current extended style without hover selection, with grid lines and full-row selection.
void ApplyListStyle(CListCtrl& list);

// Selects a row the way the program preselects one: selected, not focused.
void PreselectRow(CListCtrl& list, int row);

// The first selected row from the top, or -1.
int FindSelectedRow(const CListCtrl& list);
