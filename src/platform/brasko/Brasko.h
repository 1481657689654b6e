#pragma once

// The data-table library: delimited text tables (".dat" files) whose first line
// holds the column names and every further line one row. C-callable; every
// function returns an int that is 0 on success unless it says otherwise.
// docs/data-file-format.md describes the file format and the edge cases.

#if defined(BRASKO_BUILDING_LIBRARY)
#define BRASKO_API __attribute__((visibility("default")))
#else
#define BRASKO_API
#endif

#ifdef __cplusplus
extern "C"
{
#endif

#define BRASKO_OK 0

// Results other than 0. Sizes and counts are never negative, so a negative
// result is always one of these.
#define BRASKO_E_ARGUMENT -1 // null pointer, bad mode, delimiter or attribute, first line < 1
#define BRASKO_E_NOT_OPEN -2 // the handle holds no open table
#define BRASKO_E_IO -3       // the file cannot be opened, read or written
#define BRASKO_E_FORMAT -4 // a NUL byte, a quote left open or text after a closing quote; the last error names the line
#define BRASKO_E_RANGE -5  // no such column or row
#define BRASKO_E_BUFFER -6 // the buffer cannot hold the text and its terminator
#define BRASKO_E_READ_ONLY -7  // the table was opened in mode 2
#define BRASKO_E_NO_COLUMNS -8 // a row needs at least one column
#define BRASKO_E_TOO_LARGE -9  // more lines or a longer text than an int can count
#define BRASKO_E_NO_MEMORY -10
#define BRASKO_E_FIRST_LINE -30 // the first data line lies beyond the end; the table is open

// Open modes of OpenTable.
#define BRASKO_MODE_READ_WRITE 1
#define BRASKO_MODE_READ_ONLY 2

// Set in the last error of every failure; the other bits hold the line of the
// file at fault (1 = the names line), or 0 when no line is at fault.
#define BRASKO_ERROR_LINE_FLAG 0x20000000u

    // The table handle: the caller allocates the record and zeroes it once
    // (BRASKO_TABLE t = {0}); the library keeps the open table in it.
    typedef struct BRASKO_TABLE
    {
        unsigned int nMagic;
        void* pTable;
    } BRASKO_TABLE;

    // Opens the table at pszPath. nMode 1 reads and allows changes, 2 only reads.
    // *pnFirstLine is the first data line, 1 = the first line after the names;
    // row 0 is that line and the lines between the names and it are kept but not
    // rows. pszReserved is ignored. BRASKO_E_FIRST_LINE leaves the table open
    // (with the names and no rows) and must be closed like a success; after any
    // other failure the handle holds no table.
    BRASKO_API int OpenTable(const char* pszPath, BRASKO_TABLE* pTable, int nMode, const char* pszDelimiter,
                             int* pnFirstLine, const char* pszReserved);
    BRASKO_API int CloseTable(BRASKO_TABLE* pTable);

    BRASKO_API int GetLineCount(BRASKO_TABLE* pTable, int* pnRows);
    BRASKO_API int GetColumnCount(BRASKO_TABLE* pTable, int* pnColumns);

    // Length of the column's name, or a negative result when there is no such column.
    BRASKO_API int GetColHeadSizeByIndex(BRASKO_TABLE* pTable, int nColumn);
    BRASKO_API int GetColHeadSizeByName(BRASKO_TABLE* pTable, const char* pszName);

    // Copy the column's attribute "name" and a terminating NUL into pszBuffer;
    // *pnLength (may be null) receives the length copied. By name, the first
    // column of exactly that name counts; 0 means it exists.
    BRASKO_API int GetColAttrByIndex(BRASKO_TABLE* pTable, int nColumn, const char* pszAttribute, char* pszBuffer,
                                     int* pnLength, int nBufferSize);
    BRASKO_API int GetColAttrByName(BRASKO_TABLE* pTable, const char* pszName, const char* pszAttribute,
                                    char* pszBuffer, int* pnLength, int nBufferSize);

    // Length of the cell's text, or a negative result.
    BRASKO_API int GetCellSizeByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow);
    BRASKO_API int GetCellValByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow, char* pszBuffer, int* pnLength,
                                     int nBufferSize);
    // nLength bytes of pszText (a negative nLength: up to its NUL) replace the cell.
    BRASKO_API int SetCellValByIndex(BRASKO_TABLE* pTable, int nColumn, int nRow, const char* pszText, int nLength);

    // Inserts a column before nPosition (-1 appends); every row gets an empty cell.
    BRASKO_API int CreateColumn(BRASKO_TABLE* pTable, int nPosition, const char* pszName, int nReserved);
    // Appends a row of empty cells.
    BRASKO_API int CreateRow(BRASKO_TABLE* pTable);
    // Removes a row; the rows after it move up. The file keeps everything
    // else as it was (the lines before the first data line included).
    BRASKO_API int DeleteRow(BRASKO_TABLE* pTable, int nRow);
    // Removes a column from the names and every row; BRASKO_E_NO_COLUMNS for
    // the only column.
    BRASKO_API int DeleteColumn(BRASKO_TABLE* pTable, int nColumn);
    // Writes the whole table to pszPath, replacing the file atomically.
    BRASKO_API int SaveTable(BRASKO_TABLE* pTable, const char* pszPath);

    // Replaces pszPath atomically with an empty table file (no names, no rows).
    BRASKO_API int CreateTable(const char* pszPath, char cDelimiter);

    // Adds to *pnLines the number of lines after the names, counted as OpenTable
    // reads them: with *pnLines = 1 on entry, result + *pnLines - 1 is the count.
    BRASKO_API int GetNumberOfLinesEx(const char* pszPath, const char* pszDelimiter, int* pnLines);

    // The calling thread's last error, set by every failing call (see
    // BRASKO_ERROR_LINE_FLAG) and left alone by successful ones.
    BRASKO_API unsigned int BraskoGetLastError(void);

#ifdef __cplusplus
}
#endif
