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
    } cases[] = {
        {"1-3,5", 0, "1,2,3,5"},
        {"2,4", 0, "2,4"},
        {"5,1-2", 0, "5,1,2"},
        {"3-1", 0, ""},
        {"1-2-3,4", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"1,x", IDS_COLUMN_LIST_FORMAT, "unchanged"},
        {"6", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
        {"1-6", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
        {"6,1", IDS_COLUMN_INDEX_TOO_BIG, "unchanged"},
    };
    for (const CASE& c : cases)
    {
        std::string strExpanded = "unchanged";
        EXPECT_EQ(ExpandColumnList(c.pszList, 5, strExpanded), c.nResult) << c.pszList;
        EXPECT_EQ(strExpanded, c.pszExpanded) << c.pszList;
    }
}
