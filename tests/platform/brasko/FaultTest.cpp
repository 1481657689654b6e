#include "FileFault.h"
#include "OpenedTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
struct TABLE_WRITER
{
    const char* pszName;
    // Writes over strPath, a table file; answers the library's result.
    std::function<int(const std::string& strPath)> fnWrite;
    bool bWritesBytes = true; // an empty file needs no write step
};

const std::vector<TABLE_WRITER>& Writers()
{
    static const std::vector<TABLE_WRITER> writers = {
        {"SaveTable of a changed cell",
         [](const std::string& strPath)
         {
             COpenedTable table(strPath);
             std::string strValue(3000000, 'v'); // more than one buffer's worth
             SetCellValByIndex(table.Get(), 0, 1, strValue.data(), static_cast<int>(strValue.size()));
             return SaveTable(table.Get(), strPath.c_str());
         }},
        {"SaveTable of a new column",
         [](const std::string& strPath)
         {
             COpenedTable table(strPath);
             CreateColumn(table.Get(), -1, "added", 0);
             return SaveTable(table.Get(), strPath.c_str());
         }},
        {"CreateTable", [](const std::string& strPath) { return CreateTable(strPath.c_str(), ','); }, false},
    };
    return writers;
}
} // namespace

TEST(BraskoFault, EveryFailingStepKeepsTheOldFileByteForByteAndLeavesNoTemporaryFile)
{
    CTempDir dir;
    const std::string strOld = "name,age\r\nAnn,1\r\n\"Bo,b\",2\nlast,3";
    for (const TABLE_WRITER& writer : Writers())
        for (const FILE_FAULT_STEP& step : FileFaultSteps())
        {
            if (step.nStep == OS_STEP_WRITE && !writer.bWritesBytes)
                continue;
            SCOPED_TRACE(std::string(writer.pszName) + " failing at " + step.pszName);
            std::string strPath = dir.Write("table.dat", strOld);
            auto before = DirectoryNames(dir.Path());
            int nResult = 0;
            {
                CFileFault fault(step.nStep);
                nResult = writer.fnWrite(strPath);
                EXPECT_GT(fault.Hits(), 0);
            }
            EXPECT_EQ(BRASKO_E_IO, nResult);
            EXPECT_EQ(strOld, ReadFileBytes(strPath));
            EXPECT_EQ(before, DirectoryNames(dir.Path()));
            EXPECT_EQ(BRASKO_OK, writer.fnWrite(strPath));
            EXPECT_NE(strOld, ReadFileBytes(strPath));
        }
}
