#pragma once

#include "afx/ComboBox.h"
#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

// "Parameters of": names the parameter file whose parameters are shown. The
// choice has no effect of its own.
class CParamFileDlg : public CDialog, public CTarvoMgrExt
{
public:
    explicit CParamFileDlg(CTarvoMgr* pMgr);
    ~CParamFileDlg() override;

    BOOL Create(CWnd* pParentWnd);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CComboBox m_cbFiles;
};
