#include "OpenedTable.h"
#include "TempDir.h"
#include "brasko/RecordReader.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <random>
#include <unistd.h>

namespace
{
size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The plain reading of the rule: a quote opens a value only where a field
// starts (or right after a closing quote), a line ends at a line feed outside
// values, and every line after the names counts unless it is empty.
std::vector<std::string> ReferenceRecords(const std::string& strBytes, const std::string& strDelimiter,
                                          bool& bOpenQuote)
{
    std::vector<std::string> records;
    bool bInQuote = false;
    bool bFieldStart = true;
    bool bAfterClose = false;
    size_t nStart = 0;
    size_t i = strBytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < strBytes.size())
    {
        char c = strBytes[i];
        if (bInQuote || (c == '"' && (bFieldStart || bAfterClose)))
        {
            bAfterClose = bInQuote && c == '"';
            bInQuote = c == '"' ? !bInQuote : bInQuote;
            bFieldStart = false;
            ++i;
            continue;
        }
        bAfterClose = false;
        bFieldStart = c == '\n' || strBytes.compare(i, strDelimiter.size(), strDelimiter) == 0;
        if (c == '\n')
        {
            size_t nLength = i - nStart - (i > nStart && strBytes[i - 1] == '\r');
            if (nStart == 0 || nLength > 0)
                records.push_back(strBytes.substr(nStart, nLength));
            nStart = i + 1;
        }
        i += c != '\n' && bFieldStart ? strDelimiter.size() : 1;
    }
    bOpenQuote = bInQuote;
    if (nStart < strBytes.size())
        records.push_back(strBytes.substr(nStart));
    return records;
}
} // namespace

TEST(BraskoScan, CountsMatchThePlainRuleAcrossBlockAndBufferEdges)
{
    CTempDir dir;
    std::mt19937 random(3);
    for (std::string strDelimiter : {",", "||", "<->"})
    {
        const std::string strAlphabet = "ab\"\n\r" + strDelimiter;
        for (size_t nSize : {0, 1, 63, 64, 65, 127, 128, 1000, 262143, 262144, 262145, 600000})
        {
            for (int nTry = 0; nTry < 4; ++nTry)
            {
                std::string strBytes(nSize, 'a');
                // Mostly plain text, so that both quote-free and quoted blocks occur.
                for (char& c : strBytes)
                    c = random() % 8 == 0 ? strAlphabet[random() % strAlphabet.size()] : 'a';
                if (nTry == 3 && nSize > 3)
                    strBytes.replace(0, 4, "\xEF\xBB\xBF\"");
                bool bOpenQuote = false;
                std::vector<std::string> records = ReferenceRecords(strBytes, strDelimiter, bOpenQuote);
                int nExpected = std::max(static_cast<int>(records.size()) - 1, 0);
                std::string strPath = dir.Write("scan.dat", strBytes);
                int n = 1;
                int nResult = GetNumberOfLinesEx(strPath.c_str(), strDelimiter.c_str(), &n);
                if (bOpenQuote)
                {
                    EXPECT_EQ(BRASKO_E_FORMAT, nResult) << nSize << strDelimiter;
                    continue;
                }
                ASSERT_EQ(0, nResult) << nSize << strDelimiter;
                EXPECT_EQ(nExpected, n - 1) << nSize << strDelimiter;
                // Rows are found again from the checkpoints by the same rule.
                int fd = -1;
                ASSERT_EQ(0, CRecordScanner::OpenFile(strPath.c_str(), fd));
                CRecordScanner scanner(true, strDelimiter);
                ASSERT_EQ(0, scanner.Scan(fd));
                CRecordReader reader(fd, scanner.GetSize(), scanner.GetRecordCount(), scanner.GetCheckpoints(),
                                     strDelimiter);
                std::vector<size_t> order;
                for (size_t k = 0; k < records.size(); ++k)
                    order.push_back(k); // in order, each from the one before
                for (size_t k = 0; k < 20 && !records.empty(); ++k)
                    order.push_back(random() % records.size()); // from a checkpoint
                for (size_t k : order)
                {
                    DT_RECORD record;
                    std::string_view text;
                    ASSERT_EQ(0, reader.Locate(static_cast<int64_t>(k), record));
                    ASSERT_EQ(0, reader.GetContent(record, text));
                    ASSERT_EQ(records[k], text) << nSize << strDelimiter << " record " << k;
                }
                close(fd);
            }
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
