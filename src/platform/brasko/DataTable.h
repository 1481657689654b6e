#pragma once

#include "brasko/FieldCodec.h"
#include "brasko/RecordReader.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CAtomicFile;

// One open table. The file is scanned once for its records and read again
// only for the rows asked for; changes are held beside it (changed rows, new
// rows, new columns) and merged with the untouched bytes when saving, so
// memory grows with the changes, not with the file.
class CDataTable
{
public:
    CDataTable() = default;
    ~CDataTable();
    CDataTable(const CDataTable&) = delete;
    CDataTable& operator=(const CDataTable&) = delete;

    // Every int result is BRASKO_OK or a BRASKO_E_ value; after BRASKO_E_FORMAT
    // and BRASKO_E_FIRST_LINE, GetFaultLine names the line.
    int Open(const char* pszPath, int nMode, const std::string& strDelimiter, int nFirstLine);

    int GetRowCount() const { return GetLiveSourceRows() + static_cast<int>(m_vecNewRows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_vecNames.size()); }
    int GetColumnName(int nColumn, const std::string*& pName) const;
    // Index of the first column named exactly so, or BRASKO_E_RANGE.
    int FindColumn(const std::string& strName) const;
    // pValue stays valid until the next call on the table.
    int GetCell(int nColumn, int nRow, const std::string*& pValue);
    int SetCell(int nColumn, int nRow, std::string strValue);
    int CreateColumn(int nPosition, std::string strName);
    int CreateRow();
    // The rows after a deleted one move up; the last column cannot go.
    int DeleteRow(int nRow);
    int DeleteColumn(int nColumn);
    int Save(const std::string& strPath);

    int64_t GetFaultLine() const { return m_nFaultLine; }

private:
    typedef std::vector<std::string> FIELDS;

    int ReadRecord(int64_t nRecord, DT_RECORD& record, FIELDS& fields);
    // Fields of a file record arranged as the columns now are, then any
    // fields beyond the names line's.
    FIELDS Arrange(FIELDS fields) const;
    int GetRow(int nRow, const FIELDS*& pRow);
    int GetRowForChange(int nRow, FIELDS*& pRow);
    int CheckCell(int nColumn, int nRow) const;
    int GetLiveSourceRows() const { return m_nSourceRows - static_cast<int>(m_vecDeletedRows.size()); }
    // The file row (counted from the first data line) of a row that is one.
    int SourceRowOf(int nRow) const;
    bool IsDeleted(int nSourceRow) const;

    int WriteChangedRows(CAtomicFile& file, bool& bOpenLine);
    int WriteRewritten(CAtomicFile& file, bool& bOpenLine);
    int WriteRecord(CAtomicFile& file, const FIELDS& fields, const std::string& strEnding, bool& bOpenLine) const;
    int CopyRange(CAtomicFile& file, int64_t nFrom, int64_t nTo) const;

    int m_fd = -1;
    std::unique_ptr<CRecordReader> m_pReader;
    CFieldCodec m_codec;
    bool m_bReadOnly = true;
    bool m_bSourceEndsOpen = false; // the file's last line has no line ending
    bool m_bUtf8Mark = false;       // the file starts with the UTF-8 mark
    std::string m_strLineEnding = "\n";
    int64_t m_nFirstRecord = 1; // file record of row 0
    int m_nSourceRows = 0;
    int m_nSourceColumns = 0;
    FIELDS m_vecNames;
    std::vector<int> m_vecColumnSource; // field of the file record per column, -1 = new
    bool m_bLayoutChanged = false;
    std::map<int, FIELDS> m_mapChangedRows; // by file row
    std::vector<int> m_vecDeletedRows;      // file rows, ascending
    std::vector<FIELDS> m_vecNewRows;
    int m_nCachedRow = -1; // a file row
    FIELDS m_vecCachedRow;
    int64_t m_nFaultLine = 0;
};
