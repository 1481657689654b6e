#include "EditorProcess.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
// A copy of the example to break.
class BrokenExample
{
public:
    BrokenExample()
    {
        std::filesystem::copy(kExample.toStdString(), m_dir.Path(), std::filesystem::copy_options::recursive);
    }
    QString Path() const { return QString::fromStdString(m_dir.Path()); }
    // Replaces the first occurrence of a text in a file of the copy.
    void Replace(const std::string& strFile, const std::string& strOld, const std::string& strNew) const
    {
        std::string strText = ReadFileBytes(m_dir.File(strFile));
        size_t nAt = strText.find(strOld);
        ASSERT_NE(nAt, std::string::npos) << strOld;
        m_dir.Write(strFile, strText.replace(nAt, strOld.size(), strNew));
    }
    void Write(const std::string& strFile, const std::string& strText) const { m_dir.Write(strFile, strText); }

private:
    CTempDir m_dir;
};
} // namespace

TEST(EditorSimulate, PrintsTheTableWithAHeaderRow)
{
    RUN run = Editor({"--simulate", "CustomerEmail", "--vusers", "3", "--iterations", "2", kExample});
    ASSERT_EQ(run.nExitCode, 0) << run.strErr;
    // Blocks of two rows, one value each as the parameter updates once.
    EXPECT_EQ(run.strOut, "\titeration 1\titeration 2\n"
                          "user 1\taino.korhonen@mail.example\taino.korhonen@mail.example\n"
                          "user 2\tchloe.martin@mail.example\tchloe.martin@mail.example\n"
                          "user 3\teda.yilmaz@mail.example\teda.yilmaz@mail.example\n");
}

TEST(EditorSimulate, SeedMakesRandomRowsRepeat)
{
    QStringList args{"--simulate", "PlantCode", "--vusers", "5", "--iterations", "6", "--seed", "42", kExample};
    RUN first = Editor(args);
    RUN second = Editor(args);
    ASSERT_EQ(first.nExitCode, 0) << first.strErr;
    EXPECT_EQ(first.strOut, second.strOut);
    args.replace(7, "43");
    EXPECT_NE(Editor(args).strOut, first.strOut);
}

TEST(EditorSimulate, JsonShowsMissingValuesAsNull)
{
    // Four Vusers with blocks of three rows over eight: the fourth gets none.
    RUN run = Editor({"--simulate", "CustomerEmail", "--vusers", "4", "--iterations", "3", "--json", kExample});
    ASSERT_EQ(run.nExitCode, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"tip\": \"No values were allocated for this user\", \"cells\": [{\"value\": null"),
              std::string::npos)
        << run.strOut;
    EXPECT_NE(run.strOut.find("\"tip\": \"User receives values from rows 7-8\""), std::string::npos);
}

TEST(EditorSimulate, RefusalsExitWithTheDialogsMessage)
{
    struct
    {
        QStringList args;
        const char* pszMessage;
    } cases[] = {
        {{"--simulate", "Password"}, "Select Next Row\" policy of \"Same Line As\"."},
        {{"--simulate", "PlantCode", "--vusers", "257"}, "Number of simulated Vusers must be between 1 and 256."},
        {{"--simulate", "PlantCode", "--iterations", "0"}, "Number of simulated iterations must be between 1 and 256."},
        {{"--simulate", "NoSuchParameter"}, "no parameter named 'NoSuchParameter'"},
    };
    for (auto& c : cases)
    {
        RUN run = Editor(c.args << kExample);
        EXPECT_EQ(run.nExitCode, 1) << c.pszMessage;
        EXPECT_NE(run.strErr.find(c.pszMessage), std::string::npos) << run.strErr;
        EXPECT_EQ(run.strOut, "");
    }
    RUN run = Editor({"--simulate", "PlantCode", "--vusers", "many", kExample});
    EXPECT_EQ(run.nExitCode, 2) << "a count that is no number is a usage error";
}

TEST(EditorCheck, TheExamplePasses)
{
    for (const QStringList& extra : {QStringList{}, QStringList{"--json"}})
    {
        RUN run = Editor(QStringList{"--check"} << extra << kExample);
        EXPECT_EQ(run.nExitCode, 0) << run.strOut << run.strErr;
        EXPECT_EQ(run.strErr, "");
    }
    EXPECT_EQ(Editor({"--check", "--json", kExample}).strOut, "{\"vusers\": 1, \"iterations\": 3, \"problems\": []}\n");
    EXPECT_EQ(Editor({"--check", kExample}).strOut, "No problems found for 1 Vuser(s) running 3 iteration(s).\n");
}

TEST(EditorCheck, ProblemsOfABrokenCopy)
{
    struct
    {
        const char* pszFile;
        const char* pszOld;
        const char* pszNew;
        const char* pszExpected;
    } cases[] = {
        {"nursery_order.prm", "Table=plants.dat", "Table=gone.dat", "PlantCode\tthe data file "},
        {"nursery_order.prm", "ColumnName=Email", "ColumnName=Mail", "CustomerEmail\tthe data file "},
        {"nursery_order.prm", "SelectNextRow=Same line as CustomerEmail", "SelectNextRow=Same line as Nobody",
         "Password\ttakes the rows of \"Nobody\", which does not exist"},
        {"nursery_order.prm", "SelectNextRow=Same line as CustomerEmail", "SelectNextRow=Same line as Quantity",
         "Password\ttakes the rows of \"Quantity\", which is no data-file parameter"},
        {"nursery_order.prm", "Format=ORD-%05d", "Format=ORD-%lld", "OrderNumber\tthe format \"ORD-%lld\" is invalid"},
        {"customers.dat", "\n", "\n\"open quote\n", "\tline 2"},
    };
    for (const auto& c : cases)
    {
        BrokenExample copy;
        copy.Replace(c.pszFile, c.pszOld, c.pszNew);
        RUN run = Editor({"--check", copy.Path()});
        EXPECT_EQ(run.nExitCode, 1) << c.pszNew;
        EXPECT_NE(run.strOut.find(c.pszExpected), std::string::npos) << c.pszNew << "\n" << run.strOut;
    }
}

TEST(EditorCheck, UniqueRowsForVusersAndIterationsAndShorterTies)
{
    // Eight rows in blocks of three: two Vusers fit, three do not.
    EXPECT_EQ(Editor({"--check", "--vusers", "2", kExample}).nExitCode, 0);
    RUN run = Editor({"--check", "--vusers", "3", kExample});
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_EQ(run.strOut, "CustomerEmail\thas 8 rows, too few for 3 Vusers with blocks of 3 (9 needed)\n");

    BrokenExample copy;
    copy.Write("names.dat", "FirstName\nAino\n");
    copy.Replace("nursery_order.prm", "Table=customers.dat\nColumnName=FirstName",
                 "Table=names.dat\nColumnName=FirstName");
    run = Editor({"--check", copy.Path()});
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_NE(run.strOut.find("CustomerName\thas 1 rows but takes the rows of \"CustomerEmail\", which has 8"),
              std::string::npos)
        << run.strOut;
}

TEST(EditorCheck, UnreadableScriptExitsWithTwo)
{
    CTempDir dir;
    dir.Write("s.usr", "[General]\nParameterFile=missing.prm\n");
    RUN run = Editor({"--check", QString::fromStdString(dir.File("s.usr"))});
    EXPECT_EQ(run.nExitCode, 2) << run.strOut << run.strErr;
    EXPECT_NE(run.strErr, "");
}
