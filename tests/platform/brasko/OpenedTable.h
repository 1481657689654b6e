#pragma once

#include "brasko/Brasko.h"

#include <string>
#include <vector>

typedef std::vector<std::vector<std::string>> ROWS;

// A table handle for a test: opened by the constructor, closed at the end.
class COpenedTable
{
public:
    COpenedTable(const std::string& strPath, const std::string& strDelimiter = ",", int nFirstLine = 1,
                 int nMode = BRASKO_MODE_READ_WRITE);
    ~COpenedTable();
    COpenedTable(const COpenedTable&) = delete;
    COpenedTable& operator=(const COpenedTable&) = delete;

    BRASKO_TABLE* Get() { return &m_table; }
    int GetResult() const { return m_nResult; }
    int Rows();
    int Columns();
    std::string Name(int nColumn);
    // The cell's text; fails the test when it cannot be read.
    std::string Cell(int nColumn, int nRow);
    std::vector<std::string> Names();
    ROWS All();

private:
    BRASKO_TABLE m_table = {};
    int m_nResult;
};

// Writes a new table through the library, as the editor creates a file.
int WriteTable(const std::string& strPath, const std::string& strDelimiter, const std::vector<std::string>& names,
               const ROWS& rows);
// The line number in a failure's last error, -1 when the flag is missing.
long ErrorLine();
