#include "controls/FormatSample.h"

#include "afx/Resource.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace
{
// The system's formatting writes at most this many characters.
const size_t MAX_OUTPUT = 1024;

const char* const INT_CONVERSIONS[] = {"d", "i", "u", "x", "X", "hd", "hu", "ld", "li", "lu", "lx", "lX"};
const char* const TEXT_CONVERSIONS[] = {"s", "hs", "ls"};

enum EValueKind
{
    VALUE_TEXT,
    VALUE_INT,
    VALUE_WIDE_INT
};

// What stands between "%" and the conversion letter.
struct FORMAT_FIELD
{
    std::string strFlags;
    int nWidth = -1;
    int nPrecision = -1;
};

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

// Widths and precisions beyond the output limit could not show anyway.
int ReadNumber(const std::string& strText, size_t& nPos)
{
    int nValue = 0;
    for (; nPos < strText.size() && std::isdigit(static_cast<unsigned char>(strText[nPos])); ++nPos)
        nValue = std::min(nValue * 10 + (strText[nPos] - '0'), static_cast<int>(MAX_OUTPUT));
    return nValue;
}

// Flags, then a width, then a precision; any other order has no meaning the
// sample could show, so the format is rejected.
bool ReadField(const std::string& strField, FORMAT_FIELD& field)
{
    size_t nPos = 0;
    while (nPos < strField.size() && (strField[nPos] == '-' || strField[nPos] == '#' || strField[nPos] == '0'))
        field.strFlags += strField[nPos++];
    if (nPos < strField.size() && std::isdigit(static_cast<unsigned char>(strField[nPos])))
        field.nWidth = ReadNumber(strField, nPos);
    if (nPos < strField.size() && strField[nPos] == '.')
        field.nPrecision = ReadNumber(strField, ++nPos);
    return nPos == strField.size();
}

template <size_t N> bool IsOneOf(const std::string& strType, const char* const (&list)[N])
{
    return std::any_of(std::begin(list), std::end(list), [&](const char* psz) { return strType == psz; });
}

bool FormatText(const FORMAT_FIELD& field, const std::string& strSample, std::string& strOut)
{
    strOut = strSample;
    if (field.nPrecision >= 0 && static_cast<size_t>(field.nPrecision) < strOut.size())
        strOut.resize(static_cast<size_t>(field.nPrecision));
    if (field.nWidth <= static_cast<int>(strOut.size()))
        return true;
    size_t nFill = static_cast<size_t>(field.nWidth) - strOut.size();
    if (field.strFlags.find('-') != std::string::npos)
        strOut.append(nFill, ' ');
    else
        strOut.insert(0, nFill, field.strFlags.find('0') != std::string::npos ? '0' : ' ');
    return true;
}

// The value as the system would take it: a short for "h", a 32-bit number
// unless bWide; the conversion is rebuilt with a 64-bit length around it.
bool FormatNumber(const FORMAT_FIELD& field, const std::string& strType, const std::string& strSample, bool bWide,
                  std::string& strOut)
{
    char chType = strType.back();
    bool bUnsigned = chType == 'u' || chType == 'x' || chType == 'X';
    long long llValue = std::strtoll(strSample.c_str(), nullptr, 10);
    if (strType[0] == 'h')
        llValue = bUnsigned ? static_cast<unsigned short>(llValue) : static_cast<short>(llValue);
    else if (!bWide)
        llValue = bUnsigned ? static_cast<unsigned int>(llValue) : static_cast<int>(llValue);
    std::string strConversion = "%" + field.strFlags;
    if (field.nWidth >= 0)
        strConversion += std::to_string(field.nWidth);
    if (field.nPrecision >= 0)
        strConversion += "." + std::to_string(field.nPrecision);
    strConversion += "ll";
    strConversion += chType;
    char szBuffer[MAX_OUTPUT * 2];
    int nLength = bUnsigned ? std::snprintf(szBuffer, sizeof szBuffer, strConversion.c_str(),
                                            static_cast<unsigned long long>(llValue))
                            : std::snprintf(szBuffer, sizeof szBuffer, strConversion.c_str(), llValue);
    if (nLength < 0)
        return false;
    strOut = szBuffer;
    return true;
}

int FormatSample(const std::string& strFormat, const std::string& strSample, EValueKind kind, std::string& strOutput)
{
    if (strFormat.empty())
    {
        strOutput = AfxLoadString(IDS_EMPTY_VALUE);
        return 0;
    }
    strOutput = AfxLoadString(IDS_INVALID_FORMAT);
    int nConversion = -1;
    if (!ScanFormat(strFormat, nConversion))
        return 0;
    if (nConversion < 0)
    {
        strOutput = Literal(strFormat).substr(0, MAX_OUTPUT);
        return 1;
    }
    size_t nLetter = static_cast<size_t>(nConversion);
    size_t nTypeLength = strFormat[nLetter] == 'h' || strFormat[nLetter] == 'l' ? 2 : 1;
    std::string strType = strFormat.substr(nLetter, nTypeLength);
    bool bKnown = kind == VALUE_TEXT ? IsOneOf(strType, TEXT_CONVERSIONS) : IsOneOf(strType, INT_CONVERSIONS);
    size_t nPercent = strFormat.rfind('%', nLetter);
    FORMAT_FIELD field;
    std::string strValue;
    if (!bKnown || !ReadField(strFormat.substr(nPercent + 1, nLetter - nPercent - 1), field))
        return 0;
    bool bDone = kind == VALUE_TEXT ? FormatText(field, strSample, strValue)
                                    : FormatNumber(field, strType, strSample, kind == VALUE_WIDE_INT, strValue);
    if (!bDone)
        return 0;
    std::string strText =
        Literal(strFormat.substr(0, nPercent)) + strValue + Literal(strFormat.substr(nLetter + nTypeLength));
    strOutput = strText.substr(0, MAX_OUTPUT);
    return 1;
}
} // namespace

bool ScanFormat(const std::string& strFormat, int& nConversion)
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

int FormatIntSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput, bool bWide)
{
    return FormatSample(strFormat, strSample, bWide ? VALUE_WIDE_INT : VALUE_INT, strOutput);
}

int FormatTextSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput)
{
    return FormatSample(strFormat, strSample, VALUE_TEXT, strOutput);
}

std::string FormatIntSample(const std::string& strFormat, const std::string& strSample, bool bWide)
{
    std::string strOutput;
    FormatIntSample(strFormat, strSample, strOutput, bWide);
    return strOutput;
}

std::string FormatTextSample(const std::string& strFormat, const std::string& strSample)
{
    std::string strOutput;
    FormatTextSample(strFormat, strSample, strOutput);
    return strOutput;
}
