#include "brasko/FieldCodec.h"

CFieldCodec::CFieldCodec(std::string strDelimiter) : m_strDelimiter(std::move(strDelimiter)) {}

bool CFieldCodec::IsValidDelimiter(std::string_view delimiter)
{
    return !delimiter.empty() && delimiter.find_first_of(std::string_view("\"\r\n\0", 4)) == std::string_view::npos;
}

bool CFieldCodec::Split(std::string_view text, std::vector<std::string>& fields, size_t& nFault) const
{
    fields.clear();
    size_t nPos = 0;
    for (;;)
    {
        std::string strField;
        if (nPos < text.size() && text[nPos] == '"')
        {
            if (!SplitQuoted(text, nPos, strField))
            {
                nFault = nPos;
                return false;
            }
            fields.push_back(std::move(strField));
            if (nPos == text.size())
                return true;
            if (text.compare(nPos, m_strDelimiter.size(), m_strDelimiter) != 0)
            {
                nFault = nPos; // text after the closing quote
                return false;
            }
            nPos += m_strDelimiter.size();
            continue;
        }
        // A quote inside a field that did not start with one is data: 1,5" screen
        size_t nEnd = text.find(m_strDelimiter, nPos);
        fields.emplace_back(text.substr(nPos, nEnd == std::string_view::npos ? nEnd : nEnd - nPos));
        if (nEnd == std::string_view::npos)
            return true;
        nPos = nEnd + m_strDelimiter.size();
    }
}

// nPos is on the opening quote; afterwards it is just past the closing one.
bool CFieldCodec::SplitQuoted(std::string_view text, size_t& nPos, std::string& strField) const
{
    size_t nFrom = nPos + 1;
    for (;;)
    {
        size_t nQuote = text.find('"', nFrom);
        if (nQuote == std::string_view::npos)
            return false;
        strField.append(text, nFrom, nQuote - nFrom);
        if (nQuote + 1 < text.size() && text[nQuote + 1] == '"')
        {
            strField += '"';
            nFrom = nQuote + 2;
            continue;
        }
        nPos = nQuote + 1;
        return true;
    }
}

void CFieldCodec::Join(const std::vector<std::string>& fields, std::string& strOut) const
{
    // A lone empty field in quotes, or the record would read as an empty line.
    if (fields.size() == 1 && fields[0].empty())
    {
        strOut += "\"\"";
        return;
    }
    for (size_t i = 0; i < fields.size(); ++i)
    {
        if (i > 0)
            strOut += m_strDelimiter;
        const std::string& strField = fields[i];
        if (!NeedsQuotes(strField))
        {
            strOut += strField;
            continue;
        }
        strOut += '"';
        for (char c : strField)
        {
            if (c == '"')
                strOut += '"';
            strOut += c;
        }
        strOut += '"';
    }
}

// Besides quotes and line breaks, a field needs quotes when the delimiter
// would be found earlier than where it is written, which a multi-character
// delimiter allows even without containing it ("a|" before "||").
bool CFieldCodec::NeedsQuotes(std::string_view field) const
{
    if (field.find_first_of("\"\r\n") != std::string_view::npos)
        return true;
    if (field.find(m_strDelimiter) != std::string_view::npos)
        return true;
    size_t nTail = std::min(field.size(), m_strDelimiter.size() - 1);
    std::string strProbe(field.substr(field.size() - nTail));
    strProbe += m_strDelimiter;
    return strProbe.find(m_strDelimiter) != nTail;
}
