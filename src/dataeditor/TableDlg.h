#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"
#include "afx/GridCtrlNotification.h"
#include "dataeditor/TextSpreadSheet.h"
#include "datafiles/ExtendedDtable.h"
#include "manager/TarvoMgrExt.h"

#include <string>
#include <vector>

// Registered messages to the hosting tab: a column was added (wParam the
// column count, lParam the name as const char*), a column was deleted.
#define TARVO_ADD_COLUMN_MESSAGE "NOTIFY_ADD_COLUMN"
#define TARVO_DELETE_COLUMN_MESSAGE "NOTIFY_DELETE_COLUMN"

// The data table editor on the File and Table tabs: the active parameter's
// data file ("ActualFullPath") in a grid, with commands to add and delete
// columns and rows, create a missing file, edit the file in a text editor and
// fill it from a database. Every change goes to the file at once, replacing
// it whole; cell edits go when the tab asks (SaveIfModified). The grid reads
// the rows it shows from the open file, so large files open quickly.
class TARVO_API CTableDlg : public CDialog, public CTarvoMgrExt, public IGridCtrlNotification
{
public:
    CTableDlg(CTarvoMgr* pMgr, const std::string& strIniPath, CWnd* pParentWnd = nullptr);
    ~CTableDlg() override;

    BOOL Create(CWnd* pParentWnd);
    BOOL OnInitDialog() override;

    // 1, or 10208 after a read error that it reported.
    int LoadFile(const std::string& strPath, int nFirstLine, const std::string& strDelimiter);
    // LoadFile of the active parameter's file; 0 without a parameter or file.
    int ReloadIfExists();
    BOOL RefreshCounts(const std::string& strDelimiter);
    // Writes the cells edited since the last write to the file.
    void SaveIfModified();
    // The one of ",", tab and " " that splits the file into the most (and at
    // least 2) columns; the earlier wins a tie.
    BOOL DetectDelimiter(const std::string& strPath, int nFirstLine, std::string& strDelimiter);
    // Creates the File parameter's missing data file without asking.
    BOOL CreateMissingFile();
    const std::vector<std::string>& GetColumnNames();
    // "Comma", "Tab", "Space" or the delimiter itself.
    void SetDelimiter(const std::string& strText);
    void SetFirstLine(int nFirstLine) { m_nFirstLine = nFirstLine; }
    int GetFileColumnCount() const { return m_nColumnCount; }
    int GetFileLineCount() const { return m_nLineCount; }
    const std::string& GetDelimiter() const { return m_strDelimiter; }
    BOOL IsDisplayOnly() const { return m_bDisplayOnly ? TRUE : FALSE; }
    BOOL IsModified() const { return m_bModified ? TRUE : FALSE; }
    void ShowNoFileState();
    static BOOL IsLocationWritable(const std::string& strPath);

    CTextSpreadSheet& GetGrid() { return m_grid; }

    // IGridCtrlNotification
    void OnGridItemChanged(int nRow, int nColumn) override;
    void OnGridSelChanged(const CGridRange& range, BOOL bSelect) override;

protected:
    void OnAddColumn();
    void OnAddRow();
    void OnDeleteColumn();
    void OnDeleteRow();
    void OnEditText();
    void OnDataWizard();
    void OnCreateTable();
    void OnSimulate();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // The active parameter's name, "OriginalValue" and "ActualFullPath".
    struct ACTIVE_FILE
    {
        std::string strName;
        std::string strValue;
        std::string strPath;
    };
    bool GetActiveFile(ACTIVE_FILE& file);
    // The steps every add and delete command begins with: writes pending
    // edits and opens the existing file for changes (10224 on failure).
    bool OpenForChange(ACTIVE_FILE& file, CExtendedDtable& table);
    void ReportChangeFailed(const std::string& strPath);
    // A new file with one column and one row holding the value; removed
    // again when any step fails (10221).
    bool CreateDataFile(const std::string& strPath, const std::string& strDelimiter, int nFirstLine,
                        const std::string& strColumn, const std::string& strValue);
    void ShowFileState(bool bExists, bool bValidName, const std::string& strPath);
    void FillGrid();
    void ShowNewCell(int nColumn, int nRow);
    void EnableEditButtons(bool bColumn, bool bRow);
    void NotifyParent(UINT nID);
    void RunTextEditor(const std::string& strPath);

    CTextSpreadSheet m_grid;
    CExtendedDtable m_table; // the shown file, open for the grid's reads
    std::string m_strDelimiter;
    int m_nFirstLine = 1;
    int m_nColumnCount = -1;
    int m_nLineCount = -1;
    int m_nMaxVisibleLines = 100;
    bool m_bModified = false;
    bool m_bDisplayOnly = false;
    bool m_bColumnSelected = false;
    int m_nSelectedColumn = -1;
    bool m_bRowsSelected = false;
    int m_nFirstSelectedRow = -1;
    int m_nLastSelectedRow = -1;
    std::vector<std::string> m_lstColumnNames;
    std::string m_strIniPath;
};
