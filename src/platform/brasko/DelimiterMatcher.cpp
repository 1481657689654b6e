#include "brasko/DelimiterMatcher.h"

CDelimiterMatcher::CDelimiterMatcher(std::string strDelimiter)
    : m_strDelimiter(std::move(strDelimiter)), m_vecFallback(m_strDelimiter.size(), 0)
{
    for (size_t i = 1, k = 0; i < m_strDelimiter.size(); ++i)
    {
        while (k > 0 && m_strDelimiter[i] != m_strDelimiter[k])
            k = m_vecFallback[k - 1];
        if (m_strDelimiter[i] == m_strDelimiter[k])
            ++k;
        m_vecFallback[i] = k;
    }
}
