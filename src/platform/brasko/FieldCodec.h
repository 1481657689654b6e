#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a record's text into fields and joins fields back, for one delimiter.
// A field that starts with a double quote runs to the matching closing quote,
// with "" standing for one quote, and the delimiter or the end must follow;
// anything else runs to the next delimiter, quotes in it being data.
class CFieldCodec
{
public:
    explicit CFieldCodec(std::string strDelimiter = ",");

    // A delimiter is any non-empty text without a quote, CR, LF or NUL.
    static bool IsValidDelimiter(std::string_view delimiter);

    // false when a quoted value is left open or text follows its closing
    // quote; nFault is then the offset of the fault in the text.
    bool Split(std::string_view text, std::vector<std::string>& fields, size_t& nFault) const;
    // Appends the fields to strOut, quoting exactly those that need it.
    void Join(const std::vector<std::string>& fields, std::string& strOut) const;
    // Whether the field would not read back as itself without quotes.
    bool NeedsQuotes(std::string_view field) const;

private:
    bool SplitQuoted(std::string_view text, size_t& nPos, std::string& strField) const;

    std::string m_strDelimiter;
};
