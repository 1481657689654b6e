#include "TimeValue.h"

#include "turb/TimeText.h"
#include "turb/Turb.h"

#include <cstdlib>
#include <ctime>

namespace
{
const long long DAY = 86400;
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

// The same reading as the editor's sample; a format the sample refuses gives
// the Vuser the plain date and time.
int CTimeValue::Current(std::string& value)
{
    if (!FormatTimeText(m_strFormat, m_time, value))
        FormatTimeText("%c", m_time, value);
    return TURB_OK;
}
