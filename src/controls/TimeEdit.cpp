#include "controls/TimeEdit.h"

#include "controls/Delimter.h"
#include "controls/NumModulEdit.h"

#include <string>

namespace
{
const int DEFAULT_MAX_HOURS = 23;
const int DEFAULT_HOUR_WIDTH = 2;
const int MAX_MINUTES = 59;
} // namespace

CTimeEdit::CTimeEdit(int nMaxHours, int nHourWidth)
{
    if (nMaxHours < 1)
    {
        nMaxHours = DEFAULT_MAX_HOURS;
        nHourWidth = DEFAULT_HOUR_WIDTH;
    }
    else if (nHourWidth < 1)
        nHourWidth = static_cast<int>(std::to_string(nMaxHours).size());
    m_pHours = new CNumModulEdit(0, nMaxHours, nHourWidth, MODULE_TIME_FIELD);
    AddModule(m_pHours);
    AddModule(new CDelimter(":"));
    m_pMinutes = new CNumModulEdit(0, MAX_MINUTES, 2, MODULE_TIME_FIELD);
    AddModule(m_pMinutes);
}

CTimeEdit::~CTimeEdit() = default;

int CTimeEdit::SetFieldValue(CNumModulEdit* pField, int nValue)
{
    if (!pField)
        return 0;
    pField->SetValue(nValue);
    RefreshAndSelect(GetCurrentModule());
    return 1;
}

int CTimeEdit::SetHours(int nValue)
{
    return SetFieldValue(m_pHours, nValue);
}

int CTimeEdit::SetMinutes(int nValue)
{
    return SetFieldValue(m_pMinutes, nValue);
}

int CTimeEdit::GetHours()
{
    return m_pHours ? m_pHours->GetValue() : 0;
}

int CTimeEdit::GetMinutes()
{
    return m_pMinutes ? m_pMinutes->GetValue() : 0;
}
