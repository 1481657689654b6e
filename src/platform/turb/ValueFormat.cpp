#include "ValueFormat.h"

#include <cstdio>
#include <cstring>

namespace
{
// Widths and precisions beyond this are refused rather than honoured.
const int MAX_FIELD = 512;

struct SConversion
{
    std::string strBefore; // literal text, "%%" already turned into "%"
    std::string strAfter;
    std::string strFlags;
    int nWidth = -1;
    int nPrecision = -1;
    char chType = 0; // 0 when the format has no conversion
};

bool ReadNumber(const std::string& format, size_t& pos, int& value)
{
    value = 0;
    size_t start = pos;
    while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9')
    {
        value = value * 10 + (format[pos++] - '0');
        if (value > MAX_FIELD)
            return false;
    }
    return pos > start;
}

void SkipLengthModifier(const std::string& format, size_t& pos)
{
    if (format.compare(pos, 3, "I64") == 0)
        pos += 3;
    else if (format.compare(pos, 2, "hh") == 0 || format.compare(pos, 2, "ll") == 0)
        pos += 2;
    else if (pos < format.size() && (format[pos] == 'h' || format[pos] == 'l'))
        ++pos;
}

bool ReadSpec(const std::string& format, size_t& pos, SConversion& conv)
{
    while (pos < format.size() && std::strchr("-0#", format[pos]))
        conv.strFlags += format[pos++];
    if (pos < format.size() && format[pos] >= '0' && format[pos] <= '9' && !ReadNumber(format, pos, conv.nWidth))
        return false;
    if (pos < format.size() && format[pos] == '.')
    {
        ++pos;
        if (!ReadNumber(format, pos, conv.nPrecision))
            conv.nPrecision = 0;
        if (conv.nPrecision > MAX_FIELD)
            return false;
    }
    SkipLengthModifier(format, pos);
    if (pos >= format.size())
        return false;
    conv.chType = format[pos++];
    return true;
}

bool Parse(const std::string& format, const char* types, SConversion& conv)
{
    std::string* literal = &conv.strBefore;
    for (size_t pos = 0; pos < format.size();)
    {
        char ch = format[pos++];
        if (ch != '%')
            *literal += ch;
        else if (pos < format.size() && format[pos] == '%')
        {
            *literal += '%';
            ++pos;
        }
        else if (conv.chType || !ReadSpec(format, pos, conv) || !std::strchr(types, conv.chType))
            return false;
        else
            literal = &conv.strAfter;
    }
    return true;
}

bool HasFlag(const SConversion& conv, char flag)
{
    return conv.strFlags.find(flag) != std::string::npos;
}

std::string Pad(std::string text, const SConversion& conv)
{
    if (conv.nWidth <= 0 || static_cast<int>(text.size()) >= conv.nWidth)
        return text;
    size_t fill = static_cast<size_t>(conv.nWidth) - text.size();
    if (HasFlag(conv, '-'))
        return text + std::string(fill, ' ');
    return std::string(fill, HasFlag(conv, '0') ? '0' : ' ') + text;
}
} // namespace

std::string CValueFormat::FormatInt(const std::string& format, long long value)
{
    SConversion conv;
    if (format.empty() || !Parse(format, "diuxX", conv))
        return std::to_string(value);
    if (!conv.chType)
        return conv.strBefore;
    // Rebuilt with a 64-bit length so the value is never cut.
    std::string strConversion = "%" + conv.strFlags;
    if (conv.nWidth >= 0)
        strConversion += std::to_string(conv.nWidth);
    if (conv.nPrecision >= 0)
        strConversion += "." + std::to_string(conv.nPrecision);
    strConversion += "ll";
    strConversion += conv.chType;
    char buffer[MAX_FIELD * 2 + 64];
    std::snprintf(buffer, sizeof buffer, strConversion.c_str(), value);
    return conv.strBefore + buffer + conv.strAfter;
}

std::string CValueFormat::FormatText(const std::string& format, const std::string& value)
{
    SConversion conv;
    if (format.empty() || !Parse(format, "s", conv))
        return value;
    if (!conv.chType)
        return conv.strBefore;
    std::string text = value;
    if (conv.nPrecision >= 0 && static_cast<size_t>(conv.nPrecision) < text.size())
        text.resize(static_cast<size_t>(conv.nPrecision));
    return conv.strBefore + Pad(text, conv) + conv.strAfter;
}
