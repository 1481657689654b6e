#include "OpenedTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace
{
// Opens the file, deletes the rows (in the order given, each counted after the
// ones before went) and the column (-1: none), saves; answers the bytes.
std::string DeleteAndSave(const CTempDir& dir, const std::string& strContent, std::vector<int> vecRows, int nColumn,
                          int nFirstLine = 1, const std::string& strDelimiter = ",")
{
    std::string strPath = dir.Write("delete.dat", strContent);
    COpenedTable table(strPath, strDelimiter, nFirstLine);
    EXPECT_EQ(0, table.GetResult());
    for (int nRow : vecRows)
        EXPECT_EQ(0, DeleteRow(table.Get(), nRow)) << "row " << nRow;
    if (nColumn >= 0)
    {
        EXPECT_EQ(0, DeleteColumn(table.Get(), nColumn));
    }
    EXPECT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    return ReadFileBytes(strPath);
}
} // namespace

TEST(BraskoDelete, EverythingElseKeepsItsBytes)
{
    CTempDir dir;
    const struct
    {
        const char* pszName;
        std::string strContent;
        std::vector<int> vecRows;
        int nColumn;
        int nFirstLine;
        std::string strExpected;
    } cases[] = {
        {"middle row", "a,b\r\n1,2\r\n\"x,\"\"y\",3\r\n4,5\r\n", {0}, -1, 1, "a,b\r\n\"x,\"\"y\",3\r\n4,5\r\n"},
        {"rows counted after the first deletion", "a\n1\n2\n3\n4\n", {1, 1}, -1, 1, "a\n1\n4\n"},
        {"last line without a line ending", "a\n1\n2", {1}, -1, 1, "a\n1\n"},
        {"lines before the first data line stay", "a\nskip\n1\n2\n", {0}, -1, 2, "a\nskip\n2\n"},
        {"empty lines stay", "a\n\n1\n\n2\n", {0}, -1, 1, "a\n\n\n2\n"},
        {"column with extras and a UTF-8 mark",
         "\xEF\xBB\xBF"
         "a,b,c\r\n1,2,3,extra\r\n4,5,6\r\n",
         {},
         1,
         1,
         "\xEF\xBB\xBF"
         "a,c\r\n1,3,extra\r\n4,6\r\n"},
        {"row and column", "a;b\n1;2\n3;4\n", {1}, 0, 1, "b\n2\n"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(DeleteAndSave(dir, test.strContent, test.vecRows, test.nColumn, test.nFirstLine,
                                test.strContent.find(';') != std::string::npos ? ";" : ","),
                  test.strExpected)
            << test.pszName;
}

TEST(BraskoDelete, ReadsFollowTheDeletions)
{
    CTempDir dir;
    std::string strPath = dir.Write("read.dat", "a,b\n0,x\n1,x\n2,x\n3,x\n4,x\n");
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(0, SetCellValByIndex(table.Get(), 1, 3, "changed", -1));
    ASSERT_EQ(0, CreateRow(table.Get()));
    ASSERT_EQ(0, SetCellValByIndex(table.Get(), 0, 5, "new", -1));
    EXPECT_EQ(0, DeleteRow(table.Get(), 1));
    EXPECT_EQ(0, DeleteRow(table.Get(), 3)); // file row 4
    EXPECT_EQ(table.Rows(), 4);
    EXPECT_EQ(table.All(), (ROWS{{"0", "x"}, {"2", "x"}, {"3", "changed"}, {"new", ""}}));
    EXPECT_EQ(0, DeleteRow(table.Get(), 3)) << "a new row goes too";
    EXPECT_EQ(0, DeleteColumn(table.Get(), 0));
    EXPECT_EQ(table.All(), (ROWS{{"x"}, {"x"}, {"changed"}}));
    EXPECT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ(ReadFileBytes(strPath), "b\nx\nx\nchanged\n");
}

TEST(BraskoDelete, Refusals)
{
    CTempDir dir;
    std::string strPath = dir.Write("refuse.dat", "a\n1\n");
    {
        COpenedTable table(strPath);
        EXPECT_EQ(BRASKO_E_RANGE, DeleteRow(table.Get(), 1));
        EXPECT_EQ(BRASKO_E_RANGE, DeleteRow(table.Get(), -1));
        EXPECT_EQ(BRASKO_E_RANGE, DeleteColumn(table.Get(), 1));
        EXPECT_EQ(BRASKO_E_NO_COLUMNS, DeleteColumn(table.Get(), 0)) << "the only column stays";
    }
    COpenedTable readOnly(strPath, ",", 1, BRASKO_MODE_READ_ONLY);
    EXPECT_EQ(BRASKO_E_READ_ONLY, DeleteRow(readOnly.Get(), 0));
    EXPECT_EQ(BRASKO_E_READ_ONLY, DeleteColumn(readOnly.Get(), 0));
    BRASKO_TABLE closed = {};
    EXPECT_EQ(BRASKO_E_NOT_OPEN, DeleteRow(&closed, 0));
    EXPECT_EQ(ReadFileBytes(strPath), "a\n1\n");
}
