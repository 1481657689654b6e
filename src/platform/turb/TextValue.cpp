#include "TextValue.h"

#include "ValueFormat.h"

#include "turb/Turb.h"

#include <unistd.h>

namespace
{
std::string MachineName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return std::string();
    return name;
}

std::string OrDefault(const std::string& text, const std::string& fallback)
{
    return text.empty() ? fallback : text;
}
} // namespace

CTextValue::CTextValue(const SValueSetup& setup)
    : CParamValue(EUpdate::EachIteration), m_strType(setup.strType), m_strFormat(setup.fnAttrib("Format"))
{
    if (m_strType == "Host")
        m_strText = OrDefault(setup.fnInstanceAttrib("LoadGeneratorName"), MachineName());
    else if (m_strType == "Group")
        m_strText = OrDefault(setup.fnInstanceAttrib("GroupName"), "None");
    else if (m_strType == "Custom")
        m_strText = setup.fnAttrib("CurrentValue");
}

bool CTextValue::IsTextType(const std::string& type)
{
    return type == "Userid" || type == "Host" || type == "Group" || type == "CurrentIteration" || type == "Custom";
}

bool CTextValue::OnStartVuser(const SVuserStart& start)
{
    m_nIteration = 1;
    if (m_strType == "Userid")
        m_strText = std::to_string(start.nVuser);
    return true;
}

int CTextValue::Step()
{
    ++m_nIteration;
    return TURB_OK;
}

int CTextValue::Current(std::string& value)
{
    if (m_strType == "Custom")
        value = m_strText;
    else if (m_strType == "CurrentIteration")
        value = CValueFormat::FormatInt(m_strFormat, m_nIteration, false);
    else
        value = CValueFormat::FormatText(m_strFormat, m_strText);
    return TURB_OK;
}
