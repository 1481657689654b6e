#include "datafiles/FileSample.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(FileSample, TheFirstThreeValuesOfTheColumnJoinedByTheDelimiter)
{
    CTempDir dir;
    std::string strPath = dir.Write("t.dat", "Name;City\nSmith;Oslo\nJones;Rome\nBrown;Lima\nLee;Pune\n");
    struct CASE
    {
        const char* pszStartRow;
        const char* pszColumn;
        const char* pszSample;
    } cases[] = {
        {"1", "Col 2", "Oslo;Rome;Lima"},
        {"1", "city", "Oslo;Rome;Lima"},
        {"1", "Nowhere", "Smith;Jones;Brown"},
        {"3", "Col 1", "Brown;Lee"},
        {"4", "Name", "Lee"},
        {"1", "Col 9", ""},
    };
    for (const CASE& c : cases)
        EXPECT_EQ(BuildFileSample(strPath, ";", c.pszStartRow, c.pszColumn), c.pszSample)
            << c.pszStartRow << " " << c.pszColumn;
    EXPECT_EQ(BuildFileSample(dir.File("missing.dat"), ",", "1", "Col 1"), "");
}
