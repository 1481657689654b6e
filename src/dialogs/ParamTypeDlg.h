#pragma once

#include "afx/ComboBox.h"
#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

// "Parameter type": the active parameter's type by its display name.
// Choosing another entry re-types the parameter, unless the tab on show
// refuses to be left; then the previous entry comes back.
class CParamTypeDlg : public CDialog, public CTarvoMgrExt
{
public:
    explicit CParamTypeDlg(CTarvoMgr* pMgr);
    ~CParamTypeDlg() override;

    BOOL Create(CWnd* pParentWnd);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnCloseUpType();
    void OnSelChangeType();
    void OnDropDownType();

    CComboBox m_cbTypes;
    // The entry to come back to when a change is refused.
    int m_nPrevIndex = -1;

    DECLARE_MESSAGE_MAP()

private:
    void ApplyChoice();
    void ShowActiveType();
};
