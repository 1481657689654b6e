#include "ValueTabFixture.h"

#include "resources/DataEditorDialogs.h"
#include "resources/DataFileTabDialogs.h"
#include "sendrel/Sendrel.h"
#include "simulation/IterationConditionsDlg.h"
#include "tabs/TableInfoTab.h"

namespace
{
const char* const TABLE_PRM = R"([Rows]
Type=TTable
Table=orders.dat
TableLocation=Local
StartRow=1
Delimiter=,
RowsInInstance=2
ColumnsListUI=1-2
ColumnIndexesList=1,2
RowDelimiter=;
NotEnoughRowsPolicy=onlyexistingrows
SelectNextRow=Sequential

[Amount]
Type=Random
MinValue=1
MaxValue=9
)";

const char* const ORDERS = "A,B,C\n1,2,3\n4,5,6\n7,8,9\n";
} // namespace

class TableInfoTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        m_strTypesPath = m_dir.Write("global/param.dat", ReadFileBytes(TARVO_SOURCE_DIR "/dat/param.dat"));
        m_dir.Write("config/mirrel.ini", "[ParamTable]\n");
        Sendrel_SetInstallRoot(m_dir.Path().c_str());
        m_pApp->WriteProfileString("LastTablesUsed", nullptr, nullptr);
        m_dir.Write("script/orders.dat", ORDERS);
        CreateWindows(TABLE_PRM);
        ASSERT_TRUE(m_pList->Select("Rows"));
        ASSERT_NE(Tab<CTableInfoTab>(), nullptr);
    }
    void TearDown() override { Sendrel_SetInstallRoot(nullptr); }
    // Leaves for Amount and comes back, refused or not.
    bool Leave() { return m_pList->Select("Amount") != FALSE; }
};

TEST_F(TableInfoTabTest, ShowsTheRowsAndColumnsAndStoresTheExpandedList)
{
    EXPECT_EQ(TabCaptions(), Strings{"Table properties"});
    EXPECT_EQ(Text(IDC_FILE_PATH), "orders.dat");
    EXPECT_TRUE(Checked(IDC_TABLE_COLUMNS_BY_NUMBER));
    EXPECT_EQ(Text(IDC_TABLE_COLUMN_LIST), "1-2");
    EXPECT_EQ(Text(IDC_TABLE_ROWS_PER_ITERATION), "2");
    EXPECT_EQ(Text(IDC_TABLE_ROW_DELIMITER), ";");
    EXPECT_EQ(CurSel(IDC_TABLE_NOT_ENOUGH_ROWS), 0) << "read ignoring case";
    auto* pPane = Tab<CTableInfoTab>()->GetConditionsDlg();
    EXPECT_EQ(static_cast<CComboBox*>(pPane->GetDlgItem(IDC_COND_UPDATE_POLICY))->GetCount(), 2)
        << "no \"Each occurrence\" for rows";

    struct CASE
    {
        const char* pszList;
        const char* pszMessage;
    } refused[] = {{"1-3,5", "Column index must be less or equal to columns number|plain"},
                   {"1-2-3,4", "Wrong format of list of columns|plain"}};
    for (const CASE& c : refused)
    {
        Enter(IDC_TABLE_COLUMN_LIST, c.pszList);
        EXPECT_FALSE(Leave()) << c.pszList;
        EXPECT_EQ(Messages(), Strings{c.pszMessage});
        EXPECT_EQ(Attrib("Rows", "ColumnIndexesList"), "1,2") << "a list that does not expand is not stored";
    }
    Enter(IDC_TABLE_COLUMN_LIST, "3,1-2");
    Choose(IDC_TABLE_NOT_ENOUGH_ROWS, 1);
    Enter(IDC_TABLE_ROWS_PER_ITERATION, "9");
    EXPECT_EQ(Text(IDC_TABLE_ROWS_PER_ITERATION), "3") << "no more rows than the file has";
    ASSERT_TRUE(Leave());
    for (auto [pszKey, pszValue] : {std::pair{"ColumnIndexesList", "3,1,2"},
                                    {"ColumnsListUI", "3,1-2"},
                                    {"NotEnoughRowsPolicy", "NotValidInstance"},
                                    {"RowsInInstance", "3"},
                                    {"RowDelimiter", ";"},
                                    {"TableLocation", "Local"},
                                    {"Table", "orders.dat"}})
        EXPECT_EQ(Attrib("Rows", pszKey), pszValue) << pszKey;

    ASSERT_TRUE(m_pList->Select("Rows"));
    Click(IDC_TABLE_ALL_COLUMNS);
    EXPECT_FALSE(Enabled(IDC_TABLE_COLUMN_LIST));
    ASSERT_TRUE(Leave());
    EXPECT_EQ(Attrib("Rows", "ColumnIndexesList"), "");
}

TEST_F(TableInfoTabTest, TableInformationCountsTheIterations)
{
    std::string strShown;
    m_modals.Add(
        [&](CWnd& dlg)
        {
            dlg.GetDlgItemText(IDC_TABLE_INFO_TEXT, strShown);
            static_cast<CDialog&>(dlg).EndDialog(IDOK);
        });
    Click(IDC_TABLE_INFORMATION);
    EXPECT_FALSE(strShown.empty());
}

TEST_F(TableInfoTabTest, ANewTableParameterGetsAFreshFile)
{
    m_dir.Write("script/Lines.dat", "keep\n");
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Lines", "Table", "x"));
    EXPECT_EQ(Attrib("Lines", "Table"), "Lines(1).dat");
    EXPECT_EQ(Attrib("Lines", "RowsInInstance"), "1");
    EXPECT_EQ(Attrib("Lines", "ColumnIndexesList"), "");
    EXPECT_TRUE(FileExists(m_dir.File("script/Lines(1).dat")));
    EXPECT_EQ(ReadFileBytes(m_dir.File("script/Lines.dat")), "keep\n");
}

TEST_F(TableInfoTabTest, ANewParameterOfAnotherTypeLeavesTheShownFileAlone)
{
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Fresh", "File", ""));
    EXPECT_EQ(Messages(), Strings{});
    EXPECT_EQ(ReadFileBytes(m_dir.File("script/orders.dat")), ORDERS);
}
