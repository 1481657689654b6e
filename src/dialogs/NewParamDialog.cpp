#include "dialogs/NewParamDialog.h"

#include "afx/DataExchange.h"
#include "afx/Edit.h"
#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "help/HelpLauncher.h"
#include "manager/TarvoMgr.h"
#include "resources/ListDialogs.h"
#include "resources/StringIds.h"
#include "turb/Turb.h"
#include "turb/TurbAccess.h"

namespace
{
const unsigned long HELP_TOPIC = 141324;

const int NAME_LIMIT = 60;
// Longer values need a larger limit than the edit field's default.
const size_t VALUE_LIMIT = 10240;
const char* const DATA_FILE_TYPE = "Table";
const char* const ORIGINAL_VALUE = "OriginalValue";

int FindExact(const CComboBox& combo, const std::string& strText)
{
    std::string strItem;
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetLBText(i, strItem) != CB_ERR && strItem == strText)
            return i;
    return CB_ERR;
}

std::string Trimmed(const std::string& strText)
{
    size_t nFirst = strText.find_first_not_of(" \t\r\n");
    if (nFirst == std::string::npos)
        return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(" \t\r\n") - nFirst + 1);
}
} // namespace

BEGIN_MESSAGE_MAP(CNewParamDialog, CDialog)
ON_CBN_EDITCHANGE(IDC_SELECT_PARAM_NAME, &CNewParamDialog::OnNameEditChange)
ON_CBN_SELCHANGE(IDC_SELECT_PARAM_NAME, &CNewParamDialog::OnNameSelChange)
ON_CBN_CLOSEUP(IDC_SELECT_PARAM_NAME, &CNewParamDialog::OnNameCloseUp)
ON_BN_CLICKED(IDC_SELECT_PARAM_PROPERTIES, &CNewParamDialog::OnProperties)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CNewParamDialog::CNewParamDialog(CTarvoMgr* pMgr, CWnd* pParentWnd)
    : CDialog(IDD_SELECT_PARAM, pParentWnd), CTarvoMgrExt(pMgr)
{
}

void CNewParamDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELECT_PARAM_NAME, m_cbName);
    DDX_Control(pDX, IDC_SELECT_PARAM_TYPE, m_cbType);
    DDX_Text(pDX, IDC_SELECT_PARAM_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, NAME_LIMIT);
    DDX_CBString(pDX, IDC_SELECT_PARAM_TYPE, m_strTypeName);
    DDX_Text(pDX, IDC_SELECT_PARAM_VALUE, m_strValue);
}

BOOL CNewParamDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strCallerValue = m_strValue;
    FillTypeBox();
    int nType = FindExact(m_cbType, m_strTypeName);
    if (nType == CB_ERR)
        nType = FindExact(m_cbType, "File");
    if (nType == CB_ERR && m_cbType.GetCount() > 0)
        nType = 0;
    m_cbType.SetCurSel(nType);
    FillNameBox();
    m_cbName.SetExtendedUI();
    m_cbType.SetExtendedUI();
    Refresh();
    return TRUE;
}

// The data-file type comes first and is offered even when hidden; the other
// visible types follow in the engine's order. Spreadsheets are never offered.
void CNewParamDialog::FillTypeBox()
{
    std::string strDataFile = m_pMgr->GetTypeDisplayName(DATA_FILE_TYPE);
    if (!strDataFile.empty())
        m_cbType.AddString(strDataFile.c_str());
    for (const std::string& strType : CTurbAccess::GetTypeKeys(GetTurbine()))
    {
        std::string strName = m_pMgr->GetTypeDisplayName(strType);
        if (strType != DATA_FILE_TYPE && strType != "Spreadsheet" && !strName.empty() &&
            !m_pMgr->IsParameterTypeHidden(strType))
            m_cbType.AddString(strName.c_str());
    }
}

// Every parameter, hidden types included: the script may name any of them.
void CNewParamDialog::FillNameBox()
{
    std::vector<std::string> arrNames;
    m_pMgr->EnumParamNames(&arrNames);
    for (const std::string& strName : arrNames)
        m_cbName.AddString(strName.c_str());
}

void CNewParamDialog::OnNameEditChange()
{
    m_bListChoice = FALSE;
    Refresh();
}

void CNewParamDialog::OnNameSelChange()
{
    m_bListChoice = TRUE;
    Refresh();
}

// The list's choice may not be in the edit field yet when the list closes.
// Only a choice made in the list is copied: the list keeps its last choice
// while the author types, and a list closed without choosing must not
// replace the typed name with it.
void CNewParamDialog::OnNameCloseUp()
{
    std::string strChoice;
    if (m_bListChoice && m_cbName.GetLBText(m_cbName.GetCurSel(), strChoice) != CB_ERR)
        m_cbName.SetWindowText(strChoice.c_str());
    Refresh();
}

// An existing parameter shows its own type and value and keeps its type; a
// new name may take any type and shows the caller's value.
void CNewParamDialog::Refresh()
{
    if (!UpdateData(TRUE))
        return;
    CWnd* pProperties = GetDlgItem(IDC_SELECT_PARAM_PROPERTIES);
    if (!m_pMgr->IsExistingParamName(m_strName.c_str()))
    {
        m_cbType.EnableWindow(TRUE);
        // A new name can always be created and edited, even after a hidden
        // parameter's name disabled the button.
        if (pProperties)
            pProperties->EnableWindow(TRUE);
        ShowValue(m_strCallerValue);
        return;
    }
    m_cbType.EnableWindow(FALSE);
    std::string strType = m_pMgr->GetParamAttrib(m_strName.c_str(), "Type");
    SelectType(m_pMgr->GetTypeDisplayName(strType));
    std::string strOriginal = m_pMgr->GetParamAttrib(m_strName.c_str(), ORIGINAL_VALUE);
    ShowValue(strOriginal.empty() ? m_strCallerValue : strOriginal);
    if (pProperties)
        pProperties->EnableWindow(!m_pMgr->IsParameterTypeHidden(strType));
}

// A hidden type is not in the list until a parameter of that type is shown.
void CNewParamDialog::SelectType(const std::string& strTypeName)
{
    if (strTypeName.empty())
        return;
    int nIndex = FindExact(m_cbType, strTypeName);
    if (nIndex == CB_ERR)
        nIndex = m_cbType.AddString(strTypeName.c_str());
    m_cbType.SetCurSel(nIndex);
}

void CNewParamDialog::ShowValue(const std::string& strValue)
{
    auto* pEdit = dynamic_cast<CEdit*>(GetDlgItem(IDC_SELECT_PARAM_VALUE));
    if (!pEdit)
        return;
    if (strValue.size() > VALUE_LIMIT)
        pEdit->LimitText(static_cast<int>(strValue.size() + 1));
    pEdit->SetWindowText(strValue.c_str());
}

BOOL CNewParamDialog::TakeName()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_strName = Trimmed(m_strName);
    m_cbName.SetWindowText(m_strName.c_str());
    if (m_strName.empty())
    {
        AfxMessageBox(IDS_INVALID_PARAM_NAME, MB_OK);
        return FALSE;
    }
    if (!m_pMgr->IsValidParamName(m_strName.c_str(), 1))
        return FALSE;
    if (!m_pMgr->GetMatchingParamNameNoCase(m_strName.c_str()).empty())
    {
        AfxMessageBox(IDS_NAME_EXISTS_OTHER_CASE, MB_OK);
        return FALSE;
    }
    return TRUE;
}

// A new name is created by the caller; an existing parameter without an
// original value takes the one the dialog shows.
void CNewParamDialog::OnOK()
{
    if (!TakeName())
        return;
    if (!m_pMgr->IsExistingParamName(m_strName.c_str()))
    {
        std::string strType = m_pMgr->GetTypeKey(m_strTypeName);
        if (!strType.empty() && m_pMgr->IsParameterTypeHidden(strType))
        {
            std::string strMessage;
            FormatResourcePrintf(strMessage, IDS_CANNOT_CREATE_TYPE, m_strTypeName);
            AfxMessageBox(strMessage.c_str(), MB_OK);
            return;
        }
    }
    else if (m_pMgr->GetParamAttrib(m_strName.c_str(), ORIGINAL_VALUE).empty())
        m_pMgr->SetParamAttrib(m_strName.c_str(), ORIGINAL_VALUE, m_strValue.c_str());
    EndDialog(IDOK);
}

void CNewParamDialog::OnCancel()
{
    DeleteCreatedParam();
    EndDialog(IDCANCEL);
}

// The data file of a File or Table parameter made here is kept: it may serve
// other parameters.
void CNewParamDialog::OnProperties()
{
    if (!TakeName())
        return;
    int bForceDefaults = m_pMgr->m_bForceDataFileDefaults;
    m_pMgr->m_bForceDataFileDefaults = 0;
    if (m_pMgr->IsExistingParamName(m_strName.c_str()))
    {
        m_pMgr->SetActiveParamName(m_strName.c_str());
        m_pMgr->OpenParameterPropertiesDialog(this);
    }
    else
        CreateAndEdit();
    m_pMgr->m_bForceDataFileDefaults = bForceDefaults;
    Refresh();
}

// Only one parameter made by this dialog exists at a time: a new name
// replaces the one created before.
void CNewParamDialog::CreateAndEdit()
{
    DeleteCreatedParam();
    if (m_pMgr->GetTypeKey(m_strTypeName).empty())
        return;
    m_strCreatedName = m_strName;
    if (m_pMgr->CreateNewParameter(m_strName.c_str(), m_strTypeName.c_str(), m_strCallerValue.c_str()))
        m_pMgr->OpenParameterPropertiesDialog(this);
    else
        AfxMessageBox(IDS_CREATE_PARAM_FAILED, MB_OK);
}

// The data file stays and nobody is told: for the host the parameter never
// replaced any script text.
void CNewParamDialog::DeleteCreatedParam()
{
    if (m_strCreatedName.empty())
        return;
    m_pMgr->DeleteParameter(m_strCreatedName.c_str(), 0, 0);
    m_strCreatedName.clear();
}

BOOL CNewParamDialog::OnHelpInfo(HELPINFO*)
{
    ShowContextHelp(m_hWnd, HELP_TOPIC, 0);
    return TRUE;
}
