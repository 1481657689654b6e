#include "tabs/UniqueNumberTab.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/FormatSample.h"
#include "manager/TarvoMgr.h"
#include "manager/UpdateCodes.h"
#include "resources/StringIds.h"
#include "resources/ValueTabDialogs.h"
#include "tabs/FormatList.h"
#include "tabs/ParamAttribs.h"
#include "tabs/UpdatePolicy.h"

#include <cstdlib>
#include <strings.h>

namespace
{
const char* const UNIQUE_FORMATS[] = {"%01d", "%02d", "%03d", "%04d", "%05d", "%06d", "%07d", "%08d", "%d"};
// Nine digits: the largest start and block size is 999999999.
const int NUMBER_LIMIT = 9;
const char* const DEFAULT_START = "1";
const char* const DEFAULT_BLOCK_SIZE = "100";

// The out-of-values list: what is shown and what "OutOfRangePolicy" holds.
const char* const OUT_OF_VALUES_SHOWN[] = {"Abort Vuser", "Continue in a cyclic manner", "Continue with last value"};
const char* const OUT_OF_VALUES_STORED[] = {"AbortVuser", "ContinueCyclic", "ContinueWithLast"};
const int OUT_OF_VALUES_LAST = 2;

int OutOfValuesIndex(const std::string& strValue)
{
    if (strcasecmp(strValue.c_str(), OUT_OF_VALUES_STORED[1]) == 0)
        return 1;
    if (strcasecmp(strValue.c_str(), OUT_OF_VALUES_STORED[0]) == 0)
        return 0;
    return OUT_OF_VALUES_LAST;
}

std::string OutOfValuesValue(int nIndex)
{
    return OUT_OF_VALUES_STORED[nIndex == 0 || nIndex == 1 ? nIndex : OUT_OF_VALUES_LAST];
}
} // namespace

BEGIN_MESSAGE_MAP(CUniqueNumberTab, CResizePropertyPage)
ON_EN_CHANGE(IDC_UNIQUE_START, &CUniqueNumberTab::OnChangeNumber)
ON_EN_CHANGE(IDC_UNIQUE_BLOCK_SIZE, &CUniqueNumberTab::OnChangeNumber)
ON_CBN_EDITCHANGE(IDC_FORMAT_LIST, &CUniqueNumberTab::OnEditChangeFormat)
ON_CBN_SELCHANGE(IDC_FORMAT_LIST, &CUniqueNumberTab::OnSelChangeFormat)
ON_CBN_SELCHANGE(IDC_NUMBER_POLICY, &CUniqueNumberTab::OnSelChangePolicy)
ON_WM_SIZE()
END_MESSAGE_MAP()

CUniqueNumberTab::CUniqueNumberTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_UNIQUE_NUMBER_TAB), CTarvoMgrExt(pMgr) {}

CUniqueNumberTab::~CUniqueNumberTab() = default;

void CUniqueNumberTab::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORMAT_LIST, m_cbFormats);
    DDX_Control(pDX, IDC_NUMBER_POLICY, m_cbPolicy);
    DDX_Control(pDX, IDC_UNIQUE_OUT_OF_VALUES, m_cbOutOfValues);
    DDX_Control(pDX, IDC_FORMAT_SAMPLE, m_edSample);
    DDX_Control(pDX, IDC_UNIQUE_START, m_edStart);
    DDX_Control(pDX, IDC_UNIQUE_BLOCK_SIZE, m_edBlockSize);
    DDX_Text(pDX, IDC_UNIQUE_START, m_strStart);
    DDX_Text(pDX, IDC_UNIQUE_BLOCK_SIZE, m_strBlockSize);
    DDX_Text(pDX, IDC_FORMAT_LIST, m_strFormat);
    DDX_CBIndex(pDX, IDC_NUMBER_POLICY, m_nPolicy);
}

BOOL CUniqueNumberTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszFormat : UNIQUE_FORMATS)
        m_cbFormats.AddString(pszFormat);
    FillUpdatePolicyList(m_cbPolicy);
    for (const char* pszShown : OUT_OF_VALUES_SHOWN)
        m_cbOutOfValues.AddString(pszShown);
    m_edStart.LimitText(NUMBER_LIMIT);
    m_edBlockSize.LimitText(NUMBER_LIMIT);
    return TRUE;
}

BOOL CUniqueNumberTab::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        m_strFormat = ReadParamAttrib(GetTurbine(), strName, "Format");
        m_strStart = ReadParamAttrib(GetTurbine(), strName, "StartValue");
        m_strBlockSize = ReadParamAttrib(GetTurbine(), strName, "BlockSize");
        m_nPolicy = UpdatePolicyIndex(ReadParamAttrib(GetTurbine(), strName, "GenerateNewVal"), POLICY_EACH_ITERATION);
        if (m_strFormat.empty())
            m_cbFormats.GetLBText(0, m_strFormat);
        if (m_strStart.empty())
            m_strStart = DEFAULT_START;
        if (m_strBlockSize.empty())
            m_strBlockSize = DEFAULT_BLOCK_SIZE;
        m_cbOutOfValues.SetCurSel(OutOfValuesIndex(ReadParamAttrib(GetTurbine(), strName, "OutOfRangePolicy")));
        PushControls();
        RefreshSample();
        EnableOutOfValues();
    }
    return CResizePropertyPage::OnSetActive();
}

// The block size is checked by the manager's questions, not here.
BOOL CUniqueNumberTab::OnKillActive()
{
    UpdateData(TRUE);
    if (m_bFormatAccepted && IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        WriteParamAttrib(GetTurbine(), strName, "Format", m_strFormat);
        WriteParamAttrib(GetTurbine(), strName, "StartValue", m_strStart);
        WriteParamAttrib(GetTurbine(), strName, "BlockSize", m_strBlockSize);
        WriteParamAttrib(GetTurbine(), strName, "GenerateNewVal", UpdatePolicyValue(m_nPolicy));
        WriteParamAttrib(GetTurbine(), strName, "OutOfRangePolicy", OutOfValuesValue(m_cbOutOfValues.GetCurSel()));
    }
    return CResizePropertyPage::OnKillActive();
}

void CUniqueNumberTab::UseDefaults()
{
    m_cbFormats.GetLBText(0, m_strFormat);
    m_strStart = DEFAULT_START;
    m_strBlockSize = DEFAULT_BLOCK_SIZE;
    m_nPolicy = POLICY_EACH_ITERATION;
    m_cbOutOfValues.SetCurSel(OUT_OF_VALUES_LAST);
    PushControls();
    RefreshSample();
    EnableOutOfValues();
}

// Leaving the parameter or closing the dialog waits for a positive block
// size; a type change does not.
int CUniqueNumberTab::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*)
{
    if (nCode != UPD_BEFORE_ACTIVE_CHANGE && nCode != UPD_COMMIT)
        return 1;
    if (std::atoi(m_strBlockSize.c_str()) > 0)
        return 1;
    AfxMessageBox(IDS_BLOCK_SIZE_NOT_POSITIVE);
    if (m_edBlockSize.m_hWnd)
        m_edBlockSize.SetFocus();
    return 0;
}

void CUniqueNumberTab::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

// The sample is the start value in the format, as a 32-bit number.
void CUniqueNumberTab::RefreshSample()
{
    UpdateData(TRUE);
    std::string strOutput;
    try
    {
        m_bFormatAccepted = FormatIntSample(m_strFormat, m_strStart, strOutput, false);
    }
    catch (...)
    {
        m_bFormatAccepted = FALSE;
        strOutput = AfxLoadString(IDS_INVALID_FORMAT);
    }
    m_edSample.SetWindowText(strOutput.c_str());
}

void CUniqueNumberTab::EnableOutOfValues()
{
    int nPolicy = m_cbPolicy.GetCurSel();
    BOOL bEnable = nPolicy == POLICY_EACH_OCCURRENCE || nPolicy == POLICY_EACH_ITERATION;
    m_cbOutOfValues.EnableWindow(bEnable);
    if (CWnd* pLabel = GetDlgItem(IDC_UNIQUE_OUT_OF_VALUES_LABEL))
        pLabel->EnableWindow(bEnable);
}

void CUniqueNumberTab::OnChangeNumber()
{
    if (!m_bPushing)
        RefreshSample();
}

void CUniqueNumberTab::OnEditChangeFormat()
{
    RefreshSample();
}

void CUniqueNumberTab::OnSelChangeFormat()
{
    if (TakeChosenFormat(m_cbFormats, m_strFormat))
        RefreshSample();
}

void CUniqueNumberTab::OnSelChangePolicy()
{
    EnableOutOfValues();
}

void CUniqueNumberTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_UNIQUE_START, ANCHOR_RIGHT},
                    {IDC_UNIQUE_BLOCK_SIZE, ANCHOR_RIGHT},
                    {IDC_FORMAT_SAMPLE, ANCHOR_RIGHT},
                    {IDC_FORMAT_LIST, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_NUMBER_POLICY, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_UNIQUE_OUT_OF_VALUES_LABEL, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_UNIQUE_OUT_OF_VALUES, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_NUMBER_POLICY_LABEL, ANCHOR_MOVE_DOWN}});
}
