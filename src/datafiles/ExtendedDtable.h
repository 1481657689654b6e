#pragma once

#include "TarvoExport.h"
#include "brasko/Brasko.h"

#include <string>

// The one way the library reads and writes data files: a single open table of
// the data-table library, with its texts copied into strings and the column
// lookup that the data-file tabs and the editor share. Results are the
// library's: 0 on success, a negative BRASKO_E_ value on failure.
class TARVO_API CExtendedDtable
{
public:
    CExtendedDtable();
    ~CExtendedDtable();
    CExtendedDtable(const CExtendedDtable&) = delete;
    CExtendedDtable& operator=(const CExtendedDtable&) = delete;

    // nMode 1 reads and writes, 2 only reads; nFirstLine 1 is the first line
    // after the names. BRASKO_E_FIRST_LINE leaves the table open.
    int OpenTable(const std::string& strPath, int nMode, const std::string& strDelimiter, int nFirstLine);
    int CloseTable();
    bool IsOpen() const { return m_bOpen; }

    // Counts; the library's result instead when it fails.
    int GetLineCount();
    int GetColumnCount();

    // Texts: 0 with the text, or the size the library gave when it is 0 or
    // less (0 with an empty text), or the library's failure.
    int GetColumnName(int nColumn, std::string& strName);
    int GetCellValue(int nColumn, int nRow, std::string& strValue);
    int SetCellValue(int nColumn, int nRow, const std::string& strValue);

    int CreateColumn(int nPosition, const std::string& strName);
    int CreateRow();
    int DeleteRow(int nRow);
    int DeleteColumn(int nColumn);
    int SaveTable(const std::string& strPath);

    // Whether a column has exactly this name.
    bool ColumnExists(const std::string& strName);
    // The column a parameter's "ColumnName" means: "Col N" is column N
    // (1-based), anything else the first column of that name ignoring case;
    // -1 when there is no such column.
    int FindColumn(const std::string& strColumn);
    // Whether strColumn has the "Col N" form (at least 5 characters starting
    // with "Col ", ignoring case); nNumber is then the number after it.
    static bool ParseColumnNumber(const std::string& strColumn, int& nNumber);

    static int CreateTable(const std::string& strPath, char cDelimiter = ',');
    // Lines after the names, counted as OpenTable reads rows from line 1;
    // the library's result instead when it fails.
    static int GetNumberOfLinesEx(const std::string& strPath, const std::string& strDelimiter);
    // The line of the file the last failure names, 0 when it names none.
    static int GetLastErrorLine();

private:
    BRASKO_TABLE m_hTable;
    bool m_bOpen = false;
};
