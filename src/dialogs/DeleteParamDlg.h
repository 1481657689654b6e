#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"

// "Delete Parameter": asks before a parameter goes, and whether its data file
// goes with it; deleting the file is confirmed once more.
class TARVO_API CDeleteParamDlg : public CDialog
{
public:
    explicit CDeleteParamDlg(CWnd* pParentWnd = nullptr);

    // "Delete parameter data file from disk", 0 or 1.
    int m_bDeleteDataFile = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
