#include "ValueTabFixture.h"

#include "afx/WinApp.h"
#include "dataeditor/TableDlg.h"
#include "resources/DataEditorDialogs.h"
#include "resources/DataFileTabDialogs.h"
#include "sendrel/Sendrel.h"
#include "simulation/IterationConditionsDlg.h"
#include "tabs/DataFileRules.h"
#include "tabs/FileInfoTab.h"

#include <QComboBox>

namespace
{
const char* const FILE_PRM = R"([Customers]
Type=Table
Table=customers.dat
TableLocation=Local
ColumnName=Col 2
StartRow=1
Delimiter=,
SelectNextRow=Sequential
GenerateNewVal=EachIteration

[Cities]
Type=Table
Table=customers.dat
ColumnName=Colour
StartRow=1
Delimiter=;

[Follower]
Type=Table
Table=customers.dat
ColumnName=Col 1
StartRow=1
Delimiter=,
SelectNextRow=Same line as Customers

[Header]
Type=Table
Table=customers.dat
ColumnName=Col 1
StartRow=0
Delimiter=,

[Amount]
Type=Random
MinValue=1
MaxValue=9
)";

const char* const CUSTOMERS = "Name,City\nSmith,Oslo\nJones,Rome\nBrown,Lima\n";
} // namespace

class FileInfoTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        m_strTypesPath = m_dir.Write("global/param.dat", ReadFileBytes(TARVO_SOURCE_DIR "/dat/param.dat"));
        m_strIni = m_dir.Write("config/mirrel.ini", "[ParamTable]\n");
        Sendrel_SetInstallRoot(m_dir.Path().c_str());
        m_pApp->WriteProfileString("LastTablesUsed", nullptr, nullptr);
        m_dir.Write("script/customers.dat", CUSTOMERS);
    }
    void TearDown() override { Sendrel_SetInstallRoot(nullptr); }
    void Show(const char* pszName)
    {
        ASSERT_TRUE(m_pList->Select(pszName));
        ASSERT_NE(Tab<CFileInfoTab>(), nullptr) << pszName;
    }
    std::string Recent(int nIndex)
    {
        return m_pApp->GetProfileString("LastTablesUsed", ("FileName" + std::to_string(nIndex)).c_str(), "");
    }

    std::string m_strIni;
    CFileDialogScripts m_files;
};

TEST_F(FileInfoTabTest, ShowsTheFileAndWritesWhatTheControlsShow)
{
    CreateWindows(FILE_PRM);
    Show("Customers");
    EXPECT_EQ(TabCaptions(), Strings{"File properties"});
    EXPECT_EQ(Text(IDC_FILE_PATH), "customers.dat");
    EXPECT_TRUE(Checked(IDC_FILE_BY_NUMBER));
    EXPECT_EQ(Text(IDC_FILE_COLUMN_NUMBER), "2");
    EXPECT_FALSE(Enabled(IDC_FILE_COLUMN_NAME));
    EXPECT_EQ(Text(IDC_FILE_DELIMITER), "Comma");
    EXPECT_EQ(Text(IDC_FILE_FIRST_LINE), "1");
    EXPECT_EQ(Tab<CFileInfoTab>()->GetTableDlg()->GetColumnNames(), (Strings{"Name", "City"}));
    EXPECT_TRUE(Tab<CFileInfoTab>()->GetTableDlg()->IsWindowVisible());

    Enter(IDC_FILE_COLUMN_NUMBER, "1");
    ASSERT_TRUE(m_pList->Select("Amount"));
    for (auto [pszKey, pszValue] : {std::pair{"TableLocation", "Local"},
                                    {"Table", "customers.dat"},
                                    {"ColumnName", "Col 1"},
                                    {"StartRow", "1"},
                                    {"Delimiter", ","},
                                    {"SelectNextRow", "Sequential"}})
        EXPECT_EQ(Attrib("Customers", pszKey), pszValue) << pszKey;
    EXPECT_EQ(Recent(0), "customers.dat") << "the recent list is saved with the tab";
    EXPECT_TRUE(Messages().empty());

    std::vector<PARAM_SAMPLE_ROW> arrRows;
    ASSERT_TRUE(m_pMgr->GetParamNamesAndSamples(&arrRows));
    EXPECT_EQ(arrRows[0][0], "Customers");
    EXPECT_EQ(arrRows[0][2], "Smith,Jones,Brown") << "the first three values of the column";
}

TEST_F(FileInfoTabTest, AColumnNameThatIsNoColumnNumberIsChosenByName)
{
    CreateWindows(FILE_PRM);
    Show("Cities");
    EXPECT_TRUE(Checked(IDC_FILE_BY_NAME));
    EXPECT_EQ(Text(IDC_FILE_COLUMN_NAME), "Colour");
    EXPECT_EQ(Text(IDC_FILE_COLUMN_NUMBER), "1");
    EXPECT_EQ(Text(IDC_FILE_DELIMITER), ";") << "an unnamed delimiter shows as itself";
    EXPECT_FALSE(Enabled(IDC_FILE_COLUMN_NUMBER));
    Click(IDC_FILE_BY_NUMBER);
    EXPECT_TRUE(Enabled(IDC_FILE_COLUMN_NUMBER));
    EXPECT_FALSE(Enabled(IDC_FILE_COLUMN_NAME));
}

TEST_F(FileInfoTabTest, TheFileIsRecordedByWhereItLies)
{
    std::string strOther = m_dir.Write("other/x.dat", CUSTOMERS);
    std::string strGlobal = m_dir.Write("global/g.dat", CUSTOMERS);
    CreateWindows(FILE_PRM);
    Show("Customers");
    struct CASE
    {
        std::string strTyped, strLocation, strTable;
    } cases[] = {{strOther, m_dir.File("other"), "x.dat"},
                 {strGlobal, "Global", "g.dat"},
                 {m_dir.File("script/customers.dat"), "Local", "customers.dat"},
                 {"sub/y.dat", "Local", "sub/y.dat"}};
    for (const CASE& c : cases)
    {
        Enter(IDC_FILE_PATH, c.strTyped);
        EXPECT_EQ(Attrib("Customers", "TableLocation"), c.strLocation) << c.strTyped;
        EXPECT_EQ(Attrib("Customers", "Table"), c.strTable) << c.strTyped;
    }
    EXPECT_FALSE(Enabled(IDC_FILE_DELIMITER)) << "sub/y.dat does not exist";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileInfoTabTest, WithDatasetsAFileOutsideTheScriptDirectoryIsRefused)
{
    std::string strOther = m_dir.Write("other/x.dat", CUSTOMERS);
    std::string strInside = m_dir.Write("script/inside.dat", "A\tB\n1\t2\n");
    CreateWindows(FILE_PRM);
    m_pMgr->Custom_AddOptions(OPT_DATASETS);
    ASSERT_TRUE(m_pList->Select("Amount"));
    Show("Customers");

    m_files.Choose(strOther);
    Click(IDC_FILE_BROWSE);
    EXPECT_EQ(Messages(), Strings{"The parameter data file must reside in the same directory\n as your virtual user "
                                  "script.|plain"});
    EXPECT_EQ(Text(IDC_FILE_PATH), "customers.dat");

    m_files.Choose(strInside);
    Click(IDC_FILE_BROWSE);
    EXPECT_EQ(Text(IDC_FILE_PATH), "inside.dat") << "by name beside the script";
    EXPECT_EQ(Text(IDC_FILE_DELIMITER), "Tab") << "found in the file";
    EXPECT_EQ(Attrib("Customers", "Delimiter"), "\t");
    EXPECT_EQ(Attrib("Customers", "Table"), "inside.dat");
    EXPECT_TRUE(m_files.AllUsed());
}

TEST_F(FileInfoTabTest, ANewParameterGetsAFreshFileThatIsCreated)
{
    m_dir.Write("script/Orders.dat", "keep\n");
    CreateWindows(FILE_PRM);
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Orders", "File", "Smith"));
    EXPECT_EQ(Attrib("Orders", "Table"), "Orders(1).dat") << "Orders.dat is taken";
    EXPECT_EQ(Attrib("Orders", "ColumnName"), "Col 1");
    EXPECT_EQ(Attrib("Orders", "Delimiter"), ",");
    EXPECT_EQ(Attrib("Orders", "StartRow"), "1");
    EXPECT_EQ(Attrib("Orders", "SelectNextRow"), "Sequential");
    EXPECT_TRUE(FileExists(m_dir.File("script/Orders(1).dat")));
    EXPECT_EQ(ReadFileBytes(m_dir.File("script/Orders.dat")), "keep\n");

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Fresh", "File", "Lee"));
    EXPECT_EQ(Attrib("Fresh", "Table"), "Fresh.dat");
    EXPECT_TRUE(FileExists(m_dir.File("script/Fresh.dat")));
}

TEST_F(FileInfoTabTest, FirstDataLineZeroIsRefusedOnlyForAnExistingFile)
{
    CreateWindows(FILE_PRM);
    Show("Header");
    m_boxes.Clear();
    EXPECT_FALSE(m_pList->Select("Amount"));
    EXPECT_EQ(Messages(), Strings{"Invalid first data line.|plain"});
    Enter(IDC_FILE_PATH, "missing.dat");
    EXPECT_TRUE(m_pList->Select("Amount")) << "the missing file is created on leaving";
    EXPECT_TRUE(FileExists(m_dir.File("script/missing.dat")));
}

TEST_F(FileInfoTabTest, FollowersKeepTheFirstDataLine)
{
    m_dir.Write("script/customers.dat", "Name\na\nb\nc\nd\n");
    CreateWindows(FILE_PRM);
    Show("Customers");
    Enter(IDC_FILE_FIRST_LINE, "3");
    EXPECT_EQ(Text(IDC_FILE_FIRST_LINE), "3");
    Enter(IDC_FILE_FIRST_LINE, "99");
    EXPECT_EQ(Text(IDC_FILE_FIRST_LINE), "4") << "kept within the file's lines";
    ASSERT_TRUE(m_pList->Select("Amount"));
    EXPECT_EQ(Attrib("Customers", "StartRow"), "4");
    EXPECT_EQ(Attrib("Follower", "StartRow"), "4");

    Show("Follower");
    EXPECT_FALSE(Enabled(IDC_FILE_FIRST_LINE)) << "a follower reads the other's rows";
}

TEST_F(FileInfoTabTest, AFileAboveTheDisplayLimitShowsAMessageInsteadOfTheTable)
{
    m_dir.Write("config/mirrel.ini",
                "[ParamTable]\nMaxParametersDisplaySize=" + std::to_string(std::string(CUSTOMERS).size() - 1) + "\n");
    CreateWindows(FILE_PRM);
    Show("Customers");
    CWnd& message = Item(IDC_FILE_TOO_LARGE);
    EXPECT_TRUE(message.IsWindowVisible());
    EXPECT_NE(
        Text(IDC_FILE_TOO_LARGE).find("is too large to display its contents. (File size = 43, maximum size = 42)"),
        std::string::npos)
        << Text(IDC_FILE_TOO_LARGE);
    EXPECT_FALSE(Tab<CFileInfoTab>()->GetTableDlg()->IsWindowVisible());
}

TEST_F(FileInfoTabTest, TheRecentListKeepsTenFilesInSavedOrder)
{
    for (int i = 0; i < 10; ++i)
    {
        std::string strPath = m_dir.Write("other/f" + std::to_string(i) + ".dat", CUSTOMERS);
        m_pApp->WriteProfileString("LastTablesUsed", ("FileName" + std::to_string(i)).c_str(), strPath.c_str());
    }
    m_pApp->WriteProfileString("LastTablesUsed", "FileName3", "gone.dat");
    CreateWindows(FILE_PRM);
    Show("Customers");
    auto& paths = static_cast<CComboBox&>(Item(IDC_FILE_PATH));
    ASSERT_EQ(paths.GetCount(), 10) << "gone.dat is not beside the script; customers.dat joined at the top";
    std::string strItem;
    paths.GetLBText(0, strItem);
    EXPECT_EQ(strItem, "customers.dat");
    paths.GetLBText(1, strItem);
    EXPECT_EQ(strItem, m_dir.File("other/f0.dat"));
    paths.GetLBText(9, strItem);
    EXPECT_EQ(strItem, m_dir.File("other/f9.dat"));

    Choose(IDC_FILE_PATH, 9);
    EXPECT_EQ(Attrib("Customers", "Table"), "f9.dat");
    ASSERT_TRUE(m_pList->Select("Amount"));
    EXPECT_EQ(Recent(0), "customers.dat");
    EXPECT_EQ(Recent(9), m_dir.File("other/f9.dat"));
    EXPECT_EQ(Recent(10), "");
}

TEST_F(FileInfoTabTest, AParameterMadeActiveBehindTheTabsBackGetsNothingOfIt)
{
    CreateWindows(FILE_PRM);
    Show("Customers");
    ASSERT_TRUE(m_pMgr->SetActiveParamName("Amount"));
    EXPECT_TRUE(m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr));
    ASSERT_TRUE(m_pMgr->RenameActiveParam("Total"));
    EXPECT_EQ(Attrib("Total", "Table"), "") << "no data-file attributes on a Random parameter";
    EXPECT_EQ(Attrib("Total", "TableLocation"), "");
    EXPECT_EQ(Attrib("Customers", "Table"), "customers.dat");
}

TEST_F(FileInfoTabTest, RetypingAndRenamingProposeTheParametersOwnFile)
{
    CreateWindows(FILE_PRM);
    ASSERT_TRUE(m_pList->Select("Amount"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Table"));
    EXPECT_EQ(Attrib("Amount", "Table"), "Amount.dat");
    EXPECT_EQ(Attrib("Amount", "ColumnName"), "Col 1");
    EXPECT_TRUE(FileExists(m_dir.File("script/Amount.dat"))) << "created with the defaults";

    Show("Cities");
    Enter(IDC_FILE_PATH, "later.dat");
    ASSERT_TRUE(m_pMgr->RenameActiveParam("Towns"));
    EXPECT_EQ(Text(IDC_FILE_PATH), "Towns.dat") << "a file that does not exist yet follows the name";
    EXPECT_EQ(Attrib("Towns", "Table"), "Towns.dat");
}

TEST_F(FileInfoTabTest, FollowingAnotherParameterTakesItsFirstDataLine)
{
    m_dir.Write("script/customers.dat", "Name\na\nb\nc\n");
    CreateWindows(FILE_PRM);
    Show("Cities");
    m_pMgr->SetParamAttrib("Customers", "StartRow", "3");
    auto* pPane = Tab<CFileInfoTab>()->GetConditionsDlg();
    auto& rows = *static_cast<CComboBox*>(pPane->GetDlgItem(IDC_COND_SELECT_NEXT_ROW));
    int nTarget = rows.FindStringExact(-1, "Same line as Customers");
    ASSERT_GE(nTarget, 0);
    auto* pBox = qobject_cast<QComboBox*>(rows.GetWidget());
    pBox->showPopup();
    ui::ChooseComboItem(rows, nTarget);
    pBox->hidePopup();
    EXPECT_EQ(Text(IDC_FILE_FIRST_LINE), "3");
    EXPECT_FALSE(Enabled(IDC_FILE_FIRST_LINE));
    ASSERT_TRUE(m_pList->Select("Amount"));
    EXPECT_EQ(Attrib("Cities", "SelectNextRow"), "Same line as Customers");
    EXPECT_EQ(Attrib("Cities", "StartRow"), "3");
}

TEST(DataFileRulesTest, AMappedDriveIsRecordedByItsNetworkName)
{
    CTempDir dir;
    std::string strIni = dir.Write("mirrel.ini", "[NetworkDrives]\n/K:=//server/share\n");
    DATA_FILE_LOCATION location = LocateDataFile("/k:/data /t.dat", "/g", "/s", strIni);
    EXPECT_EQ(location.strLocation, "//server/share/data") << "the drive by its network name, trailing blanks cut";
    EXPECT_EQ(location.strTable, "t.dat");
    EXPECT_EQ(LocateDataFile("/q:/data/t.dat", "/g", "/s", strIni).strLocation, "/q:/data") << "not mapped";
    EXPECT_TRUE(IsInDataDirectory(true, "/s/t.dat", "/S/"));
    EXPECT_FALSE(IsInDataDirectory(true, "/o/t.dat", "/s"));
    EXPECT_TRUE(IsInDataDirectory(false, "/o/t.dat", "/s"));
    EXPECT_TRUE(IsInDataDirectory(true, "t.dat", "/s"));
    EXPECT_FALSE(IsInDataDirectory(true, "../t.dat", "/s")) << "a relative path that leaves the directory";
    EXPECT_FALSE(IsInDataDirectory(true, "sub/../../t.dat", "/s"));
    EXPECT_TRUE(IsInDataDirectory(true, "./t.dat", "/s"));
    EXPECT_TRUE(IsInDataDirectory(true, "/s/sub/../t.dat", "/s"));
    EXPECT_FALSE(IsInDataDirectory(true, "/s/../o/t.dat", "/s"));
}

// The editor's commands work inside the tab: the tab and its editor outlive
// the dialogs they open.
TEST_F(FileInfoTabTest, TheEditorsCommandsKeepTheTabAndItsEditor)
{
    CreateWindows(FILE_PRM);
    Show("Customers");
    CFileInfoTab* pTab = Tab<CFileInfoTab>();
    CTableDlg* pEditor = pTab->GetTableDlg();
    CModalScripts modals;
    modals.Add(
        [](CWnd& dialog)
        {
            dialog.GetDlgItem(IDC_ADD_COLUMN_NAME)->SetWindowText("Phone");
            ui::Click(*dialog.GetDlgItem(IDOK));
        });
    ui::Click(*pEditor->GetDlgItem(IDC_TABLE_ADD_COLUMN));
    EXPECT_TRUE(modals.AllUsed());
    ASSERT_EQ(Tab<CFileInfoTab>(), pTab);
    ASSERT_EQ(pTab->GetTableDlg(), pEditor);
    EXPECT_TRUE(pEditor->IsWindowVisible());
    EXPECT_EQ(pEditor->GetColumnNames(), (Strings{"Name", "City", "Phone"}));
}

// The keys that end a cell's edit end only the edit, not the dialogs around the tab.
TEST_F(FileInfoTabTest, KeysEndingACellsEditStayInTheGrid)
{
    CreateWindows(FILE_PRM);
    Show("Customers");
    CTableDlg* pEditor = Tab<CFileInfoTab>()->GetTableDlg();
    CGridCtrl& grid = pEditor->GetGrid();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab})
    {
        grid.SetSelectedRange(CGridRange(0, 1, 0, 1));
        ui::PressKey(grid, Qt::Key_Z);
        ASSERT_TRUE(grid.IsEditing());
        ui::PressKeyOnFocus(key);
        EXPECT_FALSE(grid.IsEditing()) << key;
        EXPECT_TRUE(m_host.IsWindowVisible()) << key;
        EXPECT_TRUE(pEditor->IsWindowVisible()) << key;
        EXPECT_EQ(CWnd::GetFocus(), &grid) << key;
    }
    std::string strText;
    grid.GetItemText(0, 1, strText);
    EXPECT_EQ(strText, "z");
}
