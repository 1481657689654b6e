#include "ValueFormat.h"

#include "PrintfFormat.h"

std::string CValueFormat::FormatInt(const std::string& format, long long value, bool bWide)
{
    CPrintfFormat parsed;
    if (!parsed.Parse(format, CPrintfFormat::KIND_INT))
        return std::to_string(value);
    return parsed.Format(value, bWide);
}

std::string CValueFormat::FormatText(const std::string& format, const std::string& value)
{
    CPrintfFormat parsed;
    if (!parsed.Parse(format, CPrintfFormat::KIND_TEXT))
        return value;
    return parsed.Format(value);
}
