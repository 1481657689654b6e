#include "PrintfFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace
{
const char* const INT_TYPES[] = {"d", "i", "u", "x", "X", "hd", "hu", "ld", "li", "lu", "lx", "lX"};
const char* const TEXT_TYPES[] = {"s", "hs", "ls"};

bool IsDigit(char ch)
{
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

// "%%" is one percent sign in the text around the conversion.
std::string Literal(const std::string& strText)
{
    std::string strOut;
    for (size_t i = 0; i < strText.size(); ++i)
    {
        strOut += strText[i];
        if (strText[i] == '%' && i + 1 < strText.size() && strText[i + 1] == '%')
            ++i;
    }
    return strOut;
}

// A huge width could not show anyway; it is capped, never overflowed.
int ReadNumber(const std::string& strText, size_t& nPos)
{
    int nValue = 0;
    for (; nPos < strText.size() && IsDigit(strText[nPos]); ++nPos)
        nValue = std::min(nValue * 10 + (strText[nPos] - '0'), CPrintfFormat::kMaxField);
    return nValue;
}

template <size_t N> bool IsOneOf(const std::string& strType, const char* const (&list)[N])
{
    return std::any_of(std::begin(list), std::end(list), [&](const char* psz) { return strType == psz; });
}
} // namespace

bool CPrintfFormat::Scan(const std::string& strFormat, int& nConversion)
{
    nConversion = -1;
    std::string strMasked = strFormat;
    for (size_t i = 0; i + 1 < strMasked.size(); ++i)
    {
        if (strMasked[i] == '%' && strMasked[i + 1] == '%')
        {
            strMasked.replace(i, 2, "\x01\x01");
            ++i;
        }
    }
    size_t nPercent = strMasked.find('%');
    if (nPercent == std::string::npos)
        return true;
    if (strMasked.find('%', nPercent + 1) != std::string::npos)
        return false;
    for (size_t i = nPercent + 1; i < strFormat.size(); ++i)
    {
        unsigned char ch = static_cast<unsigned char>(strFormat[i]);
        if (std::isalpha(ch))
        {
            nConversion = static_cast<int>(i);
            return true;
        }
        if (!std::isdigit(ch) && ch != '.' && ch != '-' && ch != '#')
            return false;
    }
    return false;
}

bool CPrintfFormat::Parse(const std::string& strFormat, EKind kind)
{
    *this = CPrintfFormat();
    int nConversion = -1;
    if (strFormat.empty() || !Scan(strFormat, nConversion))
        return false;
    if (nConversion < 0)
    {
        m_strBefore = Literal(strFormat);
        return true;
    }
    size_t nLetter = static_cast<size_t>(nConversion);
    size_t nTypeLength = strFormat[nLetter] == 'h' || strFormat[nLetter] == 'l' ? 2 : 1;
    std::string strType = strFormat.substr(nLetter, nTypeLength);
    if (kind == KIND_TEXT ? !IsOneOf(strType, TEXT_TYPES) : !IsOneOf(strType, INT_TYPES))
        return false;
    // Flags, then a width, then a precision; any other order is refused.
    size_t nPercent = strFormat.rfind('%', nLetter);
    size_t nPos = nPercent + 1;
    std::string strFlags;
    while (nPos < nLetter && (strFormat[nPos] == '-' || strFormat[nPos] == '#' || strFormat[nPos] == '0'))
        strFlags += strFormat[nPos++];
    int nWidth = nPos < nLetter && IsDigit(strFormat[nPos]) ? ReadNumber(strFormat, nPos) : -1;
    int nPrecision = -1;
    if (nPos < nLetter && strFormat[nPos] == '.')
        nPrecision = ReadNumber(strFormat, ++nPos);
    if (nPos != nLetter)
        return false;
    m_strBefore = Literal(strFormat.substr(0, nPercent));
    m_strAfter = Literal(strFormat.substr(nLetter + nTypeLength));
    m_strFlags = strFlags;
    m_strType = strType;
    m_nWidth = nWidth;
    m_nPrecision = nPrecision;
    return true;
}

std::string CPrintfFormat::Format(long long llValue, bool bWide) const
{
    if (m_strType.empty())
        return m_strBefore;
    return m_strBefore + FormatNumber(llValue, bWide) + m_strAfter;
}

std::string CPrintfFormat::Format(const std::string& strValue) const
{
    if (m_strType.empty())
        return m_strBefore;
    std::string strText = strValue;
    if (m_nPrecision >= 0 && static_cast<size_t>(m_nPrecision) < strText.size())
        strText.resize(static_cast<size_t>(m_nPrecision));
    return m_strBefore + Pad(strText) + m_strAfter;
}

// The value is cut to the conversion's size first, as the C library would
// take it from a narrower argument; the conversion is then rebuilt with a
// 64-bit length so nothing else is cut.
std::string CPrintfFormat::FormatNumber(long long llValue, bool bWide) const
{
    char chType = m_strType.back();
    bool bUnsigned = chType == 'u' || chType == 'x' || chType == 'X';
    if (m_strType[0] == 'h')
        llValue = bUnsigned ? static_cast<long long>(static_cast<unsigned short>(llValue))
                            : static_cast<long long>(static_cast<short>(llValue));
    else if (!bWide && bUnsigned)
        llValue = static_cast<long long>(static_cast<unsigned int>(llValue));
    else if (!bWide)
        llValue = static_cast<long long>(static_cast<int>(llValue));
    std::string strConversion = "%" + m_strFlags;
    if (m_nWidth >= 0)
        strConversion += std::to_string(m_nWidth);
    if (m_nPrecision >= 0)
        strConversion += "." + std::to_string(m_nPrecision);
    strConversion += "ll";
    strConversion += chType;
    char szBuffer[kMaxField * 2 + 64];
    int nLength = bUnsigned ? std::snprintf(szBuffer, sizeof szBuffer, strConversion.c_str(),
                                            static_cast<unsigned long long>(llValue))
                            : std::snprintf(szBuffer, sizeof szBuffer, strConversion.c_str(), llValue);
    return nLength < 0 ? std::string() : std::string(szBuffer);
}

std::string CPrintfFormat::Pad(std::string strText) const
{
    if (m_nWidth <= static_cast<int>(strText.size()))
        return strText;
    size_t nFill = static_cast<size_t>(m_nWidth) - strText.size();
    if (m_strFlags.find('-') != std::string::npos)
        strText.append(nFill, ' ');
    else
        strText.insert(0, nFill, m_strFlags.find('0') != std::string::npos ? '0' : ' ');
    return strText;
}
