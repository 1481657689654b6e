#include "tabs/DataFileTab.h"

#include "afx/DataExchange.h"
#include "afx/FileDialog.h"
#include "afx/MessageBox.h"
#include "dataeditor/TableDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/DataEditorDialogs.h"
#include "resources/DataFileTabDialogs.h"
#include "resources/StringIds.h"
#include "simulation/IterationConditionsDlg.h"
#include "tabs/ParamAttribs.h"
#include "turb/TurbAccess.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>

namespace
{
const int SPIN_MAX = 32000;
const int NEW_NAME_TRIES = 10000;

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

BEGIN_MESSAGE_MAP(CDataFileTab, CResizePropertyPage)
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_FILE_BROWSE, &CDataFileTab::OnBrowse)
ON_CBN_EDITCHANGE(IDC_FILE_PATH, &CDataFileTab::OnEditChangePath)
ON_CBN_SELCHANGE(IDC_FILE_PATH, &CDataFileTab::OnSelChangePath)
ON_CBN_EDITCHANGE(IDC_FILE_DELIMITER, &CDataFileTab::OnEditChangeDelimiter)
ON_CBN_SELCHANGE(IDC_FILE_DELIMITER, &CDataFileTab::OnSelChangeDelimiter)
ON_EN_CHANGE(IDC_FILE_FIRST_LINE, &CDataFileTab::OnChangeFirstLine)
ON_CBN_CLOSEUP(IDC_COND_SELECT_NEXT_ROW, &CDataFileTab::OnSameLineChosen)
ON_BN_CLICKED(IDC_TABLE_EDIT_TEXT, &CDataFileTab::OnEditorReloaded)
ON_BN_CLICKED(IDC_TABLE_WIZARD, &CDataFileTab::OnEditorWizard)
ON_BN_CLICKED(IDC_TABLE_CREATE, &CDataFileTab::OnNewFileReset)
ON_COMMAND(ID_TABLE_COUNTS_CHANGED, &CDataFileTab::OnCountsChanged)
ON_COMMAND(ID_TABLE_BEFORE_SIMULATE, &CDataFileTab::OnBeforeSimulate)
END_MESSAGE_MAP()

CDataFileTab::CDataFileTab(CTarvoMgr* pMgr, UINT nIDTemplate, int nConditionsMode)
    : CResizePropertyPage(nIDTemplate), CTarvoMgrExt(pMgr), m_nConditionsMode(nConditionsMode)
{
    m_bDataDirOnly = pMgr && (pMgr->Custom_GetOptions() & OPT_DATASETS) != 0;
    m_strIniPath = ResolveIniPath();
}

CDataFileTab::~CDataFileTab()
{
    delete m_pTableDlg;
    delete m_pConditionsDlg;
}

std::string CDataFileTab::ActiveName() const
{
    return m_pMgr ? m_pMgr->GetActiveParamName() : "";
}

int CDataFileTab::RefreshFirstLineRange()
{
    if (!m_pTableDlg)
        return -1;
    m_strStartRow = ActiveAttrib("StartRow");
    m_strDelimiter = ActiveAttrib("Delimiter");
    if (std::atoi(m_strStartRow.c_str()) < 0 || m_strDelimiterName.empty())
        return -1;
    int nLines = std::min(m_pTableDlg->GetFileLineCount(), COUNT_MAX);
    m_spinFirstLine.SetRange32(1, nLines > 0 ? nLines : 1);
    if (nLines < static_cast<int>(m_nFirstDataLine))
        m_nFirstDataLine = 1;
    return nLines;
}

std::string CDataFileTab::ActiveAttrib(const char* pszKey) const
{
    return HasActiveParam() ? ReadParamAttrib(GetTurbine(), ActiveName(), pszKey) : std::string();
}

// A host may make another parameter active without telling the tabs; what
// this tab shows must not be written onto that one.
bool CDataFileTab::HasActiveParam() const
{
    return IsActiveParamKnown(m_pMgr) && (m_strShownName.empty() || ActiveName() == m_strShownName);
}

BOOL CDataFileTab::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    for (const char* pszName : {"Comma", "Tab", "Space"})
        m_cbDelimiter.AddString(pszName);
    m_pTableDlg = new CTableDlg(m_pMgr, m_strIniPath, this);
    m_pTableDlg->Create(this);
    m_pTableDlg->ShowWindow(SW_SHOW);
    m_pConditionsDlg = new CIterationConditionsDlg(m_pMgr, m_nConditionsMode);
    m_pConditionsDlg->Create(this);
    m_pConditionsDlg->ShowWindow(SW_SHOW);
    m_spinFirstLine.SetRange32(1, SPIN_MAX);

    // A relative name means a file beside the script; one that is not there
    // is no use to this script.
    struct KEEP_CONTEXT
    {
        CDataFileTab* pTab;
        std::string strScriptDir;
    } context{this, m_pMgr && *m_pMgr->GetActiveParamFilePath()
                        ? std::filesystem::path(m_pMgr->GetActiveParamFilePath()).parent_path().string()
                        : std::string()};
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
    PlaceChildren();
    m_bInitialized = true;
    return TRUE;
}

BOOL CDataFileTab::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr) && LoadFromParam(ActiveName().c_str()))
    {
        PushControls();
        m_pConditionsDlg->CheckSameLineChoice(ActiveName());
        UpdateColumnChoice();
        Refresh();
    }
    return CResizePropertyPage::OnSetActive();
}

BOOL CDataFileTab::KillActiveCommon()
{
    if (m_pTableDlg)
        m_pTableDlg->SaveIfModified();
    if (!HasActiveParam())
        return TRUE;
    SaveToParam(ActiveName().c_str());
    return CheckFirstDataLine(ActiveName().c_str(), TRUE);
}

BOOL CDataFileTab::LoadFromParam(const char* pszName)
{
    if (!pszName)
        return FALSE;
    m_strShownName = pszName;
    void* hTurbine = GetTurbine();
    m_strTableLocation = ReadParamAttrib(hTurbine, pszName, "TableLocation");
    m_strTable = ReadParamAttrib(hTurbine, pszName, "Table");
    m_strColumnAttrib = ReadParamAttrib(hTurbine, pszName, "ColumnName");
    m_strStartRow = ReadParamAttrib(hTurbine, pszName, "StartRow");
    m_strDelimiter = ReadParamAttrib(hTurbine, pszName, "Delimiter");
    bool bLocal = m_strTableLocation.empty() || strcasecmp(m_strTableLocation.c_str(), "Local") == 0;
    m_strFilePath = bLocal ? m_strTable : ReadParamAttrib(hTurbine, pszName, "ActualFullPath");
    m_strDelimiterName = NameOfDelimiter(m_strDelimiter);
    LoadOwnAttribs(pszName);
    if (m_pConditionsDlg)
        m_pConditionsDlg->LoadConditions(pszName);
    m_nFirstDataLine = static_cast<UINT>(std::clamp(std::atoi(m_strStartRow.c_str()), 0, SPIN_MAX));
    if (m_pTableDlg)
    {
        m_pTableDlg->SetDelimiter(m_strDelimiter);
        m_pTableDlg->SetFirstLine(static_cast<int>(m_nFirstDataLine));
    }
    return TRUE;
}

BOOL CDataFileTab::SaveToParam(const char* pszName)
{
    if (!pszName)
        return FALSE;
    void* hTurbine = GetTurbine();
    DATA_FILE_LOCATION location =
        LocateDataFile(m_strFilePath, ReadParamAttrib(hTurbine, pszName, "GlobalDataDir"),
                       ReadParamAttrib(hTurbine, pszName, "LocalDataDir"), m_strIniPath, m_bNetworkNames);
    m_strTableLocation = location.strLocation;
    m_strTable = location.strTable;
    m_strDelimiter = DelimiterOfName(m_strDelimiterName);
    m_strStartRow = std::to_string(m_nFirstDataLine);
    WriteParamAttrib(hTurbine, pszName, "TableLocation", m_strTableLocation);
    WriteParamAttrib(hTurbine, pszName, "Table", m_strTable);
    SaveOwnAttribs(pszName);
    WriteParamAttrib(hTurbine, pszName, "ColumnName", m_strColumnAttrib);
    WriteParamAttrib(hTurbine, pszName, "StartRow", m_strStartRow);
    WriteParamAttrib(hTurbine, pszName, "Delimiter", m_strDelimiter);
    if (m_pConditionsDlg)
        m_pConditionsDlg->SaveConditions(pszName);
    return TRUE;
}

void CDataFileTab::Refresh()
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
    for (int nID : FileControls())
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
    std::error_code error;
    unsigned long long nSize = std::filesystem::file_size(strFullPath, error);
    if (!error && nSize > nLimit)
    {
        GetDlgItem(IDC_FILE_TOO_LARGE)->SetWindowText(TooLargeText(strFullPath, nSize, nLimit).c_str());
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
    OnFileLoaded();
    if (!m_bSpinRangesSet || m_bInRefresh)
        RefreshSpinRanges();
    m_bSpinRangesSet = true;
    PushControls();
    m_bInRefresh = true;
    m_pConditionsDlg->RefreshAllocation();
    m_bInRefresh = false;
}

BOOL CDataFileTab::CheckDataDirectory(const std::string& strPath, BOOL bShowMessage)
{
    std::string strLocalDir = m_pMgr ? ReadParamAttrib(GetTurbine(), ActiveName(), "LocalDataDir") : std::string();
    if (IsInDataDirectory(m_bDataDirOnly, strPath, strLocalDir))
        return TRUE;
    if (bShowMessage)
        AfxMessageBox(IDS_DATA_FILE_NOT_IN_SCRIPT_DIR);
    return FALSE;
}

BOOL CDataFileTab::CheckFirstDataLine(const char* pszName, BOOL bShowMessage)
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

void CDataFileTab::SyncSameLineRows(const std::string& strName)
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

void CDataFileTab::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

void CDataFileTab::UseDefaults()
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

void CDataFileTab::ResetFileFormat()
{
    m_strDelimiterName = "Comma";
    m_nFirstDataLine = 1;
    if (m_pConditionsDlg)
        m_pConditionsDlg->ResetToSequential();
}

int CDataFileTab::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char* pszData)
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
    // Only a rename of the parameter shown here, which is still the active
    // one, may propose a file: any other would get data-file attributes.
    if (nCode == UPD_RENAMED && m_hWnd && pszData && !m_strShownName.empty() &&
        strcmp(pszData + strlen(pszData) + 1, m_strShownName.c_str()) == 0 && ActiveName() == pszData)
    {
        m_strShownName = pszData;
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

void CDataFileTab::DetectDelimiter()
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

void CDataFileTab::OnBrowse()
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
    m_strFilePath = IsInDataDirectory(true, strChosen, ActiveAttrib("LocalDataDir"))
                        ? std::filesystem::path(strChosen).filename().string()
                        : strChosen;
    m_cbPath.SetWindowText(m_strFilePath.c_str());
    SaveToParam(ActiveName().c_str());
    DetectDelimiter();
    Refresh();
    RefreshSpinRanges();
    LoadFromParam(ActiveName().c_str());
    PushControls();
}

void CDataFileTab::OnEditChangePath()
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

void CDataFileTab::OnSelChangePath()
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

void CDataFileTab::OnEditChangeDelimiter()
{
    Refresh();
    RefreshSpinRanges();
}

void CDataFileTab::OnSelChangeDelimiter()
{
    int nIndex = m_cbDelimiter.GetCurSel();
    if (nIndex < 0)
        return;
    m_cbDelimiter.GetLBText(nIndex, m_strDelimiterName);
    m_cbDelimiter.SetWindowText(m_strDelimiterName.c_str());
    Refresh();
    RefreshSpinRanges();
}

void CDataFileTab::OnChangeSpinEdit(CEdit& edit, CSpinButtonCtrl& spin, bool bRefresh)
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
    if (strText != std::to_string(nKept))
        edit.SetWindowText(std::to_string(nKept).c_str());
    m_bPushing = false;
    UpdateData(TRUE);
    if (bRefresh)
        Refresh();
    edit.SetSel(nStart, nEnd);
    edit.SetFocus();
}

void CDataFileTab::OnChangeFirstLine()
{
    OnChangeSpinEdit(m_edFirstLine, m_spinFirstLine, true);
}

void CDataFileTab::OnSameLineChosen()
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

void CDataFileTab::OnEditorReloaded()
{
    if (!HasActiveParam())
        return;
    UpdateData(TRUE);
    SaveToParam(ActiveName().c_str());
    LoadFromParam(ActiveName().c_str());
}

void CDataFileTab::OnEditorWizard()
{
    OnEditorReloaded();
    m_pConditionsDlg->ResetToSequential();
    Refresh();
}

void CDataFileTab::OnNewFileReset()
{
    if (!HasActiveParam())
        return;
    UpdateData(TRUE);
    SaveToParam(ActiveName().c_str());
    LoadFromParam(ActiveName().c_str());
    ResetFileFormat();
    PushControls();
    Refresh();
}

void CDataFileTab::OnCountsChanged()
{
    RefreshSpinRanges();
    m_spinFirstLine.Invalidate();
    PushControls();
}

void CDataFileTab::OnBeforeSimulate()
{
    if (!HasActiveParam())
        return;
    m_pTableDlg->SaveIfModified();
    SaveToParam(ActiveName().c_str());
    m_pMgr->SaveChanges();
}

void CDataFileTab::OnDestroy()
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

void CDataFileTab::PlaceChildren()
{
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
