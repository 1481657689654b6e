#include "tabs/FileInfoTab.h"

#include "afx/DataExchange.h"
#include "afx/FileDialog.h"
#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "dataeditor/TableDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/DataEditorDialogs.h"
#include "resources/DataFileTabDialogs.h"
#include "resources/StringIds.h"
#include "simulation/IterationConditionsDlg.h"
#include "tabs/ParamAttribs.h"
#include "turb/TurbAccess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>

namespace
{
const UINT s_nAddColumnMsg = RegisterWindowMessageA(TARVO_ADD_COLUMN_MESSAGE);
const UINT s_nDeleteColumnMsg = RegisterWindowMessageA(TARVO_DELETE_COLUMN_MESSAGE);

const int SPIN_MAX = 32000;
const int COUNT_MAX = 32767;
const int NEW_NAME_TRIES = 10000;
const char* const COLUMN_PREFIX = "Col ";

// The controls that mean something only while the file exists.
const int FILE_CONTROLS[] = {IDC_FILE_BY_NUMBER,        IDC_FILE_COLUMN_NUMBER,   IDC_FILE_BY_NAME,
                             IDC_FILE_COLUMN_NAME,      IDC_FILE_DELIMITER_LABEL, IDC_FILE_DELIMITER,
                             IDC_FILE_FIRST_LINE_LABEL, IDC_FILE_FIRST_LINE,      IDC_FILE_COLUMN_GROUP,
                             IDC_FILE_COLUMN_SPIN,      IDC_FILE_FIRST_LINE_SPIN};

bool FileExists(const std::string& strPath)
{
    struct stat st;
    return !strPath.empty() && stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string DelimiterOfName(const std::string& strName)
{
    if (strName == "Comma")
        return ",";
    if (strName == "Tab")
        return "\t";
    if (strName == "Space")
        return " ";
    return strName;
}

std::string NameOfDelimiter(const std::string& strDelimiter)
{
    if (strDelimiter == ",")
        return "Comma";
    if (strDelimiter == "\t")
        return "Tab";
    if (strDelimiter == " ")
        return "Space";
    return strDelimiter;
}
} // namespace

BEGIN_MESSAGE_MAP(CFileInfoTab, CResizePropertyPage)
ON_WM_SIZE()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_FILE_BROWSE, &CFileInfoTab::OnBrowse)
ON_CBN_EDITCHANGE(IDC_FILE_PATH, &CFileInfoTab::OnEditChangePath)
ON_CBN_SELCHANGE(IDC_FILE_PATH, &CFileInfoTab::OnSelChangePath)
ON_CBN_EDITCHANGE(IDC_FILE_DELIMITER, &CFileInfoTab::OnEditChangeDelimiter)
ON_CBN_SELCHANGE(IDC_FILE_DELIMITER, &CFileInfoTab::OnSelChangeDelimiter)
ON_EN_CHANGE(IDC_FILE_FIRST_LINE, &CFileInfoTab::OnChangeFirstLine)
ON_EN_CHANGE(IDC_FILE_COLUMN_NUMBER, &CFileInfoTab::OnChangeColumnNumber)
ON_BN_CLICKED(IDC_FILE_BY_NUMBER, &CFileInfoTab::OnClickedColumnBy)
ON_BN_CLICKED(IDC_FILE_BY_NAME, &CFileInfoTab::OnClickedColumnBy)
ON_CBN_CLOSEUP(IDC_COND_SELECT_NEXT_ROW, &CFileInfoTab::OnSameLineChosen)
ON_BN_CLICKED(IDC_TABLE_EDIT_TEXT, &CFileInfoTab::OnEditorReloaded)
ON_BN_CLICKED(IDC_TABLE_WIZARD, &CFileInfoTab::OnEditorWizard)
ON_BN_CLICKED(IDC_TABLE_CREATE, &CFileInfoTab::OnNewFileReset)
ON_COMMAND(ID_TABLE_COUNTS_CHANGED, &CFileInfoTab::OnCountsChanged)
ON_COMMAND(ID_TABLE_BEFORE_SIMULATE, &CFileInfoTab::OnBeforeSimulate)
ON_REGISTERED_MESSAGE(s_nAddColumnMsg, &CFileInfoTab::OnAddColumn)
ON_REGISTERED_MESSAGE(s_nDeleteColumnMsg, &CFileInfoTab::OnDeleteColumn)
END_MESSAGE_MAP()

CFileInfoTab::CFileInfoTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_FILE_INFO_TAB), CTarvoMgrExt(pMgr)
{
    m_bDataDirOnly = pMgr && (pMgr->Custom_GetOptions() & OPT_DATASETS) != 0;
    m_strIniPath = ResolveIniPath();
}

CFileInfoTab::~CFileInfoTab()
{
    delete m_pTableDlg;
    delete m_pConditionsDlg;
}

void CFileInfoTab::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_PATH, m_cbPath);
    DDX_Control(pDX, IDC_FILE_DELIMITER, m_cbDelimiter);
    DDX_Control(pDX, IDC_FILE_COLUMN_NAME, m_cbColumnName);
    DDX_Control(pDX, IDC_FILE_COLUMN_NUMBER, m_edColumnNumber);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE, m_edFirstLine);
    DDX_Control(pDX, IDC_FILE_COLUMN_SPIN, m_spinColumn);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE_SPIN, m_spinFirstLine);
    DDX_Radio(pDX, IDC_FILE_BY_NUMBER, m_nColumnBy);
    DDX_CBString(pDX, IDC_FILE_PATH, m_strFilePath);
    DDX_Text(pDX, IDC_FILE_COLUMN_NUMBER, m_strColumnNumber);
    DDX_CBString(pDX, IDC_FILE_COLUMN_NAME, m_strColumnName);
    DDX_CBString(pDX, IDC_FILE_DELIMITER, m_strDelimiterName);
    DDX_Text(pDX, IDC_FILE_FIRST_LINE, m_nFirstDataLine);
    DDV_MinMaxUInt(pDX, m_nFirstDataLine, 0, SPIN_MAX);
}

std::string CFileInfoTab::ActiveName() const
{
    return m_pMgr ? m_pMgr->GetActiveParamName() : "";
}

std::string CFileInfoTab::ActiveAttrib(const char* pszKey) const
{
    return HasActiveParam() ? ReadParamAttrib(GetTurbine(), ActiveName(), pszKey) : std::string();
}

bool CFileInfoTab::HasActiveParam() const
{
    return IsActiveParamKnown(m_pMgr);
}

BOOL CFileInfoTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszName : {"Comma", "Tab", "Space"})
        m_cbDelimiter.AddString(pszName);
    m_pTableDlg = new CTableDlg(m_pMgr, m_strIniPath, this);
    m_pTableDlg->Create(this);
    m_pTableDlg->ShowWindow(SW_SHOW);
    m_pConditionsDlg = new CIterationConditionsDlg(m_pMgr, 0);
    m_pConditionsDlg->Create(this);
    m_pConditionsDlg->ShowWindow(SW_SHOW);
    m_spinColumn.SetRange32(1, SPIN_MAX);
    m_spinFirstLine.SetRange32(1, SPIN_MAX);

    // A relative name means a file beside the script; one that is not there
    // is no use to this script.
    std::string strScriptDir = m_pMgr && *m_pMgr->GetActiveParamFilePath()
                                   ? std::filesystem::path(m_pMgr->GetActiveParamFilePath()).parent_path().string()
                                   : std::string();
    struct KEEP_CONTEXT
    {
        CFileInfoTab* pTab;
        std::string strScriptDir;
    } context{this, strScriptDir};
    m_arrRecent = ReadRecentFiles(
        [](const std::string& strPath, void* pContext)
        {
            auto* pKeep = static_cast<KEEP_CONTEXT*>(pContext);
            if (!std::filesystem::path(strPath).is_absolute() &&
                (pKeep->strScriptDir.empty() || !FileExists(pKeep->strScriptDir + "/" + strPath)))
                return false;
            return pKeep->pTab->CheckDataDirectory(strPath, FALSE) != FALSE;
        },
        &context);
    for (const RECENT_FILE& file : m_arrRecent)
        m_cbPath.AddString(file.strPath.c_str());
    if (m_sizeSaved.cx > 0)
        OnSize(SIZE_RESTORED, 0, 0);
    m_bInitialized = true;
    return TRUE;
}

BOOL CFileInfoTab::OnSetActive()
{
    if (HasActiveParam() && LoadFromParam(ActiveName().c_str()))
    {
        PushControls();
        m_pConditionsDlg->CheckSameLineChoice(ActiveName());
        UpdateColumnChoice();
        Refresh();
    }
    return CResizePropertyPage::OnSetActive();
}

BOOL CFileInfoTab::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_strColumnNumber == "0")
    {
        std::string strMessage;
        FormatResourceString(strMessage, IDS_INTEGER_RANGE, "1", std::to_string(SPIN_MAX).c_str());
        AfxMessageBox(strMessage.c_str());
        return FALSE;
    }
    if (m_pTableDlg)
        m_pTableDlg->SaveIfModified();
    if (HasActiveParam())
    {
        SaveToParam(ActiveName().c_str());
        if (!CheckFirstDataLine(ActiveName().c_str(), TRUE))
            return FALSE;
    }
    return CResizePropertyPage::OnKillActive();
}

BOOL CFileInfoTab::LoadFromParam(const char* pszName)
{
    if (!pszName)
        return FALSE;
    void* hTurbine = GetTurbine();
    m_strTableLocation = ReadParamAttrib(hTurbine, pszName, "TableLocation");
    m_strTable = ReadParamAttrib(hTurbine, pszName, "Table");
    m_strColumnAttrib = ReadParamAttrib(hTurbine, pszName, "ColumnName");
    m_strStartRow = ReadParamAttrib(hTurbine, pszName, "StartRow");
    m_strDelimiter = ReadParamAttrib(hTurbine, pszName, "Delimiter");
    bool bLocal = m_strTableLocation.empty() || strcasecmp(m_strTableLocation.c_str(), "Local") == 0;
    m_strFilePath = bLocal ? m_strTable : ReadParamAttrib(hTurbine, pszName, "ActualFullPath");
    if (m_strColumnAttrib.size() > 4 && strncasecmp(m_strColumnAttrib.c_str(), COLUMN_PREFIX, 4) == 0)
    {
        m_nColumnBy = 0;
        m_strColumnNumber = m_strColumnAttrib.substr(4);
        m_strColumnName.clear();
    }
    else
    {
        m_nColumnBy = 1;
        m_strColumnNumber = "1";
        m_strColumnName = m_strColumnAttrib;
    }
    m_strDelimiterName = NameOfDelimiter(m_strDelimiter);
    if (m_pConditionsDlg)
        m_pConditionsDlg->LoadConditions(pszName);
    m_nFirstDataLine = static_cast<UINT>(std::max(0, std::atoi(m_strStartRow.c_str())));
    if (m_pTableDlg)
    {
        m_pTableDlg->SetDelimiter(m_strDelimiter);
        m_pTableDlg->SetFirstLine(static_cast<int>(m_nFirstDataLine));
    }
    return TRUE;
}

BOOL CFileInfoTab::SaveToParam(const char* pszName)
{
    if (!pszName)
        return FALSE;
    void* hTurbine = GetTurbine();
    DATA_FILE_LOCATION location = LocateDataFile(m_strFilePath, ReadParamAttrib(hTurbine, pszName, "GlobalDataDir"),
                                                 ReadParamAttrib(hTurbine, pszName, "LocalDataDir"), m_strIniPath);
    m_strTableLocation = location.strLocation;
    m_strTable = location.strTable;
    m_strColumnAttrib = m_nColumnBy == 0 ? COLUMN_PREFIX + m_strColumnNumber : m_strColumnName;
    m_strDelimiter = DelimiterOfName(m_strDelimiterName);
    m_strStartRow = std::to_string(m_nFirstDataLine);
    WriteParamAttrib(hTurbine, pszName, "TableLocation", m_strTableLocation);
    WriteParamAttrib(hTurbine, pszName, "Table", m_strTable);
    WriteParamAttrib(hTurbine, pszName, "ColumnName", m_strColumnAttrib);
    WriteParamAttrib(hTurbine, pszName, "StartRow", m_strStartRow);
    WriteParamAttrib(hTurbine, pszName, "Delimiter", m_strDelimiter);
    if (m_pConditionsDlg)
        m_pConditionsDlg->SaveConditions(pszName);
    return TRUE;
}

void CFileInfoTab::Refresh()
{
    if (!m_pTableDlg || !m_pConditionsDlg)
        return;
    if (HasActiveParam())
    {
        UpdateData(TRUE);
        SaveToParam(ActiveName().c_str());
    }
    std::string strFullPath = m_strFilePath.empty() ? std::string() : ActiveAttrib("ActualFullPath");
    bool bExists = FileExists(strFullPath);
    for (int nID : FILE_CONTROLS)
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(bExists);
    m_pConditionsDlg->EnableConditions(bExists);
    GetDlgItem(IDC_FILE_TOO_LARGE)->ShowWindow(SW_HIDE);
    if (!bExists)
    {
        m_pTableDlg->ShowWindow(SW_SHOW);
        m_pTableDlg->ShowNoFileState();
        return;
    }
    UpdateColumnChoice();
    BOOL bFirstLineApplies = m_pConditionsDlg->IsRowPolicyIndependent();
    m_edFirstLine.EnableWindow(bFirstLineApplies);
    m_spinFirstLine.EnableWindow(bFirstLineApplies);
    if (std::atoi(m_strStartRow.c_str()) < 0 || m_strDelimiterName.empty())
        return;

    unsigned long long nLimit = ReadDisplaySizeLimit(m_strIniPath);
    unsigned long long nSize = std::filesystem::file_size(strFullPath);
    if (nSize > nLimit)
    {
        std::string strText = TooLargeText(strFullPath, nSize, nLimit);
        GetDlgItem(IDC_FILE_TOO_LARGE)->SetWindowText(strText.c_str());
        GetDlgItem(IDC_FILE_TOO_LARGE)->ShowWindow(SW_SHOW);
        m_pTableDlg->ShowWindow(SW_HIDE);
        return;
    }
    if (m_pTableDlg->LoadFile(strFullPath, static_cast<int>(m_nFirstDataLine), m_strDelimiter) == IDS_FILE_READ_FAILED)
    {
        m_cbDelimiter.SetFocus();
        return;
    }
    m_pTableDlg->ShowWindow(SW_SHOW);
    RememberRecentFile(m_arrRecent, m_cbPath, {m_strFilePath, m_strDelimiterName, static_cast<int>(m_nFirstDataLine)});
    FillColumnNames();
    if (!m_bSpinRangesSet || m_bInRefresh)
        RefreshSpinRanges();
    m_bSpinRangesSet = true;
    PushControls();
    m_cbColumnName.SetWindowText(m_strColumnName.c_str());
    m_bInRefresh = true;
    m_pConditionsDlg->RefreshAllocation();
    m_bInRefresh = false;
}

void CFileInfoTab::RefreshSpinRanges()
{
    if (!m_pTableDlg)
        return;
    m_strStartRow = ActiveAttrib("StartRow");
    m_strDelimiter = ActiveAttrib("Delimiter");
    if (std::atoi(m_strStartRow.c_str()) < 0 || m_strDelimiterName.empty())
        return;
    int nLines = std::min(m_pTableDlg->GetFileLineCount(), COUNT_MAX);
    m_spinFirstLine.SetRange32(1, nLines > 0 ? nLines : 1);
    if (nLines < static_cast<int>(m_nFirstDataLine))
        m_nFirstDataLine = 1;
    int nColumns = std::min(m_pTableDlg->GetFileColumnCount(), COUNT_MAX);
    m_spinColumn.SetRange32(nColumns > 0 ? 1 : 0, nColumns);
    if (nColumns >= 0 && nColumns < std::atoi(m_strColumnNumber.c_str()))
        m_strColumnNumber = "1";
}

BOOL CFileInfoTab::CheckDataDirectory(const std::string& strPath, BOOL bShowMessage)
{
    std::string strLocalDir = m_pMgr ? ReadParamAttrib(GetTurbine(), ActiveName(), "LocalDataDir") : std::string();
    if (IsInDataDirectory(m_bDataDirOnly, strPath, strLocalDir))
        return TRUE;
    if (bShowMessage)
        AfxMessageBox(IDS_DATA_FILE_NOT_IN_SCRIPT_DIR);
    return FALSE;
}

BOOL CFileInfoTab::CheckFirstDataLine(const char* pszName, BOOL bShowMessage)
{
    if (!FileExists(ReadParamAttrib(GetTurbine(), pszName, "ActualFullPath")) || m_nFirstDataLine != 0)
    {
        SyncSameLineRows(pszName);
        return TRUE;
    }
    if (bShowMessage)
    {
        AfxMessageBox(IDS_INVALID_FIRST_LINE);
        m_edFirstLine.SetFocus();
    }
    return FALSE;
}

void CFileInfoTab::SyncSameLineRows(const std::string& strName)
{
    void* hTurbine = GetTurbine();
    const std::string strTie = SAME_LINE_AS_PREFIX + strName;
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(hTurbine))
    {
        if (CTurbAccess::ReadAttrib(hTurbine, id, "SelectNextRow").value_or(std::string()) != strTie)
            continue;
        std::string strOther = CTurbAccess::ReadAttrib(hTurbine, id, "ParamName").value_or(std::string());
        if (!strOther.empty())
            WriteParamAttrib(hTurbine, strOther, "StartRow", std::to_string(m_nFirstDataLine));
    }
}

void CFileInfoTab::FillColumnNames()
{
    m_cbColumnName.ResetContent();
    if (m_pTableDlg)
        for (const std::string& strName : m_pTableDlg->GetColumnNames())
            m_cbColumnName.AddString(strName.c_str());
}

void CFileInfoTab::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

void CFileInfoTab::UpdateColumnChoice()
{
    UpdateData(TRUE);
    m_cbColumnName.EnableWindow(m_nColumnBy == 1);
    m_edColumnNumber.EnableWindow(m_nColumnBy == 0);
    m_spinColumn.EnableWindow(m_nColumnBy == 0);
}

void CFileInfoTab::UseDefaults()
{
    std::string strName = ActiveName();
    if (strName.empty() || !LoadFromParam(strName.c_str()))
        return;
    bool bKeep = FileExists(ActiveAttrib("ActualFullPath")) && strcasecmp(m_strTableLocation.c_str(), "Local") != 0 &&
                 m_pMgr->m_bForceDataFileDefaults == 0;
    if (!bKeep)
    {
        m_strFilePath = strName + ".dat";
        ResetFileFormat();
        // The first free name: name.dat, name(1).dat ... name(10000).dat.
        for (int i = 1; i <= NEW_NAME_TRIES; ++i)
        {
            SaveToParam(strName.c_str());
            if (!FileExists(ActiveAttrib("ActualFullPath")))
                break;
            m_strFilePath = strName + "(" + std::to_string(i) + ").dat";
        }
    }
    SaveToParam(strName.c_str());
    if (!m_hWnd)
        return;
    PushControls();
    if (m_pMgr->m_bForceDataFileDefaults == 1 && m_pTableDlg)
    {
        m_pTableDlg->SetDelimiter(m_strDelimiterName);
        m_pTableDlg->SetFirstLine(static_cast<int>(m_nFirstDataLine));
        m_pTableDlg->SendMessage(WM_COMMAND, IDC_TABLE_CREATE, 0);
    }
}

void CFileInfoTab::ResetFileFormat()
{
    m_nColumnBy = 0;
    m_strColumnNumber = "1";
    m_strColumnName.clear();
    m_strDelimiterName = "Comma";
    m_nFirstDataLine = 1;
    if (m_pConditionsDlg)
        m_pConditionsDlg->ResetToSequential();
}

int CFileInfoTab::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*)
{
    if (nCode == UPD_BEFORE_ACTIVE_CHANGE || nCode == UPD_COMMIT)
    {
        if (m_pConditionsDlg && m_pConditionsDlg->m_hWnd && !m_pConditionsDlg->ValidateConditions())
            return 0;
        std::string strFullPath = ActiveAttrib("ActualFullPath");
        if (!strFullPath.empty() && m_pMgr->GetActiveParamType() == "Table" && !FileExists(strFullPath) &&
            m_pTableDlg && !m_pTableDlg->CreateMissingFile())
            return 0;
        return 1;
    }
    if (nCode == UPD_RENAMED && m_hWnd)
    {
        UpdateData(TRUE);
        if (!m_strFilePath.empty() && !FileExists(ActiveAttrib("ActualFullPath")))
        {
            m_strFilePath = ActiveName() + ".dat";
            PushControls();
            Refresh();
        }
    }
    return 1;
}

void CFileInfoTab::DetectDelimiter()
{
    std::string strDelimiter;
    std::string strFullPath = ActiveAttrib("ActualFullPath");
    if (strFullPath.empty() ||
        !m_pTableDlg->DetectDelimiter(strFullPath, static_cast<int>(m_nFirstDataLine), strDelimiter))
        return;
    // A comma shows as itself, as a delimiter that is not named.
    m_strDelimiterName = strDelimiter == "," ? strDelimiter : NameOfDelimiter(strDelimiter);
    m_cbDelimiter.SetWindowText(m_strDelimiterName.c_str());
}

void CFileInfoTab::OnBrowse()
{
    UpdateData(TRUE);
    m_pTableDlg->SaveIfModified();
    if (!HasActiveParam())
        return;
    std::filesystem::path start = m_strFilePath.empty() ? "." : m_strFilePath;
    if (start.is_relative())
    {
        std::string strScript = m_pMgr->GetActiveParamFilePath();
        start =
            (strScript.empty() ? std::filesystem::path(".") : std::filesystem::path(strScript).parent_path()) / start;
    }
    std::string strDir = start.parent_path().string();
    std::string strName = start.filename().string();
    if (strName == "." || strName == "..")
        strName.clear();
    std::string strFilter =
        AfxLoadString(IDS_TABLE_FILES) + " (*.dat)|*.dat|" + AfxLoadString(IDS_ALL_FILES) + " (*.*)|*.*||";
    CFileDialog dlg(TRUE, "dat", strName.c_str(), OFN_HIDEREADONLY, strFilter.c_str(), this);
    dlg.m_ofn.lpstrInitialDir = strDir.c_str();
    if (dlg.DoModal() != IDOK)
        return;
    std::string strChosen = dlg.GetPathName();
    if (!CheckDataDirectory(strChosen, TRUE))
        return;
    std::string strLocalDir = ActiveAttrib("LocalDataDir");
    m_strFilePath = IsInDataDirectory(true, strChosen, strLocalDir)
                        ? std::filesystem::path(strChosen).filename().string()
                        : strChosen;
    m_cbPath.SetWindowText(m_strFilePath.c_str());
    SaveToParam(ActiveName().c_str());
    DetectDelimiter();
    Refresh();
    LoadFromParam(ActiveName().c_str());
    PushControls();
}

void CFileInfoTab::OnEditChangePath()
{
    std::string strPrevious = m_strFilePath;
    UpdateData(TRUE);
    if (!CheckDataDirectory(m_strFilePath, TRUE))
    {
        m_strFilePath = strPrevious;
        m_cbPath.SetWindowText(m_strFilePath.c_str());
        return;
    }
    if (HasActiveParam())
        SaveToParam(ActiveName().c_str());
    DetectDelimiter();
    Refresh();
    RefreshSpinRanges();
}

void CFileInfoTab::OnSelChangePath()
{
    int nIndex = m_cbPath.GetCurSel();
    if (nIndex < 0)
        return;
    std::string strPrevious = m_strFilePath;
    m_cbPath.GetLBText(nIndex, m_strFilePath);
    if (!CheckDataDirectory(m_strFilePath, TRUE))
    {
        m_strFilePath = strPrevious;
        m_cbPath.SetCurSel(m_cbPath.FindStringExact(-1, strPrevious.c_str()));
        m_cbPath.SetWindowText(strPrevious.c_str());
        return;
    }
    if (nIndex < static_cast<int>(m_arrRecent.size()))
    {
        m_strDelimiterName = m_arrRecent[nIndex].strDelimiterName;
        m_nFirstDataLine = static_cast<UINT>(std::clamp(m_arrRecent[nIndex].nFirstLine, 0, SPIN_MAX));
    }
    PushControls();
    Refresh();
    RefreshSpinRanges();
    m_cbPath.SetFocus();
}

void CFileInfoTab::OnEditChangeDelimiter()
{
    Refresh();
    RefreshSpinRanges();
}

void CFileInfoTab::OnSelChangeDelimiter()
{
    int nIndex = m_cbDelimiter.GetCurSel();
    if (nIndex < 0)
        return;
    m_cbDelimiter.GetLBText(nIndex, m_strDelimiterName);
    m_cbDelimiter.SetWindowText(m_strDelimiterName.c_str());
    Refresh();
    RefreshSpinRanges();
}

void CFileInfoTab::OnChangeSpinEdit(CEdit& edit, CSpinButtonCtrl& spin)
{
    if (!m_bInitialized || m_bPushing)
        return;
    m_pTableDlg->SaveIfModified();
    std::string strText;
    edit.GetWindowText(strText);
    if (strText.empty())
        return;
    int nLower = 0, nUpper = 0;
    spin.GetRange32(nLower, nUpper);
    int nValue = std::atoi(strText.c_str());
    int nKept = std::clamp(nValue, nLower, nUpper);
    int nStart = 0, nEnd = 0;
    edit.GetSel(nStart, nEnd);
    m_bPushing = true;
    if (nKept != nValue || strText != std::to_string(nValue))
        edit.SetWindowText(std::to_string(nKept).c_str());
    m_bPushing = false;
    UpdateData(TRUE);
    Refresh();
    edit.SetSel(nStart, nEnd);
    edit.SetFocus();
}

void CFileInfoTab::OnChangeFirstLine()
{
    OnChangeSpinEdit(m_edFirstLine, m_spinFirstLine);
}

void CFileInfoTab::OnChangeColumnNumber()
{
    OnChangeSpinEdit(m_edColumnNumber, m_spinColumn);
}

void CFileInfoTab::OnClickedColumnBy()
{
    UpdateColumnChoice();
}

void CFileInfoTab::OnSameLineChosen()
{
    UpdateData(TRUE);
    BOOL bFirstLineApplies = m_pConditionsDlg->IsRowPolicyIndependent();
    m_edFirstLine.EnableWindow(bFirstLineApplies);
    m_spinFirstLine.EnableWindow(bFirstLineApplies);
    if (bFirstLineApplies)
        return;
    std::string strChoice;
    m_pConditionsDlg->GetDlgItemText(IDC_COND_SELECT_NEXT_ROW, strChoice);
    std::string strTarget = strChoice.substr(std::string(SAME_LINE_AS_PREFIX).size());
    std::string strStartRow = ReadParamAttrib(GetTurbine(), strTarget, "StartRow");
    if (strStartRow.empty())
        return;
    m_nFirstDataLine = static_cast<UINT>(std::clamp(std::atoi(strStartRow.c_str()), 0, SPIN_MAX));
    m_bPushing = true;
    m_edFirstLine.SetWindowText(std::to_string(m_nFirstDataLine).c_str());
    m_bPushing = false;
}

void CFileInfoTab::OnEditorReloaded()
{
    UpdateData(TRUE);
    SaveToParam(ActiveName().c_str());
    LoadFromParam(ActiveName().c_str());
}

void CFileInfoTab::OnEditorWizard()
{
    OnEditorReloaded();
    m_pConditionsDlg->ResetToSequential();
    Refresh();
}

void CFileInfoTab::OnNewFileReset()
{
    UpdateData(TRUE);
    SaveToParam(ActiveName().c_str());
    LoadFromParam(ActiveName().c_str());
    ResetFileFormat();
    PushControls();
    Refresh();
}

void CFileInfoTab::OnCountsChanged()
{
    RefreshSpinRanges();
    m_spinColumn.Invalidate();
    m_spinFirstLine.Invalidate();
    PushControls();
}

void CFileInfoTab::OnBeforeSimulate()
{
    m_pTableDlg->SaveIfModified();
    SaveToParam(ActiveName().c_str());
    m_pMgr->SaveChanges();
}

LRESULT CFileInfoTab::OnAddColumn(WPARAM wParam, LPARAM lParam)
{
    if (IsDlgButtonChecked(IDC_FILE_BY_NUMBER))
        m_edColumnNumber.SetWindowText(std::to_string(wParam).c_str());
    else
    {
        FillColumnNames();
        m_cbColumnName.SetWindowText(lParam ? reinterpret_cast<const char*>(lParam) : "");
    }
    return 1;
}

LRESULT CFileInfoTab::OnDeleteColumn(WPARAM, LPARAM)
{
    FillColumnNames();
    return 1;
}

void CFileInfoTab::OnDestroy()
{
    WriteRecentFiles(m_arrRecent);
    m_bInitialized = false;
    for (CWnd* pChild : {static_cast<CWnd*>(m_pTableDlg), static_cast<CWnd*>(m_pConditionsDlg)})
        if (pChild)
            pChild->DestroyWindow();
    delete m_pTableDlg;
    m_pTableDlg = nullptr;
    delete m_pConditionsDlg;
    m_pConditionsDlg = nullptr;
    CResizePropertyPage::OnDestroy();
}

void CFileInfoTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_FILE_PATH, ANCHOR_RIGHT},
                    {IDC_FILE_BROWSE, ANCHOR_MOVE_RIGHT},
                    {IDC_FILE_FORMAT_GROUP, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE_SPIN, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER_LABEL, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE_LABEL, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_SPIN, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_GROUP, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_NAME, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_NUMBER, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_BY_NUMBER, ANCHOR_MOVE_DOWN},
                    {IDC_FILE_BY_NAME, ANCHOR_MOVE_DOWN},
                    {IDC_FILE_TABLE_AREA, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_TOO_LARGE, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_CONDITIONS_AREA, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN}});
    for (auto [pChild, nArea] : {std::pair{static_cast<CWnd*>(m_pTableDlg), IDC_FILE_TABLE_AREA},
                                 std::pair{static_cast<CWnd*>(m_pConditionsDlg), IDC_FILE_CONDITIONS_AREA}})
    {
        CWnd* pArea = GetDlgItem(nArea);
        if (!pChild || !pChild->m_hWnd || !pArea)
            continue;
        CRect rc;
        pArea->GetWindowRect(&rc);
        ScreenToClient(&rc);
        pChild->MoveWindow(rc);
    }
}
