#pragma once

#include "ParamValue.h"

#include <chrono>

// Values of date/time parameters: the time taken when the Vuser starts and at
// every move, shifted by "Offset" seconds, shown with the strftime-style
// "Format" in which ".000" stands for the milliseconds. With "WorkingDaysOn"
// "1" a time that falls on a weekend moves on to Monday (back to Friday for a
// negative offset).
class CTimeValue : public CParamValue
{
public:
    explicit CTimeValue(const SValueSetup& setup);

protected:
    bool OnStartVuser(const SVuserStart& start) override;
    int Step() override;
    int Current(std::string& value) override;

private:
    void TakeTime();

    std::string m_strFormat;
    long long m_nOffset = 0;
    bool m_bWorkingDays = false;
    std::chrono::system_clock::time_point m_time;
};
