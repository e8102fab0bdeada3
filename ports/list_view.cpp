#include "ports/list_view.h"

void ApplyListStyle(CListCtrl& list) {
    DWORD style = list.GetExtendedStyle();
    style &= ~static_cast<DWORD>(LVS_EX_TRACKSELECT);
    style |= LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    list.SetExtendedStyle(style);
}

void PreselectRow(CListCtrl& list, int row) { list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED); }

int FindSelectedRow(const CListCtrl& list) {
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetItemState(row, LVIS_SELECTED) == LVIS_SELECTED) return row;
    return -1;
}
