#include "afx/PrivateProfile.h"
#include "afx/DebugOutput.h"

#include "FileFault.h"
#include "TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The value as the caller's buffer holds it, and what the call returned.
struct READ_RESULT
{
    std::string strText;
    DWORD nReturned = 0;
};

READ_RESULT Read(const std::string& file, LPCSTR section, LPCSTR key, LPCSTR def = nullptr, DWORD nSize = 256)
{
    std::vector<char> buffer(nSize + 1, 'x');
    DWORD n = GetPrivateProfileStringA(section, key, def, buffer.data(), nSize, file.c_str());
    return {std::string(buffer.data()), n};
}

std::string Value(const std::string& file, LPCSTR section, LPCSTR key, LPCSTR def = nullptr)
{
    return Read(file, section, key, def).strText;
}

// A list as it lies in the buffer: the count returned plus the final NUL.
std::string RawList(const std::vector<char>& buffer, DWORD nReturned)
{
    return std::string(buffer.data(), nReturned + 1);
}

ino_t InodeOf(const std::string& path)
{
    struct stat st = {};
    stat(path.c_str(), &st);
    return st.st_ino;
}

std::vector<std::string> DirectoryEntries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PrivateProfileTest : public ::testing::Test
{
protected:
    void TearDown() override { AfxSetDebugOutputSink(nullptr); }

    CTempDir m_dir;
};
} // namespace

TEST_F(PrivateProfileTest, ReadsSectionsAndKeysIgnoringCase)
{
    std::string file = m_dir.Write("script.usr", "[General]\n"
                                                 "ParameterFile = data.prm  \n"
                                                 "  DefaultCfg\t=\tdefault.cfg\n");

    EXPECT_EQ(Value(file, "general", "PARAMETERFILE"), "data.prm");
    EXPECT_EQ(Value(file, "GENERAL", "defaultcfg"), "default.cfg");
    EXPECT_EQ(Value(file, " General ", " DefaultCfg "), "default.cfg");
}

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    std::string file = m_dir.Write("a.ini", "[S]\nkey=value\n");

    EXPECT_EQ(Value(file, "S", "other", "fallback"), "fallback");
    EXPECT_EQ(Value(file, "T", "key", "fallback"), "fallback");
    EXPECT_EQ(Value(m_dir.File("missing.ini"), "S", "key", "fallback"), "fallback");
    READ_RESULT nullDefault = Read(file, "S", "other", nullptr);
    EXPECT_EQ(nullDefault.strText, "");
    EXPECT_EQ(nullDefault.nReturned, 0u);
    // Trailing blanks of a default are dropped, leading ones kept.
    READ_RESULT blanks = Read(file, "S", "other", " x  ");
    EXPECT_EQ(blanks.strText, " x");
    EXPECT_EQ(blanks.nReturned, 2u);
}

TEST_F(PrivateProfileTest, OnePairOfSurroundingQuotesIsDropped)
{
    std::string file = m_dir.Write("q.ini", "[Q]\n"
                                            "double=\"two words\"\n"
                                            "single='x'\n"
                                            "mixed=\"x'\n"
                                            "lone=\"\n"
                                            "empty=\"\"\n"
                                            "inner=say \"hi\" now\n"
                                            "nested=\"\"a\"\"\n");

    EXPECT_EQ(Value(file, "Q", "double"), "two words");
    EXPECT_EQ(Value(file, "Q", "single"), "x");
    EXPECT_EQ(Value(file, "Q", "mixed"), "\"x'");
    EXPECT_EQ(Value(file, "Q", "lone"), "\"");
    EXPECT_EQ(Value(file, "Q", "empty"), "");
    EXPECT_EQ(Value(file, "Q", "inner"), "say \"hi\" now");
    EXPECT_EQ(Value(file, "Q", "nested"), "\"a\"");
    EXPECT_EQ(Value(file, "Q", "missing", "'quoted default'"), "quoted default");
}

TEST_F(PrivateProfileTest, KeysSharingAPrefixStayApart)
{
    std::string file = m_dir.Write("f.ini", "[Formats]\nFormat10=ten\nFormat1=one\nFormat=bare\n");

    EXPECT_EQ(Value(file, "Formats", "Format1"), "one");
    EXPECT_EQ(Value(file, "Formats", "Format10"), "ten");
    EXPECT_EQ(Value(file, "Formats", "Format"), "bare");

    ASSERT_TRUE(WritePrivateProfileStringA("Formats", "Format1", "uno", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Formats", "Format", nullptr, file.c_str()));
    EXPECT_EQ(ReadFileBytes(file), "[Formats]\nFormat10=ten\nFormat1=uno\n");
}

TEST_F(PrivateProfileTest, FirstOfDuplicateKeysWinsAndRepeatedSectionsMerge)
{
    std::string file = m_dir.Write("d.ini", "[S]\na=first\na=second\n[T]\nt=1\n[s]\nb=later\n");

    EXPECT_EQ(Value(file, "S", "a"), "first");
    EXPECT_EQ(Value(file, "S", "b"), "later");
}

TEST_F(PrivateProfileTest, ValueIsCutToTheBuffer)
{
    std::string file = m_dir.Write("t.ini", "[S]\nkey=abcdef\n");

    READ_RESULT fits = Read(file, "S", "key", nullptr, 7);
    EXPECT_EQ(fits.strText, "abcdef");
    EXPECT_EQ(fits.nReturned, 6u);
    READ_RESULT cut = Read(file, "S", "key", nullptr, 6);
    EXPECT_EQ(cut.strText, "abcde");
    EXPECT_EQ(cut.nReturned, 5u);
    READ_RESULT tiny = Read(file, "S", "key", nullptr, 1);
    EXPECT_EQ(tiny.strText, "");
    EXPECT_EQ(tiny.nReturned, 0u);
    READ_RESULT cutDefault = Read(file, "S", "none", "0123456789", 4);
    EXPECT_EQ(cutDefault.strText, "012");
    EXPECT_EQ(cutDefault.nReturned, 3u);

    char untouched = 'x';
    EXPECT_EQ(GetPrivateProfileStringA("S", "key", nullptr, &untouched, 0, file.c_str()), 0u);
    EXPECT_EQ(untouched, 'x');
}

TEST_F(PrivateProfileTest, ListsSectionAndKeyNamesInFileOrder)
{
    std::string file = m_dir.Write("l.ini", "orphan=1\n[alpha]\nk2=1\nK1=2\n[beta]\n[gamma]\nx=1\n");
    std::vector<char> buffer(64, 'x');

    DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), 64, file.c_str());
    EXPECT_EQ(RawList(buffer, n), std::string("alpha\0beta\0gamma\0\0", 18));
    EXPECT_EQ(n, 17u);

    n = GetPrivateProfileStringA("ALPHA", nullptr, nullptr, buffer.data(), 64, file.c_str());
    EXPECT_EQ(RawList(buffer, n), std::string("k2\0K1\0\0", 7));
    EXPECT_EQ(n, 6u);

    // A section without keys gives the default as a plain string.
    EXPECT_EQ(Value(file, "beta", nullptr, "none"), "none");

    n = GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer.data(), 64, m_dir.File("missing.ini").c_str());
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '\0');
}

TEST_F(PrivateProfileTest, ListTooLongForTheBufferEndsWithACutNameAndTwoNuls)
{
    std::string file = m_dir.Write("l.ini", "[alpha]\n[beta]\n[gamma]\n");
    std::vector<char> buffer(16, 'x');

    DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), 10, file.c_str());
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(std::string(buffer.data(), 10), std::string("alpha\0be\0\0", 10));
    EXPECT_EQ(buffer[10], 'x');

    // Room for exactly one name and the final NUL.
    n = GetPrivateProfileSectionNamesA(buffer.data(), 7, file.c_str());
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(std::string(buffer.data(), 7), std::string("alpha\0\0", 7));

    n = GetPrivateProfileSectionNamesA(buffer.data(), 2, file.c_str());
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(std::string(buffer.data(), 2), std::string("\0\0", 2));
}

TEST_F(PrivateProfileTest, SectionEntriesAreListedAsKeyValueLines)
{
    std::string file = m_dir.Write("s.ini", "[Run]\n; note\nb = two words \na=\"q\"\n[Other]\nc=3\n");
    std::vector<char> buffer(64, 'x');

    DWORD n = GetPrivateProfileSectionA("run", buffer.data(), 64, file.c_str());
    EXPECT_EQ(RawList(buffer, n), std::string("b=two words\0a=\"q\"\0\0", 19));

    n = GetPrivateProfileSectionA("run", buffer.data(), 8, file.c_str());
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(std::string(buffer.data(), 8), std::string("b=two \0\0", 8));
}

TEST_F(PrivateProfileTest, IntegersAreReadFromTheLeadingNumber)
{
    std::string file = m_dir.Write("i.ini", "[N]\nplain=12\nblanks=  7  \nnegative=-3\nhex=0x1F\n"
                                            "trailing=12abc\ntext=abc\nempty=\n");

    EXPECT_EQ(GetPrivateProfileIntA("N", "plain", 5, file.c_str()), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "blanks", 5, file.c_str()), 7u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("N", "negative", 5, file.c_str())), -3);
    EXPECT_EQ(GetPrivateProfileIntA("N", "hex", 5, file.c_str()), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "trailing", 5, file.c_str()), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "text", 5, file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "empty", 5, file.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "missing", 5, file.c_str()), 5u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("N", "missing", -1, file.c_str())), -1);
}

TEST_F(PrivateProfileTest, FileChangedInPlaceWithinTheSameTimestampIsReadAgain)
{
    std::string file = m_dir.Write("c.ini", "[S]\nkey=old\n");
    ASSERT_EQ(Value(file, "S", "key"), "old");
    struct stat before = {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);

    // Same size, same inode, and the modification time put back exactly.
    m_dir.Write("c.ini", "[S]\nkey=new\n");
    timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

    EXPECT_EQ(Value(file, "S", "key"), "new");
}

TEST_F(PrivateProfileTest, FileReplacedOrRemovedIsReadAgain)
{
    std::string file = m_dir.Write("c.ini", "[S]\nkey=old\n");
    ASSERT_EQ(Value(file, "S", "key"), "old");

    std::string other = m_dir.Write("other.ini", "[S]\nkey=new\n");
    fs::rename(other, file);
    EXPECT_EQ(Value(file, "S", "key"), "new");

    fs::remove(file);
    EXPECT_EQ(Value(file, "S", "key", "gone"), "gone");
}

TEST_F(PrivateProfileTest, WritingCreatesTheFile)
{
    std::string file = m_dir.File("new.ini");

    ASSERT_TRUE(WritePrivateProfileStringA("General", "ParameterFile", "data.prm", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Run", "Count", "3", file.c_str()));

    EXPECT_EQ(ReadFileBytes(file), "[General]\nParameterFile=data.prm\n\n[Run]\nCount=3\n");
    EXPECT_EQ(Value(file, "general", "parameterfile"), "data.prm");
}

TEST_F(PrivateProfileTest, WritingKeepsEveryOtherLineAsItWas)
{
    std::string file = m_dir.Write("k.ini", "; Settings of the script\n"
                                            "[General]\n"
                                            "ParameterFile = old.prm   \n"
                                            "# keep me\n"
                                            "DefaultCfg=default.cfg\n"
                                            "\n"
                                            "; about Other\n"
                                            "[Other]\n"
                                            "x = 1\n");

    ASSERT_TRUE(WritePrivateProfileStringA("general", "parameterfile", "new.prm", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("General", "Added", "5", file.c_str()));

    EXPECT_EQ(ReadFileBytes(file), "; Settings of the script\n"
                                   "[General]\n"
                                   "ParameterFile = new.prm\n"
                                   "# keep me\n"
                                   "DefaultCfg=default.cfg\n"
                                   "Added=5\n"
                                   "\n"
                                   "; about Other\n"
                                   "[Other]\n"
                                   "x = 1\n");
}

TEST_F(PrivateProfileTest, NullValueDeletesTheKeyAndNullKeyTheSection)
{
    std::string file = m_dir.Write("del.ini", "[A]\nkeep=1\ndrop=2\n\n; about B\n[B]\nb=1\n\n[C]\nc=1\n");

    ASSERT_TRUE(WritePrivateProfileStringA("a", "DROP", nullptr, file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("b", nullptr, nullptr, file.c_str()));

    EXPECT_EQ(ReadFileBytes(file), "[A]\nkeep=1\n\n; about B\n[C]\nc=1\n");
    EXPECT_EQ(Value(file, "A", "drop", "gone"), "gone");
    EXPECT_EQ(Value(file, "B", "b", "gone"), "gone");
}

TEST_F(PrivateProfileTest, DeletingFromAMissingFileCreatesNothing)
{
    std::string file = m_dir.File("none.ini");

    EXPECT_TRUE(WritePrivateProfileStringA("S", "k", nullptr, file.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("S", nullptr, nullptr, file.c_str()));
    EXPECT_FALSE(FileExists(file));
}

TEST_F(PrivateProfileTest, AUtf8SignatureIsNoPartOfTheFirstSection)
{
    std::string file = m_dir.Write("bom.ini", "\xEF\xBB\xBF[General]\nDefaultCfg=a.cfg\n");

    EXPECT_EQ(Value(file, "General", "DefaultCfg"), "a.cfg");
    ASSERT_TRUE(WritePrivateProfileStringA("General", "ParameterFile", "p.prm", file.c_str()));

    EXPECT_EQ(ReadFileBytes(file), "\xEF\xBB\xBF[General]\nDefaultCfg=a.cfg\nParameterFile=p.prm\n");
}

TEST_F(PrivateProfileTest, NewLinesFollowTheFilesLineEndings)
{
    std::string crlf = m_dir.Write("crlf.ini", "[S]\r\na=1\r\n");
    std::string noEol = m_dir.Write("noeol.ini", "[S]\na=1");

    ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "2", crlf.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "2", noEol.c_str()));

    EXPECT_EQ(ReadFileBytes(crlf), "[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(ReadFileBytes(noEol), "[S]\na=1\nb=2\n");
    EXPECT_EQ(Value(crlf, "S", "a"), "1");
}

TEST_F(PrivateProfileTest, WriteReplacesTheFileAtomicallyKeepingItsMode)
{
    std::string file = m_dir.Write("m.ini", "[S]\na=1\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ino_t before = InodeOf(file);

    ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "2", file.c_str()));

    EXPECT_NE(InodeOf(file), before);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(DirectoryEntries(m_dir.Path()), std::vector<std::string>{"m.ini"});
}

TEST_F(PrivateProfileTest, WriteThroughALinkReplacesTheTarget)
{
    std::string target = m_dir.Write("real.ini", "[S]\na=1\n");
    std::string link = m_dir.File("link.ini");
    fs::create_symlink(target, link);

    ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "2", link.c_str()));

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "[S]\na=2\n");
}

TEST_F(PrivateProfileTest, FailedWriteLeavesTheOldFileWhole)
{
    std::string file = m_dir.Write("full.ini", "[S]\na=1\n");
    std::string messages;
    AfxSetDebugOutputSink([&](const std::string& text) { messages += text; });

    // A file-size limit makes writing the new content fail as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    BOOL bWritten = WritePrivateProfileStringA("S", "long", std::string(100, 'v').c_str(), file.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_FALSE(bWritten);
    EXPECT_EQ(ReadFileBytes(file), "[S]\na=1\n");
    EXPECT_EQ(DirectoryEntries(m_dir.Path()), std::vector<std::string>{"full.ini"});
    EXPECT_NE(messages.find(file), std::string::npos);
    EXPECT_EQ(Value(file, "S", "long", "none"), "none");
}

TEST_F(PrivateProfileTest, WriteFailsWhereNoFileCanBe)
{
    AfxSetDebugOutputSink([](const std::string&) {});
    std::string inMissingDir = m_dir.File("no/such/dir/a.ini");
    std::string directory = m_dir.File("adir");
    fs::create_directory(directory);

    EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "1", inMissingDir.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "1", directory.c_str()));

    EXPECT_FALSE(FileExists(m_dir.File("no")));
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_TRUE(fs::is_empty(directory));
}

TEST_F(PrivateProfileTest, NamesOrValuesThatWouldBreakTheFileAreRefused)
{
    std::string file = m_dir.Write("r.ini", "[S]\na=1\n");
    std::string messages;
    AfxSetDebugOutputSink([&](const std::string& text) { messages += text + "\n"; });

    EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "two\nlines", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k=v", "1", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("S", " ", "1", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("S]x", "a", "1", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "a", "1", file.c_str()));

    EXPECT_EQ(ReadFileBytes(file), "[S]\na=1\n");
    EXPECT_NE(messages.find("line break"), std::string::npos);
    EXPECT_NE(messages.find("\"k=v\""), std::string::npos);
}

TEST_F(PrivateProfileTest, EveryFailingStepOfAWriteKeepsTheFileByteForByteAndSaysWhy)
{
    const std::string strOld = "; kept\r\n[Section]\r\nkey=old\r\n";
    for (const FILE_FAULT_STEP& step : FileFaultSteps())
    {
        SCOPED_TRACE(step.pszName);
        std::string file = m_dir.Write("a.ini", strOld);
        ASSERT_EQ("old", Value(file, "Section", "key"));
        auto before = DirectoryEntries(m_dir.Path());
        std::string strMessage;
        AfxSetDebugOutputSink([&](const std::string& strText) { strMessage += strText; });
        {
            CFileFault fault(step.nStep);
            EXPECT_FALSE(WritePrivateProfileStringA("Section", "key", "new", file.c_str()));
            EXPECT_GT(fault.Hits(), 0);
        }
        EXPECT_NE(std::string::npos, strMessage.find("a.ini")) << strMessage;
        EXPECT_EQ(strOld, ReadFileBytes(file));
        EXPECT_EQ(before, DirectoryEntries(m_dir.Path()));
        EXPECT_EQ("old", Value(file, "Section", "key"));
        EXPECT_TRUE(WritePrivateProfileStringA("Section", "key", "new", file.c_str()));
        EXPECT_EQ("new", Value(file, "Section", "key"));
    }
}

TEST_F(PrivateProfileTest, AFileHoldingANulByteIsNotWrittenSinceTheWriteCouldNotBeReadBack)
{
    const std::string strOld("[General]\nkey=a\0b\n[Later]\nx=1\n", 30);
    std::string file = m_dir.Write("nul.ini", strOld);
    EXPECT_FALSE(WritePrivateProfileStringA("Added", "key", "value", file.c_str()));
    EXPECT_EQ(strOld, ReadFileBytes(file));
    EXPECT_EQ("a", Value(file, "General", "key"));
}

TEST_F(PrivateProfileTest, AChangeTheReaderCouldNotSeeIsRefused)
{
    // The reader joins a bracket left open with the lines after it, so a
    // section added at the end would be read under another name.
    const std::string strOld = "[S]\r\nk=1\r\n[\n";
    std::string file = m_dir.Write("open.ini", strOld);
    EXPECT_FALSE(WritePrivateProfileStringA("Added", "key", "value", file.c_str()));
    EXPECT_EQ(strOld, ReadFileBytes(file));
    EXPECT_TRUE(WritePrivateProfileStringA("S", "k", "2", file.c_str())) << "a change it sees is made";
    EXPECT_EQ("2", Value(file, "S", "k"));
}
