#include "tabs/FormatTab.h"

#include "afx/DataExchange.h"
#include "controls/FormatSample.h"
#include "manager/TarvoMgr.h"
#include "resources/FormatDialogs.h"
#include "tabs/FormatList.h"
#include "tabs/ParamAttribs.h"

namespace
{
const char* const FORMAT = "Format";

const char* const STRING_FORMATS[] = {"%s", "%01s", "%02s", "%03s", "%04s", "%05s", "%06s", "%07s", "%08s"};

int TextSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput)
{
    return FormatTextSample(strFormat, strSample, strOutput);
}

const CFormatTab::FORMAT_TAB_KIND& StringKind()
{
    static const CFormatTab::FORMAT_TAB_KIND kind = {IDD_FORMAT_TAB, "ParamDialogStringFormats", STRING_FORMATS,
                                                     static_cast<int>(std::size(STRING_FORMATS)), TextSample};
    return kind;
}
} // namespace

BEGIN_MESSAGE_MAP(CFormatTab, CResizePropertyPage)
ON_CBN_SELCHANGE(IDC_FORMAT_LIST, &CFormatTab::OnSelChangeFormat)
ON_CBN_EDITCHANGE(IDC_FORMAT_LIST, &CFormatTab::OnEditChangeFormat)
ON_BN_CLICKED(IDC_FORMAT_ADD, &CFormatTab::OnAddFormat)
ON_BN_CLICKED(IDC_FORMAT_DELETE, &CFormatTab::OnDeleteFormat)
ON_BN_CLICKED(IDC_FORMAT_RESET, &CFormatTab::OnResetFormats)
ON_WM_SIZE()
END_MESSAGE_MAP()

CFormatTab::CFormatTab(CTarvoMgr* pMgr) : CFormatTab(pMgr, StringKind()) {}

CFormatTab::CFormatTab(CTarvoMgr* pMgr, const FORMAT_TAB_KIND& kind)
    : CResizePropertyPage(kind.nIDTemplate), CTarvoMgrExt(pMgr), m_kind(kind)
{
}

CFormatTab::~CFormatTab() = default;

void CFormatTab::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORMAT_LIST, m_cbFormats);
    DDX_Control(pDX, IDC_FORMAT_SAMPLE, m_edSample);
    DDX_Text(pDX, IDC_FORMAT_LIST, m_strFormat);
}

BOOL CFormatTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (int i = 0; i < m_kind.nBuiltIn; ++i)
        m_cbFormats.AddString(m_kind.ppszBuiltIn[i]);
    LoadFormatList(m_cbFormats, m_kind.pszSection);
    return TRUE;
}

BOOL CFormatTab::OnSetActive()
{
    if (m_pMgr && *m_pMgr->GetActiveParamName() && !m_pMgr->GetActiveParamType().empty())
        m_strFormat = ReadParamAttrib(GetTurbine(), m_pMgr->GetActiveParamName(), FORMAT);
    if (m_strFormat.empty())
        m_strFormat = FirstListedFormat();
    UpdateData(FALSE);
    RefreshSample();
    return CResizePropertyPage::OnSetActive();
}

BOOL CFormatTab::OnKillActive()
{
    UpdateData(TRUE);
    WriteFormat();
    return CResizePropertyPage::OnKillActive();
}

void CFormatTab::UseDefaults()
{
    m_strFormat = FirstListedFormat();
    UpdateData(FALSE);
    RefreshSample();
}

// An empty or rejected format is stored all the same: it only shows its
// message in place of the sample.
void CFormatTab::WriteFormat()
{
    if (m_pMgr && *m_pMgr->GetActiveParamName() && !m_pMgr->GetActiveParamType().empty())
        WriteParamAttrib(GetTurbine(), m_pMgr->GetActiveParamName(), FORMAT, m_strFormat);
}

std::string CFormatTab::FirstListedFormat() const
{
    std::string strFormat;
    if (m_cbFormats.GetCount() > 0)
        m_cbFormats.GetLBText(0, strFormat);
    return strFormat;
}

void CFormatTab::RefreshSample()
{
    std::string strOutput;
    BOOL bValid = m_kind.pfnSample(m_strFormat, m_strSampleValue, strOutput);
    if (CWnd* pAdd = GetDlgItem(IDC_FORMAT_ADD))
        pAdd->EnableWindow(bValid);
    m_edSample.SetWindowText(strOutput.c_str());
}

void CFormatTab::OnSelChangeFormat()
{
    if (TakeChosenFormat(m_cbFormats, m_strFormat))
        RefreshSample();
}

void CFormatTab::OnEditChangeFormat()
{
    UpdateData(TRUE);
    RefreshSample();
}

void CFormatTab::OnAddFormat()
{
    UpdateData(TRUE);
    AddFormat(m_cbFormats, m_strFormat, m_kind.pszSection);
}

void CFormatTab::OnDeleteFormat()
{
    DeleteChosenFormat(m_cbFormats, m_kind.pszSection);
}

// The host answers code 2 by building its pages anew, this one included, so
// the built-in list shows at once. The format typed meanwhile is stored
// first: the rebuilt page reads it back instead of losing it.
void CFormatTab::OnResetFormats()
{
    ResetFormatList(m_kind.pszSection);
    UpdateData(TRUE);
    WriteFormat();
    if (m_pMgr)
        UpdateAllUIExt(UPD_ACTIVE_CHANGED, std::string(m_pMgr->GetActiveParamName()).c_str());
}

void CFormatTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_FORMAT_LIST, ANCHOR_RIGHT | ANCHOR_BOTTOM}, {IDC_FORMAT_SAMPLE, ANCHOR_RIGHT}});
}
