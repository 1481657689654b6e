#include "PrmFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/stat.h>

namespace
{
enum class EField
{
    SectionName,
    Key,
    Value
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsControl(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7F;
}

std::string_view TrimLeft(std::string_view text)
{
    size_t n = 0;
    while (n < text.size() && IsBlank(text[n]))
        ++n;
    return text.substr(n);
}

std::string_view TrimRight(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return text.substr(0, n);
}

bool IsAllBlank(std::string_view text)
{
    return TrimLeft(text).empty();
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// Reads a quoted text starting at text[pos] == '"'; on success pos is just
// past the closing quote.
bool ReadQuoted(std::string_view text, size_t& pos, std::string& out)
{
    out.clear();
    for (size_t i = pos + 1; i < text.size(); ++i)
    {
        char ch = text[i];
        if (ch == '"')
        {
            pos = i + 1;
            return true;
        }
        if (ch != '\\')
        {
            out += ch;
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i])
        {
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x':
        {
            int hi = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
            int lo = hi >= 0 ? HexDigit(text[i + 2]) : -1;
            if (lo < 0)
                return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

bool ParseSectionName(std::string_view line, std::string& name)
{
    if (line.size() < 3 || line[0] != '[')
        return false;
    if (line[1] == '"')
    {
        size_t pos = 1;
        if (!ReadQuoted(line, pos, name) || pos >= line.size() || line[pos] != ']')
            return false;
        return IsAllBlank(line.substr(pos + 1)) && !name.empty();
    }
    size_t close = line.rfind(']');
    if (close == std::string_view::npos || !IsAllBlank(line.substr(close + 1)))
        return false;
    name = std::string(TrimRight(TrimLeft(line.substr(1, close - 1))));
    return !name.empty();
}

bool ParseEntry(std::string_view line, std::string& key, std::string& value)
{
    if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[')
        return false;
    size_t pos = 0;
    if (line[0] == '"')
    {
        if (!ReadQuoted(line, pos, key))
            return false;
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return false;
    }
    else
    {
        pos = line.find('=');
        if (pos == std::string_view::npos)
            return false;
        key = std::string(TrimRight(line.substr(0, pos)));
    }
    if (key.empty())
        return false;
    std::string_view rest = TrimLeft(line.substr(pos + 1));
    if (rest.empty() || rest[0] != '"')
    {
        value = std::string(TrimRight(rest));
        return true;
    }
    size_t end = 0;
    return ReadQuoted(rest, end, value) && IsAllBlank(rest.substr(end));
}

bool NeedsQuotes(const std::string& text, EField field)
{
    if (text.empty())
        return field != EField::Value;
    char first = text.front();
    if (first == '"' || IsBlank(first) || IsBlank(text.back()))
        return true;
    if (field == EField::Key && (first == ';' || first == '#' || first == '['))
        return true;
    for (char ch : text)
    {
        if (IsControl(static_cast<unsigned char>(ch)))
            return true;
        if ((field == EField::Key && ch == '=') || (field == EField::SectionName && ch == ']'))
            return true;
    }
    return false;
}

void AppendEncoded(std::string& out, const std::string& text, EField field)
{
    if (!NeedsQuotes(text, field))
    {
        out += text;
        return;
    }
    out += '"';
    for (char ch : text)
    {
        switch (ch)
        {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (IsControl(static_cast<unsigned char>(ch)))
            {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(ch));
                out += hex;
            }
            else
                out += ch;
        }
    }
    out += '"';
}

// Builds the parameters while the lines of a file come in.
class CParser
{
public:
    CParser(const std::string& path, CParamList& list) : m_strPath(path), m_list(list) {}
    ~CParser() { FlushKeptBlock(); }

    void Line(std::string_view line)
    {
        std::string_view text = TrimLeft(line);
        if (text.empty())
            return; // blank lines only separate sections
        std::string name;
        if (ParseSectionName(text, name))
            StartSection(name, line);
        else if (m_pCurrent)
            AddToParam(text, line);
        else
            m_strKeptBlock.append(line).append("\n");
    }

private:
    void StartSection(const std::string& name, std::string_view line)
    {
        FlushKeptBlock();
        m_pCurrent = m_list.Add(name);
        if (m_pCurrent)
            m_pCurrent->SetFilePath(m_strPath);
        else
            m_strKeptBlock.append(line).append("\n"); // a second section of a known name
    }

    void AddToParam(std::string_view text, std::string_view line)
    {
        std::string key, value;
        if (ParseEntry(text, key, value) && key != "ParamName" && !m_pCurrent->Find(key))
            m_pCurrent->Set(key, std::move(value));
        else
            m_pCurrent->AddKeptLine(std::string(line));
    }

    void FlushKeptBlock()
    {
        if (!m_strKeptBlock.empty())
            m_list.AddKeptBlock(std::move(m_strKeptBlock));
        m_strKeptBlock.clear();
    }

    const std::string& m_strPath;
    CParamList& m_list;
    CParam* m_pCurrent = nullptr;
    std::string m_strKeptBlock;
};
} // namespace

bool CPrmFile::Load(const std::string& path, CParamList& list)
{
    // A FIFO would keep the reader waiting for a writer, a directory reads as
    // nothing: neither is a file to read, nor to save over.
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return false;
    Parse(content.str(), path, list);
    return true;
}

void CPrmFile::Parse(const std::string& text, const std::string& path, CParamList& list)
{
    CParser parser(path, list);
    std::string_view rest(text);
    while (!rest.empty())
    {
        size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
        // Line ends of any kind are not content; a kept line could not carry
        // a carriage return of its own through a save anyway.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        parser.Line(line);
    }
}

std::string CPrmFile::Serialize(const CParamList& list)
{
    std::string out;
    out.reserve(list.GetCount() * 512);
    list.Walk(
        [&out](const CParam& param)
        {
            out += '[';
            AppendEncoded(out, param.GetName(), EField::SectionName);
            out += "]\n";
            for (const CParam::SEntry& entry : param.GetEntries())
            {
                if (entry.bKeptLine)
                    out += entry.strValue;
                else
                {
                    AppendEncoded(out, entry.strKey, EField::Key);
                    out += '=';
                    AppendEncoded(out, entry.strValue, EField::Value);
                }
                out += '\n';
            }
            out += '\n';
        },
        [&out](const std::string& block) { out.append(block).append("\n"); });
    return out;
}
