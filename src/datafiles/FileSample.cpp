#include "datafiles/FileSample.h"

#include "datafiles/ExtendedDtable.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace
{
const int SAMPLE_ROWS = 3;

// "Col N" is column N - 1; otherwise the first column of that name, ignoring
// case, and column 0 when none has it.
int SampleColumn(CExtendedDtable& table, const std::string& strColumn)
{
    int nNumber = 0;
    if (CExtendedDtable::ParseColumnNumber(strColumn, nNumber))
        return nNumber - 1;
    int nCount = table.GetColumnCount();
    for (int c = 0; c < nCount; ++c)
    {
        std::string strName;
        if (table.GetColumnName(c, strName) == 0 && strcasecmp(strName.c_str(), strColumn.c_str()) == 0)
            return c;
    }
    return 0;
}
} // namespace

std::string BuildFileSample(const std::string& strPath, const std::string& strDelimiter, const std::string& strStartRow,
                            const std::string& strColumn)
{
    CExtendedDtable table;
    if (table.OpenTable(strPath, BRASKO_MODE_READ_ONLY, strDelimiter, std::atoi(strStartRow.c_str())) != 0)
        return std::string();
    int nColumn = SampleColumn(table, strColumn);
    int nRows = std::min(SAMPLE_ROWS, table.GetLineCount());
    std::string strSample;
    for (int r = 0; r < nRows; ++r)
    {
        // A column the file lacks gives no value, not empty ones.
        std::string strValue;
        if (table.GetCellValue(nColumn, r, strValue) != 0)
            continue;
        if (r > 0)
            strSample += strDelimiter;
        strSample += strValue;
    }
    table.CloseTable();
    return strSample;
}
