#include "tabs/Customize.h"

#include "afx/DataExchange.h"
#include "manager/TarvoMgr.h"
#include "resources/ValueTabDialogs.h"
#include "tabs/ParamAttribs.h"

namespace
{
// "YES", "yes", "1": anything that starts like a yes.
int IsSet(const std::string& strFlag)
{
    return !strFlag.empty() && (strFlag[0] == 'Y' || strFlag[0] == 'y' || strFlag[0] == '1');
}

const char* FlagText(int nFlag)
{
    return nFlag ? "YES" : "NO";
}
} // namespace

BEGIN_MESSAGE_MAP(CCustomize, CResizePropertyPage)
ON_WM_SIZE()
END_MESSAGE_MAP()

CCustomize::CCustomize(CTarvoMgr* pMgr)
    : CResizePropertyPage(IDD_CUSTOMIZE_TAB), CTarvoMgrExt(pMgr), m_lOptions(pMgr ? pMgr->Custom_GetOptions() : 0)
{
}

CCustomize::~CCustomize() = default;

void CCustomize::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CUSTOM_VALUE, m_strValue);
    DDX_Text(pDX, IDC_CUSTOM_PROMPT, m_strPrompt);
    DDX_Check(pDX, IDC_CUSTOM_SERVER, m_nServer);
    DDX_Check(pDX, IDC_CUSTOM_ENCRYPT, m_nEncrypt);
}

// Hosts without server parameters show no flags; their values are kept.
BOOL CCustomize::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    if (!(m_lOptions & OPT_SERVER_ENCRYPT))
        for (int nID : {IDC_CUSTOM_ATTRIBUTES, IDC_CUSTOM_SERVER, IDC_CUSTOM_ENCRYPT})
            if (CWnd* pControl = GetDlgItem(nID))
                pControl->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CCustomize::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        m_strValue = ReadParamAttrib(GetTurbine(), strName, "CurrentValue");
        m_strPrompt = ReadParamAttrib(GetTurbine(), strName, "Prompt");
        m_nServer = IsSet(ReadParamAttrib(GetTurbine(), strName, "IsServer"));
        m_nEncrypt = IsSet(ReadParamAttrib(GetTurbine(), strName, "IsEncrypt"));
        UpdateData(FALSE);
    }
    return CResizePropertyPage::OnSetActive();
}

BOOL CCustomize::OnKillActive()
{
    UpdateData(TRUE);
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        WriteParamAttrib(GetTurbine(), strName, "CurrentValue", m_strValue);
        WriteParamAttrib(GetTurbine(), strName, "Prompt", m_strPrompt);
        WriteParamAttrib(GetTurbine(), strName, "IsServer", FlagText(m_nServer));
        WriteParamAttrib(GetTurbine(), strName, "IsEncrypt", FlagText(m_nEncrypt));
    }
    return CResizePropertyPage::OnKillActive();
}

void CCustomize::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_CUSTOM_VALUE, ANCHOR_RIGHT}, {IDC_CUSTOM_PROMPT, ANCHOR_RIGHT}});
}
