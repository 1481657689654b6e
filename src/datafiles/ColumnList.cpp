#include "datafiles/ColumnList.h"

#include "resources/StringIds.h"

#include <algorithm>
#include <cctype>

namespace
{
// The most column numbers one list may name: a range against a huge column
// count would otherwise build a text without end.
const long long MAX_LISTED_COLUMNS = 100000;
// Above every column count, so a long run of digits cannot overflow.
const long long NUMBER_CEILING = 1LL << 40;

// Only digits, blanks, commas and dashes make a list.
bool HasOnlyListCharacters(const std::string& strList)
{
    for (char ch : strList)
        if (!std::isdigit(static_cast<unsigned char>(ch)) && ch != ',' && ch != '-' && ch != ' ')
            return false;
    return true;
}

std::string TrimBlanks(const std::string& strText)
{
    size_t nFirst = strText.find_first_not_of(' ');
    if (nFirst == std::string::npos)
        return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(' ') - nFirst + 1);
}

// A column number: digits with nothing but blanks around them.
bool ReadColumnNumber(const std::string& strText, long long& nNumber)
{
    std::string strDigits = TrimBlanks(strText);
    if (strDigits.empty() || strDigits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nNumber = 0;
    for (char ch : strDigits)
        nNumber = std::min(nNumber * 10 + (ch - '0'), NUMBER_CEILING);
    return true;
}

// One item, a number or a range "start-end", appended to strResult. An empty
// item, a column 0 or a range running backwards would be stored as a list
// the engine refuses, or as an empty one that means every column.
int ExpandItem(const std::string& strItem, int nColumns, long long& nListed, std::string& strResult)
{
    size_t nDash = strItem.find('-');
    long long nStart = 0;
    long long nEnd = 0;
    bool bNumbers = nDash == std::string::npos ? ReadColumnNumber(strItem, nStart)
                                               : ReadColumnNumber(strItem.substr(0, nDash), nStart) &&
                                                     ReadColumnNumber(strItem.substr(nDash + 1), nEnd);
    if (!bNumbers)
        return IDS_COLUMN_LIST_FORMAT;
    if (nDash == std::string::npos)
        nEnd = nStart;
    if (nStart > nColumns || nEnd > nColumns)
        return IDS_COLUMN_INDEX_TOO_BIG;
    nListed += nEnd - nStart + 1;
    if (nStart < 1 || nEnd < nStart || nListed > MAX_LISTED_COLUMNS)
        return IDS_COLUMN_LIST_FORMAT;
    for (long long n = nStart; n <= nEnd; ++n)
        strResult += (strResult.empty() ? "" : ",") + std::to_string(n);
    return 0;
}
} // namespace

int ExpandColumnList(const std::string& strList, int nColumns, std::string& strExpanded)
{
    if (!HasOnlyListCharacters(strList))
        return IDS_COLUMN_LIST_FORMAT;
    std::string strResult;
    long long nListed = 0;
    // Items from the left, so the first fault is the one reported.
    bool bBlank = TrimBlanks(strList).empty();
    for (size_t nStart = 0; !bBlank && nStart <= strList.size();)
    {
        size_t nComma = strList.find(',', nStart);
        size_t nEnd = nComma == std::string::npos ? strList.size() : nComma;
        if (int nResult = ExpandItem(strList.substr(nStart, nEnd - nStart), nColumns, nListed, strResult))
            return nResult;
        nStart = nEnd + 1;
    }
    strExpanded = strResult;
    return 0;
}
