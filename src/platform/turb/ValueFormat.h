#pragma once

#include <string>

// The values of the value-generating types shown with their "Format", read by
// CPrintfFormat as the editor's samples read it. An empty format, or one that
// the type's kind of value does not take, gives the plain value.
class CValueFormat
{
public:
    // bWide: the value is taken as a 64-bit number, else as the 32-bit number
    // a narrow conversion would see.
    static std::string FormatInt(const std::string& format, long long value, bool bWide);
    static std::string FormatText(const std::string& format, const std::string& value);
};
