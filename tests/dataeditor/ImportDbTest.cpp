#include "FileFault.h"
#include "FileSizeLimit.h"
#include "TableDlgFixture.h"
#include "TempDir.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/DebugOutput.h"
#include "afx/ProgressDialog.h"
#include "dataeditor/ImportDb.h"
#include "dataeditor/TableTestDlg.h"
#include "dataretriever/QueryDefinitionDlg.h"
#include "resources/DataEditorDialogs.h"

#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
const char* const PEOPLE_QUERY = "SELECT name, age FROM people ORDER BY age";

// A SQLite database file with the table people(name, age).
std::string CreateDatabase(const CTempDir& dir, const std::vector<std::string>& vecInserts)
{
    std::string strPath = dir.File("people.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "import-test-setup");
        db.setDatabaseName(QString::fromStdString(strPath));
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec("CREATE TABLE people (name TEXT, age INTEGER)"));
        for (const std::string& strInsert : vecInserts)
            EXPECT_TRUE(query.exec(QString::fromStdString(strInsert))) << strInsert;
        db.close();
    }
    QSqlDatabase::removeDatabase("import-test-setup");
    return strPath;
}

// Answers the query definition as the author would.
class CQueryScript
{
public:
    CQueryScript(std::string strConnection, std::string strQuery, DRRESULT hrAnswer = DR_S_OK)
    {
        DrSetQueryDefinitionHandler(
            [=](std::string& strOutConnection, std::string& strOutQuery)
            {
                strOutConnection = strConnection;
                strOutQuery = strQuery;
                return hrAnswer;
            });
    }
    ~CQueryScript() { DrSetQueryDefinitionHandler(nullptr); }
};

// A component whose result is no recordset.
class CNoRecordsetRetriever : public IDrRetriever
{
public:
    class CResult : public IDrResult
    {
    public:
        IDrRecordset* GetRecordset() override { return nullptr; }
    };
    DRRESULT DefineQuery(std::string&, std::string&, int32_t*) override { return DR_S_OK; }
    DRRESULT ExecuteQuery(const std::string&, const std::string&, int32_t, IDrResult** ppResult) override
    {
        *ppResult = new CResult;
        return DR_S_OK;
    }
};

class ImportDbTest : public ::testing::Test
{
protected:
    ImportDbTest()
    {
        m_strDatabase =
            CreateDatabase(m_dir, {"INSERT INTO people VALUES ('Ann', 1)", "INSERT INTO people VALUES (NULL, 2)",
                                   "INSERT INTO people VALUES ('Smith, \"Bob\"', 3)"});
        m_strFile = m_dir.Write("data.dat", "old,content\n1,2\n");
        AfxSetDebugOutputSink([this](const std::string& strLine) { m_vecDebug.push_back(strLine); });
    }
    ~ImportDbTest() override
    {
        DrSetRetrieverFactory(nullptr);
        AfxSetProgressHandler(nullptr);
        AfxSetDebugOutputSink(nullptr);
    }
    std::string Connection() const { return "driver=QSQLITE;database=" + m_strDatabase; }

    CTempDir m_dir;
    std::string m_strDatabase;
    std::string m_strFile;
    CMessageBoxRecorder m_boxes;
    std::vector<std::string> m_vecDebug;
};
} // namespace

TEST_F(ImportDbTest, WritesTheHeaderAndOneLinePerRecord)
{
    CQueryScript script(Connection(), PEOPLE_QUERY);
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), 0);
    EXPECT_EQ(ReadFileBytes(m_strFile), "name,age\nAnn,1\n,2\n\"Smith, \"\"Bob\"\"\",3\n")
        << "a null leaves its place empty; a value holding the separator or quotes is quoted";
    EXPECT_TRUE(m_boxes.Calls().empty());

    EXPECT_EQ(CImportDb(m_strFile.c_str()).ImportToFile(nullptr, nullptr, false), 0);
    EXPECT_EQ(ReadFileBytes(m_strFile), "Ann, 1\n, 2\n\"Smith, \"\"Bob\"\"\", 3\n")
        << "the default path and the separator \", \"";
}

TEST_F(ImportDbTest, SeparatorsAndQuotesInValuesAreQuoted)
{
    const struct
    {
        const char* pszSeparator;
        const char* pszQuery;
        const char* pszExpected;
    } cases[] = {
        {",", "SELECT 'a b' AS x, 'c;d' AS y", "x,y\na b,c;d\n"},
        {";", "SELECT 'a b' AS x, 'c;d' AS y", "x;y\na b;\"c;d\"\n"},
        // A value ending in the separator's start would read as a separator.
        {";;", "SELECT 'p;' AS x, 'q' AS y", "x;;y\n\"p;\";;q\n"},
        {";;", "SELECT 'a\nb' AS x, 'say \"hi\"' AS y", "x;;y\n\"a\nb\";;\"say \"\"hi\"\"\"\n"},
        {",", "SELECT '' AS x", "x\n\"\"\n"},
        {",", "SELECT 'M\xc3\xbcller' AS x, -42 AS y, 2.5 AS z", "x,y,z\nM\xc3\xbcller,-42,2.5\n"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszQuery);
        CQueryScript script(Connection(), test.pszQuery);
        EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), test.pszSeparator, true), 0);
        EXPECT_EQ(ReadFileBytes(m_strFile), test.pszExpected);
    }
}

TEST_F(ImportDbTest, CancelledImportAndFailedWriteKeepTheFile)
{
    const std::string strOld = ReadFileBytes(m_strFile);
    CQueryScript script(Connection(), PEOPLE_QUERY);
    std::vector<long long> vecSteps;
    AfxSetProgressHandler(
        [&](long long nDone)
        {
            vecSteps.push_back(nDone);
            return nDone < 2;
        });
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), IMPORT_CANCELLED);
    EXPECT_EQ(vecSteps, (std::vector<long long>{1, 2})) << "one step per record, none after the cancel";
    EXPECT_EQ(ReadFileBytes(m_strFile), strOld);
    EXPECT_EQ(m_boxes.LastText(), "The import was cancelled. The data file was not changed.");
    AfxSetProgressHandler(nullptr);

    m_boxes.Clear();
    {
        CFileSizeLimit limit;
        EXPECT_GT(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), 0) << "the file error's cause";
    }
    EXPECT_EQ(ReadFileBytes(m_strFile), strOld);
    EXPECT_EQ(m_boxes.Calls().size(), 1u) << "the write error is reported once";

    size_t nFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        nFiles += entry.is_regular_file();
    EXPECT_EQ(nFiles, 2u) << "no temporary file is left beside the data file";
}

TEST_F(ImportDbTest, OutcomesThatKeepOrEmptyTheFile)
{
    const std::string strOld = ReadFileBytes(m_strFile);
    const struct
    {
        const char* pszName;
        std::string strQuery;
        DRRESULT hrDefine;
        HRESULT hrExpected;
        const char* pszMessage;
        std::string strFileAfter;
    } cases[] = {
        {"cancelled", PEOPLE_QUERY, DR_S_FALSE, IMPORT_CANCELLED, nullptr, strOld},
        {"definition fails", PEOPLE_QUERY, DR_E_FAIL, DR_E_FAIL, "Data Retriever failed to create query", strOld},
        {"execution fails", "SELECT nothing FROM nowhere", DR_S_OK, DR_E_FAIL, "Data Retriever failed to execute query",
         strOld},
        {"no record", "SELECT name FROM people WHERE age > 99", DR_S_OK, IMPORT_EMPTY, nullptr, ""},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszName);
        m_dir.Write("data.dat", strOld);
        m_boxes.Clear();
        CQueryScript script(Connection(), test.strQuery, test.hrDefine);
        EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), test.hrExpected);
        EXPECT_EQ(ReadFileBytes(m_strFile), test.strFileAfter);
        EXPECT_EQ(m_boxes.LastText(), test.pszMessage ? test.pszMessage : "");
    }
    ASSERT_EQ(m_vecDebug.size(), 1u) << "the failed execution's reason goes to the debug output";
    EXPECT_NE(m_vecDebug[0].find("nothing"), std::string::npos) << m_vecDebug[0];
}

TEST_F(ImportDbTest, ComponentFailuresAndBadTargets)
{
    const std::string strOld = ReadFileBytes(m_strFile);
    DrSetRetrieverFactory([](IDrRetriever**) { return DR_E_FAIL; });
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), DR_E_FAIL);
    EXPECT_EQ(m_boxes.LastText(), "Failed to create Data Retriever");

    DrSetRetrieverFactory(
        [](IDrRetriever** ppRetriever)
        {
            *ppRetriever = new CNoRecordsetRetriever;
            return DR_S_OK;
        });
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), DR_E_NOINTERFACE);
    EXPECT_EQ(ReadFileBytes(m_strFile), strOld) << "a failed import keeps the file";
    DrSetRetrieverFactory(nullptr);

    CQueryScript script(Connection(), PEOPLE_QUERY);
    m_boxes.Clear();
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(nullptr, ",", true), DR_E_INVALIDARG);
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_dir.File("missing/dir/data.dat").c_str(), ",", true), 2)
        << "the file error's cause";
    EXPECT_EQ(m_boxes.Calls().size(), 1u) << "the file error is reported";
}

// The recordset reads forward only; back at the first record it reads anew.
TEST_F(ImportDbTest, RecordsetWalksAgainFromTheFirstRecord)
{
    IDrRetriever* pRetriever = nullptr;
    ASSERT_EQ(DrCreateRetriever(&pRetriever), DR_S_OK);
    std::unique_ptr<IDrRetriever> retriever(pRetriever);
    IDrResult* pResult = nullptr;
    ASSERT_EQ(retriever->ExecuteQuery(Connection(), PEOPLE_QUERY, 1, &pResult), DR_S_OK);
    std::unique_ptr<IDrResult> result(pResult);
    IDrRecordset* pRecords = result->GetRecordset();
    ASSERT_NE(pRecords, nullptr);
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        SCOPED_TRACE(nPass);
        EXPECT_EQ(pRecords->MoveFirst(), DR_S_OK);
        std::string strAges, strValue;
        for (; !pRecords->IsEOF(); pRecords->MoveNext())
            strAges += (pRecords->GetFieldValue(1, strValue) ? strValue : "?") + ";";
        EXPECT_EQ(strAges, "1;2;3;");
        EXPECT_FALSE(pRecords->GetFieldValue(1, strValue)) << "no value past the end";
    }
}

TEST_F(ImportDbTest, EveryFailingFileStepKeepsTheOldFileAndGivesOneMessage)
{
    const std::string strOld = ReadFileBytes(m_strFile);
    CQueryScript script(Connection(), PEOPLE_QUERY);
    for (const FILE_FAULT_STEP& step : FileFaultSteps())
    {
        SCOPED_TRACE(step.pszName);
        m_boxes.Clear();
        auto before = DirectoryNames(m_dir.Path());
        {
            CFileFault fault(step.nStep, ENOSPC);
            EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), 13) << "disk full";
            EXPECT_GT(fault.Hits(), 0);
        }
        EXPECT_EQ(ReadFileBytes(m_strFile), strOld);
        EXPECT_EQ(DirectoryNames(m_dir.Path()), before);
        ASSERT_EQ(m_boxes.Calls().size(), 1u) << "one message, not one per row";
        EXPECT_NE(m_boxes.LastText().find("data.dat"), std::string::npos) << m_boxes.LastText();
    }
}

TEST_F(ImportDbTest, SqliteDatabaseIsNeverCreatedByAQuery)
{
    CQueryScript script("driver=QSQLITE;database=" + m_dir.File("absent.db"), PEOPLE_QUERY);
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), DR_E_FAIL);
    EXPECT_FALSE(FileExists(m_dir.File("absent.db")));
}

// Run by the test command that starts a private server (see CMakeLists.txt).
TEST_F(ImportDbTest, PostgreSqlDatabase)
{
    const char* pszConnection = std::getenv("TARVO_TEST_PG_CONNECTION");
    if (!pszConnection)
        GTEST_SKIP() << "no PostgreSQL server for this run";
    CQueryScript script(pszConnection, "SELECT * FROM (VALUES ('Ann', 1), (NULL, 2), ('a,b', 3)) AS t(name, age) "
                                       "ORDER BY age");
    EXPECT_EQ(CImportDb(nullptr).ImportToFile(m_strFile.c_str(), ",", true), 0) << m_boxes.LastText();
    EXPECT_EQ(ReadFileBytes(m_strFile), "name,age\nAnn,1\n,2\n\"a,b\",3\n");
}

TEST(TableTestDlgTest, IterationsAndSkippedLines)
{
    const struct
    {
        int nRows, nPerIteration, nFirstLine;
        const char* pszText;
    } cases[] = {
        // A multi-line edit shows line breaks as "\r\n".
        {10, 3, 1,
         "You have enough lines for 3 iterations.\r\n1 lines will be skipped and running \r\nwill continue "
         "according to the requested policy."},
        {9, 3, 1, "You have enough lines for 3 iterations."},
        {9, 0, 1, "You have enough lines for 0 iterations."},
    };
    CModalScripts modals;
    for (const auto& test : cases)
    {
        std::string strRows, strText;
        modals.Add(
            [&](CWnd& dialog)
            {
                dialog.GetDlgItemText(IDC_TABLE_INFO_ROWS, strRows);
                dialog.GetDlgItemText(IDC_TABLE_INFO_TEXT, strText);
                ui::Click(*dialog.GetDlgItem(IDOK));
            });
        CTableTestDlg(test.nRows, test.nPerIteration, test.nFirstLine).DoModal();
        EXPECT_EQ(strRows, std::to_string(test.nRows));
        EXPECT_EQ(strText, test.pszText);
    }
}

class DataWizardTest : public TableDlgFixture
{
};

// Files under the folder (recursively) whose text holds the needle.
std::vector<std::string> FilesHolding(const std::string& strFolder, const std::string& strNeedle)
{
    std::vector<std::string> vecFound;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(strFolder, error))
    {
        if (!entry.is_regular_file())
            continue;
        std::stringstream text;
        text << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        if (text.str().find(strNeedle) != std::string::npos)
            vecFound.push_back(entry.path().string());
    }
    return vecFound;
}

// Nothing the editor, the manager or the query component keeps on disk (data
// and parameter files, ini files, the application's profile) holds the
// database password.
TEST_F(DataWizardTest, ThePasswordIsNeverStored)
{
    const std::string strPassword = "Pw-7f3c-never-on-disk";
    std::string strDatabase = CreateDatabase(m_dir, {"INSERT INTO people VALUES ('Ann', 1)"});
    CreateEditor();
    Load("");
    CQueryScript script("driver=QSQLITE;database=" + strDatabase + ";user=ann;password=" + strPassword, PEOPLE_QUERY);
    ClickButton(IDC_TABLE_WIZARD);
    ASSERT_EQ(FileText(), "name,age\nAnn,1\n");
    EXPECT_TRUE(m_pMgr->SaveChanges());
    m_pMgr.reset();
    EXPECT_EQ(FilesHolding(m_dir.Path(), strPassword), std::vector<std::string>());
    EXPECT_EQ(FilesHolding(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString(),
                           strPassword),
              std::vector<std::string>());
}

TEST_F(DataWizardTest, AsksBeforeOverwritingAndShowsTheResult)
{
    std::string strDatabase = CreateDatabase(m_dir, {"INSERT INTO people VALUES ('Ann', 1)"});
    CreateEditor();
    Load("a;b\n1;2\n", 1, ";");
    CQueryScript script("driver=QSQLITE;database=" + strDatabase, PEOPLE_QUERY);
    m_boxes.Answer(IDCANCEL);
    ClickButton(IDC_TABLE_WIZARD);
    EXPECT_EQ(m_boxes.LastText(), "This operation will overwrite the file.\nDo you wish to continue?");
    EXPECT_EQ(FileText(), "a;b\n1;2\n");
    EXPECT_TRUE(m_host.m_vecHeard.empty());

    m_boxes.Answer(IDOK);
    ClickButton(IDC_TABLE_WIZARD);
    EXPECT_EQ(FileText(), "name;age\nAnn;1\n") << "written with the editor's delimiter";
    EXPECT_EQ(m_pDlg->GetColumnNames(), (std::vector<std::string>{"name", "age"}));
    EXPECT_EQ(m_host.m_vecHeard, (std::vector<std::string>{"command:32776", "command:1043"}));
}

TEST_F(DataWizardTest, CancelledImportKeepsTheFileAndTheGrid)
{
    std::string strDatabase = CreateDatabase(m_dir, {"INSERT INTO people VALUES ('Ann', 1)"});
    CreateEditor();
    Load("a;b\n1;2\n", 1, ";");
    CQueryScript script("driver=QSQLITE;database=" + strDatabase, PEOPLE_QUERY);
    AfxSetProgressHandler([](long long) { return false; });
    ClickButton(IDC_TABLE_WIZARD);
    AfxSetProgressHandler(nullptr);
    EXPECT_EQ(m_boxes.LastText(), "The import was cancelled. The data file was not changed.");
    EXPECT_EQ(FileText(), "a;b\n1;2\n");
    EXPECT_EQ(m_pDlg->GetColumnNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(m_host.m_vecHeard.empty()) << "the tab keeps the parameter's settings";
}

TEST_F(DataWizardTest, EmptyResultIsReported)
{
    std::string strDatabase = CreateDatabase(m_dir, {});
    CreateEditor();
    Load("");
    CQueryScript script("driver=QSQLITE;database=" + strDatabase, PEOPLE_QUERY);
    ClickButton(IDC_TABLE_WIZARD);
    ASSERT_EQ(m_boxes.Calls().size(), 1u) << "an empty file is overwritten without asking";
    EXPECT_EQ(m_boxes.LastText(), "The query result is empty and same is the parameter file.");
    EXPECT_EQ(FileText(), "");
}

// The query window: a file database takes no server fields, and Test shows
// the first rows, or why the query fails, before anything is imported.
TEST_F(ImportDbTest, QueryWindowShowsTheFirstRowsBeforeTheImport)
{
    const struct
    {
        const char* pszQuery;
        bool bRuns;
        int nRows;
        const char* pszStatus;
    } cases[] = {
        {PEOPLE_QUERY, true, 3, "The query returns 3 row(s)."},
        {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n LIMIT 50) SELECT i FROM n", true,
         CQueryDefinitionDlg::PREVIEW_ROWS, "The first 10 rows; the query returns more."},
        {"SELECT name FROM people WHERE age > 9", true, 0, "The query returns no rows."},
        {"SELECT nothing FROM nowhere", false, 0, "The query failed: "},
    };
    CQueryDefinitionDlg missing("driver=QSQLITE;database=" + m_dir.File("none.db"), PEOPLE_QUERY);
    EXPECT_FALSE(missing.Test());
    EXPECT_TRUE(missing.findChild<QLabel*>("status")->text().contains("no database file"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.db"))) << "a missing file is not made";
    for (const auto& test : cases)
    {
        CQueryDefinitionDlg dlg(Connection() + ";user=someone;password=secret", test.pszQuery);
        EXPECT_EQ(dlg.GetConnection(), Connection() + ";") << "a file takes no user or password";
        EXPECT_EQ(dlg.Test(), test.bRuns) << test.pszQuery;
        auto* pPreview = dlg.findChild<QTableWidget*>();
        EXPECT_EQ(pPreview->rowCount(), test.nRows) << test.pszQuery;
        EXPECT_EQ(dlg.findChild<QLabel*>("status")->text().toStdString().rfind(test.pszStatus, 0), 0u)
            << dlg.findChild<QLabel*>("status")->text().toStdString();
        if (test.nRows == 3)
        {
            EXPECT_EQ(pPreview->horizontalHeaderItem(0)->text(), "name");
            EXPECT_EQ(pPreview->item(0, 0)->text(), "Ann");
            EXPECT_EQ(pPreview->item(1, 0)->text(), "(null)");
        }
    }
}
