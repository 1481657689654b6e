#include "controls/QzTimeEdit.h"

#include "controls/Delimter.h"
#include "controls/NumModulEdit.h"

namespace
{
const int MAX_SECONDS = 59;
} // namespace

CQzTimeEdit::CQzTimeEdit(int nMaxHours, int nHourWidth) : CTimeEdit(nMaxHours, nHourWidth)
{
    AddModule(new CDelimter(":"));
    m_pSeconds = new CNumModulEdit(0, MAX_SECONDS, 2, MODULE_TIME_FIELD);
    AddModule(m_pSeconds);
}

CQzTimeEdit::~CQzTimeEdit() = default;

int CQzTimeEdit::SetSeconds(int nValue)
{
    return SetFieldValue(m_pSeconds, nValue);
}

int CQzTimeEdit::GetSeconds()
{
    return m_pSeconds ? m_pSeconds->GetValue() : 0;
}
