#pragma once

#include "brasko/DelimiterMatcher.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// Where to start looking for a record: a byte offset (the record itself may
// follow some empty lines) and the file line there.
struct DT_CHECKPOINT
{
    int64_t nOffset = 0;
    int64_t nLine = 1;
};

// Running state of a scan, kept between 64-byte blocks.
struct DT_SCAN_STATE
{
    int64_t nUntilCheckpoint = std::numeric_limits<int64_t>::max(); // record ends until the next checkpoint
    uint64_t nInQuote = 0;                                          // all ones while inside a quoted value
    uint64_t nPrevEnds = 0; // line ends and carriage returns of the previous block,
    uint64_t nPrevCrs = 0;  // to tell empty lines across the block edge
    int64_t nRecordEnds = 0;
    int64_t nLineFeeds = 0;
    int64_t nOpenQuoteLine = 0; // line of the last quote that opened a value
    int64_t nFaultLine = 0;
    std::vector<DT_CHECKPOINT> vecCheckpoints;
    // Where a quote may open a value: bit 0 of the next block when the block
    // before ended with a delimiter or a line feed (or the file starts), or
    // with the quote that closed a value.
    uint64_t nPrevFieldEnd = 1;
    uint64_t nPrevClose = 0;
    uint64_t nFirstBlockStarts = 0; // a field start after a UTF-8 mark
    char cDelimiter = ',';          // the delimiter's first byte
    bool bLongDelimiter = false;    // longer than a byte: found by the matcher
    CDelimiterMatcher matcher;
};

// One pass over a whole file that finds its records without parsing fields:
// a line ends at a line feed outside a quoted value (CRecordFraming gives the
// rule: only a quote where a field starts opens one), and every line is a
// record except empty ones after the first (the names). It counts them, keeps
// a checkpoint every few records so any record can be found again quickly,
// and rejects NUL bytes and an unclosed quote. Memory does not grow with cells.
class CRecordScanner
{
public:
    // Records between two checkpoints.
    static constexpr int64_t kCheckpointStride = 128;

    CRecordScanner(bool bKeepCheckpoints, const std::string& strDelimiter);

    // Opens a regular file for reading; anything else (a directory, a pipe)
    // is refused before it is read. BRASKO_OK or BRASKO_E_IO.
    static int OpenFile(const char* pszPath, int& fd);

    // Reads fd from its start to the end: BRASKO_OK, BRASKO_E_IO (errno kept)
    // or BRASKO_E_FORMAT (GetFaultLine tells where).
    int Scan(int fd);

    int64_t GetRecordCount() const { return m_nRecords; }
    int64_t GetSize() const { return m_nSize; }
    // File lines: line feeds, plus one for a last line without one.
    int64_t GetLineCount() const;
    int64_t GetFaultLine() const { return m_state.nFaultLine; }
    // Record k * kCheckpointStride is the first record from checkpoint k on.
    const std::vector<DT_CHECKPOINT>& GetCheckpoints() const { return m_state.vecCheckpoints; }

private:
    bool ScanBuffer(const char* pData, int64_t nLength, int64_t nBase);

    DT_SCAN_STATE m_state;
    int64_t m_nRecords = 0;
    int64_t m_nSize = 0;
    bool m_bEndsWithFeed = false;
};
