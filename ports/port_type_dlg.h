// "创建端口": lists the spooler's port monitors and lets the chosen one create a port.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

class CPortTypeDlg : public CDialog {
public:
    CPortTypeDlg();
    ~CPortTypeDlg() override;

    CListCtrl m_typeList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnNewPort();

    DECLARE_MESSAGE_MAP()
};
