#include "controls/FormatDateSample.h"

#include "afx/Clock.h"
#include "turb/TimeText.h"

namespace
{
const char* const INVALID_TIME_FORMAT = "Invalid time format";
} // namespace

int FormatDateSample(const std::string& strFormat, std::string& strOutput)
{
    if (FormatTimeText(strFormat, AfxGetCurrentTime(), strOutput))
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
