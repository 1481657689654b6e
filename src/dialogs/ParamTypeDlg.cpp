#include "dialogs/ParamTypeDlg.h"

#include "afx/DataExchange.h"
#include "manager/TarvoMgr.h"
#include "resources/PropertiesDialogs.h"
#include "turb/TurbAccess.h"

BEGIN_MESSAGE_MAP(CParamTypeDlg, CDialog)
ON_CBN_CLOSEUP(IDC_PARAM_TYPE_COMBO, &CParamTypeDlg::OnCloseUpType)
ON_CBN_SELCHANGE(IDC_PARAM_TYPE_COMBO, &CParamTypeDlg::OnSelChangeType)
ON_CBN_DROPDOWN(IDC_PARAM_TYPE_COMBO, &CParamTypeDlg::OnDropDownType)
END_MESSAGE_MAP()

CParamTypeDlg::CParamTypeDlg(CTarvoMgr* pMgr) : CDialog(IDD_PARAM_TYPE), CTarvoMgrExt(pMgr) {}

CParamTypeDlg::~CParamTypeDlg() = default;

BOOL CParamTypeDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_PARAM_TYPE, pParentWnd);
}

void CParamTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PARAM_TYPE_COMBO, m_cbTypes);
}

// Every type the engine knows by a display name, except hidden ones and the
// spreadsheet type, which no parameter may be turned into.
BOOL CParamTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_cbTypes.SetExtendedUI();
    if (!m_pMgr)
        return TRUE;
    for (const std::string& strType : CTurbAccess::GetTypeKeys(GetTurbine()))
    {
        std::string strName = m_pMgr->GetTypeDisplayName(strType);
        if (!strName.empty() && strType != "Spreadsheet" && !m_pMgr->IsParameterTypeHidden(strType))
            m_cbTypes.AddString(strName.c_str());
    }
    return TRUE;
}

// Ctrl+Tab belongs to the window around: it switches the property tabs. So
// do Enter and Escape, which would otherwise end this embedded window.
BOOL CParamTypeDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

int CParamTypeDlg::OnUpdateUIMgr(CTarvoMgrExt*, unsigned, const char*)
{
    if (m_cbTypes.m_hWnd)
        ShowActiveType();
    return 1;
}

// Display names are compared exactly: the list's own search ignores case.
void CParamTypeDlg::ShowActiveType()
{
    std::string strName = m_pMgr ? m_pMgr->GetTypeDisplayName(m_pMgr->GetActiveParamType()) : std::string();
    int nIndex = CB_ERR;
    std::string strItem;
    for (int i = 0; !strName.empty() && nIndex == CB_ERR && i < m_cbTypes.GetCount(); ++i)
        if (m_cbTypes.GetLBText(i, strItem) >= 0 && strItem == strName)
            nIndex = i;
    m_cbTypes.SetCurSel(nIndex);
    m_cbTypes.EnableWindow(!strName.empty());
    m_nPrevIndex = nIndex;
}

void CParamTypeDlg::OnCloseUpType()
{
    ApplyChoice();
}

// While the list is open the choice waits for its closing.
void CParamTypeDlg::OnSelChangeType()
{
    if (!m_cbTypes.GetDroppedState())
        ApplyChoice();
}

void CParamTypeDlg::OnDropDownType()
{
    m_nPrevIndex = m_cbTypes.GetCurSel();
}

void CParamTypeDlg::ApplyChoice()
{
    int nIndex = m_cbTypes.GetCurSel();
    if (nIndex < 0 || !m_pMgr)
        return;
    std::string strName;
    m_cbTypes.GetLBText(nIndex, strName);
    std::string strNewType = m_pMgr->GetTypeKey(strName);
    std::string strOldName = m_pMgr->GetTypeDisplayName(m_pMgr->GetActiveParamType());
    if (strNewType.empty() || strOldName.empty() || strOldName == strName)
        return;
    if (!UpdateAllUIExt(UPD_BEFORE_TYPE_CHANGE, strNewType.c_str()))
    {
        m_cbTypes.SetCurSel(m_nPrevIndex);
        return;
    }
    m_pMgr->ChangeActiveParamType(strNewType.c_str());
    UpdateAllUIExt(UPD_TYPE_CHANGED, strNewType.c_str());
    // A failed change left the old type, or none: show what the engine holds.
    ShowActiveType();
}
