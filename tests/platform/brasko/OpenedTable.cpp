#include "OpenedTable.h"

#include <gtest/gtest.h>

COpenedTable::COpenedTable(const std::string& strPath, const std::string& strDelimiter, int nFirstLine, int nMode)
{
    m_nResult = OpenTable(strPath.c_str(), &m_table, nMode, strDelimiter.c_str(), &nFirstLine, "");
}

COpenedTable::~COpenedTable()
{
    CloseTable(&m_table);
}

int COpenedTable::Rows()
{
    int n = -1;
    EXPECT_EQ(0, GetLineCount(&m_table, &n));
    return n;
}

int COpenedTable::Columns()
{
    int n = -1;
    EXPECT_EQ(0, GetColumnCount(&m_table, &n));
    return n;
}

std::string COpenedTable::Name(int nColumn)
{
    int nSize = GetColHeadSizeByIndex(&m_table, nColumn);
    EXPECT_GE(nSize, 0);
    std::string strName(static_cast<size_t>(std::max(nSize, 0)) + 1, '\0');
    EXPECT_EQ(0, GetColAttrByIndex(&m_table, nColumn, "name", strName.data(), nullptr, nSize + 1));
    strName.resize(static_cast<size_t>(std::max(nSize, 0)));
    return strName;
}

std::string COpenedTable::Cell(int nColumn, int nRow)
{
    int nSize = GetCellSizeByIndex(&m_table, nColumn, nRow);
    EXPECT_GE(nSize, 0) << "column " << nColumn << " row " << nRow;
    std::string strValue(static_cast<size_t>(std::max(nSize, 0)) + 1, '\0');
    int nLength = -1;
    EXPECT_EQ(0, GetCellValByIndex(&m_table, nColumn, nRow, strValue.data(), &nLength, nSize + 1));
    EXPECT_EQ(nSize, nLength);
    strValue.resize(static_cast<size_t>(std::max(nSize, 0)));
    return strValue;
}

std::vector<std::string> COpenedTable::Names()
{
    std::vector<std::string> names;
    for (int c = 0, n = Columns(); c < n; ++c)
        names.push_back(Name(c));
    return names;
}

ROWS COpenedTable::All()
{
    ROWS rows;
    for (int r = 0, nRows = Rows(), nColumns = Columns(); r < nRows; ++r)
    {
        rows.emplace_back();
        for (int c = 0; c < nColumns; ++c)
            rows.back().push_back(Cell(c, r));
    }
    return rows;
}

int WriteTable(const std::string& strPath, const std::string& strDelimiter, const std::vector<std::string>& names,
               const ROWS& rows)
{
    int nResult = CreateTable(strPath.c_str(), ',');
    if (nResult != 0)
        return nResult;
    COpenedTable table(strPath, strDelimiter);
    if (table.GetResult() != 0)
        return table.GetResult();
    for (const std::string& strName : names)
        if ((nResult = CreateColumn(table.Get(), -1, strName.c_str(), 0)) != 0)
            return nResult;
    for (size_t r = 0; r < rows.size(); ++r)
    {
        if ((nResult = CreateRow(table.Get())) != 0)
            return nResult;
        for (size_t c = 0; c < rows[r].size(); ++c)
        {
            const std::string& strValue = rows[r][c];
            nResult = SetCellValByIndex(table.Get(), static_cast<int>(c), static_cast<int>(r), strValue.data(),
                                        static_cast<int>(strValue.size()));
            if (nResult != 0)
                return nResult;
        }
    }
    return SaveTable(table.Get(), strPath.c_str());
}

long ErrorLine()
{
    unsigned int nError = BraskoGetLastError();
    if (!(nError & BRASKO_ERROR_LINE_FLAG))
        return -1;
    return static_cast<long>(nError & ~BRASKO_ERROR_LINE_FLAG);
}
