#pragma once

#include "TempDir.h"
#include "UiSeams.h"

#include "dataeditor/TableDlg.h"
#include "manager/TarvoMgr.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The tab around the editor: records the commands and the column messages
// the editor sends it, as "command:<id>", "add:<count>:<name>", "delete".
class CTableHostWnd : public CWnd
{
public:
    std::vector<std::string> m_vecHeard;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnAddColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A script whose active parameter "CustomerName" (a File parameter with the
// original value "Smith") reads script/customers.dat, and the editor on a
// shown host window.
class TableDlgFixture : public ::testing::Test
{
protected:
    TableDlgFixture();
    ~TableDlgFixture() override;

    // The manager over a parameter file with the given attribute lines for
    // CustomerName, and the editor with "MaxVisibleLines" as given (0: none).
    void CreateEditor(const std::string& strAttributes = std::string(), int nMaxVisibleLines = 0);
    // Writes the data file and loads it into the editor.
    void Load(const std::string& strContent, int nFirstLine = 1, const std::string& strDelimiter = ",");
    std::string Cell(int nColumn, int nRow);
    void ClickButton(int nID);
    bool IsEnabled(int nID) { return m_pDlg->GetDlgItem(nID)->IsWindowEnabled(); }
    bool IsVisible(int nID) { return m_pDlg->GetDlgItem(nID)->IsWindowVisible(); }
    void ClickHeader(int nColumn);
    std::string FileText() const { return ReadFileBytes(m_strDataFile); }

    CTempDir m_dir;
    std::string m_strDataFile;
    std::string m_strIniPath;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
    CTableHostWnd m_host;
    CTableDlg* m_pDlg = nullptr;
};
