#include "ParamSnapshot.h"

#include "turb/Turb.h"

namespace
{
std::string Attrib(void* hTurbine, TURB_PARAM_ID id, const std::string& strAttrib)
{
    char* text = nullptr;
    int length = 0;
    if (Param_GetAttribExt(hTurbine, id, strAttrib.c_str(), &text, &length) != TURB_OK || !text)
        return "\x01"; // missing differs from empty
    std::string value(text, static_cast<size_t>(length));
    Param_GetAttribFree(hTurbine, &text);
    return value;
}
} // namespace

void CParamSnapshot::Take(void* hTurbine)
{
    m_arrLines.clear();
    if (!hTurbine)
        return;
    void* position = Param_GetHeadParamPos(hTurbine);
    for (TURB_PARAM_ID id; (id = Param_GetNextParam(hTurbine, position)) != 0;)
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
    Param_GetHeadPosFree(hTurbine, position);
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
