#pragma once

#include <string>

// printf-style formats of the value-generating types, applied safely: a
// format holds at most one conversion ("%%" is a percent sign), with the flags
// '-', '0' and '#', a width, a precision and any of the length modifiers h,
// hh, l, ll and I64. Integer formats convert with d, i, u, x or X; text
// formats with s. A format that breaks these rules gives the plain value.
class CValueFormat
{
public:
    static std::string FormatInt(const std::string& format, long long value);
    static std::string FormatText(const std::string& format, const std::string& value);
};
