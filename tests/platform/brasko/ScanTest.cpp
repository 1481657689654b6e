#include "OpenedTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <random>

namespace
{
size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The plain reading of the rule: a line ends at a line feed outside quotes,
// and every line after the names counts unless it is empty.
int ReferenceCount(const std::string& strBytes, bool& bOpenQuote)
{
    int nRecords = 0;
    bool bInQuote = false;
    size_t nStart = 0;
    for (size_t i = 0; i < strBytes.size(); ++i)
    {
        bInQuote ^= strBytes[i] == '"';
        if (strBytes[i] != '\n' || bInQuote)
            continue;
        size_t nLength = i - nStart - (i > nStart && strBytes[i - 1] == '\r');
        nRecords += nStart == 0 || nLength > 0;
        nStart = i + 1;
    }
    bOpenQuote = bInQuote;
    nRecords += nStart < strBytes.size();
    return std::max(nRecords - 1, 0);
}
} // namespace

TEST(BraskoScan, CountsMatchThePlainRuleAcrossBlockAndBufferEdges)
{
    CTempDir dir;
    std::mt19937 random(3);
    const char alphabet[] = "ab,\"\n\r";
    for (size_t nSize : {0, 1, 63, 64, 65, 127, 128, 1000, 262143, 262144, 262145, 600000})
    {
        for (int nTry = 0; nTry < 3; ++nTry)
        {
            std::string strBytes(nSize, 'a');
            // Mostly plain text, so that both quote-free and quoted blocks occur.
            for (char& c : strBytes)
                c = random() % 8 == 0 ? alphabet[random() % 6] : 'a';
            bool bOpenQuote = false;
            int nExpected = ReferenceCount(strBytes, bOpenQuote);
            std::string strPath = dir.Write("scan.dat", strBytes);
            int n = 1;
            int nResult = GetNumberOfLinesEx(strPath.c_str(), ",", &n);
            if (bOpenQuote)
            {
                EXPECT_EQ(BRASKO_E_FORMAT, nResult) << nSize;
                continue;
            }
            ASSERT_EQ(0, nResult) << nSize;
            EXPECT_EQ(nExpected, n - 1) << nSize;
        }
    }
}

TEST(BraskoScan, RowsReadInAnyOrderAcrossCheckpoints)
{
    CTempDir dir;
    std::vector<std::string> values;
    std::string strBytes = "i,v\n";
    for (int i = 0; i < 5000; ++i)
    {
        std::string strValue = "v" + std::to_string(i);
        if (i % 7 == 0)
            strValue += "\nline \"two\"";
        if (i % 501 == 0)
            strValue += std::string(70000, 'w'); // longer than a read window now and then
        values.push_back(strValue);
        std::string strQuoted;
        for (char c : strValue)
            strQuoted += c == '"' ? "\"\"" : std::string(1, c);
        strBytes += std::to_string(i) + ",\"" + strQuoted + "\"" + (i % 3 ? "\n" : "\r\n");
        if (i % 13 == 0)
            strBytes += i % 2 ? "\n" : "\r\n\n"; // empty lines, which are no rows
    }
    std::string strPath = dir.Write("many.dat", strBytes);
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(5000, table.Rows());
    std::mt19937 random(5);
    std::vector<int> order = {4999, 0, 127, 128, 129, 255, 256, 4998, 1, 2};
    for (int i = 0; i < 300; ++i)
        order.push_back(static_cast<int>(random() % 5000));
    for (int nRow : order)
    {
        ASSERT_EQ(std::to_string(nRow), table.Cell(0, nRow));
        ASSERT_EQ(values[nRow], table.Cell(1, nRow));
    }
    // Rows from line 1000 on are the same records.
    COpenedTable later(strPath, ",", 1000);
    ASSERT_EQ(0, later.GetResult());
    EXPECT_EQ(4001, later.Rows());
    EXPECT_EQ("999", later.Cell(0, 0));
    EXPECT_EQ("4999", later.Cell(0, 4000));
}

TEST(BraskoScan, MemoryDoesNotGrowWithCells)
{
    CTempDir dir;
    // About 24 MiB of four-column rows: around 6 million cells.
    std::string strBytes = "a,b,c,d\n";
    for (int i = 0; strBytes.size() < 24u << 20; ++i)
        strBytes += std::to_string(i) + ",x,\"y\",z\n";
    std::string strPath = dir.Write("large.dat", strBytes);
    strBytes = std::string();
    malloc_trim(0);
    size_t nBefore = HeapInUse();
    {
        COpenedTable table(strPath);
        ASSERT_EQ(0, table.GetResult());
        for (int r = 0; r < 100; ++r)
            EXPECT_EQ(std::to_string(r), table.Cell(0, r));
        EXPECT_EQ("y", table.Cell(2, table.Rows() - 1));
        size_t nGrowth = HeapInUse() - nBefore;
        EXPECT_LT(nGrowth, 2u << 20) << "bytes held for an open table";
    }
}
