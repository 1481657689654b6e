#include "ParamValue.h"

#include "NumberValue.h"
#include "RowValue.h"
#include "TextValue.h"
#include "TimeValue.h"

#include "turb/Turb.h"

#include <strings.h>

namespace
{
// Types whose values come from elsewhere (user functions, XML documents, ...).
class CNoValue : public CParamValue
{
public:
    CNoValue() : CParamValue(EUpdate::EachIteration) { InvalidateDefinition(); }

protected:
    bool OnStartVuser(const SVuserStart&) override { return false; }
    int Step() override { return TURB_E_NO_VALUE; }
    int Current(std::string&) override { return TURB_E_NO_VALUE; }
};

bool Is(const std::string& text, const char* word)
{
    return strcasecmp(text.c_str(), word) == 0;
}
} // namespace

std::unique_ptr<CParamValue> CParamValue::Create(const SValueSetup& setup)
{
    const std::string& type = setup.strType;
    if (type == "Table" || type == "XML" || type == "Spreadsheet")
        return std::make_unique<CRowValue>(setup, false);
    if (type == "TTable")
        return std::make_unique<CRowValue>(setup, true);
    if (type == "Random" || type == "Unique")
        return std::make_unique<CNumberValue>(setup);
    if (type == "Time")
        return std::make_unique<CTimeValue>(setup);
    if (CTextValue::IsTextType(type))
        return std::make_unique<CTextValue>(setup);
    return std::make_unique<CNoValue>();
}

void CParamValue::StartVuser(const SVuserStart& start)
{
    m_bExhausted = false;
    m_bReadThisIteration = false;
    m_bVuserValid = m_bDefinitionValid && OnStartVuser(start);
}

int CParamValue::Advance(bool bForce)
{
    if (!IsValid())
        return TURB_E_NO_VALUE;
    if (m_bExhausted)
        return TURB_E_OUT_OF_VALUES;
    m_bReadThisIteration = false;
    if (!bForce && m_eUpdate == EUpdate::Once)
        return TURB_OK;
    int status = Step();
    m_bExhausted = status == TURB_E_OUT_OF_VALUES;
    return status;
}

int CParamValue::GetValue(std::string& value)
{
    value.clear();
    if (!IsValid())
        return TURB_E_NO_VALUE;
    if (m_bExhausted)
        return TURB_E_OUT_OF_VALUES;
    // Every occurrence after the first in an iteration takes a new value.
    if (m_eUpdate == EUpdate::EachOccurrence && m_bReadThisIteration)
    {
        int status = Step();
        m_bExhausted = status == TURB_E_OUT_OF_VALUES;
        if (status != TURB_OK)
            return status;
    }
    m_bReadThisIteration = true;
    return Current(value);
}

CParamValue::EUpdate CParamValue::ParseUpdate(const std::string& text, EUpdate fallback)
{
    if (Is(text, "EachIteration"))
        return EUpdate::EachIteration;
    if (Is(text, "EachOccurrence"))
        return EUpdate::EachOccurrence;
    if (Is(text, "Once"))
        return EUpdate::Once;
    return fallback;
}

CParamValue::EOutOfRange CParamValue::ParseOutOfRange(const std::string& text)
{
    if (Is(text, "AbortVuser"))
        return EOutOfRange::AbortVuser;
    if (Is(text, "ContinueCyclic"))
        return EOutOfRange::ContinueCyclic;
    return EOutOfRange::ContinueWithLast;
}

bool CParamValue::StepInRange(long long& pos, long long step, long long first, long long last, EOutOfRange policy)
{
    if (pos + step <= last)
    {
        pos += step;
        return true;
    }
    switch (policy)
    {
    case EOutOfRange::AbortVuser:
        return false;
    case EOutOfRange::ContinueCyclic:
        pos = first;
        return true;
    case EOutOfRange::ContinueWithLast:
        return true;
    }
    return true;
}
