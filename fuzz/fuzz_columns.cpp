// A Table parameter's column list on any text and any column count: the
// first byte is the count, or, with its top bit set, the next four bytes
// are. It answers at once, leaves the result alone when it refuses, and what
// it accepts is numbered columns of the file that expand to themselves.
#include "FuzzFile.h"
#include "datafiles/ColumnList.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstring>

namespace
{
bool IsColumnNumberList(const std::string& strList, int nColumns)
{
    size_t nStart = 0;
    while (nStart < strList.size())
    {
        size_t nComma = std::min(strList.find(',', nStart), strList.size());
        std::string strNumber = strList.substr(nStart, nComma - nStart);
        if (strNumber.empty() || strNumber.size() > 10 ||
            strNumber.find_first_not_of("0123456789") != std::string::npos || strNumber[0] == '0' ||
            std::stoll(strNumber) > nColumns)
            return false;
        nStart = nComma + 1;
        if (nComma + 1 == strList.size())
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    int nColumns = pData[0];
    size_t nHead = 1;
    if (pData[0] & 0x80)
    {
        if (nSize < 5)
            return 0;
        std::memcpy(&nColumns, pData + 1, sizeof nColumns);
        nHead = 5;
    }
    std::string strList(reinterpret_cast<const char*>(pData + nHead), nSize - nHead);

    std::string strExpanded = "unchanged";
    int nResult = ExpandColumnList(strList, nColumns, strExpanded);
    FUZZ_CHECK(nResult == 0 || nResult == IDS_COLUMN_INDEX_TOO_BIG || nResult == IDS_COLUMN_LIST_FORMAT);
    if (nResult != 0)
    {
        FUZZ_CHECK(strExpanded == "unchanged");
        return 0;
    }
    FUZZ_CHECK(IsColumnNumberList(strExpanded, nColumns));
    std::string strAgain;
    FUZZ_CHECK(ExpandColumnList(strExpanded, nColumns, strAgain) == 0 && strAgain == strExpanded);
    return 0;
}
