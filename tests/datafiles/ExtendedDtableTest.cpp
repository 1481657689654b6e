#include "datafiles/ExtendedDtable.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(ExtendedDtable, ReadsNamesCountsAndCellsIntoStrings)
{
    CTempDir dir;
    std::string strPath = dir.Write("t.dat", "id,,note\n1,,\"a, \"\"b\"\"\nc\"\n2,x\n");
    CExtendedDtable table;
    ASSERT_EQ(0, table.OpenTable(strPath, BRASKO_MODE_READ_ONLY, ",", 1));
    EXPECT_EQ(2, table.GetLineCount());
    EXPECT_EQ(3, table.GetColumnCount());
    std::string strText = "stale";
    EXPECT_EQ(0, table.GetColumnName(0, strText));
    EXPECT_EQ("id", strText);
    // An empty text is the size 0 itself, with the string emptied.
    strText = "stale";
    EXPECT_EQ(0, table.GetColumnName(1, strText));
    EXPECT_EQ("", strText);
    EXPECT_EQ(0, table.GetCellValue(2, 0, strText));
    EXPECT_EQ("a, \"b\"\nc", strText);
    EXPECT_EQ(0, table.GetCellValue(2, 1, strText)); // missing in a short row
    EXPECT_EQ("", strText);
    // Failures come back as the library's result.
    strText = "stale";
    EXPECT_EQ(BRASKO_E_RANGE, table.GetCellValue(0, 2, strText));
    EXPECT_EQ("", strText);
    EXPECT_EQ(BRASKO_E_RANGE, table.GetColumnName(3, strText));
    EXPECT_EQ(0, table.CloseTable());
    EXPECT_EQ(BRASKO_E_NOT_OPEN, table.GetLineCount());
    EXPECT_EQ(BRASKO_E_NOT_OPEN, table.GetColumnCount());
}

TEST(ExtendedDtable, ColumnLookup)
{
    CTempDir dir;
    CExtendedDtable table;
    ASSERT_EQ(0, table.OpenTable(dir.Write("c.dat", "Name,Col 1,Colour,Größe\n"), 2, ",", 1));
    EXPECT_EQ(0, table.FindColumn("name"));
    EXPECT_EQ(0, table.FindColumn("Col 1")); // the number wins over a column so named
    EXPECT_EQ(2, table.FindColumn("COL 3"));
    EXPECT_EQ(2, table.FindColumn("colour"));
    EXPECT_EQ(3, table.FindColumn("Größe"));
    EXPECT_EQ(-1, table.FindColumn("GRÖSSE")); // only ASCII letters fold
    EXPECT_EQ(-1, table.FindColumn("Col 5"));
    EXPECT_EQ(-1, table.FindColumn("Col 0"));
    EXPECT_EQ(-1, table.FindColumn("Col "));
    EXPECT_TRUE(table.ColumnExists("Colour"));
    EXPECT_FALSE(table.ColumnExists("colour")); // existence is exact

    int nNumber = 0;
    EXPECT_TRUE(CExtendedDtable::ParseColumnNumber("col 12", nNumber));
    EXPECT_EQ(12, nNumber);
    EXPECT_FALSE(CExtendedDtable::ParseColumnNumber("Col ", nNumber));
    EXPECT_FALSE(CExtendedDtable::ParseColumnNumber("Colour", nNumber));
}

TEST(ExtendedDtable, NewFileThenAddColumnAndRowAsTheEditorDoes)
{
    CTempDir dir;
    std::string strPath = dir.File("P.dat");
    CExtendedDtable table;
    ASSERT_EQ(0, CExtendedDtable::CreateTable(strPath));
    ASSERT_EQ(0, table.OpenTable(strPath, BRASKO_MODE_READ_WRITE, ",", 1));
    ASSERT_EQ(0, table.CreateColumn(-1, "P"));
    ASSERT_EQ(0, table.CreateRow());
    ASSERT_EQ(0, table.SetCellValue(0, 0, "first, value"));
    ASSERT_EQ(0, table.SaveTable(strPath));
    ASSERT_EQ(0, table.CloseTable());
    EXPECT_EQ("P\n\"first, value\"\n", ReadFileBytes(strPath));

    ASSERT_EQ(0, table.OpenTable(strPath, BRASKO_MODE_READ_WRITE, ",", 1));
    EXPECT_FALSE(table.ColumnExists("P_2"));
    ASSERT_EQ(0, table.CreateColumn(-1, "P_2"));
    ASSERT_EQ(0, table.CreateRow());
    ASSERT_EQ(0, table.SetCellValue(1, 1, "Value"));
    ASSERT_EQ(0, table.SaveTable(strPath));
    EXPECT_EQ("P,P_2\n\"first, value\",\n,Value\n", ReadFileBytes(strPath));
    EXPECT_EQ(2, CExtendedDtable::GetNumberOfLinesEx(strPath, ","));
}

TEST(ExtendedDtable, FailuresNameTheLine)
{
    CTempDir dir;
    CExtendedDtable table;
    std::string strPath = dir.Write("f.dat", "a\n1\n2\n");
    // A first data line beyond the end leaves the table open, to be closed.
    EXPECT_EQ(BRASKO_E_FIRST_LINE, table.OpenTable(strPath, 1, ",", 5));
    EXPECT_EQ(6, CExtendedDtable::GetLastErrorLine());
    EXPECT_TRUE(table.IsOpen());
    EXPECT_EQ(1, table.GetColumnCount());
    EXPECT_EQ(0, table.GetLineCount());
    EXPECT_EQ(0, table.CloseTable());

    EXPECT_EQ(BRASKO_E_FORMAT, table.OpenTable(dir.Write("b.dat", std::string("a\n1\n\0", 5)), 1, ",", 1));
    EXPECT_EQ(3, CExtendedDtable::GetLastErrorLine());
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(BRASKO_E_FORMAT, CExtendedDtable::GetNumberOfLinesEx(dir.File("b.dat"), ","));

    EXPECT_EQ(BRASKO_E_IO, table.OpenTable(dir.File("missing.dat"), 2, ",", 1));
    EXPECT_EQ(0, CExtendedDtable::GetLastErrorLine());
    EXPECT_EQ(BRASKO_E_IO, CExtendedDtable::GetNumberOfLinesEx(dir.File("missing.dat"), ","));
}
