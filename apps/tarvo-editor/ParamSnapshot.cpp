#include "ParamSnapshot.h"

#include "turb/TurbAccess.h"

namespace
{
std::string Attrib(void* hTurbine, TURB_PARAM_ID id, const std::string& strAttrib)
{
    return CTurbAccess::ReadAttrib(hTurbine, id, strAttrib.c_str()).value_or("\x01"); // missing differs from empty
}
} // namespace

void CParamSnapshot::Take(void* hTurbine)
{
    m_arrLines.clear();
    if (!hTurbine)
        return;
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(hTurbine))
    {
        std::string strType = Attrib(hTurbine, id, "Type");
        m_arrLines.push_back(Attrib(hTurbine, id, "ParamName") + "\n" + strType);
        const char* keys = Param_GetAttribKeyList(hTurbine, strType.c_str());
        std::string strKeys = keys ? keys : "";
        for (size_t start = 0; start < strKeys.size();)
        {
            size_t comma = strKeys.find(',', start);
            std::string key = strKeys.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            m_arrLines.push_back(key + "=" + Attrib(hTurbine, id, key));
            start = comma == std::string::npos ? strKeys.size() : comma + 1;
        }
    }
}

void CParamSnapshot::TakeFromFile(const std::string& strDatFile, const std::string& strPath)
{
    m_arrLines.clear();
    void* hTurbine = new_turbine_handle(strDatFile.c_str(), 1);
    if (!hTurbine)
        return;
    if (Param_AddParamFile(hTurbine, strPath.c_str(), 1) == TURB_OK)
        Take(hTurbine);
    delete_turbine_handle(hTurbine);
}
