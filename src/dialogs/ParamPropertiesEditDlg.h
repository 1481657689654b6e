#pragma once

#include "dialogs/ParamHostDialog.h"

// "Parameter Properties": the type window above the properties sheet of the
// active parameter. Close commits the tab's input and Escape cancels, each
// only when every window agrees.
class CParamPropertiesEditDlg : public CParamHostDialog
{
public:
    CParamPropertiesEditDlg(CTarvoMgr* pMgr, CWnd* pParentWnd);

    BOOL OnInitDialog() override;

protected:
    void CreateWindows() override;
    void LayoutWindows() override;
};
