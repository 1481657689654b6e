#include "datafiles/ColumnList.h"

#include "resources/StringIds.h"

#include <gtest/gtest.h>

TEST(ColumnList, RangesAndNumbersExpandAgainstTheColumnCount)
{
    struct CASE
    {
        const char* pszList;
        int nResult;
        const char* pszExpanded;
        int nColumns = 5;
    } cases[] = {
        {"1-3,5", 0, "1,2,3,5"},
        {"2,4", 0, "2,4"},
        {"5,1-2", 0, "5,1,2"},
        {"3-1", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1-2-3,4", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1,x", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"6", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
        {"1-6", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
        {"6,1", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
        {" 4 , 1 - 2 ", 0, "4,1,2"},
        {"003,1", 0, "3,1"},
        {"  ", 0, ""},
        {"1 2", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"0,1", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1,,2", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1-3,", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"-2", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"2-", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1", IDS_COLUMN_INDEX_TOO_BIG, "unchanged", 0},
        {"1", IDS_COLUMN_INDEX_TOO_BIG, "unchanged", -3},
        {"99999999999999999999", IDS_COLUMN_INDEX_TOO_BIG, "unchanged", 2147483647},
        {"1-2000000000", IDS_COLUMN_LIST_FORMAT, "unchanged", 2147483647},
        {"99998-100000", 0, "99998,99999,100000", 100000},
        {"1-100000,1", IDS_COLUMN_LIST_FORMAT, "unchanged", 100000},
    };
    for (const CASE& c : cases)
    {
        std::string strExpanded = "unchanged";
        EXPECT_EQ(ExpandColumnList(c.pszList, c.nColumns, strExpanded), c.nResult) << c.pszList;
        EXPECT_EQ(strExpanded, c.pszExpanded) << c.pszList;
    }
}
