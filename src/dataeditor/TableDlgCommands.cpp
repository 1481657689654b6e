// The data table editor's commands: adding and deleting columns and rows,
// creating a missing file, editing the file in a text editor, filling it
// from a database, simulating.
#include "dataeditor/AddNewColumnDlg.h"
#include "dataeditor/ImportDb.h"
#include "dataeditor/TableDlg.h"

#include "afx/MessageBox.h"
#include "afx/PrivateProfile.h"
#include "afx/Process.h"
#include "afx/WaitCursor.h"
#include "controls/StringParam.h"
#include "ketrin/Ketrin.h"
#include "manager/TarvoMgr.h"
#include "resources/DataEditorDialogs.h"
#include "resources/StringIds.h"
#include "simulation/SimDlg.h"

#include <QStandardPaths>
#include <QWidget>
#include <climits>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace
{
const UINT s_nAddColumnMsg = RegisterWindowMessageA(TARVO_ADD_COLUMN_MESSAGE);
const UINT s_nDeleteColumnMsg = RegisterWindowMessageA(TARVO_DELETE_COLUMN_MESSAGE);
const int MAX_NAME_TRIES = 10000;
const char* const SAME_LINE_PREFIX = "Same line as ";
// Text editors of the desktops, the first one installed edits the file; the
// option makes an editor that would hand the file to a running instance of
// itself stay until the file is closed, so that the wait means something.
const struct
{
    const char* pszProgram;
    const char* pszWaitOption; // null: none needed
} TEXT_EDITORS[] = {
    {"gnome-text-editor", "--standalone"},
    {"gedit", "--wait"},
    {"kate", "--block"},
    {"kwrite", nullptr},
    {"mousepad", nullptr},
    {"xed", nullptr},
    {"pluma", nullptr},
};
const char* const FALLBACK_EDITOR = "xdg-open";
const char* const INI_SECTION = "ParamTable";
const char* const TEXT_EDITOR_KEY = "TextEditor";

bool FileExists(const std::string& strPath)
{
    struct stat st;
    return !strPath.empty() && stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void ShowFormatted(UINT nID, const std::string& strPath, UINT nType = MB_OK, int* pAnswer = nullptr)
{
    std::string strMessage;
    FormatResourceString(strMessage, nID, strPath.c_str());
    int nAnswer = AfxMessageBox(strMessage.c_str(), nType);
    if (pAnswer)
        *pAnswer = nAnswer;
}

// The program and its arguments for editing the file: the ini file's
// "TextEditor" when it names one, else the first desktop editor installed.
AFX_PROCESS_START TextEditorStart(const std::string& strPath, const std::string& strIniPath)
{
    // The path is one argument, whatever it holds, and absolute, so that a
    // recorded location starting with '-' is never read as an option.
    std::string strFile = std::filesystem::absolute(strPath).lexically_normal().string();
    AFX_PROCESS_START request;
    request.strProgram = FALLBACK_EDITOR;
    char szChosen[PATH_MAX] = {};
    GetPrivateProfileStringA(INI_SECTION, TEXT_EDITOR_KEY, "", szChosen, sizeof szChosen, strIniPath.c_str());
    if (*szChosen)
    {
        request.strProgram = szChosen;
        request.args.push_back(strFile);
        return request;
    }
    for (const auto& editor : TEXT_EDITORS)
        if (!QStandardPaths::findExecutable(editor.pszProgram).isEmpty())
        {
            request.strProgram = editor.pszProgram;
            if (editor.pszWaitOption)
                request.args.push_back(editor.pszWaitOption);
            break;
        }
    request.args.push_back(strFile);
    return request;
}

// The windows from the editor's parent up to the top-level one.
std::vector<CWnd*> AncestorsOf(CWnd* pWnd)
{
    std::vector<CWnd*> vecAncestors;
    for (CWnd* pParent = pWnd->GetParent(); pParent; pParent = pParent->GetParent())
        vecAncestors.push_back(pParent);
    return vecAncestors;
}
} // namespace

bool CTableDlg::OpenForChange(ACTIVE_FILE& file, CExtendedDtable& table)
{
    // A file shown in part, or where it cannot be replaced, is not changed.
    if (m_bDisplayOnly || !GetActiveFile(file))
        return false;
    UpdateData(TRUE);
    SaveIfModified();
    file.strPath = m_pMgr->GetActiveParamAttrib("ActualFullPath");
    if (!FileExists(file.strPath))
        return false;
    if (table.OpenTable(file.strPath, 1, m_strDelimiter, 1) == BRASKO_OK)
        return true;
    table.CloseTable();
    ReportChangeFailed(file.strPath);
    return false;
}

void CTableDlg::ReportChangeFailed(const std::string& strPath)
{
    ShowFormatted(IDS_ADD_COLUMN_FAILED, strPath);
}

void CTableDlg::OnAddColumn()
{
    ACTIVE_FILE file;
    CExtendedDtable table;
    if (!OpenForChange(file, table))
        return;
    std::string strName = file.strName;
    for (int n = 2; table.ColumnExists(strName); ++n)
    {
        if (n > MAX_NAME_TRIES)
            return;
        strName = file.strName + "_" + std::to_string(n);
    }
    CAddNewColumnDlg dlg(file.strPath, strName, this);
    while (true)
    {
        if (dlg.DoModal() != IDOK)
            return;
        if (!table.ColumnExists(dlg.m_strColumnName))
            break;
        AfxMessageBox(IDS_COLUMN_EXISTS);
    }
    strName = dlg.m_strColumnName;
    bool bDone = table.CreateColumn(-1, strName) == BRASKO_OK;
    if (bDone && table.GetLineCount() == 0)
        bDone = table.CreateRow() == BRASKO_OK;
    bDone = bDone && table.SetCellValue(table.GetColumnCount() - 1, 0, file.strValue) == BRASKO_OK;
    bDone = bDone && table.SaveTable(file.strPath) == BRASKO_OK;
    if (!bDone)
    {
        table.CloseTable();
        ReportChangeFailed(file.strPath);
        return;
    }
    m_nColumnCount = table.GetColumnCount();
    table.CloseTable();
    RefreshCounts(m_strDelimiter);
    if (ReloadIfExists() == 1)
        ShowNewCell(m_grid.GetColumnCount() - 1, 0);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(s_nAddColumnMsg, static_cast<WPARAM>(m_nColumnCount),
                             reinterpret_cast<LPARAM>(strName.c_str()));
}

void CTableDlg::OnAddRow()
{
    ACTIVE_FILE file;
    CExtendedDtable table;
    if (!OpenForChange(file, table))
        return;
    bool bDone = table.CreateRow() == BRASKO_OK;
    int nRow = table.GetLineCount() - 1;
    std::string strValue = AfxLoadString(IDS_VALUE);
    for (int c = 0; bDone && c < table.GetColumnCount(); ++c)
        bDone = table.SetCellValue(c, nRow, strValue) == BRASKO_OK;
    bDone = bDone && table.SaveTable(file.strPath) == BRASKO_OK;
    if (!bDone)
    {
        table.CloseTable();
        ReportChangeFailed(file.strPath);
        return;
    }
    m_nColumnCount = table.GetColumnCount();
    table.CloseTable();
    RefreshCounts(m_strDelimiter);
    if (ReloadIfExists() == 1)
        ShowNewCell(0, m_grid.GetRowCount() - 1);
}

// What was added is brought on show and selected, ready to be typed over.
void CTableDlg::ShowNewCell(int nColumn, int nRow)
{
    if (nColumn < 0 || nRow < 0 || m_bDisplayOnly || !m_grid.IsWindowVisible())
        return;
    m_grid.SetSelectedRange(CGridRange(nColumn, nRow, nColumn, nRow));
    m_grid.EnsureVisible(nColumn, nRow);
    m_grid.SetFocus();
}

void CTableDlg::OnDeleteColumn()
{
    ACTIVE_FILE file;
    CExtendedDtable table;
    if (!m_bColumnSelected || !OpenForChange(file, table))
        return;
    CWaitCursor wait;
    int nColumns = table.GetColumnCount();
    bool bDone = table.DeleteColumn(m_nSelectedColumn) == BRASKO_OK && table.SaveTable(file.strPath) == BRASKO_OK;
    table.CloseTable();
    if (!bDone)
    {
        ReportChangeFailed(file.strPath);
        return;
    }
    m_nColumnCount = nColumns - 1;
    RefreshCounts(m_strDelimiter);
    m_bColumnSelected = false;
    ReloadIfExists();
    GetDlgItem(IDC_TABLE_DELETE_COLUMN)->EnableWindow(FALSE);
    GetDlgItem(IDC_TABLE_DELETE_ROW)->EnableWindow(FALSE);
    NotifyParent(IDC_TABLE_EDIT_TEXT);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(s_nDeleteColumnMsg, 0, 0);
}

// Grid rows are file rows from the first data line on; the lines before it
// and everything but the deleted rows stay as they are in the file.
void CTableDlg::OnDeleteRow()
{
    ACTIVE_FILE file;
    CExtendedDtable table;
    if (!m_bRowsSelected || m_nFirstSelectedRow < 0 || !OpenForChange(file, table))
        return;
    CWaitCursor wait;
    int nFirstRow = m_nFirstSelectedRow + m_nFirstLine - 1;
    bool bDone = true;
    for (int n = m_nFirstSelectedRow; bDone && n <= m_nLastSelectedRow; ++n)
        bDone = table.DeleteRow(nFirstRow) == BRASKO_OK;
    bDone = bDone && table.SaveTable(file.strPath) == BRASKO_OK;
    table.CloseTable();
    if (!bDone)
    {
        ReportChangeFailed(file.strPath);
        return;
    }
    m_bRowsSelected = false;
    RefreshCounts(m_strDelimiter);
    m_bColumnSelected = false;
    ReloadIfExists();
    GetDlgItem(IDC_TABLE_DELETE_COLUMN)->EnableWindow(FALSE);
    GetDlgItem(IDC_TABLE_DELETE_ROW)->EnableWindow(FALSE);
}

bool CTableDlg::CreateDataFile(const std::string& strPath, const std::string& strDelimiter, int nFirstLine,
                               const std::string& strColumn, const std::string& strValue)
{
    // A file that appeared meanwhile is the author's: never replaced here.
    if (FileExists(strPath))
        return false;
    CExtendedDtable table;
    bool bCreated = CExtendedDtable::CreateTable(strPath) == BRASKO_OK;
    int nOpen = bCreated ? table.OpenTable(strPath, 1, strDelimiter.empty() ? "," : strDelimiter, nFirstLine) : -1;
    bool bDone = nOpen == BRASKO_OK || nOpen == BRASKO_E_FIRST_LINE;
    bDone = bDone && table.CreateColumn(-1, strColumn) == BRASKO_OK && table.CreateRow() == BRASKO_OK &&
            table.SetCellValue(0, 0, strValue) == BRASKO_OK && table.SaveTable(strPath) == BRASKO_OK;
    table.CloseTable();
    if (bDone)
        return true;
    if (bCreated)
        os_remove_file(strPath.c_str(), 1);
    ShowFormatted(IDS_CREATE_DATA_FILE_FAILED, strPath);
    return false;
}

void CTableDlg::OnCreateTable()
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file))
        return;
    std::string strValue = file.strValue.empty() ? AfxLoadString(IDS_VALUE) : file.strValue;
    m_grid.EnableWindow(TRUE);
    UpdateData(TRUE);
    if (m_pMgr->m_bForceDataFileDefaults != 1)
    {
        int nAnswer = IDCANCEL;
        ShowFormatted(IDS_CREATE_DATA_FILE, file.strPath, MB_OKCANCEL, &nAnswer);
        if (nAnswer != IDOK)
            return;
    }
    if (CreateDataFile(file.strPath, m_strDelimiter, m_nFirstLine, file.strName, strValue))
        NotifyParent(IDC_TABLE_CREATE);
}

BOOL CTableDlg::CreateMissingFile()
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file) || file.strPath.empty() || m_pMgr->GetActiveParamType() != "Table" ||
        FileExists(file.strPath))
        return FALSE;
    return CreateDataFile(file.strPath, ",", 1, file.strName, file.strValue) ? TRUE : FALSE;
}

void CTableDlg::OnEditText()
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file) || !FileExists(file.strPath))
        return;
    UpdateData(TRUE);
    SaveIfModified();
    RunTextEditor(file.strPath);
    RefreshCounts(m_strDelimiter);
    ReloadIfExists();
    NotifyParent(IDC_TABLE_EDIT_TEXT);
}

// The author works only in the text editor until it closes: the windows
// above the editor are disabled while the events keep being handled.
void CTableDlg::RunTextEditor(const std::string& strPath)
{
    AFX_PROCESS_HANDLE hProcess = nullptr;
    if (!AfxStartProcess(TextEditorStart(strPath, m_strIniPath), &hProcess))
    {
        std::string strMessage;
        FormatResourceString(strMessage, IDS_TEXT_EDITOR_FAILED, strPath.c_str(), m_strIniPath.c_str());
        AfxMessageBox(strMessage.c_str());
        return;
    }
    std::vector<CWnd*> vecAncestors = AncestorsOf(this);
    for (CWnd* pWnd : vecAncestors)
        pWnd->EnableWindow(FALSE);
    AfxWaitProcessPumping(hProcess, 100);
    AfxCloseProcessHandle(hProcess);
    for (CWnd* pWnd : vecAncestors)
        pWnd->EnableWindow(TRUE);
    if (!vecAncestors.empty() && vecAncestors.back()->GetWidget())
    {
        vecAncestors.back()->GetWidget()->raise();
        vecAncestors.back()->GetWidget()->activateWindow();
    }
}

void CTableDlg::OnDataWizard()
{
    ACTIVE_FILE file;
    if (!GetActiveFile(file))
        return;
    struct stat st;
    bool bSizeKnown = stat(file.strPath.c_str(), &st) == 0;
    if (FileExists(file.strPath) && (!bSizeKnown || st.st_size > 0) &&
        AfxMessageBox(IDS_OVERWRITE_FILE, MB_OKCANCEL) != IDOK)
        return;
    std::string strSeparator = m_strDelimiter.empty() ? "," : m_strDelimiter;
    HRESULT hr = CImportDb(file.strPath.c_str()).ImportToFile(file.strPath.c_str(), strSeparator.c_str(), true);
    if (hr == IMPORT_EMPTY)
        AfxMessageBox(IDS_QUERY_RESULT_EMPTY);
    // A cancelled or failed import left the file as it was: the tab must not
    // reset the parameter's row settings as it does for a new file.
    else if (hr != 0)
        return;
    ReloadIfExists();
    RefreshCounts(m_strDelimiter);
    NotifyParent(IDC_TABLE_WIZARD);
}

// The simulation reads the saved parameter file: the tab writes its
// attributes and saves on 32777; the save here covers a host tab that does not.
void CTableDlg::OnSimulate()
{
    NotifyParent(ID_TABLE_BEFORE_SIMULATE);
    if (!m_pMgr)
        return;
    std::string strSelectNextRow = m_pMgr->GetActiveParamAttrib("SelectNextRow");
    std::string strGenerate = m_pMgr->GetActiveParamAttrib("GenerateNewVal");
    if (strSelectNextRow.rfind(SAME_LINE_PREFIX, 0) == 0)
        AfxMessageBox(IDS_SIM_SAME_LINE);
    else if (strcasecmp(strGenerate.c_str(), "EachOccurrence") == 0)
        AfxMessageBox(IDS_SIM_EACH_OCCURRENCE);
    else
    {
        SaveIfModified();
        m_pMgr->SaveChanges();
        CSimDlg dialog(m_pMgr, this);
        dialog.DoModal();
    }
}
