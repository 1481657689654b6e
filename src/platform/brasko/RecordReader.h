#pragma once

#include "brasko/RecordFraming.h"
#include "brasko/RecordScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where one record lies in the file: its text is [nStart, nContentEnd), its
// line ending (LF, CR LF, or none at the end of the file) runs up to nEnd.
struct DT_RECORD
{
    int64_t nStart = 0;
    int64_t nContentEnd = 0;
    int64_t nEnd = 0;
    int64_t nLine = 1;     // file line the record starts on
    int64_t nNextLine = 1; // file line the next record starts on
};

// Finds records of a scanned file on demand: from the nearest checkpoint, or
// from the last record found, so reading rows in order costs one pass. Reads
// through a window of the file, never the whole file.
class CRecordReader
{
public:
    CRecordReader(int fd, int64_t nSize, int64_t nRecords, std::vector<DT_CHECKPOINT> checkpoints,
                  const std::string& strDelimiter);

    int64_t GetRecordCount() const { return m_nRecords; }
    int64_t GetSize() const { return m_nSize; }

    // Record nRecord (0 = the names line; empty lines after it are skipped):
    // BRASKO_OK, BRASKO_E_RANGE or BRASKO_E_IO.
    int Locate(int64_t nRecord, DT_RECORD& record);
    // The record's text; valid until the next call.
    int GetContent(const DT_RECORD& record, std::string_view& text);
    // The record's line ending: "\n", "\r\n" or "".
    static std::string GetLineEnding(const DT_RECORD& record);
    // Reads exactly nLength bytes at nOffset.
    int Read(int64_t nOffset, int64_t nLength, char* pBuffer) const;

private:
    int FindEnd(int64_t nStart, int64_t nLine, DT_RECORD& record);
    bool IsPlainLine(int64_t nStart, const char* pFeed) const;
    int LoadWindow(int64_t nOffset, int64_t nLength);
    int ExtendWindow();
    int64_t GetWindowEnd() const { return m_nWindowStart + static_cast<int64_t>(m_strWindow.size()); }

    int m_fd;
    int64_t m_nSize;
    int64_t m_nRecords;
    std::vector<DT_CHECKPOINT> m_vecCheckpoints;
    CRecordFraming m_framing;
    std::string m_strWindow;
    int64_t m_nWindowStart = 0;
    int64_t m_nLastIndex = -1; // the record found last, to continue from
    DT_RECORD m_last;
};
