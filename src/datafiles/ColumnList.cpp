#include "datafiles/ColumnList.h"

#include "resources/StringIds.h"

#include <cctype>
#include <cstdlib>

namespace
{
// The decimal number at the start of the text, up to its first non-digit.
long LeadingNumber(const std::string& strText)
{
    return std::strtol(strText.c_str(), nullptr, 10);
}

// Only digits, blanks, commas and dashes make a list; anything else would
// be read as column 0 without a word.
bool HasOnlyListCharacters(const std::string& strList)
{
    for (char ch : strList)
        if (!std::isdigit(static_cast<unsigned char>(ch)) && ch != ',' && ch != '-' && ch != ' ')
            return false;
    return true;
}
} // namespace

int ExpandColumnList(const std::string& strList, int nColumns, std::string& strExpanded)
{
    if (!HasOnlyListCharacters(strList))
        return IDS_COLUMN_LIST_FORMAT;
    std::string strRest = strList;
    std::string strResult;
    while (!strRest.empty())
    {
        size_t nDash = strRest.find('-');
        size_t nComma = strRest.find(',');
        // A range only when it is the first item: "5,1-2" is 5 and then 1-2.
        if (nDash != std::string::npos && (nComma == std::string::npos || nDash < nComma))
        {
            size_t nEndComma = strRest.find(',', nDash + 1);
            std::string strEnd =
                strRest.substr(nDash + 1, nEndComma == std::string::npos ? std::string::npos : nEndComma - nDash - 1);
            if (strEnd.find('-') != std::string::npos)
                return IDS_COLUMN_LIST_FORMAT;
            long nStart = LeadingNumber(strRest.substr(0, nDash));
            long nEnd = LeadingNumber(strEnd);
            if (nStart > nColumns || nEnd > nColumns)
                return IDS_COLUMN_INDEX_TOO_BIG;
            for (long n = nStart; n <= nEnd; ++n)
                strResult += std::to_string(n) + ",";
            if (nEndComma == std::string::npos)
            {
                if (!strResult.empty() && strResult.back() == ',')
                    strResult.pop_back();
                strRest.clear();
            }
            else
                strRest.erase(0, nEndComma + 1);
        }
        else if (nComma != std::string::npos)
        {
            std::string strNumber = strRest.substr(0, nComma);
            if (LeadingNumber(strNumber) > nColumns)
                return IDS_COLUMN_INDEX_TOO_BIG;
            strResult += strNumber + ",";
            strRest.erase(0, nComma + 1);
        }
        else
        {
            if (LeadingNumber(strRest) > nColumns)
                return IDS_COLUMN_INDEX_TOO_BIG;
            strResult += strRest;
            strRest.clear();
        }
    }
    strExpanded = strResult;
    return 0;
}
