#include "dialogs/ParamFileDlg.h"

#include "afx/DataExchange.h"
#include "manager/TarvoMgr.h"
#include "resources/PropertiesDialogs.h"

CParamFileDlg::CParamFileDlg(CTarvoMgr* pMgr) : CDialog(IDD_PARAM_FILE), CTarvoMgrExt(pMgr) {}

CParamFileDlg::~CParamFileDlg() = default;

BOOL CParamFileDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_PARAM_FILE, pParentWnd);
}

// Enter and Escape belong to the window around: they would otherwise end
// this embedded window.
BOOL CParamFileDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CParamFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PARAM_FILE_COMBO, m_cbFiles);
}

int CParamFileDlg::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*)
{
    if (!m_cbFiles.m_hWnd || !m_pMgr || (nCode != UPD_RELOAD && nCode != UPD_FILE_SELECTED))
        return 1;
    if (nCode == UPD_RELOAD)
    {
        m_cbFiles.ResetContent();
        for (int i = 0; i < m_pMgr->GetParamFilesCount(); ++i)
            m_cbFiles.AddString(m_pMgr->GetParamFileName(i).c_str());
    }
    std::string strActive = m_pMgr->GetActiveParamFileName();
    std::string strItem;
    for (int i = 0; !strActive.empty() && i < m_cbFiles.GetCount(); ++i)
    {
        if (m_cbFiles.GetLBText(i, strItem) >= 0 && strItem == strActive)
        {
            m_cbFiles.SetCurSel(i);
            break;
        }
    }
    return 1;
}
