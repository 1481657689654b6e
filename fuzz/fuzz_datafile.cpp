// The data-file reader and the line counter on any bytes. The first byte
// picks the delimiter and the first data line. A table saved unchanged must
// be byte for byte the file it read, and the counter must agree with it.
#include "FuzzFile.h"
#include "brasko/Brasko.h"

namespace
{
const char* const kDelimiters[] = {",", "\t", " ", ";", "|", "||", "ab"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    const char* pszDelimiter = kDelimiters[pData[0] % std::size(kDelimiters)];
    int nFirstLine = 1 + (pData[0] >> 6);
    std::string strBytes(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    std::string strPath = WriteFuzzFile("table.dat", strBytes);

    int nLines = 0;
    int nCounted = GetNumberOfLinesEx(strPath.c_str(), pszDelimiter, &nLines);

    BRASKO_TABLE table = {};
    int nFirst = nFirstLine;
    int nResult = OpenTable(strPath.c_str(), &table, BRASKO_MODE_READ_WRITE, pszDelimiter, &nFirst, "");
    if (nResult == BRASKO_OK || nResult == BRASKO_E_FIRST_LINE)
    {
        int nRows = -1;
        int nColumns = -1;
        FUZZ_CHECK(GetLineCount(&table, &nRows) == BRASKO_OK && GetColumnCount(&table, &nColumns) == BRASKO_OK);
        for (int nRow = 0; nRow < nRows && nRow < 50; ++nRow)
            for (int nColumn = 0; nColumn < nColumns && nColumn < 50; ++nColumn)
            {
                char szCell[64];
                int nLength = 0;
                int nCell = GetCellValByIndex(&table, nColumn, nRow, szCell, &nLength, sizeof szCell);
                // Rows are read when first asked for, so a bad one shows here.
                FUZZ_CHECK(nCell == BRASKO_OK || nCell == BRASKO_E_BUFFER || nCell == BRASKO_E_FORMAT);
            }
        if (nResult == BRASKO_OK)
        {
            // The counter gives the lines after the names; the rows start at the first data line.
            FUZZ_CHECK(nCounted == BRASKO_OK && nLines - (nFirstLine - 1) == nRows);
            std::string strCopy = FuzzDir() + "/copy.dat";
            FUZZ_CHECK(SaveTable(&table, strCopy.c_str()) == BRASKO_OK);
            FUZZ_CHECK(ReadFuzzFile(strCopy) == strBytes);
        }
        CloseTable(&table);
    }
    return 0;
}
