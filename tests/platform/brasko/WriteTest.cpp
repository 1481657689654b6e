#include "OpenedTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
// Values that break naive writers: delimiters, quotes, line breaks of every
// kind, empty text, UTF-8, and pieces of multi-character delimiters.
std::string HostileValue(std::mt19937& random, const std::string& strDelimiter)
{
    static const std::string pieces[] = {"a",  "\"", "\"\"", "\n",    "\r",   "\r\n", " ",
                                         "\t", ",",  "|",    "Grüße", "日本", "x\"y", ""};
    std::string strValue;
    for (int n = static_cast<int>(random() % 6); n > 0; --n)
        strValue += random() % 5 == 0 ? strDelimiter : pieces[random() % std::size(pieces)];
    return strValue;
}

std::vector<std::string> Listing(const std::string& strDirectory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(strDirectory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int SetCell(COpenedTable& table, int nColumn, int nRow, const std::string& strValue)
{
    return SetCellValByIndex(table.Get(), nColumn, nRow, strValue.data(), static_cast<int>(strValue.size()));
}
} // namespace

TEST(BraskoWrite, HostileValuesRoundTripWithEveryDelimiter)
{
    CTempDir dir;
    std::mt19937 random(42);
    for (std::string strDelimiter : {",", "\t", " ", "||", "ab", ";;"})
    {
        std::vector<std::string> names = {"first", HostileValue(random, strDelimiter), "last"};
        ROWS rows(150);
        for (auto& row : rows)
            for (int c = 0; c < 3; ++c)
                row.push_back(HostileValue(random, strDelimiter));
        std::string strPath = dir.File("hostile.dat");
        ASSERT_EQ(0, WriteTable(strPath, strDelimiter, names, rows));
        COpenedTable table(strPath, strDelimiter);
        ASSERT_EQ(0, table.GetResult()) << strDelimiter;
        EXPECT_EQ(names, table.Names());
        EXPECT_EQ(rows, table.All()) << "delimiter [" << strDelimiter << "]";
        int n = 1;
        EXPECT_EQ(0, GetNumberOfLinesEx(strPath.c_str(), strDelimiter.c_str(), &n));
        EXPECT_EQ(150, n - 1);
    }
}

TEST(BraskoWrite, QuotesExactlyTheFieldsThatNeedThem)
{
    CTempDir dir;
    std::string strPath = dir.File("q.dat");
    ASSERT_EQ(0,
              WriteTable(strPath, ",", {"a", "b c"}, {{"x,y", "say \"hi\""}, {"", "plain"}, {"two\nlines", "cr\r"}}));
    EXPECT_EQ("a,b c\n\"x,y\",\"say \"\"hi\"\"\"\n,plain\n\"two\nlines\",\"cr\r\"\n", ReadFileBytes(strPath));
    // A lone empty value would read as an empty line, which is no row.
    ASSERT_EQ(0, WriteTable(strPath, ",", {"only"}, {{""}, {"x"}}));
    EXPECT_EQ("only\n\"\"\nx\n", ReadFileBytes(strPath));
    // With "||" a value ending in "|" would swallow the delimiter's first bar.
    ASSERT_EQ(0, WriteTable(strPath, "||", {"n", "m"}, {{"a|", "|b"}, {"a|b", "c"}}));
    EXPECT_EQ("n||m\n\"a|\"|||b\na|b||c\n", ReadFileBytes(strPath));
}

TEST(BraskoWrite, UnchangedTableIsWrittenBackByteForByte)
{
    CTempDir dir;
    const std::string strBytes = "a,b\r\n\"quoted\",\"\"\r\n1,2,extra\n\n\"multi\r\nline\",x\r\nshort\r\nlast,no end";
    std::string strPath = dir.Write("same.dat", strBytes);
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(0, SaveTable(table.Get(), dir.File("copy.dat").c_str()));
    EXPECT_EQ(strBytes, ReadFileBytes(dir.File("copy.dat")));
    // A changed cell rewrites its own line only, keeping its line ending.
    ASSERT_EQ(0, SetCell(table, 1, 1, "X"));
    ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ("a,b\r\n\"quoted\",\"\"\r\n1,X,extra\n\n\"multi\r\nline\",x\r\nshort\r\nlast,no end",
              ReadFileBytes(strPath));
}

TEST(BraskoWrite, QuotesInsideUnquotedFieldsSurviveASave)
{
    CTempDir dir;
    const std::string strBytes = "id,size\n1,5\" screen\n2,x\"\n3,a\"b\n";
    std::string strPath = dir.Write("inch.dat", strBytes);
    {
        COpenedTable table(strPath);
        ASSERT_EQ(0, table.GetResult());
        ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
        EXPECT_EQ(strBytes, ReadFileBytes(strPath)) << "unchanged, byte for byte";
        ASSERT_EQ(0, SetCell(table, 0, 0, "one"));
        ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    }
    // A rewritten row quotes its value in the usual way; both forms read alike.
    EXPECT_EQ("id,size\none,\"5\"\" screen\"\n2,x\"\n3,a\"b\n", ReadFileBytes(strPath));
    COpenedTable table(strPath);
    EXPECT_EQ((ROWS{{"one", "5\" screen"}, {"2", "x\""}, {"3", "a\"b"}}), table.All());
}

TEST(BraskoWrite, NewRowsAndColumnsKeepEveryOtherValue)
{
    CTempDir dir;
    // Two lines before the first data line, a ragged row, extra fields and
    // no final line ending.
    std::string strPath = dir.Write("grow.dat", "a,b\r\nnote1\r\n\r\nnote2,x\r\n1,2\r\n\n3\r\n4,5,six");
    {
        COpenedTable table(strPath, ",", 3);
        ASSERT_EQ(0, table.GetResult());
        ASSERT_EQ(0, CreateColumn(table.Get(), 1, "mid", 0));
        ASSERT_EQ(0, CreateColumn(table.Get(), -1, "end", 0));
        ASSERT_EQ(0, CreateRow(table.Get()));
        ASSERT_EQ(0, SetCell(table, 1, 0, "m0"));
        ASSERT_EQ(0, SetCell(table, 3, 3, "new"));
        ASSERT_EQ(BRASKO_E_RANGE, CreateColumn(table.Get(), 5, "far", 0));
        ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    }
    EXPECT_EQ("a,mid,b,end\r\nnote1,,,\r\n\r\nnote2,,x,\r\n1,m0,2,\r\n\n3,,,\r\n4,,5,,six\r\n,,,new\r\n",
              ReadFileBytes(strPath));
    COpenedTable table(strPath, ",", 3);
    EXPECT_EQ((ROWS{{"1", "m0", "2", ""}, {"3", "", "", ""}, {"4", "", "5", ""}, {"", "", "", "new"}}), table.All());
}

TEST(BraskoWrite, Utf8MarkIsNoPartOfTheFirstName)
{
    CTempDir dir;
    std::string strPath = dir.Write("bom.dat", "\xEF\xBB\xBFid,name\n1,Ann\n");
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(2, GetColHeadSizeByName(table.Get(), "id"));
    ASSERT_EQ(0, SaveTable(table.Get(), dir.File("same.dat").c_str()));
    EXPECT_EQ(ReadFileBytes(strPath), ReadFileBytes(dir.File("same.dat")));
    ASSERT_EQ(0, CreateColumn(table.Get(), 0, "first", 0));
    ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ("\xEF\xBB\xBF"
              "first,id,name\n,1,Ann\n",
              ReadFileBytes(strPath));
}

TEST(BraskoWrite, NewFileInTheEditorsOrder)
{
    CTempDir dir;
    std::string strPath = dir.Write("new.dat", "old,content\n1,2\n");
    ASSERT_EQ(0, CreateTable(strPath.c_str(), ','));
    EXPECT_EQ("", ReadFileBytes(strPath));
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(0, table.Columns());
    EXPECT_EQ(BRASKO_E_NO_COLUMNS, CreateRow(table.Get()));
    ASSERT_EQ(0, CreateColumn(table.Get(), -1, "Param", 0));
    ASSERT_EQ(0, CreateRow(table.Get()));
    ASSERT_EQ(0, SetCell(table, 0, 0, "Value"));
    ASSERT_EQ(0, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ("Param\nValue\n", ReadFileBytes(strPath));
    EXPECT_EQ(BRASKO_E_ARGUMENT, CreateTable(strPath.c_str(), '"'));
    EXPECT_EQ(BRASKO_E_IO, CreateTable(dir.File("no/such/dir.dat").c_str(), ','));
}

TEST(BraskoWrite, LargeFieldsRoundTrip)
{
    CTempDir dir;
    std::string strBig(1 << 20, 'v');
    for (size_t i = 0; i < strBig.size(); i += 4099)
        strBig[i] = "\"\n,\r"[i % 4];
    std::string strPath = dir.File("big.dat");
    ASSERT_EQ(0, WriteTable(strPath, ",", {"k", "v"}, {{"1", strBig}, {"2", "small"}, {strBig, ""}}));
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(3, table.Rows());
    EXPECT_TRUE(table.Cell(1, 0) == strBig);
    EXPECT_EQ("small", table.Cell(1, 1));
    EXPECT_TRUE(table.Cell(0, 2) == strBig);
}

TEST(BraskoWrite, ReadOnlyModeNeverWrites)
{
    CTempDir dir;
    std::string strPath = dir.Write("ro.dat", "a\n1\n");
    struct stat before;
    ASSERT_EQ(0, stat(strPath.c_str(), &before));
    COpenedTable table(strPath, ",", 1, BRASKO_MODE_READ_ONLY);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(BRASKO_E_READ_ONLY, SetCell(table, 0, 0, "2"));
    EXPECT_EQ(BRASKO_E_READ_ONLY, CreateColumn(table.Get(), -1, "b", 0));
    EXPECT_EQ(BRASKO_E_READ_ONLY, CreateRow(table.Get()));
    EXPECT_EQ(BRASKO_E_READ_ONLY, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ(BRASKO_E_READ_ONLY, SaveTable(table.Get(), dir.File("other.dat").c_str()));
    struct stat after;
    ASSERT_EQ(0, stat(strPath.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ("a\n1\n", ReadFileBytes(strPath));
    EXPECT_EQ(std::vector<std::string>{"ro.dat"}, Listing(dir.Path()));
    EXPECT_EQ("1", table.Cell(0, 0));
}

TEST(BraskoWrite, FailedSaveLeavesTheOldFileWhole)
{
    CTempDir dir;
    std::string strOriginal = "a,b\n1,2\n";
    fs::create_directories(dir.File("data"));
    std::string strPath = dir.Write("data/t.dat", strOriginal);
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(0, SetCell(table, 0, 0, std::string(300000, 'z')));

    // The target is a directory.
    fs::create_directories(dir.File("data/sub"));
    EXPECT_EQ(BRASKO_E_IO, SaveTable(table.Get(), dir.File("data/sub").c_str()));
    EXPECT_TRUE(fs::is_directory(dir.File("data/sub")));

    // The disk refuses the bytes half-way (a file size limit stands in for a full disk).
    signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    int nResult = SaveTable(table.Get(), strPath.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(BRASKO_E_IO, nResult);
    EXPECT_EQ(strOriginal, ReadFileBytes(strPath));
    EXPECT_EQ((std::vector<std::string>{"sub", "t.dat"}), Listing(dir.File("data")));

    // The directory vanishes before the save.
    fs::rename(dir.File("data"), dir.File("moved"));
    EXPECT_EQ(BRASKO_E_IO, SaveTable(table.Get(), strPath.c_str()));
    EXPECT_EQ(strOriginal, ReadFileBytes(dir.File("moved/t.dat")));
    EXPECT_EQ((std::vector<std::string>{"sub", "t.dat"}), Listing(dir.File("moved")));
}

TEST(BraskoWrite, SaveKeepsPermissionsAndSymbolicLinks)
{
    CTempDir dir;
    std::string strPath = dir.Write("real.dat", "a\n1\n");
    chmod(strPath.c_str(), 0640);
    fs::create_symlink(strPath, dir.File("link.dat"));
    COpenedTable table(dir.File("link.dat"));
    ASSERT_EQ(0, table.GetResult());
    ASSERT_EQ(0, SetCell(table, 0, 0, "2"));
    ASSERT_EQ(0, SaveTable(table.Get(), dir.File("link.dat").c_str()));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.dat")));
    EXPECT_EQ("a\n2\n", ReadFileBytes(strPath));
    struct stat st;
    ASSERT_EQ(0, stat(strPath.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
}

TEST(BraskoWrite, CellTextsAreCheckedAndHandlesReused)
{
    CTempDir dir;
    std::string strPath = dir.Write("h.dat", "a\n1\n");
    COpenedTable table(strPath);
    ASSERT_EQ(0, table.GetResult());
    EXPECT_EQ(BRASKO_E_ARGUMENT, SetCellValByIndex(table.Get(), 0, 0, "x\0y", 3));
    EXPECT_EQ(0, SetCellValByIndex(table.Get(), 0, 0, "whole text", -1));
    EXPECT_EQ("whole text", table.Cell(0, 0));
    // Opening again on an open handle closes the first table.
    int nFirst = 1;
    std::string strOther = dir.Write("o.dat", "b\n9\n");
    ASSERT_EQ(0, OpenTable(strOther.c_str(), table.Get(), 1, ",", &nFirst, ""));
    EXPECT_EQ("9", table.Cell(0, 0));
    BRASKO_TABLE closed = {};
    EXPECT_EQ(BRASKO_E_NOT_OPEN, CreateRow(&closed));
}
