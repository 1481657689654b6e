#include "brasko/Brasko.h"

#include "brasko/AtomicFile.h"
#include "brasko/DataTable.h"
#include "brasko/FieldCodec.h"
#include "brasko/RecordScanner.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>
#include <unistd.h>

namespace
{
// Marks a handle record that holds a table; any other value means closed.
constexpr unsigned int kOpenMagic = 0x4252544Bu;
constexpr int64_t kMaxLine = 0x1FFFFFFF;

thread_local unsigned int t_nLastError = 0;

int Fail(int nResult, int64_t nLine = 0)
{
    t_nLastError = BRASKO_ERROR_LINE_FLAG | static_cast<unsigned int>(std::min(nLine, kMaxLine));
    return nResult;
}

// Memory and length failures of the standard library become results, so
// that no exception crosses the C interface.
template <typename F> int Guarded(F body)
{
    try
    {
        return body();
    }
    catch (const std::bad_alloc&)
    {
        return Fail(BRASKO_E_NO_MEMORY);
    }
    catch (const std::length_error&)
    {
        return Fail(BRASKO_E_TOO_LARGE);
    }
}

CDataTable* TableOf(BRASKO_TABLE* pTable)
{
    if (!pTable || pTable->nMagic != kOpenMagic)
        return nullptr;
    return static_cast<CDataTable*>(pTable->pTable);
}

// Runs body on the open table and records the last error of a failure.
template <typename F> int WithTable(BRASKO_TABLE* pTable, F body)
{
    CDataTable* pData = TableOf(pTable);
    if (!pData)
        return Fail(BRASKO_E_NOT_OPEN);
    return Guarded(
        [&]
        {
            int nResult = body(*pData);
            if (nResult >= 0)
                return nResult;
            bool bLine = nResult == BRASKO_E_FORMAT || nResult == BRASKO_E_FIRST_LINE;
            return Fail(nResult, bLine ? pData->GetFaultLine() : 0);
        });
}

int SizeOf(const std::string& strText)
{
    return strText.size() > INT_MAX ? BRASKO_E_TOO_LARGE : static_cast<int>(strText.size());
}

// Copies the text and its NUL; never a part of it.
int CopyOut(const std::string& strText, char* pszBuffer, int* pnLength, int nBufferSize)
{
    if (!pszBuffer || nBufferSize < 0)
        return BRASKO_E_ARGUMENT;
    if (strText.size() >= static_cast<size_t>(nBufferSize))
        return BRASKO_E_BUFFER;
    memcpy(pszBuffer, strText.c_str(), strText.size() + 1);
    if (pnLength)
        *pnLength = static_cast<int>(strText.size());
    return BRASKO_OK;
}

bool IsNameAttribute(const char* pszAttribute)
{
    return pszAttribute && strcasecmp(pszAttribute, "name") == 0;
}

void ReleaseTable(BRASKO_TABLE* pTable)
{
    delete TableOf(pTable);
    pTable->nMagic = 0;
    pTable->pTable = nullptr;
}
} // namespace

extern "C"
{

    int OpenTable(const char* pszPath, BRASKO_TABLE* pTable, int nMode, const char* pszDelimiter, int* pnFirstLine,
                  const char* pszReserved)
    {
        if (!pTable)
            return Fail(BRASKO_E_ARGUMENT);
        ReleaseTable(pTable);
        if (!pszPath || !pszDelimiter || !pnFirstLine)
            return Fail(BRASKO_E_ARGUMENT);
        return Guarded(
            [&]
            {
                auto pData = std::make_unique<CDataTable>();
                int nResult = pData->Open(pszPath, nMode, pszDelimiter, *pnFirstLine);
                int64_t nLine = pData->GetFaultLine();
                bool bLine = nResult == BRASKO_E_FORMAT || nResult == BRASKO_E_FIRST_LINE;
                if (nResult == BRASKO_OK || nResult == BRASKO_E_FIRST_LINE)
                {
                    pTable->pTable = pData.release();
                    pTable->nMagic = kOpenMagic;
                }
                return nResult == BRASKO_OK ? nResult : Fail(nResult, bLine ? nLine : 0);
            });
    }

    int CloseTable(BRASKO_TABLE* pTable)
    {
        if (!TableOf(pTable))
            return Fail(BRASKO_E_NOT_OPEN);
        ReleaseTable(pTable);
        return BRASKO_OK;
    }

    int GetLineCount(BRASKO_TABLE* pTable, int* pnRows)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!pnRows)
                                 return BRASKO_E_ARGUMENT;
                             *pnRows = table.GetRowCount();
                             return BRASKO_OK;
                         });
    }

    int GetColumnCount(BRASKO_TABLE* pTable, int* pnColumns)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!pnColumns)
                                 return BRASKO_E_ARGUMENT;
                             *pnColumns = table.GetColumnCount();
                             return BRASKO_OK;
                         });
    }

    int GetColHeadSizeByIndex(BRASKO_TABLE* pTable, int nColumn)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             const std::string* pName = nullptr;
                             int nResult = table.GetColumnName(nColumn, pName);
                             return nResult == BRASKO_OK ? SizeOf(*pName) : nResult;
                         });
    }

    int GetColHeadSizeByName(BRASKO_TABLE* pTable, const char* pszName)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!pszName)
                                 return BRASKO_E_ARGUMENT;
                             int nColumn = table.FindColumn(pszName);
                             return nColumn < 0 ? nColumn : SizeOf(pszName);
                         });
    }

    int GetColAttrByIndex(BRASKO_TABLE* pTable, int nColumn, const char* pszAttribute, char* pszBuffer, int* pnLength,
                          int nBufferSize)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!IsNameAttribute(pszAttribute))
                                 return BRASKO_E_ARGUMENT;
                             const std::string* pName = nullptr;
                             int nResult = table.GetColumnName(nColumn, pName);
                             return nResult == BRASKO_OK ? CopyOut(*pName, pszBuffer, pnLength, nBufferSize) : nResult;
                         });
    }

    int GetColAttrByName(BRASKO_TABLE* pTable, const char* pszName, const char* pszAttribute, char* pszBuffer,
                         int* pnLength, int nBufferSize)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!pszName || !IsNameAttribute(pszAttribute))
                                 return BRASKO_E_ARGUMENT;
                             int nColumn = table.FindColumn(pszName);
                             return nColumn < 0 ? nColumn : CopyOut(pszName, pszBuffer, pnLength, nBufferSize);
                         });
    }

    int GetCellSizeByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             const std::string* pValue = nullptr;
                             int nResult = table.GetCell(nColumn, nRow, pValue);
                             return nResult == BRASKO_OK ? SizeOf(*pValue) : nResult;
                         });
    }

    int GetCellValByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow, char* pszBuffer, int* pnLength, int nBufferSize)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             const std::string* pValue = nullptr;
                             int nResult = table.GetCell(nColumn, nRow, pValue);
                             return nResult == BRASKO_OK ? CopyOut(*pValue, pszBuffer, pnLength, nBufferSize) : nResult;
                         });
    }

    int SetCellValByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow, const char* pszText, int nLength)
    {
        return WithTable(pTable,
                         [&](CDataTable& table)
                         {
                             if (!pszText && nLength != 0)
                                 return BRASKO_E_ARGUMENT;
                             size_t nSize = nLength < 0 ? strlen(pszText) : static_cast<size_t>(nLength);
                             return table.SetCell(nColumn, nRow, std::string(pszText ? pszText : "", nSize));
                         });
    }

    int CreateColumn(BRASKO_TABLE* pTable, int nPosition, const char* pszName, int nReserved)
    {
        return WithTable(pTable, [&](CDataTable& table)
                         { return pszName ? table.CreateColumn(nPosition, pszName) : BRASKO_E_ARGUMENT; });
    }

    int CreateRow(BRASKO_TABLE* pTable)
    {
        return WithTable(pTable, [&](CDataTable& table) { return table.CreateRow(); });
    }

    int DeleteRow(BRASKO_TABLE* pTable, int nRow)
    {
        return WithTable(pTable, [&](CDataTable& table) { return table.DeleteRow(nRow); });
    }

    int DeleteColumn(BRASKO_TABLE* pTable, int nColumn)
    {
        return WithTable(pTable, [&](CDataTable& table) { return table.DeleteColumn(nColumn); });
    }

    int SaveTable(BRASKO_TABLE* pTable, const char* pszPath)
    {
        return WithTable(pTable, [&](CDataTable& table)
                         { return pszPath && *pszPath ? table.Save(pszPath) : BRASKO_E_ARGUMENT; });
    }

    int CreateTable(const char* pszPath, char cDelimiter)
    {
        if (!pszPath || !*pszPath || !CFieldCodec::IsValidDelimiter(std::string(1, cDelimiter)))
            return Fail(BRASKO_E_ARGUMENT);
        return Guarded(
            [&]
            {
                CAtomicFile file;
                int nResult = file.Open(pszPath);
                if (nResult == BRASKO_OK)
                    nResult = file.Commit();
                return nResult == BRASKO_OK ? nResult : Fail(nResult);
            });
    }

    int GetNumberOfLinesEx(const char* pszPath, const char* pszDelimiter, int* pnLines)
    {
        if (!pszPath || !pszDelimiter || !pnLines || !CFieldCodec::IsValidDelimiter(pszDelimiter))
            return Fail(BRASKO_E_ARGUMENT);
        return Guarded(
            [&]
            {
                int fd = -1;
                if (CRecordScanner::OpenFile(pszPath, fd) != BRASKO_OK)
                    return Fail(BRASKO_E_IO);
                CRecordScanner scanner(false, pszDelimiter);
                int nResult = scanner.Scan(fd);
                close(fd);
                if (nResult != BRASKO_OK)
                    return Fail(nResult, nResult == BRASKO_E_FORMAT ? scanner.GetFaultLine() : 0);
                int64_t nDataLines = std::max<int64_t>(scanner.GetRecordCount() - 1, 0);
                int64_t nTotal = *pnLines + nDataLines;
                if (nTotal > INT_MAX)
                    return Fail(BRASKO_E_TOO_LARGE);
                *pnLines = static_cast<int>(nTotal);
                return BRASKO_OK;
            });
    }

    unsigned int BraskoGetLastError(void)
    {
        return t_nLastError;
    }

} // extern "C"
