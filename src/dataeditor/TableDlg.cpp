#include "dataeditor/TableDlg.h"

#include "afx/MessageBox.h"
#include "afx/PrivateProfile.h"
#include "afx/WaitCursor.h"
#include "controls/StringParam.h"
#include "ketrin/Ketrin.h"
#include "manager/TarvoMgr.h"
#include "resources/DataEditorDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const INI_SECTION = "ParamTable";
const char* const MAX_VISIBLE_LINES_KEY = "MaxVisibleLines";
const int DEFAULT_MAX_VISIBLE_LINES = 100;
// Columns are as wide as their widest text plus this, measured on the first
// rows only: a file of millions of rows is never read whole for it.
const int COLUMN_PADDING = 5;
const int MEASURED_ROWS = 1000;
const int MARGIN = 2;
const int GRID_GAP = 4;
const int NAME_MAX_BYTES = 255;

bool FileExists(const std::string& strPath)
{
    struct stat st;
    return !strPath.empty() && stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string DirectoryOf(const std::string& strPath)
{
    std::string strDir(strPath.size() + 2, '\0');
    if (!os_path_dir(strPath.c_str(), strDir.data(), static_cast<int>(strDir.size())))
        return std::string();
    strDir.resize(strlen(strDir.c_str()));
    return strDir.empty() ? "." : strDir;
}

// A path that can name a file: a last component that is a name, within the
// system's limit.
bool IsValidFileName(const std::string& strPath)
{
    if (strPath.empty() || strPath.back() == '/' || strPath.back() == '\\')
        return false;
    size_t nSlash = strPath.find_last_of("/\\");
    std::string strName = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
    return strName != "." && strName != ".." && strName.size() <= NAME_MAX_BYTES;
}
} // namespace

BEGIN_MESSAGE_MAP(CTableDlg, CDialog)
ON_BN_CLICKED(IDC_TABLE_ADD_COLUMN, &CTableDlg::OnAddColumn)
ON_BN_CLICKED(IDC_TABLE_ADD_ROW, &CTableDlg::OnAddRow)
ON_BN_CLICKED(IDC_TABLE_DELETE_COLUMN, &CTableDlg::OnDeleteColumn)
ON_BN_CLICKED(IDC_TABLE_DELETE_ROW, &CTableDlg::OnDeleteRow)
ON_BN_CLICKED(IDC_TABLE_EDIT_TEXT, &CTableDlg::OnEditText)
ON_BN_CLICKED(IDC_TABLE_WIZARD, &CTableDlg::OnDataWizard)
ON_BN_CLICKED(IDC_TABLE_CREATE, &CTableDlg::OnCreateTable)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_TABLE_SIMULATE, &CTableDlg::OnSimulate)
END_MESSAGE_MAP()

CTableDlg::CTableDlg(CTarvoMgr* pMgr, const std::string& strIniPath, CWnd* pParentWnd)
    : CDialog(IDD_TABLE_EDITOR, pParentWnd), CTarvoMgrExt(pMgr), m_grid(this), m_strIniPath(strIniPath)
{
}

CTableDlg::~CTableDlg() = default;

BOOL CTableDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_TABLE_EDITOR, pParentWnd);
}

BOOL CTableDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nMaxVisibleLines = static_cast<int>(
        GetPrivateProfileIntA(INI_SECTION, MAX_VISIBLE_LINES_KEY, DEFAULT_MAX_VISIBLE_LINES, m_strIniPath.c_str()));
    WritePrivateProfileStringA(INI_SECTION, MAX_VISIBLE_LINES_KEY, std::to_string(m_nMaxVisibleLines).c_str(),
                               m_strIniPath.c_str());
    CRect rcFrame;
    GetDlgItem(IDC_TABLE_GRID_FRAME)->GetWindowRect(&rcFrame);
    ScreenToClient(&rcFrame);
    m_grid.Create(WS_CHILD | WS_BORDER, rcFrame, this, IDC_TABLE_GRID);
    m_grid.EnableHeader(TRUE);
    m_grid.SetWholeRowSel(FALSE);
    m_grid.SetEditFirstClick(FALSE);
    for (int nID :
         {IDC_TABLE_DELETE_COLUMN, IDC_TABLE_DELETE_ROW, IDC_TABLE_ADD_COLUMN, IDC_TABLE_ADD_ROW, IDC_TABLE_SIMULATE})
        GetDlgItem(nID)->EnableWindow(FALSE);
    GetDlgItem(IDC_TABLE_CREATE)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_TABLE_EDIT_TEXT)->ShowWindow(SW_HIDE);
    if (m_pMgr && m_pMgr->GetActiveParamType() == "TTable")
        GetDlgItem(IDC_TABLE_SIMULATE)->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CTableDlg::IsLocationWritable(const std::string& strPath)
{
    std::string strDir = DirectoryOf(strPath);
    if (!os_access(strPath.c_str(), OS_ACCESS_WRITE) || strDir.empty() || !os_access(strDir.c_str(), OS_ACCESS_WRITE))
        return FALSE;
    // The directory must take a new file too (a replaced file is a new one);
    // a unique name never touches a file of the author's.
    std::string strTest = strDir + "/~~test~~XXXXXX";
    int fd = mkstemp(strTest.data());
    if (fd < 0)
        return FALSE;
    close(fd);
    unlink(strTest.c_str());
    return TRUE;
}

int CTableDlg::LoadFile(const std::string& strPath, int nFirstLine, const std::string& strDelimiter)
{
    CWaitCursor wait;
    bool bWritable = IsLocationWritable(strPath);
    m_grid.RemoveAll();
    m_table.CloseTable();
    m_strDelimiter = strDelimiter;
    m_nFirstLine = nFirstLine;
    bool bValidName = IsValidFileName(strPath);
    bool bExists = bValidName && FileExists(strPath);
    ShowFileState(bExists, bValidName, strPath);
    int nResult = m_table.OpenTable(strPath, bWritable ? 1 : 2, m_strDelimiter, m_nFirstLine);
    if (nResult != BRASKO_OK)
    {
        int nLine = CExtendedDtable::GetLastErrorLine();
        m_table.CloseTable();
        if (bExists)
        {
            std::string strMessage;
            FormatResourceString(strMessage, IDS_FILE_READ_FAILED, strPath.c_str(), std::to_string(nLine).c_str());
            AfxMessageBox(strMessage.c_str());
        }
        return IDS_FILE_READ_FAILED;
    }
    int nLines = std::max(m_table.GetLineCount(), 0);
    m_bDisplayOnly = nLines > m_nMaxVisibleLines || !bWritable;
    m_nColumnCount = std::max(m_table.GetColumnCount(), 1);
    if (m_bDisplayOnly)
        EnableEditButtons(false, false);
    // Edits the file would never receive are not offered.
    m_grid.SetReadOnly(m_bDisplayOnly);
    FillGrid();
    m_grid.SetRowCount(std::min(std::max(nLines, 1), m_nMaxVisibleLines));
    m_grid.EnableWindow(TRUE);
    m_grid.ShowWindow(SW_SHOW);
    // The lines from line 1 on, as GetNumberOfLinesEx counts them, without
    // reading the file a second time.
    m_nLineCount = nLines + m_nFirstLine - 1;
    return 1;
}

void CTableDlg::FillGrid()
{
    int nColumns = std::max(m_table.GetColumnCount(), 0);
    int nMeasured = std::min({std::max(m_table.GetLineCount(), 0), m_nMaxVisibleLines, MEASURED_ROWS});
    std::string strText;
    for (int c = 0; c < nColumns; ++c)
    {
        m_table.GetColumnName(c, strText);
        int nWidth = m_grid.GetHeaderTextExtent(strText);
        for (int r = 0; r < nMeasured; ++r)
            if (m_table.GetCellValue(c, r, strText) == BRASKO_OK)
                nWidth = std::max(nWidth, m_grid.GetTextExtent(strText));
        m_table.GetColumnName(c, strText);
        m_grid.InsertColumn(-1, strText.c_str(), nWidth + COLUMN_PADDING);
    }
    m_grid.SetCellReader([this](int nColumn, int nRow, std::string& strCell)
                         { return m_table.IsOpen() && m_table.GetCellValue(nColumn, nRow, strCell) == BRASKO_OK; });
}

void CTableDlg::ShowFileState(bool bExists, bool bValidName, const std::string& strPath)
{
    if (!bExists)
    {
        ShowNoFileState();
        GetDlgItem(IDC_TABLE_CREATE)->EnableWindow(bValidName && !strPath.empty());
        if (!bValidName)
            GetDlgItem(IDC_TABLE_SIMULATE)->EnableWindow(FALSE);
        m_grid.ShowWindow(SW_HIDE);
        return;
    }
    GetDlgItem(IDC_TABLE_EDIT_TEXT)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_TABLE_EDIT_TEXT)->EnableWindow(TRUE);
    for (int nID : {IDC_TABLE_CREATE, IDC_TABLE_NO_FILE, IDC_TABLE_INVALID_NAME})
        GetDlgItem(nID)->ShowWindow(SW_HIDE);
    for (int nID : {IDC_TABLE_ADD_COLUMN, IDC_TABLE_ADD_ROW, IDC_TABLE_SIMULATE})
        GetDlgItem(nID)->EnableWindow(TRUE);
}

void CTableDlg::ShowNoFileState()
{
    GetDlgItem(IDC_TABLE_EDIT_TEXT)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_TABLE_EDIT_TEXT)->EnableWindow(FALSE);
    GetDlgItem(IDC_TABLE_CREATE)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_TABLE_NO_FILE)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_TABLE_INVALID_NAME)->ShowWindow(SW_HIDE);
    EnableEditButtons(false, false);
}

void CTableDlg::EnableEditButtons(bool bColumn, bool bRow)
{
    GetDlgItem(IDC_TABLE_ADD_COLUMN)->EnableWindow(bColumn);
    GetDlgItem(IDC_TABLE_ADD_ROW)->EnableWindow(bRow);
}

int CTableDlg::ReloadIfExists()
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file) || !FileExists(file.strPath))
        return 0;
    return LoadFile(file.strPath, m_nFirstLine, m_strDelimiter);
}

BOOL CTableDlg::RefreshCounts(const std::string& strDelimiter)
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file) || !FileExists(file.strPath))
        return FALSE;
    CExtendedDtable table;
    if (table.OpenTable(file.strPath, 2, strDelimiter, 1) != BRASKO_OK)
        return FALSE;
    m_nColumnCount = table.GetColumnCount();
    table.CloseTable();
    m_nLineCount = CExtendedDtable::GetNumberOfLinesEx(file.strPath, strDelimiter);
    NotifyParent(ID_TABLE_COUNTS_CHANGED);
    return TRUE;
}

// Only the cells the author changed are written; the rest of the file, the
// lines before the first data line included, is copied as it is.
void CTableDlg::SaveIfModified()
{
    if (m_bDisplayOnly || !m_bModified)
        return;
    CWaitCursor wait;
    m_bModified = false;
    ACTIVE_FILE file;
    if (!GetActiveFile(file) || !FileExists(file.strPath) || m_nFirstLine < 1 || m_strDelimiter.empty())
        return;
    CExtendedDtable table;
    bool bSaved = table.OpenTable(file.strPath, 1, m_strDelimiter, m_nFirstLine) == BRASKO_OK;
    std::string strText;
    for (const auto& cell : m_grid.GetSetCells())
    {
        while (bSaved && cell.first >= table.GetLineCount())
            bSaved = table.CreateRow() == BRASKO_OK;
        m_grid.GetItemText(cell.second, cell.first, strText);
        bSaved = bSaved && table.SetCellValue(cell.second, cell.first, strText) == BRASKO_OK;
    }
    bSaved = bSaved && table.SaveTable(file.strPath) == BRASKO_OK;
    table.CloseTable();
    if (bSaved)
        return;
    // The edits stay in the grid, to be written on the next try.
    m_bModified = true;
    std::string strMessage;
    FormatResourceString(strMessage, IDS_CREATE_DATA_FILE_FAILED, file.strPath.c_str());
    AfxMessageBox(strMessage.c_str());
}

BOOL CTableDlg::DetectDelimiter(const std::string& strPath, int nFirstLine, std::string& strDelimiter)
{
    if (nFirstLine < 0 || !FileExists(strPath))
        return FALSE;
    int nBest = 0;
    const char* pszBest = nullptr;
    for (const char* pszCandidate : {",", "\t", " "})
    {
        CExtendedDtable table;
        int nColumns = table.OpenTable(strPath, 2, pszCandidate, nFirstLine) == BRASKO_OK ? table.GetColumnCount() : 0;
        m_nColumnCount = nColumns;
        if (nColumns > nBest)
        {
            nBest = nColumns;
            pszBest = pszCandidate;
        }
    }
    if (nBest < 2)
        return FALSE;
    strDelimiter = pszBest;
    return TRUE;
}

const std::vector<std::string>& CTableDlg::GetColumnNames()
{
    m_lstColumnNames.clear();
    for (int c = 0; c < m_grid.GetColumnCount(); ++c)
        m_lstColumnNames.push_back(m_grid.GetColumnName(c));
    return m_lstColumnNames;
}

void CTableDlg::SetDelimiter(const std::string& strText)
{
    m_strDelimiter = strText == "Comma" ? "," : strText == "Tab" ? "\t" : strText == "Space" ? " " : strText;
}

void CTableDlg::OnGridItemChanged(int, int)
{
    m_bModified = true;
}

void CTableDlg::OnGridSelChanged(const CGridRange& range, BOOL bSelect)
{
    if (!bSelect)
        return;
    int nRows = m_grid.GetRowCount();
    int nColumns = m_grid.GetColumnCount();
    bool bAllRows = range.m_nTop == 0 && range.m_nBottom == nRows - 1;
    m_bRowsSelected = range.m_nLeft == 0 && range.m_nRight == nColumns - 1 && !bAllRows;
    if (m_bRowsSelected)
    {
        m_nFirstSelectedRow = range.m_nTop;
        m_nLastSelectedRow = range.m_nBottom;
    }
    m_bColumnSelected = bAllRows && range.m_nLeft == range.m_nRight && nColumns > 1;
    if (m_bColumnSelected)
        m_nSelectedColumn = range.m_nLeft;
    GetDlgItem(IDC_TABLE_DELETE_COLUMN)->EnableWindow(m_bColumnSelected && !m_bDisplayOnly);
    GetDlgItem(IDC_TABLE_DELETE_ROW)->EnableWindow(m_bRowsSelected && !m_bDisplayOnly);
    EnableEditButtons(!m_bDisplayOnly, !m_bDisplayOnly);
}

// The bottom buttons stand on the bottom edge, Simulate at the right; the
// grid and the texts in its place fill the room above them.
void CTableDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CWnd* pSimulate = GetDlgItem(IDC_TABLE_SIMULATE);
    if (!pSimulate || !m_grid.GetSafeHwnd())
        return;
    int nButtonsTop = cy;
    for (int nID : {IDC_TABLE_EDIT_TEXT, IDC_TABLE_CREATE, IDC_TABLE_WIZARD, IDC_TABLE_SIMULATE})
    {
        CWnd* pButton = GetDlgItem(nID);
        CRect rc;
        pButton->GetWindowRect(&rc);
        ScreenToClient(&rc);
        int nTop = cy - MARGIN - rc.Height();
        if (nTop < 0)
            continue;
        int nLeft = nID == IDC_TABLE_SIMULATE ? cx - MARGIN - rc.Width() : rc.left;
        pButton->MoveWindow(nLeft, nTop, rc.Width(), rc.Height(), FALSE);
        nButtonsTop = std::min(nButtonsTop, nTop);
    }
    for (int nID : {IDC_TABLE_GRID, IDC_TABLE_GRID_FRAME, IDC_TABLE_NO_FILE, IDC_TABLE_INVALID_NAME})
    {
        CWnd* pWnd = GetDlgItem(nID);
        CRect rc;
        pWnd->GetWindowRect(&rc);
        ScreenToClient(&rc);
        int nRight = std::max(static_cast<int>(rc.left), cx - MARGIN);
        int nBottom = std::max(static_cast<int>(rc.top), nButtonsTop - GRID_GAP);
        pWnd->MoveWindow(rc.left, rc.top, nRight - rc.left, nBottom - rc.top, FALSE);
    }
    Invalidate();
}

bool CTableDlg::GetActiveFile(ACTIVE_FILE& file)
{
    const char* pszName = m_pMgr ? m_pMgr->GetActiveParamName() : nullptr;
    if (!pszName || !*pszName)
        return false;
    file.strName = pszName;
    file.strValue = m_pMgr->GetActiveParamAttrib("OriginalValue");
    file.strPath = m_pMgr->GetActiveParamAttrib("ActualFullPath");
    return true;
}

void CTableDlg::NotifyParent(UINT nID)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, nID, 0);
}
