#include "FileFault.h"
#include "TempDir.h"
#include "ketrin/Ketrin.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

namespace
{
struct KETRIN_WRITER
{
    const char* pszName;
    std::function<int(const std::string& strPath)> fnWrite;
};

const std::string kNew(200000, 'n'); // several writes' worth

std::vector<KETRIN_WRITER> Writers(const std::string& strSource)
{
    return {
        {"write_file_atomic", [](const std::string& p) { return os_write_file_atomic(p.c_str(), kNew.data(), 5); }},
        {"atomic handle",
         [](const std::string& p)
         {
             OS_ATOMIC_FILE* pFile = os_atomic_open(p.c_str());
             if (!pFile)
                 return 0;
             for (size_t n = 0; n < kNew.size(); n += 50000)
                 if (!os_atomic_write(pFile, kNew.data() + n, 50000))
                     return os_atomic_commit(pFile); // must refuse a file with a gap
             return os_atomic_commit(pFile);
         }},
        {"copy_file", [strSource](const std::string& p) { return os_copy_file(strSource.c_str(), p.c_str(), 1); }},
    };
}
} // namespace

TEST(FileFaultTest, EveryFailingStepOfEveryWriterKeepsTheOldFileAndLeavesNothing)
{
    CTempDir dir;
    std::string strSource = dir.Write("source.dat", "copied bytes\n");
    for (const KETRIN_WRITER& writer : Writers(strSource))
        for (const FILE_FAULT_STEP& step : FileFaultSteps())
        {
            SCOPED_TRACE(std::string(writer.pszName) + " failing at " + step.pszName);
            std::string strOld("old\0bytes\r\n", 11);
            std::string strTarget = dir.Write("target.prm", strOld);
            auto before = DirectoryNames(dir.Path());
            int nResult = 0;
            int nHits = 0;
            {
                CFileFault fault(step.nStep, ENOSPC);
                errno = 0;
                nResult = writer.fnWrite(strTarget);
                EXPECT_EQ(ENOSPC, errno);
                nHits = fault.Hits();
            }
            EXPECT_EQ(0, nResult);
            EXPECT_GT(nHits, 0);
            EXPECT_EQ(strOld, ReadFileBytes(strTarget));
            EXPECT_EQ(before, DirectoryNames(dir.Path()));
            // Without the fault the same write goes through.
            EXPECT_EQ(1, writer.fnWrite(strTarget));
            EXPECT_NE(strOld, ReadFileBytes(strTarget));
        }
}

TEST(FileFaultTest, AbandonedHandleRemovesItsTemporaryFile)
{
    CTempDir dir;
    std::string strTarget = dir.Write("a.dat", "old");
    OS_ATOMIC_FILE* pFile = os_atomic_open(strTarget.c_str());
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(2u, DirectoryNames(dir.Path()).size());
    EXPECT_EQ(1, os_atomic_write(pFile, "new", 3));
    os_atomic_abandon(pFile);
    EXPECT_EQ(std::vector<std::string>{"a.dat"}, DirectoryNames(dir.Path()));
    EXPECT_EQ("old", ReadFileBytes(strTarget));
    EXPECT_EQ(nullptr, os_atomic_open(""));
    EXPECT_EQ(nullptr, os_atomic_open(dir.File("missing/a.dat").c_str()));
}
