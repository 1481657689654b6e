#include "brasko/DataTable.h"

#include "brasko/AtomicFile.h"
#include "brasko/Brasko.h"
#include "brasko/RecordScanner.h"

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace
{
constexpr int64_t kCopyChunk = 1024 * 1024;
const std::string_view kUtf8Mark = "\xEF\xBB\xBF";

int64_t CountFeeds(std::string_view text, size_t nUpTo)
{
    return std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nUpTo), '\n');
}
} // namespace

CDataTable::~CDataTable()
{
    if (m_fd >= 0)
        close(m_fd);
}

int CDataTable::Open(const char* pszPath, int nMode, const std::string& strDelimiter, int nFirstLine)
{
    if ((nMode != BRASKO_MODE_READ_WRITE && nMode != BRASKO_MODE_READ_ONLY) || nFirstLine < 1 ||
        !CFieldCodec::IsValidDelimiter(strDelimiter))
        return BRASKO_E_ARGUMENT;
    m_bReadOnly = nMode == BRASKO_MODE_READ_ONLY;
    m_codec = CFieldCodec(strDelimiter);
    int nResult = CRecordScanner::OpenFile(pszPath, m_fd);
    if (nResult != BRASKO_OK)
        return nResult;
    CRecordScanner scanner(true, strDelimiter);
    nResult = scanner.Scan(m_fd);
    m_nFaultLine = scanner.GetFaultLine();
    if (nResult != BRASKO_OK)
        return nResult;
    int64_t nRecords = scanner.GetRecordCount();
    if (nRecords - 1 > INT_MAX)
        return BRASKO_E_TOO_LARGE;
    m_pReader =
        std::make_unique<CRecordReader>(m_fd, scanner.GetSize(), nRecords, scanner.GetCheckpoints(), strDelimiter);
    if (nRecords > 0)
    {
        DT_RECORD header;
        nResult = ReadRecord(0, header, m_vecNames);
        if (nResult != BRASKO_OK)
            return nResult;
        if (header.nEnd > header.nContentEnd)
            m_strLineEnding = CRecordReader::GetLineEnding(header);
        char cLast = 0;
        nResult = m_pReader->Read(scanner.GetSize() - 1, 1, &cLast);
        if (nResult != BRASKO_OK)
            return nResult;
        m_bSourceEndsOpen = cLast != '\n';
    }
    m_nSourceColumns = GetColumnCount();
    for (int i = 0; i < m_nSourceColumns; ++i)
        m_vecColumnSource.push_back(i);
    m_nFirstRecord = nFirstLine;
    int64_t nDataLines = std::max<int64_t>(nRecords - 1, 0);
    if (nFirstLine > std::max<int64_t>(nDataLines, 1))
    {
        // The line where the first data line would be if the file went on.
        m_nFaultLine = std::max<int64_t>(scanner.GetLineCount(), 1) + nFirstLine - nDataLines;
        return BRASKO_E_FIRST_LINE;
    }
    m_nSourceRows = static_cast<int>(std::max<int64_t>(nRecords - nFirstLine, 0));
    return BRASKO_OK;
}

int CDataTable::GetColumnName(int nColumn, const std::string*& pName) const
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return BRASKO_E_RANGE;
    pName = &m_vecNames[static_cast<size_t>(nColumn)];
    return BRASKO_OK;
}

int CDataTable::FindColumn(const std::string& strName) const
{
    auto it = std::find(m_vecNames.begin(), m_vecNames.end(), strName);
    return it == m_vecNames.end() ? BRASKO_E_RANGE : static_cast<int>(it - m_vecNames.begin());
}

int CDataTable::GetCell(int nColumn, int nRow, const std::string*& pValue)
{
    int nResult = CheckCell(nColumn, nRow);
    const FIELDS* pRow = nullptr;
    if (nResult == BRASKO_OK)
        nResult = GetRow(nRow, pRow);
    if (nResult == BRASKO_OK)
        pValue = &(*pRow)[static_cast<size_t>(nColumn)];
    return nResult;
}

int CDataTable::SetCell(int nColumn, int nRow, std::string strValue)
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    if (strValue.find('\0') != std::string::npos)
        return BRASKO_E_ARGUMENT; // the file could not hold it
    int nResult = CheckCell(nColumn, nRow);
    FIELDS* pRow = nullptr;
    if (nResult == BRASKO_OK)
        nResult = GetRowForChange(nRow, pRow);
    if (nResult == BRASKO_OK)
        (*pRow)[static_cast<size_t>(nColumn)] = std::move(strValue);
    return nResult;
}

int CDataTable::CreateColumn(int nPosition, std::string strName)
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    if (nPosition == -1)
        nPosition = GetColumnCount();
    if (nPosition < 0 || nPosition > GetColumnCount())
        return BRASKO_E_RANGE;
    m_vecNames.insert(m_vecNames.begin() + nPosition, std::move(strName));
    m_vecColumnSource.insert(m_vecColumnSource.begin() + nPosition, -1);
    for (auto& changed : m_mapChangedRows)
        changed.second.insert(changed.second.begin() + nPosition, std::string());
    for (FIELDS& row : m_vecNewRows)
        row.insert(row.begin() + nPosition, std::string());
    m_bLayoutChanged = true;
    m_nCachedRow = -1;
    return BRASKO_OK;
}

int CDataTable::CreateRow()
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    if (GetColumnCount() == 0)
        return BRASKO_E_NO_COLUMNS;
    if (GetRowCount() == INT_MAX)
        return BRASKO_E_TOO_LARGE;
    m_vecNewRows.emplace_back(static_cast<size_t>(GetColumnCount()));
    return BRASKO_OK;
}

int CDataTable::CheckCell(int nColumn, int nRow) const
{
    if (nColumn < 0 || nColumn >= GetColumnCount() || nRow < 0 || nRow >= GetRowCount())
        return BRASKO_E_RANGE;
    return BRASKO_OK;
}

int CDataTable::ReadRecord(int64_t nRecord, DT_RECORD& record, FIELDS& fields)
{
    std::string_view text;
    int nResult = m_pReader->Locate(nRecord, record);
    if (nResult == BRASKO_OK)
        nResult = m_pReader->GetContent(record, text);
    if (nResult != BRASKO_OK)
        return nResult;
    // Editors on other systems often start a file with the UTF-8 mark; it is
    // no part of the first name and is written back before the names.
    m_bUtf8Mark = nRecord == 0 && text.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (m_bUtf8Mark)
        text.remove_prefix(kUtf8Mark.size());
    size_t nFault = 0;
    if (!m_codec.Split(text, fields, nFault))
    {
        m_nFaultLine = record.nLine + CountFeeds(text, nFault);
        return BRASKO_E_FORMAT;
    }
    return BRASKO_OK;
}

CDataTable::FIELDS CDataTable::Arrange(FIELDS fields) const
{
    if (!m_bLayoutChanged && fields.size() >= m_vecNames.size())
        return fields;
    FIELDS row;
    row.reserve(std::max(m_vecNames.size(), fields.size()));
    for (int nSource : m_vecColumnSource)
    {
        bool bHas = nSource >= 0 && static_cast<size_t>(nSource) < fields.size();
        row.push_back(bHas ? std::move(fields[static_cast<size_t>(nSource)]) : std::string());
    }
    for (size_t i = static_cast<size_t>(m_nSourceColumns); i < fields.size(); ++i)
        row.push_back(std::move(fields[i]));
    return row;
}

int CDataTable::GetRow(int nRow, const FIELDS*& pRow)
{
    if (nRow >= GetLiveSourceRows())
    {
        pRow = &m_vecNewRows[static_cast<size_t>(nRow - GetLiveSourceRows())];
        return BRASKO_OK;
    }
    int nSource = SourceRowOf(nRow);
    auto it = m_mapChangedRows.find(nSource);
    if (it != m_mapChangedRows.end())
    {
        pRow = &it->second;
        return BRASKO_OK;
    }
    if (nSource != m_nCachedRow)
    {
        DT_RECORD record;
        FIELDS fields;
        m_nCachedRow = -1;
        int nResult = ReadRecord(m_nFirstRecord + nSource, record, fields);
        if (nResult != BRASKO_OK)
            return nResult;
        m_vecCachedRow = Arrange(std::move(fields));
        m_nCachedRow = nSource;
    }
    pRow = &m_vecCachedRow;
    return BRASKO_OK;
}

int CDataTable::GetRowForChange(int nRow, FIELDS*& pRow)
{
    if (nRow >= GetLiveSourceRows())
    {
        pRow = &m_vecNewRows[static_cast<size_t>(nRow - GetLiveSourceRows())];
        return BRASKO_OK;
    }
    int nSource = SourceRowOf(nRow);
    auto it = m_mapChangedRows.find(nSource);
    if (it == m_mapChangedRows.end())
    {
        const FIELDS* pSource = nullptr;
        int nResult = GetRow(nRow, pSource);
        if (nResult != BRASKO_OK)
            return nResult;
        it = m_mapChangedRows.emplace(nSource, std::move(m_vecCachedRow)).first;
        m_nCachedRow = -1;
    }
    pRow = &it->second;
    return BRASKO_OK;
}

// The n-th file row that is not deleted: the smallest s with
// s - (deleted rows up to s) == n, s itself not deleted.
int CDataTable::SourceRowOf(int nRow) const
{
    int nLow = nRow;
    int nHigh = nRow + static_cast<int>(m_vecDeletedRows.size());
    while (nLow < nHigh)
    {
        int nMiddle = nLow + (nHigh - nLow) / 2;
        auto nDeleted =
            std::upper_bound(m_vecDeletedRows.begin(), m_vecDeletedRows.end(), nMiddle) - m_vecDeletedRows.begin();
        if (nMiddle - static_cast<int>(nDeleted) < nRow)
            nLow = nMiddle + 1;
        else
            nHigh = nMiddle;
    }
    return nLow;
}

bool CDataTable::IsDeleted(int nSourceRow) const
{
    return std::binary_search(m_vecDeletedRows.begin(), m_vecDeletedRows.end(), nSourceRow);
}

int CDataTable::DeleteRow(int nRow)
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    if (nRow < 0 || nRow >= GetRowCount())
        return BRASKO_E_RANGE;
    if (nRow >= GetLiveSourceRows())
    {
        m_vecNewRows.erase(m_vecNewRows.begin() + (nRow - GetLiveSourceRows()));
        return BRASKO_OK;
    }
    int nSource = SourceRowOf(nRow);
    m_vecDeletedRows.insert(std::upper_bound(m_vecDeletedRows.begin(), m_vecDeletedRows.end(), nSource), nSource);
    m_mapChangedRows.erase(nSource);
    if (m_nCachedRow == nSource)
        m_nCachedRow = -1;
    return BRASKO_OK;
}

int CDataTable::DeleteColumn(int nColumn)
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return BRASKO_E_RANGE;
    if (GetColumnCount() == 1)
        return BRASKO_E_NO_COLUMNS;
    m_vecNames.erase(m_vecNames.begin() + nColumn);
    m_vecColumnSource.erase(m_vecColumnSource.begin() + nColumn);
    for (auto& changed : m_mapChangedRows)
        if (static_cast<size_t>(nColumn) < changed.second.size())
            changed.second.erase(changed.second.begin() + nColumn);
    for (FIELDS& row : m_vecNewRows)
        row.erase(row.begin() + nColumn);
    m_bLayoutChanged = true;
    m_nCachedRow = -1;
    return BRASKO_OK;
}

int CDataTable::Save(const std::string& strPath)
{
    if (m_bReadOnly)
        return BRASKO_E_READ_ONLY;
    CAtomicFile file;
    int nResult = file.Open(strPath);
    bool bOpenLine = false;
    if (nResult == BRASKO_OK)
    {
        nResult = m_bLayoutChanged ? WriteRewritten(file, bOpenLine) : WriteChangedRows(file, bOpenLine);
    }
    for (size_t i = 0; nResult == BRASKO_OK && i < m_vecNewRows.size(); ++i)
        nResult = WriteRecord(file, m_vecNewRows[i], m_strLineEnding, bOpenLine);
    return nResult == BRASKO_OK ? file.Commit() : nResult;
}

// The file's own bytes between the changed rows are copied as they are, so
// an unchanged table is written back byte for byte.
int CDataTable::WriteChangedRows(CAtomicFile& file, bool& bOpenLine)
{
    int64_t nPos = 0;
    auto itChanged = m_mapChangedRows.begin();
    auto itDeleted = m_vecDeletedRows.begin();
    while (itChanged != m_mapChangedRows.end() || itDeleted != m_vecDeletedRows.end())
    {
        bool bChanged = itDeleted == m_vecDeletedRows.end() ||
                        (itChanged != m_mapChangedRows.end() && itChanged->first < *itDeleted);
        int nSource = bChanged ? itChanged->first : *itDeleted;
        DT_RECORD record;
        int nResult = m_pReader->Locate(m_nFirstRecord + nSource, record);
        if (nResult == BRASKO_OK)
            nResult = CopyRange(file, nPos, record.nStart);
        if (nResult == BRASKO_OK && bChanged)
            nResult = WriteRecord(file, itChanged->second, CRecordReader::GetLineEnding(record), bOpenLine);
        if (nResult != BRASKO_OK)
            return nResult;
        nPos = record.nEnd;
        if (bChanged)
            ++itChanged;
        else
            ++itDeleted;
    }
    if (nPos < m_pReader->GetSize())
        bOpenLine = m_bSourceEndsOpen;
    return CopyRange(file, nPos, m_pReader->GetSize());
}

// After a new column every record is written again, the names included;
// the empty lines between records are copied.
int CDataTable::WriteRewritten(CAtomicFile& file, bool& bOpenLine)
{
    if (m_pReader->GetRecordCount() == 0)
        return WriteRecord(file, m_vecNames, m_strLineEnding, bOpenLine);
    int64_t nPos = 0;
    for (int64_t nRecord = 0; nRecord < m_pReader->GetRecordCount(); ++nRecord)
    {
        DT_RECORD record;
        FIELDS fields;
        int nResult = ReadRecord(nRecord, record, fields);
        if (nResult == BRASKO_OK)
            nResult = CopyRange(file, nPos, record.nStart);
        if (nResult != BRASKO_OK)
            return nResult;
        nPos = record.nEnd;
        int64_t nRow = nRecord - m_nFirstRecord;
        if (nRow >= 0 && IsDeleted(static_cast<int>(nRow)))
            continue;
        auto it = nRow >= 0 ? m_mapChangedRows.find(static_cast<int>(nRow)) : m_mapChangedRows.end();
        if (nRecord == 0 && m_bUtf8Mark)
            nResult = file.Write(kUtf8Mark.data(), kUtf8Mark.size());
        if (nRecord == 0)
            fields = m_vecNames;
        else if (it != m_mapChangedRows.end())
            fields = it->second;
        else
            fields = Arrange(std::move(fields));
        if (nResult == BRASKO_OK)
            nResult = WriteRecord(file, fields, CRecordReader::GetLineEnding(record), bOpenLine);
        if (nResult != BRASKO_OK)
            return nResult;
    }
    if (nPos < m_pReader->GetSize())
        bOpenLine = false; // only empty lines, each with its line feed, follow
    return CopyRange(file, nPos, m_pReader->GetSize());
}

// A record written after one that had no line ending (the file's last line)
// gives that one the table's line ending first.
int CDataTable::WriteRecord(CAtomicFile& file, const FIELDS& fields, const std::string& strEnding,
                            bool& bOpenLine) const
{
    std::string strText = bOpenLine ? m_strLineEnding : std::string();
    m_codec.Join(fields, strText);
    strText += strEnding;
    bOpenLine = strEnding.empty();
    return file.Write(strText);
}

int CDataTable::CopyRange(CAtomicFile& file, int64_t nFrom, int64_t nTo) const
{
    std::string strChunk;
    while (nFrom < nTo)
    {
        int64_t nLength = std::min(kCopyChunk, nTo - nFrom);
        strChunk.resize(static_cast<size_t>(nLength));
        int nResult = m_pReader->Read(nFrom, nLength, strChunk.data());
        if (nResult == BRASKO_OK)
            nResult = file.Write(strChunk);
        if (nResult != BRASKO_OK)
            return nResult;
        nFrom += nLength;
    }
    return BRASKO_OK;
}
