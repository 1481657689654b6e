#include "tabs/ParamAttribs.h"

#include "manager/TarvoMgr.h"
#include "turb/Turb.h"

bool IsActiveParamKnown(CTarvoMgr* pMgr)
{
    return pMgr && *pMgr->GetActiveParamName() && !pMgr->GetActiveParamType().empty();
}

std::string ReadParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey)
{
    char* pszValue = nullptr;
    int nLength = 0;
    if (Param_GetAttribByNameExt(hTurbine, strName.c_str(), pszKey, &pszValue, &nLength) != TURB_OK || !pszValue)
        return std::string();
    std::string strValue(pszValue, static_cast<size_t>(nLength));
    Param_GetAttribFree(hTurbine, &pszValue);
    return strValue;
}

void WriteParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey, const std::string& strValue)
{
    Param_SetAttribByName(hTurbine, strName.c_str(), pszKey, strValue.data(), static_cast<int>(strValue.size()));
}
