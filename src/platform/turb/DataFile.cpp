#include "DataFile.h"

#include "brasko/Brasko.h"

#include <strings.h>

namespace
{
const std::string EMPTY;

// A text of the open table: its size is asked first, then the text is read.
// False when the library refuses it, as it does a row with a format fault.
template <typename F> bool ReadText(int nSize, F read, std::string& text)
{
    text.clear();
    if (nSize <= 0)
        return nSize == 0;
    text.assign(static_cast<size_t>(nSize) + 1, '\0');
    if (read(text.data(), nSize + 1) != BRASKO_OK)
        return false;
    text.resize(static_cast<size_t>(nSize));
    return true;
}
} // namespace

bool CDataFile::Load(const std::string& path, const std::string& delimiter, long firstDataLine)
{
    m_arrNames.clear();
    m_arrRows.clear();
    // The data-table library reads the file, so Vusers get what the editor shows.
    BRASKO_TABLE table = {};
    int nFirstLine = static_cast<int>(firstDataLine < 1 ? 1 : firstDataLine);
    int rc = OpenTable(path.c_str(), &table, BRASKO_MODE_READ_ONLY, delimiter.empty() ? "," : delimiter.c_str(),
                       &nFirstLine, nullptr);
    if (rc != BRASKO_OK && rc != BRASKO_E_FIRST_LINE)
        return false;
    int nColumns = 0;
    int nRows = 0;
    GetColumnCount(&table, &nColumns);
    if (rc == BRASKO_OK)
        GetLineCount(&table, &nRows);
    // A row the editor would refuse gives no values rather than empty ones.
    bool bRead = true;
    m_arrNames.resize(static_cast<size_t>(nColumns));
    for (int c = 0; bRead && c < nColumns; ++c)
        bRead = ReadText(
            GetColHeadSizeByIndex(&table, c),
            [&](char* buffer, int size) { return GetColAttrByIndex(&table, c, "name", buffer, nullptr, size); },
            m_arrNames[static_cast<size_t>(c)]);
    m_arrRows.assign(static_cast<size_t>(nRows), std::vector<std::string>(static_cast<size_t>(nColumns)));
    for (int r = 0; bRead && r < nRows; ++r)
        for (int c = 0; bRead && c < nColumns; ++c)
            bRead = ReadText(
                GetCellSizeByIndex(&table, c, r),
                [&](char* buffer, int size) { return GetCellValByIndex(&table, c, r, buffer, nullptr, size); },
                m_arrRows[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    CloseTable(&table);
    if (!bRead)
    {
        m_arrNames.clear();
        m_arrRows.clear();
    }
    return bRead;
}

const std::string& CDataFile::GetCell(size_t row, size_t column) const
{
    if (row >= m_arrRows.size() || column >= m_arrRows[row].size())
        return EMPTY;
    return m_arrRows[row][column];
}

long CDataFile::FindColumn(const std::string& name) const
{
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        if (strcasecmp(m_arrNames[i].c_str(), name.c_str()) == 0)
            return static_cast<long>(i);
    return -1;
}
