#pragma once

#include "ParamValue.h"

// Values that describe the Vuser's run: its number ("Userid"), the load
// generator ("Host": the instance-wide "LoadGeneratorName", else the machine's
// name), its group ("Group": the instance-wide "GroupName", else "None"), the
// iteration number ("CurrentIteration", from 1), each shown with "Format"; and
// the fixed "CurrentValue" of "Custom" parameters.
class CTextValue : public CParamValue
{
public:
    explicit CTextValue(const SValueSetup& setup);

    static bool IsTextType(const std::string& type);

protected:
    bool OnStartVuser(const SVuserStart& start) override;
    int Step() override;
    int Current(std::string& value) override;

private:
    std::string m_strType;
    std::string m_strFormat;
    std::string m_strText; // what the format is applied to
    long long m_nIteration = 1;
};
