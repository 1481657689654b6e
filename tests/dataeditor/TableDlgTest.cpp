#include "TableDlgFixture.h"
#include "UiDriver.h"

#include "afx/PrivateProfile.h"
#include "afx/Process.h"
#include "resources/DataEditorDialogs.h"
#include "resources/StringIds.h"

#include <QLineEdit>
#include <QTest>
#include <filesystem>

namespace
{
typedef std::vector<std::string> Strings;

class TableDlgTest : public TableDlgFixture
{
};

std::string RowText(CTableDlg& dlg, int nRow)
{
    std::string strRow;
    for (int c = 0; c < dlg.GetGrid().GetColumnCount(); ++c)
    {
        std::string strCell;
        dlg.GetGrid().GetItemText(c, nRow, strCell);
        strRow += (c ? "|" : "") + strCell;
    }
    return strRow;
}
} // namespace

TEST_F(TableDlgTest, ShowsAtMostMaxVisibleLinesAndThenOnlyDisplays)
{
    const struct
    {
        const char* pszFile;
        int nMaxVisible;
        int nShownRows;
        bool bDisplayOnly;
        int nLineCount;
    } cases[] = {
        {"a,b\n1,2\n3,4\n5,6\n", 3, 3, false, 3},
        {"a,b\n1,2\n3,4\n5,6\n7,8\n", 3, 3, true, 4},
        {"a,b\n", 3, 1, false, 0}, // no rows: one empty row
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszFile);
        if (m_pDlg)
        {
            m_pDlg->DestroyWindow();
            delete m_pDlg;
            m_pDlg = nullptr;
            m_host.DestroyWindow();
        }
        CreateEditor(std::string(), test.nMaxVisible);
        Load(test.pszFile);
        EXPECT_EQ(GetPrivateProfileIntA("ParamTable", "MaxVisibleLines", 0, m_strIniPath.c_str()),
                  static_cast<UINT>(test.nMaxVisible));
        EXPECT_EQ(m_pDlg->GetGrid().GetRowCount(), test.nShownRows);
        EXPECT_EQ(m_pDlg->GetGrid().GetColumnCount(), 2);
        EXPECT_EQ(m_pDlg->IsDisplayOnly(), test.bDisplayOnly);
        EXPECT_EQ(m_pDlg->GetGrid().IsReadOnly(), test.bDisplayOnly) << "edits that would be lost are not offered";
        EXPECT_EQ(IsEnabled(IDC_TABLE_ADD_COLUMN), !test.bDisplayOnly);
        EXPECT_EQ(IsEnabled(IDC_TABLE_ADD_ROW), !test.bDisplayOnly);
        EXPECT_EQ(m_pDlg->GetFileLineCount(), test.nLineCount);
        EXPECT_EQ(m_pDlg->GetFileColumnCount(), 2);
        EXPECT_TRUE(IsVisible(IDC_TABLE_EDIT_TEXT));
        EXPECT_FALSE(IsVisible(IDC_TABLE_CREATE));
        EXPECT_EQ(m_pDlg->GetColumnNames(), (Strings{"a", "b"}));
    }
    EXPECT_EQ(RowText(*m_pDlg, 0), "|");
}

TEST_F(TableDlgTest, UnreadableFileIsReportedWithItsLine)
{
    CreateEditor();
    m_dir.Write("script/customers.dat", "a,b\n1,2\n3,\"4\n");
    EXPECT_EQ(m_pDlg->LoadFile(m_strDataFile, 1, ","), IDS_FILE_READ_FAILED);
    ASSERT_EQ(m_boxes.Calls().size(), 1u);
    EXPECT_EQ(m_boxes.LastText(), "Failed to read file " + m_strDataFile + " from line 3, check file format.");
    EXPECT_EQ(m_pDlg->GetGrid().GetColumnCount(), 0);
}

TEST_F(TableDlgTest, TypedCellIsWrittenKeepingTheRestOfTheFile)
{
    CreateEditor();
    Load("id,name\nskip,me\n1,Ann\n2,\"Smith, Bob\"\n", 2);
    EXPECT_EQ(RowText(*m_pDlg, 0), "1|Ann");
    CTextSpreadSheet& grid = m_pDlg->GetGrid();
    CRect rc = grid.GetCellRect(1, 0);
    ui::ClickAt(grid, rc.CenterPoint().x, rc.CenterPoint().y);
    ui::DoubleClickAt(grid, rc.CenterPoint().x, rc.CenterPoint().y);
    auto* pEditor = grid.GetWidget()->findChild<QLineEdit*>();
    ASSERT_NE(pEditor, nullptr);
    pEditor->selectAll();
    QTest::keyClicks(pEditor, "Zed, Jr");
    QTest::keyClick(pEditor, Qt::Key_Return);
    ui::ProcessEvents();
    EXPECT_TRUE(m_pDlg->IsModified());
    EXPECT_EQ(FileText(), "id,name\nskip,me\n1,Ann\n2,\"Smith, Bob\"\n") << "nothing is written before the tab asks";
    m_pDlg->SaveIfModified();
    EXPECT_FALSE(m_pDlg->IsModified());
    EXPECT_EQ(FileText(), "id,name\nskip,me\n1,\"Zed, Jr\"\n2,\"Smith, Bob\"\n");
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(TableDlgTest, MissingFileIsCreatedAfterAsking)
{
    CreateEditor();
    m_pMgr->m_bForceDataFileDefaults = 0;
    EXPECT_EQ(m_pDlg->LoadFile(m_strDataFile, 1, ","), IDS_FILE_READ_FAILED);
    EXPECT_TRUE(m_boxes.Calls().empty()) << "a missing file is no read error";
    EXPECT_TRUE(IsVisible(IDC_TABLE_CREATE));
    EXPECT_TRUE(IsVisible(IDC_TABLE_NO_FILE));
    EXPECT_FALSE(IsVisible(IDC_TABLE_EDIT_TEXT));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_ADD_COLUMN));

    m_boxes.Answer(IDCANCEL);
    ClickButton(IDC_TABLE_CREATE);
    EXPECT_FALSE(FileExists(m_strDataFile));
    m_boxes.Answer(IDOK);
    ClickButton(IDC_TABLE_CREATE);
    ASSERT_EQ(m_boxes.Calls().size(), 2u);
    EXPECT_EQ(m_boxes.LastText(), "Create a new data file named " + m_strDataFile + "?");
    EXPECT_EQ(m_boxes.Calls()[1].nType, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(FileText(), "CustomerName\nSmith\n");
    EXPECT_EQ(m_host.m_vecHeard, (Strings{"command:1026"}));
}

TEST_F(TableDlgTest, MissingFileOfAFileParameterIsCreatedWithoutAsking)
{
    CreateEditor();
    EXPECT_TRUE(m_pDlg->CreateMissingFile());
    EXPECT_EQ(FileText(), "CustomerName\nSmith\n");
    EXPECT_FALSE(m_pDlg->CreateMissingFile()) << "an existing file is left alone";
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(TableDlgTest, AddColumnOffersAFreeNameAndRefusesADuplicate)
{
    CreateEditor();
    Load("CustomerName,b\nx,y\n");
    std::string strOffered;
    m_modals.Add(
        [&](CWnd& dialog)
        {
            dialog.GetDlgItem(IDC_ADD_COLUMN_NAME)->GetWindowText(strOffered);
            ui::ReplaceText(*dialog.GetDlgItem(IDC_ADD_COLUMN_NAME), "b");
            ui::Click(*dialog.GetDlgItem(IDOK));
        });
    m_modals.Add(
        [&](CWnd& dialog)
        {
            ui::ReplaceText(*dialog.GetDlgItem(IDC_ADD_COLUMN_NAME), "City");
            ui::Click(*dialog.GetDlgItem(IDOK));
        });
    ClickButton(IDC_TABLE_ADD_COLUMN);
    EXPECT_EQ(strOffered, "CustomerName_2");
    ASSERT_EQ(m_boxes.Calls().size(), 1u);
    EXPECT_EQ(m_boxes.LastText(), "A column with the same name already exists. Specify a different column name.");
    EXPECT_EQ(FileText(), "CustomerName,b,City\nx,y,Smith\n");
    EXPECT_EQ(m_pDlg->GetColumnNames(), (Strings{"CustomerName", "b", "City"}));
    EXPECT_EQ(m_host.m_vecHeard, (Strings{"command:32776", "add:3:City"}));
}

TEST_F(TableDlgTest, AddColumnToAFileWithoutRowsAddsARow)
{
    CreateEditor();
    Load("a\n");
    m_modals.Add([](CWnd& dialog) { ui::Click(*dialog.GetDlgItem(IDOK)); });
    ClickButton(IDC_TABLE_ADD_COLUMN);
    EXPECT_EQ(FileText(), "a,CustomerName\n,Smith\n");
    EXPECT_EQ(RowText(*m_pDlg, 0), "|Smith");
    EXPECT_EQ(m_pDlg->GetGrid().GetSelectedRange(), CGridRange(1, 0, 1, 0)) << "the new column is selected";
}

TEST_F(TableDlgTest, AddRowFillsEveryColumnWithValue)
{
    CreateEditor();
    Load("a;b\r\n1;2\r\n", 1, ";");
    ClickButton(IDC_TABLE_ADD_ROW);
    EXPECT_EQ(FileText(), "a;b\r\n1;2\r\nValue;Value\r\n");
    EXPECT_EQ(m_pDlg->GetGrid().GetRowCount(), 2);
    EXPECT_EQ(m_pDlg->GetFileLineCount(), 2);
    EXPECT_EQ(m_pDlg->GetGrid().GetSelectedRange(), CGridRange(0, 1, 0, 1)) << "the new row is selected";
}

TEST_F(TableDlgTest, DeleteColumnKeepsEveryOtherCellAndTellsTheTab)
{
    CreateEditor();
    Load("a,b,c\r\nskip,this,line\r\n1,2,3,extra\r\n4,5,6\r\n", 2);
    EXPECT_FALSE(IsEnabled(IDC_TABLE_DELETE_COLUMN));
    ClickHeader(1);
    EXPECT_TRUE(IsEnabled(IDC_TABLE_DELETE_COLUMN));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_DELETE_ROW));
    ClickButton(IDC_TABLE_DELETE_COLUMN);
    EXPECT_EQ(FileText(), "a,c\r\nskip,line\r\n1,3,extra\r\n4,6\r\n");
    EXPECT_EQ(m_pDlg->GetColumnNames(), (Strings{"a", "c"}));
    EXPECT_EQ(RowText(*m_pDlg, 0), "1|3") << "the first data line is kept";
    EXPECT_EQ(m_host.m_vecHeard, (Strings{"command:32776", "command:1025", "delete"}));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_DELETE_COLUMN));
}

TEST_F(TableDlgTest, DeleteRowsKeepsTheLinesBeforeTheFirstDataLine)
{
    CreateEditor();
    Load("a,b\nskip,me\n1,2\n\"3\n\",4\n5,6", 2);
    m_pDlg->GetGrid().SetSelectedRange(CGridRange(0, 0, 1, 1));
    EXPECT_TRUE(IsEnabled(IDC_TABLE_DELETE_ROW));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_DELETE_COLUMN));
    ClickButton(IDC_TABLE_DELETE_ROW);
    EXPECT_EQ(FileText(), "a,b\nskip,me\n5,6");
    EXPECT_EQ(m_pDlg->GetGrid().GetRowCount(), 1);
    EXPECT_EQ(RowText(*m_pDlg, 0), "5|6");
    EXPECT_FALSE(IsEnabled(IDC_TABLE_DELETE_ROW));
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(TableDlgTest, PendingEditsAreWrittenBeforeAColumnIsAdded)
{
    CreateEditor();
    Load("a\n1\n2\n");
    m_pDlg->GetGrid().SetSelectedRange(CGridRange(0, 1, 0, 1));
    ASSERT_TRUE(m_pDlg->GetGrid().PasteText("9\r\n"));
    EXPECT_TRUE(m_pDlg->IsModified()) << "a paste counts as an edit";
    m_modals.Add([](CWnd& dialog) { ui::Click(*dialog.GetDlgItem(IDCANCEL)); });
    ClickButton(IDC_TABLE_ADD_COLUMN);
    EXPECT_EQ(FileText(), "a\n1\n9\n");
}

TEST_F(TableDlgTest, TextEditorRunsOnTheFileAndTheGridIsReadAgain)
{
    CreateEditor();
    m_strDataFile = m_dir.File("script/with space.dat");
    m_pMgr->SetParamAttrib("CustomerName", "Table", "with space.dat");
    Load("a\n1\n");
    std::vector<AFX_PROCESS_START> vecStarts;
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            vecStarts.push_back(request);
            m_dir.Write("script/with space.dat", "a,b\n1,2\n3,4\n");
            return TRUE;
        });
    ClickButton(IDC_TABLE_EDIT_TEXT);
    AfxSetProcessStartHandler(nullptr);
    ASSERT_EQ(vecStarts.size(), 1u);
    EXPECT_FALSE(vecStarts[0].strProgram.empty());
    ASSERT_FALSE(vecStarts[0].args.empty());
    EXPECT_EQ(vecStarts[0].args.back(), m_strDataFile) << "the path is one argument, spaces and all";
    EXPECT_EQ(m_pDlg->GetGrid().GetRowCount(), 2);
    EXPECT_EQ(RowText(*m_pDlg, 1), "3|4");
    EXPECT_EQ(m_pDlg->GetFileLineCount(), 2);
    EXPECT_EQ(m_host.m_vecHeard, (Strings{"command:32776", "command:1025"}));
    EXPECT_TRUE(m_host.IsWindowEnabled()) << "the windows are enabled again";

    WritePrivateProfileStringA("ParamTable", "TextEditor", "/opt/my editor/edit", m_strIniPath.c_str());
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            vecStarts.push_back(request);
            return TRUE;
        });
    ClickButton(IDC_TABLE_EDIT_TEXT);
    AfxSetProcessStartHandler(nullptr);
    ASSERT_EQ(vecStarts.size(), 2u);
    EXPECT_EQ(vecStarts[1].strProgram, "/opt/my editor/edit") << "the ini file names the editor";
    EXPECT_EQ(vecStarts[1].args, std::vector<std::string>{m_strDataFile});

    // An editor that cannot be started is said so, with where to name another.
    AfxSetProcessStartHandler([](const AFX_PROCESS_START&) { return FALSE; });
    ClickButton(IDC_TABLE_EDIT_TEXT);
    AfxSetProcessStartHandler(nullptr);
    EXPECT_EQ(m_boxes.LastText(), "No text editor could be started for " + m_strDataFile +
                                      ".\nName one as \"TextEditor\" in the [ParamTable] section of " + m_strIniPath +
                                      ".");
}

TEST_F(TableDlgTest, ARecordedLocationLikeAnOptionReachesTheTextEditorAsAnAbsolutePath)
{
    CreateEditor();
    Load("a\n1\n");
    std::string strCwd = std::filesystem::current_path().string();
    std::filesystem::current_path(m_dir.Path());
    m_dir.Write("--new-window/x.dat", "a\n1\n");
    m_pMgr->SetParamAttrib("CustomerName", "TableLocation", "--new-window");
    m_pMgr->SetParamAttrib("CustomerName", "Table", "x.dat");
    std::vector<AFX_PROCESS_START> vecStarts;
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            vecStarts.push_back(request);
            return TRUE;
        });
    ClickButton(IDC_TABLE_EDIT_TEXT);
    AfxSetProcessStartHandler(nullptr);
    std::filesystem::current_path(strCwd);
    ASSERT_EQ(vecStarts.size(), 1u);
    EXPECT_EQ(vecStarts[0].args.back(), m_dir.File("--new-window/x.dat"));
}

TEST_F(TableDlgTest, DelimiterDetectionPrefersTheEarlierOnATie)
{
    CreateEditor();
    const struct
    {
        const char* pszFile;
        BOOL bFound;
        const char* pszDelimiter;
    } cases[] = {
        {"a,b\tc\n", TRUE, ","},
        {"a\tb\tc,d\n", TRUE, "\t"},
        {"a b c\n", TRUE, " "},
        {"abc\n", FALSE, ""},
    };
    for (const auto& test : cases)
    {
        m_dir.Write("script/customers.dat", test.pszFile);
        std::string strDelimiter;
        EXPECT_EQ(m_pDlg->DetectDelimiter(m_strDataFile, 1, strDelimiter), test.bFound) << test.pszFile;
        EXPECT_EQ(strDelimiter, test.pszDelimiter) << test.pszFile;
    }
    std::string strDelimiter;
    EXPECT_FALSE(m_pDlg->DetectDelimiter(m_strDataFile, -1, strDelimiter));
}

TEST_F(TableDlgTest, DelimiterNames)
{
    CreateEditor();
    for (const auto& test : std::vector<std::pair<std::string, std::string>>{
             {"Comma", ","}, {"Tab", "\t"}, {"Space", " "}, {"||", "||"}, {",", ","}})
    {
        m_pDlg->SetDelimiter(test.first);
        EXPECT_EQ(m_pDlg->GetDelimiter(), test.second) << test.first;
    }
}

TEST_F(TableDlgTest, SimulateSavesAndOpensTheSimulation)
{
    CreateEditor("SelectNextRow=Sequential\nGenerateNewVal=EachIteration\n");
    Load("a\n1\n");
    m_dir.Write("script/script.usr", "[General]\nDefaultCfg=default.cfg\n");
    m_pMgr->SetParamAttrib("CustomerName", "OriginalValue", "Jones");
    std::string strCaption;
    m_modals.Add(
        [&](CWnd& dlg)
        {
            dlg.GetWindowText(strCaption);
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    m_boxes.Clear();
    ClickButton(IDC_TABLE_SIMULATE);
    EXPECT_EQ(strCaption, "Parameter Simulation - CustomerName");
    EXPECT_TRUE(m_boxes.Calls().empty());
    EXPECT_NE(ReadFileBytes(m_dir.File("script/script.prm")).find("OriginalValue=Jones"), std::string::npos)
        << "the simulation reads the saved file";
}

TEST_F(TableDlgTest, SimulateRefusesTiedRowsAndEachOccurrence)
{
    const struct
    {
        const char* pszAttributes;
        const char* pszMessage;
    } cases[] = {
        {"SelectNextRow=Same line as City\n",
         "You cannot simulate a parameter with a \"Select Next Row\" policy of \"Same Line As\"."},
        {"SelectNextRow=Sequential\nGenerateNewVal=eachoccurrence\n",
         "You cannot simulate a parameter where \"Update Value on\" is \"Each Occurrence\".   Alternatively, select "
         "\"Each Iteration\". "},
    };
    for (const auto& test : cases)
    {
        if (m_pDlg)
        {
            m_pDlg->DestroyWindow();
            delete m_pDlg;
            m_pDlg = nullptr;
            m_host.DestroyWindow();
            m_host.m_vecHeard.clear();
        }
        CreateEditor(test.pszAttributes);
        Load("a\n1\n");
        m_boxes.Clear();
        ClickButton(IDC_TABLE_SIMULATE);
        EXPECT_EQ(m_boxes.LastText(), test.pszMessage);
        EXPECT_EQ(m_host.m_vecHeard, (Strings{"command:32777"}));
    }
}

TEST_F(TableDlgTest, BottomButtonsAndGridFollowTheSize)
{
    CreateEditor();
    Load("a\n1\n");
    m_pDlg->MoveWindow(0, 0, 400, 300);
    CRect rcClient;
    m_pDlg->GetClientRect(&rcClient);
    CRect rcGrid;
    m_pDlg->GetGrid().GetWindowRect(&rcGrid);
    m_pDlg->ScreenToClient(&rcGrid);
    CRect rcSimulate;
    m_pDlg->GetDlgItem(IDC_TABLE_SIMULATE)->GetWindowRect(&rcSimulate);
    m_pDlg->ScreenToClient(&rcSimulate);
    EXPECT_EQ(rcSimulate.right, rcClient.right - 2);
    EXPECT_EQ(rcSimulate.bottom, rcClient.bottom - 2);
    EXPECT_EQ(rcGrid.right, rcClient.right - 2);
    EXPECT_EQ(rcGrid.bottom, rcSimulate.top - 4);
}

TEST_F(TableDlgTest, LocationIsWritableOnlyForAnExistingFileInAWritableDirectory)
{
    std::string strFile = m_dir.Write("here.dat", "a\n");
    EXPECT_TRUE(CTableDlg::IsLocationWritable(strFile));
    EXPECT_FALSE(CTableDlg::IsLocationWritable(m_dir.File("missing.dat")));
    EXPECT_FALSE(CTableDlg::IsLocationWritable(m_dir.File("no/such/dir/x.dat")));
    EXPECT_FALSE(CTableDlg::IsLocationWritable(""));
    int nLeft = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        nLeft += entry.path().filename().string().rfind("~~test~~", 0) == 0;
    EXPECT_EQ(nLeft, 0) << "the probe file is removed";
}

TEST_F(TableDlgTest, InvalidNameIsAMissingFileThatCannotBeCreated)
{
    CreateEditor();
    EXPECT_EQ(m_pDlg->LoadFile(m_dir.File("script/"), 1, ","), IDS_FILE_READ_FAILED);
    EXPECT_TRUE(IsVisible(IDC_TABLE_CREATE));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_CREATE));
    EXPECT_FALSE(IsEnabled(IDC_TABLE_SIMULATE));
    EXPECT_FALSE(IsVisible(IDC_TABLE_INVALID_NAME));
    EXPECT_TRUE(m_boxes.Calls().empty());
}
