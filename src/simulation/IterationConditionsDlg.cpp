#include "simulation/IterationConditionsDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "manager/TarvoMgr.h"
#include "resources/DataFileTabDialogs.h"
#include "resources/StringIds.h"
#include "turb/TurbAccess.h"

#include <cstdlib>
#include <cstring>
#include <set>
#include <strings.h>
#include <vector>

namespace
{
const char* const ROW_CHOICES[] = {"Sequential", "Random", "Unique"};
const int ROW_FIXED_COUNT = 3;
const int ROW_UNIQUE = 2;
const char* const UPDATE_SHOWN[] = {"Each iteration", "Each occurrence", "Once"};
const char* const OUT_OF_VALUES_SHOWN[] = {"Abort Vuser", "Continue in a cyclic manner", "Continue with last value"};
const char* const DATA_FILE_TYPES[] = {"Table", "File", "XML"};
// The count is read as at most this many characters.
const int COUNT_TEXT_LIMIT = 10;

// The controls of the out-of-values choice and of the allocation group.
const int ALLOCATION_CONTROLS[] = {IDC_COND_OUT_OF_VALUES_LABEL, IDC_COND_OUT_OF_VALUES,  IDC_COND_ALLOCATE_GROUP,
                                   IDC_COND_AUTO_ALLOCATE,       IDC_COND_FIXED_ALLOCATE, IDC_COND_VALUES_PER_VUSER,
                                   IDC_COND_VALUES_LABEL};
const int ALL_CONTROLS[] = {IDC_COND_SELECT_NEXT_ROW,       IDC_COND_UPDATE_POLICY,       IDC_COND_UPDATE_POLICY_LABEL,
                            IDC_COND_SELECT_NEXT_ROW_LABEL, IDC_COND_OUT_OF_VALUES_LABEL, IDC_COND_OUT_OF_VALUES,
                            IDC_COND_ALLOCATE_GROUP,        IDC_COND_AUTO_ALLOCATE,       IDC_COND_FIXED_ALLOCATE,
                            IDC_COND_VALUES_PER_VUSER,      IDC_COND_VALUES_LABEL};

enum ALLOCATION_STATE
{
    ALLOC_OFF,
    ALLOC_AUTOMATIC,
    ALLOC_FIXED
};

bool IsDataFileType(const std::string& strType)
{
    for (const char* pszType : DATA_FILE_TYPES)
        if (strcasecmp(strType.c_str(), pszType) == 0)
            return true;
    return false;
}

std::string ReadAttrib(void* hTurbine, const char* pszName, const char* pszKey)
{
    return CTurbAccess::ReadAttrib(hTurbine, pszName, pszKey).value_or(std::string());
}
} // namespace

bool IsSameLineChoice(const std::string& strChoice)
{
    return strncasecmp(strChoice.c_str(), SAME_LINE_AS_PREFIX, std::strlen(SAME_LINE_AS_PREFIX)) == 0;
}

BEGIN_MESSAGE_MAP(CIterationConditionsDlg, CResizePropertyPage)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_COND_AUTO_ALLOCATE, &CIterationConditionsDlg::OnClickedAutoAllocate)
ON_BN_CLICKED(IDC_COND_FIXED_ALLOCATE, &CIterationConditionsDlg::OnClickedFixedAllocate)
ON_CBN_SELCHANGE(IDC_COND_SELECT_NEXT_ROW, &CIterationConditionsDlg::OnSelChangeRowOrPolicy)
ON_CBN_SELCHANGE(IDC_COND_UPDATE_POLICY, &CIterationConditionsDlg::OnSelChangeRowOrPolicy)
ON_CBN_CLOSEUP(IDC_COND_SELECT_NEXT_ROW, &CIterationConditionsDlg::OnCloseUpSelectNextRow)
END_MESSAGE_MAP()

CIterationConditionsDlg::CIterationConditionsDlg(CTarvoMgr* pMgr, int nMode)
    : CResizePropertyPage(IDD_ITERATION_CONDITIONS), CTarvoMgrExt(pMgr), m_nMode(nMode)
{
}

CIterationConditionsDlg::~CIterationConditionsDlg() = default;

BOOL CIterationConditionsDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_ITERATION_CONDITIONS, pParentWnd);
}

void CIterationConditionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COND_SELECT_NEXT_ROW, m_cbSelectNextRow);
    DDX_Control(pDX, IDC_COND_UPDATE_POLICY, m_cbUpdatePolicy);
    DDX_Control(pDX, IDC_COND_OUT_OF_VALUES, m_cbOutOfValues);
    DDX_Control(pDX, IDC_COND_VALUES_PER_VUSER, m_edValuesPerVuser);
    DDX_Radio(pDX, IDC_COND_AUTO_ALLOCATE, m_nAllocMode);
    DDX_CBStringExact(pDX, IDC_COND_SELECT_NEXT_ROW, m_strSelectNextRow);
}

BOOL CIterationConditionsDlg::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszChoice : ROW_CHOICES)
        m_cbSelectNextRow.AddString(pszChoice);
    for (const char* pszShown : UPDATE_SHOWN)
        m_cbUpdatePolicy.AddString(pszShown);
    for (const char* pszShown : OUT_OF_VALUES_SHOWN)
        m_cbOutOfValues.AddString(pszShown);
    if (m_nMode == 1)
        m_cbUpdatePolicy.DeleteString(1);
    return TRUE;
}

BOOL CIterationConditionsDlg::OnSetActive()
{
    if (m_pMgr)
    {
        std::string strName = m_pMgr->GetActiveParamName();
        if (!strName.empty() && !m_pMgr->GetActiveParamType().empty() && LoadConditions(strName.c_str()))
        {
            PushControls();
            CheckSameLineChoice(strName);
        }
    }
    return CResizePropertyPage::OnSetActive();
}

BOOL CIterationConditionsDlg::LoadConditions(const char* pszParam)
{
    if (!pszParam)
        return FALSE;
    void* hTurbine = GetTurbine();
    std::string strPolicy = ReadAttrib(hTurbine, pszParam, "GenerateNewVal");
    if (strcasecmp(strPolicy.c_str(), "EachOccurrence") == 0)
        m_strUpdatePolicy = "EachOccurrence";
    else if (strcasecmp(strPolicy.c_str(), "Once") == 0)
        m_strUpdatePolicy = "Once";
    else
        m_strUpdatePolicy = "EachIteration";
    m_strLoadedSelectNextRow = ReadAttrib(hTurbine, pszParam, "SelectNextRow");

    std::string strOutOfRange = ReadAttrib(hTurbine, pszParam, "OutOfRangePolicy");
    if (strcasecmp(strOutOfRange.c_str(), "ContinueCyclic") == 0)
        m_cbOutOfValues.SetCurSel(1);
    else if (strcasecmp(strOutOfRange.c_str(), "AbortVuser") == 0)
        m_cbOutOfValues.SetCurSel(0);
    else
        m_cbOutOfValues.SetCurSel(2);
    m_nAllocMode = ReadAttrib(hTurbine, pszParam, "auto_allocate_block_size") == "0" ? 1 : 0;
    m_edValuesPerVuser.SetWindowText(ReadAttrib(hTurbine, pszParam, "value_for_each_vuser").c_str());

    int nPolicy = 0;
    if (m_strUpdatePolicy == "EachOccurrence")
        nPolicy = m_cbUpdatePolicy.FindStringExact(-1, "Each occurrence");
    else if (m_strUpdatePolicy == "Once")
        nPolicy = m_cbUpdatePolicy.FindStringExact(-1, "Once");
    m_cbUpdatePolicy.SetCurSel(nPolicy < 0 ? 0 : nPolicy);

    RebuildRowChoices(pszParam);
    m_strSelectNextRow = ResolveTieChain(m_strLoadedSelectNextRow);
    PushControls();
    return TRUE;
}

// Offers every other data-file parameter that does not itself follow one, in
// byte order after the three fixed choices.
void CIterationConditionsDlg::RebuildRowChoices(const std::string& strParam)
{
    int nSelected = m_cbSelectNextRow.GetCurSel();
    while (m_cbSelectNextRow.GetCount() > ROW_FIXED_COUNT)
        m_cbSelectNextRow.DeleteString(ROW_FIXED_COUNT);
    void* hTurbine = GetTurbine();
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(hTurbine))
    {
        std::string strName = CTurbAccess::ReadAttrib(hTurbine, id, "ParamName").value_or(std::string());
        if (strName.empty() || strcasecmp(strName.c_str(), strParam.c_str()) == 0 ||
            !IsDataFileType(CTurbAccess::ReadAttrib(hTurbine, id, "Type").value_or(std::string())) ||
            IsSameLineChoice(CTurbAccess::ReadAttrib(hTurbine, id, "SelectNextRow").value_or(std::string())))
            continue;
        std::string strItem = SAME_LINE_AS_PREFIX + strName;
        int nAt = ROW_FIXED_COUNT;
        std::string strOther;
        while (nAt < m_cbSelectNextRow.GetCount() && m_cbSelectNextRow.GetLBText(nAt, strOther) >= 0 &&
               std::strcmp(strOther.c_str(), strItem.c_str()) <= 0)
            ++nAt;
        m_cbSelectNextRow.InsertString(nAt, strItem.c_str());
    }
    if (nSelected != -1 && nSelected < m_cbSelectNextRow.GetCount())
        m_cbSelectNextRow.SetCurSel(nSelected);
}

BOOL CIterationConditionsDlg::SaveConditions(const char* pszParam)
{
    if (!pszParam)
        return FALSE;
    // What the author chose last, not what was pushed last.
    UpdateData(TRUE);
    void* hTurbine = GetTurbine();
    std::string strShown;
    int nPolicy = m_cbUpdatePolicy.GetCurSel();
    if (nPolicy >= 0)
        m_cbUpdatePolicy.GetLBText(nPolicy, strShown);
    if (strcasecmp(strShown.c_str(), "Each occurrence") == 0)
        m_strUpdatePolicy = "EachOccurrence";
    else if (strShown == "Once")
        m_strUpdatePolicy = "Once";
    else
        m_strUpdatePolicy = "EachIteration";
    CTurbAccess::WriteAttrib(hTurbine, pszParam, "GenerateNewVal", m_strUpdatePolicy);

    m_strLoadedSelectNextRow = m_strSelectNextRow;
    CTurbAccess::WriteAttrib(hTurbine, pszParam, "SelectNextRow", m_strSelectNextRow);

    int nOutOfValues = m_cbOutOfValues.GetCurSel();
    CTurbAccess::WriteAttrib(hTurbine, pszParam, "OutOfRangePolicy",
                             nOutOfValues == 0   ? "AbortVuser"
                             : nOutOfValues == 1 ? "ContinueCyclic"
                                                 : "ContinueWithLast");
    CTurbAccess::WriteAttrib(hTurbine, pszParam, "auto_allocate_block_size", m_nAllocMode != 0 ? "0" : "1");
    std::string strCount;
    m_edValuesPerVuser.GetWindowText(strCount);
    CTurbAccess::WriteAttrib(hTurbine, pszParam, "value_for_each_vuser", strCount);
    return TRUE;
}

void CIterationConditionsDlg::ResetToSequential()
{
    m_cbUpdatePolicy.SetCurSel(0);
    m_strSelectNextRow = ROW_CHOICES[0];
    PushControls();
}

void CIterationConditionsDlg::EnableConditions(BOOL bEnable)
{
    for (int nID : ALL_CONTROLS)
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(bEnable);
    PushControls();
}

BOOL CIterationConditionsDlg::IsRowPolicyIndependent()
{
    UpdateData(TRUE);
    BOOL bIndependent = IsSameLineChoice(m_strSelectNextRow) ? FALSE : TRUE;
    m_cbUpdatePolicy.EnableWindow(bIndependent);
    if (CWnd* pLabel = GetDlgItem(IDC_COND_UPDATE_POLICY_LABEL))
        pLabel->EnableWindow(bIndependent);
    return bIndependent;
}

BOOL CIterationConditionsDlg::ValidateConditions()
{
    if (!IsDlgButtonChecked(IDC_COND_FIXED_ALLOCATE) || !m_edValuesPerVuser.IsWindowEnabled())
        return TRUE;
    std::string strCount;
    m_edValuesPerVuser.GetWindowText(strCount);
    if (std::atoi(strCount.substr(0, COUNT_TEXT_LIMIT).c_str()) != 0)
        return TRUE;
    AfxMessageBox(IDS_EMPTY_VALUE);
    m_edValuesPerVuser.SetFocus();
    return FALSE;
}

void CIterationConditionsDlg::RefreshAllocation()
{
    m_bKeepAllocChoice = 1;
    EvaluateAllocation();
    m_bKeepAllocChoice = 0;
}

BOOL CIterationConditionsDlg::CheckSameLineChoice(const std::string& strParam)
{
    std::string strShown;
    m_cbSelectNextRow.GetWindowText(strShown);
    if (strShown.empty() && !m_strSelectNextRow.empty())
    {
        std::string strMessage;
        FormatResourceString(strMessage, IDS_INVALID_SELECT_NEXT_ROW, strParam.c_str());
        AfxMessageBox(strMessage.c_str());
        m_cbSelectNextRow.SetCurSel(0);
    }
    return TRUE;
}

void CIterationConditionsDlg::PushControls()
{
    UpdateData(FALSE);
    if (m_cbSelectNextRow.FindStringExact(-1, m_strSelectNextRow.c_str()) == CB_ERR)
        m_cbSelectNextRow.SetCurSel(-1);
}

void CIterationConditionsDlg::EvaluateAllocation()
{
    ALLOCATION_STATE nState = ALLOC_OFF;
    if (m_cbSelectNextRow.GetCurSel() == ROW_UNIQUE)
    {
        int nPolicy = m_cbUpdatePolicy.GetCurSel();
        if (m_nMode == 1 && nPolicy == 1)
            nPolicy = 2;
        nState = nPolicy == 0 ? ALLOC_AUTOMATIC : nPolicy == 1 ? ALLOC_FIXED : ALLOC_OFF;
    }
    for (int nID : ALLOCATION_CONTROLS)
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(nState != ALLOC_OFF && !(nState == ALLOC_FIXED && nID == IDC_COND_AUTO_ALLOCATE));
    if (m_bKeepAllocChoice)
    {
        m_edValuesPerVuser.EnableWindow(IsDlgButtonChecked(IDC_COND_FIXED_ALLOCATE) ? TRUE : FALSE);
        return;
    }
    // Pushing the members must not undo a choice just made in a list.
    UpdateData(TRUE);
    m_nAllocMode = nState == ALLOC_FIXED ? 1 : 0;
    m_edValuesPerVuser.EnableWindow(nState == ALLOC_FIXED);
    PushControls();
}

// A chain (this follows B, B follows C) comes from files written elsewhere;
// following C keeps this parameter on the rows it was meant to share, where
// falling back to "Sequential" would lose the tie.
std::string CIterationConditionsDlg::ResolveTieChain(const std::string& strChoice)
{
    const size_t nPrefix = std::strlen(SAME_LINE_AS_PREFIX);
    std::set<std::string> setSeen;
    std::string strCurrent = strChoice;
    while (IsSameLineChoice(strCurrent) && setSeen.insert(strCurrent).second)
    {
        std::string strNext = ReadAttrib(GetTurbine(), strCurrent.substr(nPrefix).c_str(), "SelectNextRow");
        if (!IsSameLineChoice(strNext))
            return strCurrent;
        strCurrent = strNext;
    }
    return strChoice;
}

void CIterationConditionsDlg::FlattenTies(const std::string& strParam, const std::string& strChoice)
{
    void* hTurbine = GetTurbine();
    const std::string strTie = SAME_LINE_AS_PREFIX + strParam;
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(hTurbine))
    {
        if (CTurbAccess::ReadAttrib(hTurbine, id, "SelectNextRow").value_or(std::string()) != strTie)
            continue;
        std::string strName = CTurbAccess::ReadAttrib(hTurbine, id, "ParamName").value_or(std::string());
        if (!strName.empty())
            CTurbAccess::WriteAttrib(hTurbine, strName.c_str(), "SelectNextRow", strChoice);
    }
}

void CIterationConditionsDlg::OnClickedAutoAllocate()
{
    UpdateData(TRUE);
    m_edValuesPerVuser.EnableWindow(FALSE);
}

void CIterationConditionsDlg::OnClickedFixedAllocate()
{
    UpdateData(TRUE);
    m_edValuesPerVuser.EnableWindow(TRUE);
}

void CIterationConditionsDlg::OnSelChangeRowOrPolicy()
{
    EvaluateAllocation();
}

void CIterationConditionsDlg::OnCloseUpSelectNextRow()
{
    UpdateData(TRUE);
    bool bTied = IsSameLineChoice(m_strSelectNextRow);
    m_cbUpdatePolicy.EnableWindow(!bTied);
    if (CWnd* pLabel = GetDlgItem(IDC_COND_UPDATE_POLICY_LABEL))
        pLabel->EnableWindow(!bTied);
    if (bTied && m_pMgr && *m_pMgr->GetActiveParamName())
        FlattenTies(m_pMgr->GetActiveParamName(), m_strSelectNextRow);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COND_SELECT_NEXT_ROW, CBN_CLOSEUP),
                             reinterpret_cast<LPARAM>(m_cbSelectNextRow.m_hWnd));
}

void CIterationConditionsDlg::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_COND_SELECT_NEXT_ROW, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_UPDATE_POLICY, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_UPDATE_POLICY_LABEL, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_OUT_OF_VALUES_LABEL, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_OUT_OF_VALUES, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_ALLOCATE_GROUP, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_COND_AUTO_ALLOCATE, ANCHOR_MOVE_DOWN},
                    {IDC_COND_FIXED_ALLOCATE, ANCHOR_MOVE_DOWN},
                    {IDC_COND_VALUES_PER_VUSER, ANCHOR_MOVE_DOWN},
                    {IDC_COND_VALUES_LABEL, ANCHOR_MOVE_DOWN}});
}
