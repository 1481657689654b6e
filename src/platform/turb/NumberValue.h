#pragma once

#include "ParamValue.h"

// Values of random-number parameters (uniform in "MinValue".."MaxValue") and
// unique-number parameters (Vuser n takes the block of "BlockSize" numbers
// from "StartValue" + (n - 1) x "BlockSize", then "OutOfRangePolicy"), shown
// with the integer "Format".
class CNumberValue : public CParamValue
{
public:
    explicit CNumberValue(const SValueSetup& setup);

protected:
    bool OnStartVuser(const SVuserStart& start) override;
    int Step() override;
    int Current(std::string& value) override;

private:
    long long Draw();

    bool m_bUnique;
    std::string m_strFormat;
    EOutOfRange m_eOutOfRange;
    long long m_nMin = 1;
    long long m_nMax = 100;
    long long m_nStart = 1;
    long long m_nBlockSize = 100;
    long long m_nFirst = 0; // the Vuser's block of unique numbers
    long long m_nLast = 0;
    long long m_nValue = 0;
    std::mt19937_64* m_pRandom;
};
