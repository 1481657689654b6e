#include "datafiles/ExtendedDtable.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace
{
// "Ignoring case" folds ASCII letters only.
char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string& strA, const std::string& strB)
{
    if (strA.size() != strB.size())
        return false;
    for (size_t i = 0; i < strA.size(); ++i)
        if (FoldCase(strA[i]) != FoldCase(strB[i]))
            return false;
    return true;
}

// The library's texts: ask the size, read into size + 1 bytes, copy.
template <typename F> int ReadText(int nSize, std::string& strText, F read)
{
    strText.clear();
    if (nSize <= 0)
        return nSize;
    std::vector<char> buffer(static_cast<size_t>(nSize) + 1);
    int nLength = 0;
    int nResult = read(buffer.data(), &nLength, nSize + 1);
    if (nResult == BRASKO_OK)
        strText.assign(buffer.data(), static_cast<size_t>(nLength));
    return nResult;
}
} // namespace

CExtendedDtable::CExtendedDtable() : m_hTable() {}

CExtendedDtable::~CExtendedDtable()
{
    CloseTable();
}

int CExtendedDtable::OpenTable(const std::string& strPath, int nMode, const std::string& strDelimiter, int nFirstLine)
{
    int nResult = ::OpenTable(strPath.c_str(), &m_hTable, nMode, strDelimiter.c_str(), &nFirstLine, "");
    m_bOpen = nResult == BRASKO_OK || nResult == BRASKO_E_FIRST_LINE;
    return nResult;
}

int CExtendedDtable::CloseTable()
{
    if (!m_bOpen)
        return BRASKO_OK;
    m_bOpen = false;
    return ::CloseTable(&m_hTable);
}

int CExtendedDtable::GetLineCount()
{
    int nRows = 0;
    int nResult = ::GetLineCount(&m_hTable, &nRows);
    return nResult != BRASKO_OK ? nResult : nRows;
}

int CExtendedDtable::GetColumnCount()
{
    int nColumns = 0;
    int nResult = ::GetColumnCount(&m_hTable, &nColumns);
    return nResult != BRASKO_OK ? nResult : nColumns;
}

int CExtendedDtable::GetColumnName(int nColumn, std::string& strName)
{
    return ReadText(GetColHeadSizeByIndex(&m_hTable, nColumn), strName,
                    [&](char* pszBuffer, int* pnLength, int nSize)
                    { return GetColAttrByIndex(&m_hTable, nColumn, "name", pszBuffer, pnLength, nSize); });
}

int CExtendedDtable::GetCellValue(int nColumn, int nRow, std::string& strValue)
{
    return ReadText(GetCellSizeByIndex(&m_hTable, nColumn, nRow), strValue,
                    [&](char* pszBuffer, int* pnLength, int nSize)
                    { return GetCellValByIndex(&m_hTable, nColumn, nRow, pszBuffer, pnLength, nSize); });
}

int CExtendedDtable::SetCellValue(int nColumn, int nRow, const std::string& strValue)
{
    if (strValue.size() > static_cast<size_t>(INT_MAX))
        return BRASKO_E_TOO_LARGE;
    return SetCellValByIndex(&m_hTable, nColumn, nRow, strValue.data(), static_cast<int>(strValue.size()));
}

int CExtendedDtable::CreateColumn(int nPosition, const std::string& strName)
{
    return ::CreateColumn(&m_hTable, nPosition, strName.c_str(), 0);
}

int CExtendedDtable::CreateRow()
{
    return ::CreateRow(&m_hTable);
}

int CExtendedDtable::DeleteRow(int nRow)
{
    return ::DeleteRow(&m_hTable, nRow);
}

int CExtendedDtable::DeleteColumn(int nColumn)
{
    return ::DeleteColumn(&m_hTable, nColumn);
}

int CExtendedDtable::SaveTable(const std::string& strPath)
{
    return ::SaveTable(&m_hTable, strPath.c_str());
}

bool CExtendedDtable::ColumnExists(const std::string& strName)
{
    std::string strFound;
    return ReadText(GetColHeadSizeByName(&m_hTable, strName.c_str()), strFound,
                    [&](char* pszBuffer, int* pnLength, int nSize) {
                        return GetColAttrByName(&m_hTable, strName.c_str(), "name", pszBuffer, pnLength, nSize);
                    }) == BRASKO_OK;
}

int CExtendedDtable::FindColumn(const std::string& strColumn)
{
    int nColumns = GetColumnCount();
    int nNumber = 0;
    if (ParseColumnNumber(strColumn, nNumber))
        return nNumber >= 1 && nNumber <= nColumns ? nNumber - 1 : -1;
    std::string strName;
    for (int c = 0; c < nColumns; ++c)
        if (GetColumnName(c, strName) == BRASKO_OK && EqualsIgnoringCase(strName, strColumn))
            return c;
    return -1;
}

bool CExtendedDtable::ParseColumnNumber(const std::string& strColumn, int& nNumber)
{
    if (strColumn.size() < 5 || !EqualsIgnoringCase(strColumn.substr(0, 4), "col "))
        return false;
    nNumber = std::atoi(strColumn.c_str() + 4);
    return true;
}

int CExtendedDtable::CreateTable(const std::string& strPath, char cDelimiter)
{
    return ::CreateTable(strPath.c_str(), cDelimiter);
}

int CExtendedDtable::GetNumberOfLinesEx(const std::string& strPath, const std::string& strDelimiter)
{
    int nLines = 1;
    int nResult = ::GetNumberOfLinesEx(strPath.c_str(), strDelimiter.c_str(), &nLines);
    return nResult != BRASKO_OK ? nResult : nResult + nLines - 1;
}

int CExtendedDtable::GetLastErrorLine()
{
    unsigned int nError = BraskoGetLastError();
    if (!(nError & BRASKO_ERROR_LINE_FLAG))
        return 0;
    return static_cast<int>(nError & ~BRASKO_ERROR_LINE_FLAG);
}
