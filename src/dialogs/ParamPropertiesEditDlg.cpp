#include "dialogs/ParamPropertiesEditDlg.h"

#include "manager/TarvoMgr.h"
#include "resources/PropertiesDialogs.h"

namespace
{
const unsigned long HELP_TOPIC = 141309;
// Room kept free around the embedded windows.
const int MARGIN = 4;
} // namespace

CParamPropertiesEditDlg::CParamPropertiesEditDlg(CTarvoMgr* pMgr, CWnd* pParentWnd)
    : CParamHostDialog(IDD_PARAM_PROPERTIES, HELP_TOPIC, pMgr, pParentWnd)
{
}

BOOL CParamPropertiesEditDlg::OnInitDialog()
{
    if (m_pMgr)
    {
        std::string strTitle;
        GetWindowText(strTitle);
        SetWindowText((strTitle + " - [" + m_pMgr->GetActiveParamName() + "]").c_str());
    }
    return CParamHostDialog::OnInitDialog();
}

void CParamPropertiesEditDlg::CreateWindows()
{
    if (!m_pMgr)
        return;
    m_pPropertiesWnd.reset(m_pMgr->CreateParamPropertiesWnd(this));
    m_pTypeWnd.reset(m_pMgr->CreateParamTypeWnd(this));
    ShowHostedWindow(m_pPropertiesWnd.get());
    ShowHostedWindow(m_pTypeWnd.get());
}

// The type window keeps its height at the top; the sheet fills the rest down
// to the buttons.
void CParamPropertiesEditDlg::LayoutWindows()
{
    CRect rcArea;
    GetClientRect(&rcArea);
    if (CWnd* pClose = GetDlgItem(IDOK))
    {
        CRect rcClose;
        pClose->GetWindowRect(&rcClose);
        ScreenToClient(&rcClose);
        rcArea.bottom = rcClose.top;
    }
    rcArea.DeflateRect(MARGIN, MARGIN);
    int nTop = rcArea.top;
    if (m_pTypeWnd && m_pTypeWnd->m_hWnd)
    {
        CRect rcType;
        m_pTypeWnd->GetWindowRect(&rcType);
        m_pTypeWnd->MoveWindow(rcArea.left, nTop, rcArea.Width(), rcType.Height());
        nTop += rcType.Height();
    }
    if (m_pPropertiesWnd && m_pPropertiesWnd->m_hWnd)
        m_pPropertiesWnd->MoveWindow(rcArea.left, nTop, rcArea.Width(), rcArea.bottom - nTop);
}
