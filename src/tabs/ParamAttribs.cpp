#include "tabs/ParamAttribs.h"

#include "manager/TarvoMgr.h"
#include "turb/TurbAccess.h"

bool IsActiveParamKnown(CTarvoMgr* pMgr)
{
    return pMgr && *pMgr->GetActiveParamName() && !pMgr->GetActiveParamType().empty();
}

std::string ReadParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey)
{
    return CTurbAccess::ReadAttrib(hTurbine, strName.c_str(), pszKey).value_or(std::string());
}

void WriteParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey, const std::string& strValue)
{
    CTurbAccess::WriteAttrib(hTurbine, strName.c_str(), pszKey, strValue);
}
