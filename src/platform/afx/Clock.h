#pragma once

// The clock: wall-clock time and the millisecond tick count come from here,
// so tests can fix the time and move it on.

#include "AfxTypes.h"

#include <chrono>
#include <functional>

struct SYSTEMTIME
{
    WORD wYear = 0;
    WORD wMonth = 0;     // 1 = January
    WORD wDayOfWeek = 0; // 0 = Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

std::chrono::system_clock::time_point AfxGetCurrentTime();
// The current time broken down in the local time zone.
void GetLocalTime(SYSTEMTIME* lpSystemTime);
// Milliseconds from a fixed start, wrapping after 49.7 days; only differences
// mean anything.
DWORD GetTickCount();

// Replaces the clock; the tick count then follows the handler's time. An
// empty function restores the system clock.
typedef std::function<std::chrono::system_clock::time_point()> AFX_CLOCK_HANDLER;
void AfxSetClockHandler(AFX_CLOCK_HANDLER handler);
