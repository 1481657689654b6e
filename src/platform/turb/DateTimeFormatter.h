#pragma once

#include <cstddef>
#include <ctime>

// The date/time formatting component: a strftime-style format applied to a
// broken-down time, with English names whatever the process locale. It
// knows %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %z %Z
// and %%; "#" after "%" drops leading zeros of numbers and gives the long
// forms of %c and %x. Any other element fails the whole format.
class CDateTimeFormatter
{
public:
    // Fills the buffer of nSize characters (terminator included); FALSE for
    // an unknown element, a lone "%" at the end or an output that does not fit.
    int Format(char* pszBuffer, size_t nSize, const char* pszFormat, const struct tm& time) const;
};
