#include "turb/DateTimeFormatter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
const char* const DAYS[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const MONTHS[] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};

// Fields are widened first: a caller's time may hold any int, and adding
// 1900 or 1 to the largest would overflow.
std::string Number(long long llValue, int nDigits, bool bNoZeros)
{
    char szText[24];
    std::snprintf(szText, sizeof szText, "%0*lld", bNoZeros ? 1 : nDigits, llValue);
    return szText;
}

std::string Name(const char* const* ppszNames, int nCount, int nIndex, bool bShort)
{
    if (nIndex < 0 || nIndex >= nCount)
        return "?";
    std::string strName = ppszNames[nIndex];
    return bShort ? strName.substr(0, 3) : strName;
}

// Week of the year with weeks starting on nFirstDay (0 Sunday, 1 Monday);
// days before the first such day are in week 0.
long long WeekOfYear(const struct tm& time, int nFirstDay)
{
    long long llWeekday = (time.tm_wday + 7LL - nFirstDay) % 7;
    return (time.tm_yday + 7LL - llWeekday) / 7;
}

std::string TimeZone(const struct tm& time, bool bOffset)
{
    if (bOffset)
    {
        long lMinutes = time.tm_gmtoff / 60;
        char szText[48]; // room for any long, though offsets are hours
        std::snprintf(szText, sizeof szText, "%c%02ld%02ld", lMinutes < 0 ? '-' : '+', std::labs(lMinutes) / 60,
                      std::labs(lMinutes) % 60);
        return szText;
    }
    return time.tm_zone ? time.tm_zone : "";
}

bool Element(char chElement, bool bAlternate, const struct tm& time, std::string& strOut);

bool Expand(const char* pszFormat, const struct tm& time, std::string& strOut)
{
    for (const char* p = pszFormat; *p; ++p)
    {
        if (*p != '%')
        {
            strOut += *p;
            continue;
        }
        bool bAlternate = p[1] == '#';
        if (bAlternate)
            ++p;
        if (!p[1] || !Element(*++p, bAlternate, time, strOut))
            return false;
    }
    return true;
}

int Hour12(int nHour)
{
    return nHour % 12 == 0 ? 12 : nHour % 12;
}

bool Element(char chElement, bool bAlternate, const struct tm& time, std::string& strOut)
{
    switch (chElement)
    {
    case 'a':
    case 'A':
        strOut += Name(DAYS, 7, time.tm_wday, chElement == 'a');
        return true;
    case 'b':
    case 'B':
        strOut += Name(MONTHS, 12, time.tm_mon, chElement == 'b');
        return true;
    case 'c':
        return Expand(bAlternate ? "%A, %B %#d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S", time, strOut);
    case 'x':
        return Expand(bAlternate ? "%A, %B %#d, %Y" : "%m/%d/%y", time, strOut);
    case 'X':
        return Expand("%H:%M:%S", time, strOut);
    case 'd':
        strOut += Number(time.tm_mday, 2, bAlternate);
        return true;
    case 'H':
        strOut += Number(time.tm_hour, 2, bAlternate);
        return true;
    case 'I':
        strOut += Number(Hour12(time.tm_hour), 2, bAlternate);
        return true;
    case 'j':
        strOut += Number(time.tm_yday + 1LL, 3, bAlternate);
        return true;
    case 'm':
        strOut += Number(time.tm_mon + 1LL, 2, bAlternate);
        return true;
    case 'M':
        strOut += Number(time.tm_min, 2, bAlternate);
        return true;
    case 'p':
        strOut += time.tm_hour < 12 ? "AM" : "PM";
        return true;
    case 'S':
        strOut += Number(time.tm_sec, 2, bAlternate);
        return true;
    case 'U':
    case 'W':
        strOut += Number(WeekOfYear(time, chElement == 'U' ? 0 : 1), 2, bAlternate);
        return true;
    case 'w':
        strOut += Number(time.tm_wday, 1, bAlternate);
        return true;
    case 'y':
        strOut += Number((time.tm_year + 1900LL) % 100, 2, bAlternate);
        return true;
    case 'Y':
        strOut += Number(time.tm_year + 1900LL, 1, bAlternate);
        return true;
    case 'z':
    case 'Z':
        strOut += TimeZone(time, chElement == 'z');
        return true;
    case '%':
        strOut += '%';
        return true;
    default:
        return false;
    }
}
} // namespace

int CDateTimeFormatter::Format(char* pszBuffer, size_t nSize, const char* pszFormat, const struct tm& time) const
{
    std::string strOut;
    if (!pszBuffer || nSize == 0 || !pszFormat || !Expand(pszFormat, time, strOut) || strOut.size() >= nSize)
        return 0;
    std::memcpy(pszBuffer, strOut.c_str(), strOut.size() + 1);
    return 1;
}
