#include "tabs/DateTimeTab.h"

#include "afx/Clock.h"
#include "afx/DataExchange.h"
#include "controls/FormatDateSample.h"
#include "manager/TarvoMgr.h"
#include "resources/ValueTabDialogs.h"
#include "tabs/FormatList.h"
#include "tabs/ParamAttribs.h"
#include "tabs/UpdatePolicy.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>

namespace
{
const char* const DATE_SECTION = "ParamDialogDates";
const char* const DATE_FORMATS[] = {"%c",
                                    "%#c",
                                    "%H:%M:%S",
                                    "%I:%M:%S %p",
                                    "%d-%b-%y",
                                    "%d/%m/%y",
                                    "%y/%m/%d",
                                    "%Y-%m-%d",
                                    "%Y-%b-%d",
                                    "%m/%d/%y",
                                    "%Y-%m-%d %H:%M:%S",
                                    "%Y-%B-%d %H:%M:%S",
                                    "%Y-%m-%d %H:%M:%S.000",
                                    "%d-%b-%Y %H:%M:%S.000"};
const UINT_PTR SAMPLE_TIMER = 1;
const UINT SAMPLE_PERIOD = 500;
const int SECONDS_PER_DAY = 86400;
const int SECONDS_PER_HOUR = 3600;
const int SECONDS_PER_MINUTE = 60;

// Today plus the offset must stay within a signed 32-bit time.
int MaxOffsetDays()
{
    long long llNow = std::chrono::duration_cast<std::chrono::seconds>(AfxGetCurrentTime().time_since_epoch()).count();
    return static_cast<int>(std::clamp((INT_MAX - llNow) / SECONDS_PER_DAY, 0LL, static_cast<long long>(SHRT_MAX)));
}
} // namespace

BEGIN_MESSAGE_MAP(CDateTimeTab, CResizePropertyPage)
ON_CBN_SELCHANGE(IDC_FORMAT_LIST, &CDateTimeTab::OnSelChangeFormat)
ON_CBN_EDITCHANGE(IDC_FORMAT_LIST, &CDateTimeTab::OnEditChangeFormat)
ON_BN_CLICKED(IDC_FORMAT_ADD, &CDateTimeTab::OnAddFormat)
ON_BN_CLICKED(IDC_FORMAT_DELETE, &CDateTimeTab::OnDeleteFormat)
ON_BN_CLICKED(IDC_FORMAT_RESET, &CDateTimeTab::OnResetFormats)
ON_EN_CHANGE(IDC_DATE_DAYS, &CDateTimeTab::OnChangeDays)
ON_BN_CLICKED(IDC_DATE_OFFSET_ON, &CDateTimeTab::OnOffsetOn)
ON_BN_CLICKED(IDC_DATE_WORKING_DAYS, &CDateTimeTab::OnWorkingDays)
ON_WM_TIMER()
ON_WM_SIZE()
END_MESSAGE_MAP()

CDateTimeTab::CDateTimeTab(CTarvoMgr* pMgr)
    : CResizePropertyPage(IDD_DATE_TIME_TAB), CTarvoMgrExt(pMgr), m_edTime(nullptr, 23, 2)
{
}

CDateTimeTab::~CDateTimeTab() = default;

void CDateTimeTab::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORMAT_LIST, m_cbFormats);
    DDX_Control(pDX, IDC_NUMBER_POLICY, m_cbPolicy);
    DDX_Control(pDX, IDC_FORMAT_SAMPLE, m_edSample);
    DDX_Control(pDX, IDC_DATE_DAYS, m_edDays);
    DDX_Control(pDX, IDC_DATE_DAYS_SPIN, m_spinDays);
    DDX_Control(pDX, IDC_DATE_TIME, m_edTime);
    DDX_Text(pDX, IDC_DATE_DAYS, m_strDays);
    DDX_Check(pDX, IDC_DATE_OFFSET_ON, m_nOffsetOn);
    DDX_Check(pDX, IDC_DATE_WORKING_DAYS, m_nWorkingDays);
    DDX_Check(pDX, IDC_DATE_PRIOR, m_nPrior);
    DDX_CBIndex(pDX, IDC_NUMBER_POLICY, m_nPolicy);
    if (pDX->m_bSaveAndValidate)
        m_cbFormats.GetWindowText(m_strFormat);
    else
        ShowFormatInList();
}

void CDateTimeTab::ShowFormatInList()
{
    if (m_strFormat.empty())
        return;
    int nIndex = -1;
    std::string strItem;
    for (int i = 0; i < m_cbFormats.GetCount() && nIndex < 0; ++i)
        if (m_cbFormats.GetLBText(i, strItem) >= 0 && strItem == m_strFormat)
            nIndex = i;
    if (nIndex < 0)
    {
        nIndex = m_cbFormats.AddString(m_strFormat.c_str());
        SaveFormatList(m_cbFormats, DATE_SECTION);
    }
    m_cbFormats.SetCurSel(nIndex);
}

BOOL CDateTimeTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszFormat : DATE_FORMATS)
        m_cbFormats.AddString(pszFormat);
    LoadFormatList(m_cbFormats, DATE_SECTION);
    FillUpdatePolicyList(m_cbPolicy);
    m_bInitialised = true;
    m_nMaxDays = MaxOffsetDays();
    m_spinDays.SetRange(0, static_cast<short>(m_nMaxDays));
    EnableOffset();
    return TRUE;
}

BOOL CDateTimeTab::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        m_strFormat = ReadParamAttrib(GetTurbine(), strName, "Format");
        if (m_strFormat.empty())
            m_cbFormats.GetLBText(0, m_strFormat);
        m_nPolicy = UpdatePolicyIndex(ReadParamAttrib(GetTurbine(), strName, "GenerateNewVal"), POLICY_EACH_OCCURRENCE);
        SplitOffset(ReadParamAttrib(GetTurbine(), strName, "OffsetUI"));
        m_nOffsetOn = ReadParamAttrib(GetTurbine(), strName, "Offset").empty() ? 0 : 1;
        m_nWorkingDays = std::atoi(ReadParamAttrib(GetTurbine(), strName, "WorkingDaysOn").c_str()) ? 1 : 0;
    }
    PushControls();
    EnableOffset();
    RefreshSample();
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = SetTimer(SAMPLE_TIMER, SAMPLE_PERIOD);
    return CResizePropertyPage::OnSetActive();
}

// Without a parameter to write to, the tab is not left.
BOOL CDateTimeTab::OnKillActive()
{
    UpdateData(TRUE);
    if (!IsActiveParamKnown(m_pMgr))
        return FALSE;
    WriteAttributes();
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    return CResizePropertyPage::OnKillActive();
}

// Also for a parameter that had another type.
void CDateTimeTab::UseDefaults()
{
    m_cbFormats.GetLBText(0, m_strFormat);
    m_nPolicy = POLICY_EACH_OCCURRENCE;
    m_nOffsetOn = 0;
    m_nWorkingDays = 0;
    SplitOffset("0");
    PushControls();
    EnableOffset();
    RefreshSample();
}

void CDateTimeTab::WriteAttributes()
{
    std::string strName = m_pMgr->GetActiveParamName();
    std::string strOffset = AssembleOffset();
    WriteParamAttrib(GetTurbine(), strName, "Format", m_strFormat);
    WriteParamAttrib(GetTurbine(), strName, "GenerateNewVal", UpdatePolicyValue(m_nPolicy));
    WriteParamAttrib(GetTurbine(), strName, "OffsetUI", strOffset);
    WriteParamAttrib(GetTurbine(), strName, "Offset", m_nOffsetOn ? strOffset : std::string());
    WriteParamAttrib(GetTurbine(), strName, "WorkingDaysOn", std::to_string(m_nWorkingDays));
}

// Seconds, negative for an offset into the past.
void CDateTimeTab::SplitOffset(const std::string& strOffset)
{
    long long llOffset = std::atoi(strOffset.c_str());
    m_nPrior = llOffset < 0 ? 1 : 0;
    llOffset = llOffset < 0 ? -llOffset : llOffset;
    m_strDays = std::to_string(std::min(llOffset / SECONDS_PER_DAY, static_cast<long long>(m_nMaxDays)));
    int nRest = static_cast<int>(llOffset % SECONDS_PER_DAY);
    m_edTime.SetHours(nRest / SECONDS_PER_HOUR);
    m_edTime.SetMinutes(nRest % SECONDS_PER_HOUR / SECONDS_PER_MINUTE);
    m_edTime.SetSeconds(nRest % SECONDS_PER_MINUTE);
}

std::string CDateTimeTab::AssembleOffset()
{
    long long llOffset = static_cast<long long>(std::atoi(m_strDays.c_str())) * SECONDS_PER_DAY +
                         m_edTime.GetHours() * SECONDS_PER_HOUR + m_edTime.GetMinutes() * SECONDS_PER_MINUTE +
                         m_edTime.GetSeconds();
    return std::to_string(m_nPrior ? -llOffset : llOffset);
}

void CDateTimeTab::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

void CDateTimeTab::RefreshSample()
{
    m_edSample.SetWindowText(FormatDateSample(m_strFormat).c_str());
}

// The time of day counts only for calendar days.
void CDateTimeTab::EnableOffset()
{
    for (int nID : {IDC_DATE_DAYS, IDC_DATE_DAYS_SPIN, IDC_DATE_DAYS_LABEL, IDC_DATE_TIME_LABEL, IDC_DATE_WORKING_DAYS,
                    IDC_DATE_PRIOR})
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(m_nOffsetOn);
    if (m_edTime.m_hWnd)
        m_edTime.EnableWindow(m_nOffsetOn && !m_nWorkingDays);
}

void CDateTimeTab::OnSelChangeFormat()
{
    if (TakeChosenFormat(m_cbFormats, m_strFormat))
        RefreshSample();
}

void CDateTimeTab::OnEditChangeFormat()
{
    UpdateData(TRUE);
    RefreshSample();
}

void CDateTimeTab::OnAddFormat()
{
    UpdateData(TRUE);
    AddFormat(m_cbFormats, m_strFormat, DATE_SECTION);
}

void CDateTimeTab::OnDeleteFormat()
{
    DeleteChosenFormat(m_cbFormats, DATE_SECTION);
}

// The host builds its pages anew, so the built-in list shows at once; the
// input is stored first, so that the rebuilt page shows it again.
void CDateTimeTab::OnResetFormats()
{
    ResetFormatList(DATE_SECTION);
    UpdateData(TRUE);
    if (!IsActiveParamKnown(m_pMgr))
        return;
    WriteAttributes();
    UpdateAllUIExt(UPD_ACTIVE_CHANGED, std::string(m_pMgr->GetActiveParamName()).c_str());
}

// A day count beyond the range is corrected in place.
void CDateTimeTab::OnChangeDays()
{
    if (!m_bInitialised || m_bPushing)
        return;
    int nStart = 0, nEnd = 0;
    m_edDays.GetSel(nStart, nEnd);
    UpdateData(TRUE);
    int nDays = std::atoi(m_strDays.c_str());
    int nClamped = std::clamp(nDays, 0, m_nMaxDays);
    if (nClamped == nDays)
        return;
    m_strDays = std::to_string(nClamped);
    PushControls();
    m_edDays.SetFocus();
    m_edDays.SetSel(nStart, nEnd);
}

void CDateTimeTab::OnOffsetOn()
{
    UpdateData(TRUE);
    EnableOffset();
}

void CDateTimeTab::OnWorkingDays()
{
    m_edTime.SetHours(0);
    m_edTime.SetMinutes(0);
    m_edTime.SetSeconds(0);
    UpdateData(TRUE);
    EnableOffset();
}

void CDateTimeTab::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SAMPLE_TIMER)
        RefreshSample();
    CResizePropertyPage::OnTimer(nIDEvent);
}

void CDateTimeTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_FORMAT_LIST, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FORMAT_SAMPLE, ANCHOR_RIGHT},
                    {IDC_NUMBER_POLICY, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_NUMBER_POLICY_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_OFFSET_ON, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_DAYS, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_TIME, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_DAYS_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_TIME_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_DAYS_SPIN, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_WORKING_DAYS, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_PRIOR, ANCHOR_MOVE_DOWN},
                    {IDC_DATE_OFFSET_GROUP, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN}});
}
