// Data exchange between a dialog and its members. Pages here read their values straight
// from the controls; the exchange only binds control wrappers to their controls.
#pragma once

#include "framework/wnd.h"

class CDialog;

class CDataExchange {
public:
    explicit CDataExchange(CDialog* dialog) : m_pDlgWnd(dialog) {}
    CDialog* m_pDlgWnd;
};

// Binds the wrapper to control `id` once; the dialog drops the binding when its window goes.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
