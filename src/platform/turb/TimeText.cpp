#include "turb/TimeText.h"

#include "turb/DateTimeFormatter.h"

#include <cstdio>
#include <ctime>

namespace
{
const size_t OUTPUT_SIZE = 1024;
const std::string MILLISECONDS_MARK = ".000";
} // namespace

bool FormatTimeText(const std::string& strFormat, std::chrono::system_clock::time_point time, std::string& strOutput)
{
    using namespace std::chrono;
    auto since = time.time_since_epoch();
    long long llMilliseconds = duration_cast<milliseconds>(since).count() % 1000;
    char szMilliseconds[16];
    std::snprintf(szMilliseconds, sizeof szMilliseconds, ".%03d",
                  static_cast<int>(llMilliseconds < 0 ? 0 : llMilliseconds));
    time_t tSeconds = static_cast<time_t>(floor<seconds>(since).count());
    struct tm local = {};
    if (!localtime_r(&tSeconds, &local))
        return false;
    std::string strUsed = strFormat;
    size_t nLength = strUsed.size();
    if (nLength > 1 && strUsed[nLength - 1] == '%' && strUsed[nLength - 2] != '%')
        strUsed.pop_back();
    char szBuffer[OUTPUT_SIZE];
    if (!CDateTimeFormatter().Format(szBuffer, OUTPUT_SIZE, strUsed.c_str(), local))
        return false;
    strOutput = szBuffer;
    for (size_t nPos = strOutput.find(MILLISECONDS_MARK); nPos != std::string::npos;
         nPos = strOutput.find(MILLISECONDS_MARK, nPos + MILLISECONDS_MARK.size()))
        strOutput.replace(nPos, MILLISECONDS_MARK.size(), szMilliseconds);
    return true;
}
