#include "Clock.h"

#include <ctime>

namespace
{
AFX_CLOCK_HANDLER& ClockHandler()
{
    static AFX_CLOCK_HANDLER handler;
    return handler;
}
} // namespace

std::chrono::system_clock::time_point AfxGetCurrentTime()
{
    return ClockHandler() ? ClockHandler()() : std::chrono::system_clock::now();
}

void GetLocalTime(SYSTEMTIME* lpSystemTime)
{
    if (!lpSystemTime)
        return;
    using namespace std::chrono;
    milliseconds sinceEpoch = floor<milliseconds>(AfxGetCurrentTime().time_since_epoch());
    seconds whole = floor<seconds>(sinceEpoch);
    std::time_t t = static_cast<std::time_t>(whole.count());
    std::tm local{};
    localtime_r(&t, &local);
    lpSystemTime->wYear = static_cast<WORD>(local.tm_year + 1900);
    lpSystemTime->wMonth = static_cast<WORD>(local.tm_mon + 1);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    lpSystemTime->wDay = static_cast<WORD>(local.tm_mday);
    lpSystemTime->wHour = static_cast<WORD>(local.tm_hour);
    lpSystemTime->wMinute = static_cast<WORD>(local.tm_min);
    lpSystemTime->wSecond = static_cast<WORD>(local.tm_sec);
    lpSystemTime->wMilliseconds = static_cast<WORD>((sinceEpoch - whole).count());
}

DWORD GetTickCount()
{
    using namespace std::chrono;
    if (ClockHandler())
        return static_cast<DWORD>(duration_cast<milliseconds>(ClockHandler()().time_since_epoch()).count());
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void AfxSetClockHandler(AFX_CLOCK_HANDLER handler)
{
    ClockHandler() = std::move(handler);
}
