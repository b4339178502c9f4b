// The About box: the product's icon, name and version.
#pragma once
#include "controls/CButtonST.h"
#include "framework/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    CButtonST OkButton; // no tip text is ever given to it
};
