#include "ProfileText.h"

namespace
{
const char kBom[] = "\xEF\xBB\xBF";

enum class LineKind
{
    Blank,
    Comment,
    Section,
    Key,
    Other
};

struct PARSED_LINE
{
    LineKind kind = LineKind::Other;
    std::string strName; // section or key name, trimmed
    size_t nValue = 0;   // where a key's value starts
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& s)
{
    size_t first = 0;
    size_t last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

// The same rules as SimpleIni's reader: comments start with ';' or '#', a
// section header needs its ']', a key needs a '=' and a non-empty name.
PARSED_LINE ParseLine(const std::string& line)
{
    PARSED_LINE parsed;
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size())
    {
        parsed.kind = LineKind::Blank;
        return parsed;
    }
    if (line[i] == ';' || line[i] == '#')
    {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    if (line[i] == '[')
    {
        size_t close = line.find(']', i);
        if (close != std::string::npos)
        {
            parsed.kind = LineKind::Section;
            parsed.strName = Trim(line.substr(i + 1, close - i - 1));
        }
        return parsed;
    }
    size_t eq = line.find('=', i);
    if (eq == std::string::npos || eq == i)
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.strName = Trim(line.substr(i, eq - i));
    parsed.nValue = eq + 1;
    while (parsed.nValue < line.size() && (line[parsed.nValue] == ' ' || line[parsed.nValue] == '\t'))
        ++parsed.nValue;
    return parsed;
}
} // namespace

CProfileText::CProfileText(const std::string& strText) : m_strEol("\n")
{
    size_t pos = strText.compare(0, 3, kBom) == 0 ? 3 : 0;
    m_strBom = strText.substr(0, pos);
    while (pos < strText.size())
    {
        size_t nl = strText.find('\n', pos);
        if (nl == std::string::npos)
        {
            m_lines.push_back({strText.substr(pos), ""});
            break;
        }
        LINE line{strText.substr(pos, nl - pos), "\n"};
        if (!line.strText.empty() && line.strText.back() == '\r')
        {
            line.strText.pop_back();
            line.strEol = "\r\n";
        }
        m_lines.push_back(line);
        pos = nl + 1;
    }
    if (!m_lines.empty() && !m_lines.front().strEol.empty())
        m_strEol = m_lines.front().strEol;
}

void CProfileText::SetValue(const std::string& strSection, const std::string& strKey, const std::string& strValue)
{
    std::vector<RANGE> ranges = FindSections(strSection);
    for (const RANGE& range : ranges)
    {
        size_t nLine = FindKey(range, strKey);
        if (nLine == std::string::npos)
            continue;
        std::string& text = m_lines[nLine].strText;
        text = text.substr(0, ParseLine(text).nValue) + strValue;
        return;
    }
    if (!ranges.empty())
    {
        InsertLine(BodyEnd(ranges.front(), true), strKey + "=" + strValue);
        return;
    }
    if (!m_lines.empty() && ParseLine(m_lines.back().strText).kind != LineKind::Blank)
        InsertLine(m_lines.size(), "");
    InsertLine(m_lines.size(), "[" + strSection + "]");
    InsertLine(m_lines.size(), strKey + "=" + strValue);
}

void CProfileText::DeleteKey(const std::string& strSection, const std::string& strKey)
{
    std::vector<RANGE> ranges = FindSections(strSection);
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
        for (size_t i = it->nLast; i-- > it->nFirst + 1;)
        {
            PARSED_LINE parsed = ParseLine(m_lines[i].strText);
            if (parsed.kind == LineKind::Key && EqualNoCase(parsed.strName, strKey))
                m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
        }
}

void CProfileText::DeleteSection(const std::string& strSection)
{
    std::vector<RANGE> ranges = FindSections(strSection);
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
    {
        // Comments after the last key usually describe the next section: keep them.
        size_t nEnd = BodyEnd(*it, false);
        while (nEnd < it->nLast && ParseLine(m_lines[nEnd].strText).kind == LineKind::Blank)
            ++nEnd;
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(it->nFirst),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(nEnd));
    }
}

std::string CProfileText::GetText() const
{
    std::string text = m_strBom;
    for (const LINE& line : m_lines)
        text += line.strText + line.strEol;
    return text;
}

std::vector<CProfileText::RANGE> CProfileText::FindSections(const std::string& strSection) const
{
    std::vector<RANGE> ranges;
    bool bOpen = false;
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        PARSED_LINE parsed = ParseLine(m_lines[i].strText);
        if (parsed.kind != LineKind::Section)
            continue;
        if (bOpen)
            ranges.back().nLast = i;
        bOpen = EqualNoCase(parsed.strName, strSection);
        if (bOpen)
            ranges.push_back({i, m_lines.size()});
    }
    return ranges;
}

size_t CProfileText::FindKey(const RANGE& range, const std::string& strKey) const
{
    for (size_t i = range.nFirst + 1; i < range.nLast; ++i)
    {
        PARSED_LINE parsed = ParseLine(m_lines[i].strText);
        if (parsed.kind == LineKind::Key && EqualNoCase(parsed.strName, strKey))
            return i;
    }
    return std::string::npos;
}

size_t CProfileText::BodyEnd(const RANGE& range, bool bKeysOnly) const
{
    size_t nEnd = range.nFirst + 1;
    for (size_t i = range.nFirst + 1; i < range.nLast; ++i)
    {
        LineKind kind = ParseLine(m_lines[i].strText).kind;
        if (kind == LineKind::Key || (!bKeysOnly && kind == LineKind::Other))
            nEnd = i + 1;
    }
    return nEnd;
}

void CProfileText::InsertLine(size_t nAt, const std::string& strText)
{
    if (nAt > 0 && m_lines[nAt - 1].strEol.empty())
        m_lines[nAt - 1].strEol = m_strEol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(nAt), LINE{strText, m_strEol});
}
