#include "OpenedTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace
{
int CountLines(const std::string& strPath, const std::string& strDelimiter = ",")
{
    int n = 1;
    int nResult = GetNumberOfLinesEx(strPath.c_str(), strDelimiter.c_str(), &n);
    return nResult != 0 ? nResult : nResult + n - 1;
}
} // namespace

TEST(BraskoRead, NamesRowsAndCellsWithEitherLineEnding)
{
    CTempDir dir;
    for (const char* pszEnd : {"\n", "\r\n"})
    {
        std::string e = pszEnd;
        COpenedTable table(dir.Write("t.dat", "id,name" + e + "1,Ann" + e + "2,Bob" + e));
        ASSERT_EQ(0, table.GetResult());
        EXPECT_EQ((std::vector<std::string>{"id", "name"}), table.Names());
        EXPECT_EQ((ROWS{{"1", "Ann"}, {"2", "Bob"}}), table.All());
        EXPECT_EQ(2, CountLines(dir.File("t.dat")));
    }
}

TEST(BraskoRead, QuotedValuesKeepDelimitersQuotesAndLineBreaks)
{
    CTempDir dir;
    std::string strPath = dir.Write("q.dat", "a,b\n"
                                             "\"x,y\",\"say \"\"hi\"\"\"\n"
                                             "\"two\nlines\",\"cr\rlf\r\n\"\r\n"
                                             "\"\",plain\n");
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ((ROWS{{"x,y", "say \"hi\""}, {"two\nlines", "cr\rlf\r\n"}, {"", "plain"}}), table.All());
    // Records are counted, not physical lines.
    EXPECT_EQ(3, CountLines(strPath));
}

TEST(BraskoRead, AnyDelimiterText)
{
    CTempDir dir;
    struct
    {
        std::string strDelimiter, strLine;
        std::vector<std::string> expected;
    } cases[] = {
        {"\t", "a\tb c\t", {"a", "b c", ""}},
        {" ", "a  b", {"a", "", "b"}},
        {"||", "a|||b||\"c||d\"", {"a", "|b", "c||d"}},
        {"<->", "<-><->x", {"", "", "x"}},
    };
    for (const auto& c : cases)
    {
        COpenedTable table(dir.Write("d.dat", c.strLine + "\n"), c.strDelimiter);
        ASSERT_EQ(0, table.GetResult()) << c.strDelimiter;
        EXPECT_EQ(c.expected, table.Names()) << c.strDelimiter;
    }
    for (const char* pszBad : {"", "\"", "a\nb", "\r"})
    {
        COpenedTable table(dir.File("d.dat"), pszBad);
        EXPECT_EQ(BRASKO_E_ARGUMENT, table.GetResult());
    }
}

TEST(BraskoRead, EmptyLinesRaggedRowsAndTrailingDelimiters)
{
    CTempDir dir;
    std::string strPath = dir.Write("r.dat", "a,b,c\n\n1,2,3\r\n\r\n\n4\n\"\"\n5,6,7,8,\n\n");
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(3, table.Columns());
    // Empty lines are no rows; "" is a row with an empty first cell; a short
    // row's missing cells are empty; fields beyond the names are not cells.
    EXPECT_EQ((ROWS{{"1", "2", "3"}, {"4", "", ""}, {"", "", ""}, {"5", "6", "7"}}), table.All());
    EXPECT_LT(GetCellSizeByIndex(table.Get(), 3, 3), 0);
    EXPECT_EQ(4, CountLines(strPath));
    // The first data line counts rows the same way.
    COpenedTable later(strPath, ",", 2);
    EXPECT_EQ("4", later.Cell(0, 0));
}

TEST(BraskoRead, HeaderOnlyAndEmptyFiles)
{
    CTempDir dir;
    struct
    {
        std::string strBytes;
        int nColumns;
    } cases[] = {{"a,b\n", 2}, {"a,b", 2}, {"", 0}, {"\n", 1}};
    for (const auto& c : cases)
    {
        std::string strPath = dir.Write("h.dat", c.strBytes);
        COpenedTable table(strPath);
        ASSERT_EQ(0, table.GetResult()) << c.strBytes;
        EXPECT_EQ(c.nColumns, table.Columns());
        EXPECT_EQ(0, table.Rows());
        EXPECT_EQ(0, CountLines(strPath));
    }
}

TEST(BraskoRead, FirstDataLine)
{
    CTempDir dir;
    std::string strPath = dir.Write("f.dat", "n\nskip1\nskip2\nr0\nr1\n");
    {
        COpenedTable table(strPath, ",", 3);
        ASSERT_EQ(0, table.GetResult());
        EXPECT_EQ((ROWS{{"r0"}, {"r1"}}), table.All());
    }
    {
        COpenedTable table(strPath, ",", 4); // the last line
        ASSERT_EQ(0, table.GetResult());
        EXPECT_EQ((ROWS{{"r1"}}), table.All());
    }
    {
        COpenedTable table(strPath, ",", 0);
        EXPECT_EQ(BRASKO_E_ARGUMENT, table.GetResult());
        EXPECT_EQ(0, ErrorLine());
        int n = 0;
        EXPECT_EQ(BRASKO_E_NOT_OPEN, GetLineCount(table.Get(), &n));
    }
    {
        // Beyond the end: reported with the line where it would be, and the
        // table stays open with its names and no rows.
        COpenedTable table(strPath, ",", 7);
        EXPECT_EQ(BRASKO_E_FIRST_LINE, table.GetResult());
        EXPECT_EQ(8, ErrorLine());
        EXPECT_EQ(1, table.Columns());
        EXPECT_EQ(0, table.Rows());
        EXPECT_EQ(0, CloseTable(table.Get()));
    }
    {
        COpenedTable table(dir.Write("h.dat", "n\n"), ",", 2);
        EXPECT_EQ(BRASKO_E_FIRST_LINE, table.GetResult());
        EXPECT_EQ(3, ErrorLine());
    }
}

TEST(BraskoRead, MissingFileAndDirectoryAreErrorsWithoutALine)
{
    CTempDir dir;
    for (const std::string& strPath : {dir.File("missing.dat"), dir.Path()})
    {
        COpenedTable table(strPath);
        EXPECT_EQ(BRASKO_E_IO, table.GetResult());
        EXPECT_EQ(0, ErrorLine());
        EXPECT_EQ(BRASKO_E_IO, CountLines(strPath));
        EXPECT_EQ(BRASKO_E_NOT_OPEN, CloseTable(table.Get()));
    }
}

TEST(BraskoRead, FormatFaultsNameTheirLine)
{
    CTempDir dir;
    struct
    {
        std::string strBytes;
        long nLine;
    } atOpen[] = {
        {std::string("a,b\n1,2\n3\0,4\n", 13), 3},
        {std::string("a\0b\n", 4), 1},
        {"a\n1\n\"open\nnever\nclosed\n", 3},
        {"\"a\"x,b\n", 1},
    };
    for (const auto& c : atOpen)
    {
        std::string strPath = dir.Write("bad.dat", c.strBytes);
        COpenedTable table(strPath);
        EXPECT_EQ(BRASKO_E_FORMAT, table.GetResult());
        EXPECT_EQ(c.nLine, ErrorLine());
        if (c.nLine > 1)
        {
            EXPECT_EQ(BRASKO_E_FORMAT, CountLines(strPath));
            EXPECT_EQ(c.nLine, ErrorLine());
        }
    }
    // Text after a closing quote is found when that row is read; the other
    // rows stay readable.
    COpenedTable table(dir.Write("row.dat", "a,b\n1,2\n\"x\ny\",ok\n3,\"4\" inch\n5,6\n"));
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(BRASKO_E_FORMAT, GetCellSizeByIndex(table.Get(), 0, 2));
    EXPECT_EQ(5, ErrorLine());
    EXPECT_EQ("5", table.Cell(0, 3));
    EXPECT_EQ("x\ny", table.Cell(0, 1));
}

TEST(BraskoRead, AQuoteThatStartsNoFieldIsData)
{
    CTempDir dir;
    struct
    {
        std::string strDelimiter, strBytes;
        ROWS rows;
    } cases[] = {
        {",",
         "id,size\n1,5\" screen\n2,\"17\"\" wide\"\n3,a\"b\"c\n",
         {{"1", "5\" screen"}, {"2", "17\" wide"}, {"3", "a\"b\"c"}}},
        // An unmatched quote inside a field does not run on to the next lines.
        {",", "a,b\nx\",y\n\"q\",z\n", {{"x\"", "y"}, {"q", "z"}}},
        {"||", "a||b\n1|\"2||\"3\"\n", {{"1|\"2", "3"}}},
        {"\t", "a\tb\n\"\"\"\"\t2\"\n", {{"\"", "2\""}}},
        {",", "\xEF\xBB\xBF\"i,d\",n\"\n1,2\n", {{"1", "2"}}},
    };
    for (const auto& c : cases)
    {
        std::string strPath = dir.Write("in.dat", c.strBytes);
        COpenedTable table(strPath, c.strDelimiter);
        ASSERT_EQ(0, table.GetResult()) << c.strBytes;
        EXPECT_EQ(c.rows, table.All()) << c.strBytes;
        EXPECT_EQ(static_cast<int>(c.rows.size()), CountLines(strPath, c.strDelimiter)) << c.strBytes;
    }
    COpenedTable marked(dir.Write("in.dat", "\xEF\xBB\xBF\"i,d\",n\"\n1,2\n"));
    EXPECT_EQ((std::vector<std::string>{"i,d", "n\""}), marked.Names());
    // A quote that starts a field and is never closed is still a fault at its line.
    std::string strPath = dir.Write("open.dat", "a,b\n1,5\" screen\n2,\"open\n3,4\n");
    COpenedTable open(strPath);
    EXPECT_EQ(BRASKO_E_FORMAT, open.GetResult());
    EXPECT_EQ(3, ErrorLine());
    EXPECT_EQ(BRASKO_E_FORMAT, CountLines(strPath));
    EXPECT_EQ(3, ErrorLine());
}

TEST(BraskoRead, BinaryFilesFailWithALineAndNeverCrash)
{
    CTempDir dir;
    std::mt19937 random(7);
    for (int nSize : {1, 63, 64, 65, 4096, 300000})
    {
        std::string strBytes(static_cast<size_t>(nSize), '\0');
        for (char& c : strBytes)
            c = static_cast<char>(random());
        strBytes[strBytes.size() / 2] = '\0';
        std::string strPath = dir.Write("bin.dat", strBytes);
        COpenedTable table(strPath);
        EXPECT_EQ(BRASKO_E_FORMAT, table.GetResult()) << nSize;
        long nExpected = 1 + std::count(strBytes.begin(), strBytes.begin() + strBytes.find('\0'), '\n');
        EXPECT_EQ(nExpected, ErrorLine()) << nSize;
    }
}

TEST(BraskoRead, ColumnsByNameAndBuffers)
{
    CTempDir dir;
    COpenedTable table(dir.Write("c.dat", "Alpha,beta\nvalue,2\n"));
    ASSERT_EQ(0, table.GetResult());
    char szBuffer[16] = "untouched";
    EXPECT_EQ(4, GetColHeadSizeByName(table.Get(), "beta"));
    EXPECT_EQ(0, GetColAttrByName(table.Get(), "beta", "name", szBuffer, nullptr, 5));
    EXPECT_STREQ("beta", szBuffer);
    EXPECT_LT(GetColHeadSizeByName(table.Get(), "alpha"), 0); // exact match only
    EXPECT_LT(GetColAttrByName(table.Get(), "gamma", "name", szBuffer, nullptr, 16), 0);
    EXPECT_EQ(BRASKO_E_ARGUMENT, GetColAttrByIndex(table.Get(), 0, "width", szBuffer, nullptr, 16));
    EXPECT_EQ(BRASKO_E_RANGE, GetColHeadSizeByIndex(table.Get(), 2));
    // A buffer without room for the terminator gets nothing.
    strcpy(szBuffer, "untouched");
    EXPECT_EQ(BRASKO_E_BUFFER, GetCellValByIndex(table.Get(), 0, 0, szBuffer, nullptr, 5));
    EXPECT_STREQ("untouched", szBuffer);
    EXPECT_EQ(BRASKO_E_RANGE, GetCellSizeByIndex(table.Get(), 0, 1));
    EXPECT_EQ(BRASKO_E_RANGE, GetCellSizeByIndex(table.Get(), -1, 0));
}
