#pragma once

#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

#include <QIcon>

#include <memory>

// "Parameter Properties": the type window above the properties sheet of the
// active parameter. Close commits the tab's input and Escape cancels, each
// only when every window agrees.
class CParamPropertiesEditDlg : public CDialog, public CTarvoMgrExt
{
public:
    CParamPropertiesEditDlg(CTarvoMgr* pMgr, CWnd* pParentWnd);
    ~CParamPropertiesEditDlg() override;

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnHelp();

    QIcon m_hIcon;
    CRect m_rcLastClient;
    BOOL m_bInitialized = FALSE;
    std::unique_ptr<CWnd> m_pPropertiesWnd;
    std::unique_ptr<CWnd> m_pTypeWnd;

    DECLARE_MESSAGE_MAP()

private:
    void LayoutWindows();
};
