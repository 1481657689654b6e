#include "tabs/RandNumberTab.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/FormatSample.h"
#include "manager/TarvoMgr.h"
#include "resources/StringIds.h"
#include "resources/ValueTabDialogs.h"
#include "tabs/FormatList.h"
#include "tabs/ParamAttribs.h"
#include "tabs/UpdatePolicy.h"

#include <cstdlib>

namespace
{
const char* const RANDOM_FORMATS[] = {"%01lu", "%02lu", "%03lu", "%04lu", "%05lu", "%06lu", "%07lu", "%08lu", "%lu"};
const long long MAX_BOUND = 4294967295LL;
const char* const MAX_BOUND_TEXT = "4294967295";
const char* const DEFAULT_MIN = "1";
const char* const DEFAULT_MAX = "100";
} // namespace

BEGIN_MESSAGE_MAP(CRandNumberTab, CResizePropertyPage)
ON_EN_CHANGE(IDC_RAND_MIN, &CRandNumberTab::OnChangeRange)
ON_EN_CHANGE(IDC_RAND_MAX, &CRandNumberTab::OnChangeRange)
ON_CBN_EDITCHANGE(IDC_FORMAT_LIST, &CRandNumberTab::OnEditChangeFormat)
ON_CBN_SELCHANGE(IDC_FORMAT_LIST, &CRandNumberTab::OnSelChangeFormat)
ON_WM_SIZE()
END_MESSAGE_MAP()

CRandNumberTab::CRandNumberTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_RAND_NUMBER_TAB), CTarvoMgrExt(pMgr) {}

CRandNumberTab::~CRandNumberTab() = default;

void CRandNumberTab::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORMAT_LIST, m_cbFormats);
    DDX_Control(pDX, IDC_NUMBER_POLICY, m_cbPolicy);
    DDX_Control(pDX, IDC_FORMAT_SAMPLE, m_edSample);
    DDX_Text(pDX, IDC_RAND_MIN, m_strMin);
    DDX_Text(pDX, IDC_RAND_MAX, m_strMax);
    DDX_Text(pDX, IDC_FORMAT_LIST, m_strFormat);
    DDX_CBIndex(pDX, IDC_NUMBER_POLICY, m_nPolicy);
}

// The template holds no list items: the built-in formats and the policies
// are added here.
BOOL CRandNumberTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszFormat : RANDOM_FORMATS)
        m_cbFormats.AddString(pszFormat);
    FillUpdatePolicyList(m_cbPolicy);
    return TRUE;
}

BOOL CRandNumberTab::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        m_strFormat = ReadParamAttrib(GetTurbine(), strName, "Format");
        m_strMin = ReadParamAttrib(GetTurbine(), strName, "MinValue");
        m_strMax = ReadParamAttrib(GetTurbine(), strName, "MaxValue");
        m_nPolicy = UpdatePolicyIndex(ReadParamAttrib(GetTurbine(), strName, "GenerateNewVal"), POLICY_EACH_OCCURRENCE);
        if (m_strFormat.empty())
            m_cbFormats.GetLBText(0, m_strFormat);
        if (m_strMin.empty())
            m_strMin = DEFAULT_MIN;
        if (m_strMax.empty())
            m_strMax = DEFAULT_MAX;
        PushControls();
        RefreshSample();
    }
    return CResizePropertyPage::OnSetActive();
}

BOOL CRandNumberTab::OnKillActive()
{
    UpdateData(TRUE);
    if (m_strMin.empty())
        return Refuse(IDC_RAND_MIN, IDS_POSITIVE_INTEGER);
    if (m_strMax.empty())
        return Refuse(IDC_RAND_MAX, IDS_POSITIVE_INTEGER);
    long long llMin = std::atoll(m_strMin.c_str());
    long long llMax = std::atoll(m_strMax.c_str());
    if (llMin >= llMax)
        return Refuse(IDC_RAND_MAX, IDS_MAX_NOT_ABOVE_MIN);
    // A rejected format keeps what the parameter had: nothing is written.
    if (m_bFormatAccepted && IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        WriteParamAttrib(GetTurbine(), strName, "Format", m_strFormat);
        WriteParamAttrib(GetTurbine(), strName, "MinValue", m_strMin);
        WriteParamAttrib(GetTurbine(), strName, "MaxValue", m_strMax);
        WriteParamAttrib(GetTurbine(), strName, "GenerateNewVal", UpdatePolicyValue(m_nPolicy));
    }
    return CResizePropertyPage::OnKillActive();
}

// Also for a parameter that had another type: what it kept from there is
// no setting of a random number.
void CRandNumberTab::UseDefaults()
{
    m_cbFormats.GetLBText(0, m_strFormat);
    m_strMin = DEFAULT_MIN;
    m_strMax = DEFAULT_MAX;
    m_nPolicy = POLICY_EACH_OCCURRENCE;
    PushControls();
    RefreshSample();
}

BOOL CRandNumberTab::Refuse(int nID, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_OK | MB_ICONERROR);
    if (auto* pEdit = static_cast<CEdit*>(GetDlgItem(nID)))
    {
        pEdit->SetFocus();
        pEdit->SetSel(0, -1);
    }
    return FALSE;
}

void CRandNumberTab::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

// The sample is the lower bound in the format, as a 64-bit number.
void CRandNumberTab::RefreshSample()
{
    UpdateData(TRUE);
    std::string strOutput;
    try
    {
        m_bFormatAccepted = FormatIntSample(m_strFormat, m_strMin, strOutput, true);
    }
    catch (...)
    {
        m_bFormatAccepted = FALSE;
        strOutput = AfxLoadString(IDS_INVALID_FORMAT);
    }
    m_edSample.SetWindowText(strOutput.c_str());
}

// A bound above the unsigned 32-bit range is cut back to its largest value.
void CRandNumberTab::OnChangeRange()
{
    if (m_bPushing)
        return;
    UpdateData(TRUE);
    for (std::string* pBound : {&m_strMin, &m_strMax})
    {
        if (std::atoll(pBound->c_str()) <= MAX_BOUND)
            continue;
        AfxMessageBox(IDS_MAX_VALUE, MB_OK | MB_ICONERROR);
        *pBound = MAX_BOUND_TEXT;
    }
    PushControls();
    RefreshSample();
}

void CRandNumberTab::OnEditChangeFormat()
{
    RefreshSample();
}

void CRandNumberTab::OnSelChangeFormat()
{
    if (TakeChosenFormat(m_cbFormats, m_strFormat))
        RefreshSample();
}

void CRandNumberTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_RAND_MIN, ANCHOR_RIGHT},
                    {IDC_RAND_MAX, ANCHOR_RIGHT},
                    {IDC_FORMAT_SAMPLE, ANCHOR_RIGHT},
                    {IDC_FORMAT_LIST, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_NUMBER_POLICY, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_NUMBER_POLICY_LABEL, ANCHOR_MOVE_DOWN}});
}
