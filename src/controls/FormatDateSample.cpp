#include "controls/FormatDateSample.h"

#include "afx/Clock.h"
#include "controls/DateTimeFormatter.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace
{
const char* const INVALID_TIME_FORMAT = "Invalid time format";
const size_t OUTPUT_SIZE = 1024;
const std::string MILLISECONDS_MARK = ".000";

bool FormatNow(std::string strFormat, std::string& strOutput)
{
    using namespace std::chrono;
    auto since = AfxGetCurrentTime().time_since_epoch();
    long long llMicroseconds = duration_cast<microseconds>(since).count() % 1000000;
    int nMilliseconds = static_cast<int>(llMicroseconds < 0 ? 0 : llMicroseconds / 1000);
    char szMilliseconds[16];
    if (std::snprintf(szMilliseconds, sizeof szMilliseconds, ".%03d", nMilliseconds) != 4)
        return false;
    time_t tNow = static_cast<time_t>(floor<seconds>(since).count());
    struct tm local = {};
    if (!localtime_r(&tNow, &local))
        return false;
    // A lone "%" at the end would fail the whole format.
    size_t nLength = strFormat.size();
    if (nLength > 1 && strFormat[nLength - 1] == '%' && strFormat[nLength - 2] != '%')
        strFormat.pop_back();
    char szBuffer[OUTPUT_SIZE];
    CDateTimeFormatter formatter;
    if (!formatter.Format(szBuffer, OUTPUT_SIZE, strFormat.c_str(), local))
        return false;
    strOutput = szBuffer;
    for (size_t nPos = strOutput.find(MILLISECONDS_MARK); nPos != std::string::npos;
         nPos = strOutput.find(MILLISECONDS_MARK, nPos + MILLISECONDS_MARK.size()))
        strOutput.replace(nPos, MILLISECONDS_MARK.size(), szMilliseconds);
    return true;
}
} // namespace

int FormatDateSample(const std::string& strFormat, std::string& strOutput)
{
    if (FormatNow(strFormat, strOutput))
        return 1;
    strOutput = INVALID_TIME_FORMAT;
    return 0;
}

std::string FormatDateSample(const std::string& strFormat)
{
    std::string strOutput;
    FormatDateSample(strFormat, strOutput);
    return strOutput;
}
