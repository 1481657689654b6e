#pragma once

#include <string>
#include <vector>

// Finds a delimiter in text fed one byte at a time, as a left-to-right search
// finds it: matches never overlap, so with "||" the text "|||" holds one
// delimiter and a "|" after it. Needs no look-back, so it can follow a file
// read in pieces.
class CDelimiterMatcher
{
public:
    explicit CDelimiterMatcher(std::string strDelimiter = ",");

    // Feeds one byte; true when it completes a delimiter.
    bool Feed(char c)
    {
        while (m_nMatched > 0 && m_strDelimiter[m_nMatched] != c)
            m_nMatched = m_vecFallback[m_nMatched - 1];
        if (m_strDelimiter[m_nMatched] == c)
            ++m_nMatched;
        if (m_nMatched < m_strDelimiter.size())
            return false;
        m_nMatched = 0;
        return true;
    }
    // Forgets a partial match, as at the start of a field.
    void Reset() { m_nMatched = 0; }
    bool IsIdle() const { return m_nMatched == 0; }

private:
    std::string m_strDelimiter;
    std::vector<size_t> m_vecFallback; // longest proper border of each prefix
    size_t m_nMatched = 0;
};
