#pragma once

// The text of an ini file, edited line by line: a change rewrites only the
// lines it must, so comments, blank lines, spacing and the order of every other
// line stay as they were. Lines are classified the way the profile reader
// (SimpleIni) parses them, so both always agree on what a section or key is.

#include <string>
#include <vector>

class CProfileText
{
public:
    explicit CProfileText(const std::string& strText);

    // Replaces the value of the first line of the key in a section of that
    // name, or adds the key to the first such section, or adds the section.
    void SetValue(const std::string& strSection, const std::string& strKey, const std::string& strValue);
    // Removes every line of the key in every section of that name.
    void DeleteKey(const std::string& strSection, const std::string& strKey);
    // Removes every section of that name with its keys.
    void DeleteSection(const std::string& strSection);

    std::string GetText() const;

private:
    struct LINE
    {
        std::string strText; // without its line ending
        std::string strEol;  // "\n", "\r\n", or "" for a last line without one
    };

    // [first, last) of the lines of a section, header included.
    struct RANGE
    {
        size_t nFirst = 0;
        size_t nLast = 0;
    };

    std::vector<RANGE> FindSections(const std::string& strSection) const;
    size_t FindKey(const RANGE& range, const std::string& strKey) const;
    size_t BodyEnd(const RANGE& range, bool bKeysOnly) const;
    void InsertLine(size_t nAt, const std::string& strText);

    std::string m_strBom; // a UTF-8 signature stays in front of the first line
    std::vector<LINE> m_lines;
    std::string m_strEol; // line ending for new lines: the file's own
};
