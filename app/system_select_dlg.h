// The first page: shows which Windows version was detected.
#pragma once

#include "framework/dialog.h"

class CSystemSelectDlg : public CDialog {
public:
    CSystemSelectDlg();

protected:
    BOOL OnInitDialog() override;
    void OnBack();
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
