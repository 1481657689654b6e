#include "brasko/RecordReader.h"

#include "brasko/Brasko.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{
constexpr int64_t kWindowSize = 256 * 1024;
const std::string_view kUtf8Mark = "\xEF\xBB\xBF";
} // namespace

CRecordReader::CRecordReader(int fd, int64_t nSize, int64_t nRecords, std::vector<DT_CHECKPOINT> checkpoints,
                             const std::string& strDelimiter)
    : m_fd(fd), m_nSize(nSize), m_nRecords(nRecords), m_vecCheckpoints(std::move(checkpoints)), m_framing(strDelimiter)
{
}

int CRecordReader::Locate(int64_t nRecord, DT_RECORD& record)
{
    if (nRecord < 0 || nRecord >= m_nRecords)
        return BRASKO_E_RANGE;
    if (nRecord == m_nLastIndex)
    {
        record = m_last;
        return BRASKO_OK;
    }
    int64_t nIndex = nRecord - nRecord % CRecordScanner::kCheckpointStride;
    const DT_CHECKPOINT& point = m_vecCheckpoints[nIndex / CRecordScanner::kCheckpointStride];
    int64_t nOffset = point.nOffset;
    int64_t nLine = point.nLine;
    if (m_nLastIndex >= nIndex && m_nLastIndex < nRecord)
    {
        nIndex = m_nLastIndex + 1;
        nOffset = m_last.nEnd;
        nLine = m_last.nNextLine;
    }
    for (;;)
    {
        int nResult = FindEnd(nOffset, nLine, record);
        if (nResult != BRASKO_OK)
            return nResult;
        nOffset = record.nEnd;
        nLine = record.nNextLine;
        if (nIndex > 0 && record.nContentEnd == record.nStart)
            continue; // an empty line, which is no record
        if (nIndex == nRecord)
            break;
        ++nIndex;
    }
    m_nLastIndex = nRecord;
    m_last = record;
    return BRASKO_OK;
}

int CRecordReader::GetContent(const DT_RECORD& record, std::string_view& text)
{
    int64_t nLength = record.nContentEnd - record.nStart;
    if (record.nStart < m_nWindowStart || record.nContentEnd > GetWindowEnd())
    {
        int nResult = LoadWindow(record.nStart, std::max(nLength, kWindowSize));
        if (nResult != BRASKO_OK)
            return nResult;
    }
    text = std::string_view(m_strWindow.data() + (record.nStart - m_nWindowStart), static_cast<size_t>(nLength));
    return BRASKO_OK;
}

std::string CRecordReader::GetLineEnding(const DT_RECORD& record)
{
    switch (record.nEnd - record.nContentEnd)
    {
    case 1:
        return "\n";
    case 2:
        return "\r\n";
    default:
        return "";
    }
}

int CRecordReader::Read(int64_t nOffset, int64_t nLength, char* pBuffer) const
{
    while (nLength > 0)
    {
        ssize_t n = pread(m_fd, pBuffer, static_cast<size_t>(nLength), nOffset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return BRASKO_E_IO; // a file that shrank under us reads as an error
        pBuffer += n;
        nOffset += n;
        nLength -= n;
    }
    return BRASKO_OK;
}

// A record ends at the first line feed outside a quoted value, or at the end
// of the file (the scan has made sure no quote is left open there).
int CRecordReader::FindEnd(int64_t nStart, int64_t nLine, DT_RECORD& record)
{
    record.nStart = nStart;
    record.nLine = nLine;
    if (nStart < m_nWindowStart || nStart >= GetWindowEnd())
    {
        int nResult = LoadWindow(nStart, kWindowSize);
        if (nResult != BRASKO_OK)
            return nResult;
    }
    const char* pBase = m_strWindow.data() - m_nWindowStart;
    const char* pFeed = static_cast<const char*>(memchr(pBase + nStart, '\n', GetWindowEnd() - nStart));
    int64_t nPos = nStart;
    m_framing.StartRecord();
    if (pFeed && IsPlainLine(nStart, pFeed))
        nPos = pFeed - pBase; // no quote before the line feed: it ends the record
    else if (nStart == 0 && std::string_view(pBase, std::min<int64_t>(GetWindowEnd(), 3)) == kUtf8Mark)
        nPos = kUtf8Mark.size(); // the names start after the mark
    for (;;)
    {
        pBase = m_strWindow.data() - m_nWindowStart;
        for (; nPos < GetWindowEnd(); ++nPos)
        {
            if (pBase[nPos] != '\n')
            {
                m_framing.Feed(pBase[nPos]);
                continue;
            }
            ++nLine;
            if (!m_framing.Feed('\n'))
                continue;
            record.nEnd = nPos + 1;
            bool bCr = nPos > nStart && pBase[nPos - 1] == '\r';
            record.nContentEnd = bCr ? nPos - 1 : nPos;
            record.nNextLine = nLine;
            return BRASKO_OK;
        }
        if (nPos >= m_nSize)
        {
            record.nContentEnd = record.nEnd = m_nSize;
            record.nNextLine = nLine;
            return BRASKO_OK;
        }
        int nResult = ExtendWindow();
        if (nResult != BRASKO_OK)
            return nResult;
    }
}

bool CRecordReader::IsPlainLine(int64_t nStart, const char* pFeed) const
{
    const char* p = m_strWindow.data() + (nStart - m_nWindowStart);
    return !memchr(p, '"', static_cast<size_t>(pFeed - p));
}

int CRecordReader::LoadWindow(int64_t nOffset, int64_t nLength)
{
    nLength = std::min(nLength, m_nSize - nOffset);
    m_nWindowStart = nOffset;
    m_strWindow.resize(static_cast<size_t>(std::max<int64_t>(nLength, 0)));
    int nResult = Read(nOffset, nLength, m_strWindow.data());
    if (nResult != BRASKO_OK)
        m_strWindow.clear();
    return nResult;
}

// Grows the window by another chunk, for a record longer than the window.
int CRecordReader::ExtendWindow()
{
    int64_t nEnd = GetWindowEnd();
    int64_t nMore = std::min(std::max<int64_t>(kWindowSize, nEnd - m_nWindowStart), m_nSize - nEnd);
    size_t nOld = m_strWindow.size();
    m_strWindow.resize(nOld + static_cast<size_t>(nMore));
    int nResult = Read(nEnd, nMore, m_strWindow.data() + nOld);
    if (nResult != BRASKO_OK)
        m_strWindow.resize(nOld);
    return nResult;
}
