#include "DataFile.h"

#include <fstream>
#include <sstream>
#include <strings.h>

namespace
{
const std::string EMPTY;

// Reads a quoted field from line[pos] == '"'; pos ends past the closing quote.
std::string ReadQuotedField(const std::string& line, size_t& pos)
{
    std::string field;
    for (++pos; pos < line.size(); ++pos)
    {
        if (line[pos] != '"')
            field += line[pos];
        else if (pos + 1 < line.size() && line[pos + 1] == '"')
            field += line[++pos];
        else
        {
            ++pos;
            break;
        }
    }
    return field;
}
} // namespace

bool CDataFile::Load(const std::string& path, const std::string& delimiter, long firstDataLine)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    m_strDelimiter = delimiter.empty() ? "," : delimiter;
    m_arrNames.clear();
    m_arrRows.clear();

    std::string line;
    bool bHeader = true;
    long nDataLine = 0;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (bHeader)
        {
            if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
                line.erase(0, 3);
            m_arrNames = Split(line);
            bHeader = false;
        }
        else if (!line.empty() && ++nDataLine >= firstDataLine)
            m_arrRows.push_back(Split(line));
    }
    return !in.bad();
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

std::vector<std::string> CDataFile::Split(const std::string& line) const
{
    std::vector<std::string> fields;
    size_t pos = 0;
    while (true)
    {
        std::string field;
        if (pos < line.size() && line[pos] == '"')
            field = ReadQuotedField(line, pos);
        size_t next = line.find(m_strDelimiter, pos);
        field += line.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        fields.push_back(std::move(field));
        if (next == std::string::npos)
            break;
        pos = next + m_strDelimiter.size();
    }
    return fields;
}
