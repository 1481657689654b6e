#include "NumberValue.h"

#include "ValueFormat.h"

#include "turb/Turb.h"

#include <cstdlib>

namespace
{
const long long MAX_BOUND = 4294967295LL; // the tabs' limit for random bounds
const long long MAX_UNIQUE = 999999999LL; // the tabs' limit for start and block size

// A decimal number in 0..limit; an empty text gives the fallback.
bool ReadBound(const std::string& text, long long limit, long long fallback, long long& value)
{
    if (text.empty())
    {
        value = fallback;
        return true;
    }
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && value >= 0 && value <= limit;
}
} // namespace

CNumberValue::CNumberValue(const SValueSetup& setup)
    : CParamValue(ParseUpdate(setup.fnAttrib("GenerateNewVal"),
                              setup.strType == "Unique" ? EUpdate::EachIteration : EUpdate::EachOccurrence)),
      m_bUnique(setup.strType == "Unique"), m_strFormat(setup.fnAttrib("Format")),
      m_eOutOfRange(ParseOutOfRange(setup.fnAttrib("OutOfRangePolicy"))), m_pRandom(setup.pRandom)
{
    bool bValid = m_bUnique
                      ? ReadBound(setup.fnAttrib("StartValue"), MAX_UNIQUE, 1, m_nStart) &&
                            ReadBound(setup.fnAttrib("BlockSize"), MAX_UNIQUE, 100, m_nBlockSize) && m_nBlockSize > 0
                      : ReadBound(setup.fnAttrib("MinValue"), MAX_BOUND, 1, m_nMin) &&
                            ReadBound(setup.fnAttrib("MaxValue"), MAX_BOUND, 100, m_nMax) && m_nMin <= m_nMax;
    if (!bValid)
        InvalidateDefinition();
}

bool CNumberValue::OnStartVuser(const SVuserStart& start)
{
    if (!m_bUnique)
    {
        m_nValue = Draw();
        return true;
    }
    m_nFirst = m_nStart + static_cast<long long>(start.nVuser - 1) * m_nBlockSize;
    m_nLast = m_nFirst + m_nBlockSize - 1;
    m_nValue = m_nFirst;
    return true;
}

int CNumberValue::Step()
{
    if (!m_bUnique)
    {
        m_nValue = Draw();
        return TURB_OK;
    }
    return StepInRange(m_nValue, 1, m_nFirst, m_nLast, m_eOutOfRange) ? TURB_OK : TURB_E_OUT_OF_VALUES;
}

int CNumberValue::Current(std::string& value)
{
    value = CValueFormat::FormatInt(m_strFormat, m_nValue, true);
    return TURB_OK;
}

long long CNumberValue::Draw()
{
    std::uniform_int_distribution<long long> draw(m_nMin, m_nMax);
    return draw(*m_pRandom);
}
