#include "TimeValue.h"

#include "turb/Turb.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{
const long long DAY = 86400;

std::string WithMilliseconds(std::string format, int milliseconds)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, ".%03d", milliseconds);
    for (size_t pos = format.find(".000"); pos != std::string::npos; pos = format.find(".000", pos + 4))
        format.replace(pos, 4, digits);
    return format;
}
} // namespace

CTimeValue::CTimeValue(const SValueSetup& setup)
    : CParamValue(ParseUpdate(setup.fnAttrib("GenerateNewVal"), EUpdate::EachOccurrence)),
      m_strFormat(setup.fnAttrib("Format")), m_nOffset(std::atoll(setup.fnAttrib("Offset").c_str())),
      m_bWorkingDays(std::atoi(setup.fnAttrib("WorkingDaysOn").c_str()) == 1)
{
    if (m_strFormat.empty())
        m_strFormat = "%c";
}

bool CTimeValue::OnStartVuser(const SVuserStart&)
{
    TakeTime();
    return true;
}

int CTimeValue::Step()
{
    TakeTime();
    return TURB_OK;
}

void CTimeValue::TakeTime()
{
    m_time = std::chrono::system_clock::now() + std::chrono::seconds(m_nOffset);
    if (!m_bWorkingDays)
        return;
    long long step = m_nOffset < 0 ? -DAY : DAY;
    for (int i = 0; i < 2; ++i)
    {
        std::time_t seconds = std::chrono::system_clock::to_time_t(m_time);
        std::tm local{};
        localtime_r(&seconds, &local);
        if (local.tm_wday != 0 && local.tm_wday != 6)
            return;
        m_time += std::chrono::seconds(step);
    }
}

int CTimeValue::Current(std::string& value)
{
    auto since = m_time.time_since_epoch();
    int milliseconds = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count() % 1000);
    std::time_t seconds = std::chrono::system_clock::to_time_t(m_time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[1024];
    size_t n = std::strftime(text, sizeof text, WithMilliseconds(m_strFormat, milliseconds).c_str(), &local);
    value.assign(text, n);
    return TURB_OK;
}
