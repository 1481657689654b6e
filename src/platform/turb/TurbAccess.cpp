#include "TurbAccess.h"

#include "TurbPosition.h"
#include "TurbText.h"

std::optional<std::string> CTurbAccess::ReadAttrib(void* hInstance, const char* pszName, const char* pszAttrib)
{
    CTurbText text(hInstance);
    if (Param_GetAttribByNameExt(hInstance, pszName, pszAttrib, text.GetTextOut(), text.GetLengthOut()) != TURB_OK ||
        !text.IsSet())
        return std::nullopt;
    return text.GetString();
}

std::optional<std::string> CTurbAccess::ReadAttrib(void* hInstance, TURB_PARAM_ID id, const char* pszAttrib)
{
    CTurbText text(hInstance);
    if (Param_GetAttribExt(hInstance, id, pszAttrib, text.GetTextOut(), text.GetLengthOut()) != TURB_OK ||
        !text.IsSet())
        return std::nullopt;
    return text.GetString();
}

bool CTurbAccess::WriteAttrib(void* hInstance, const char* pszName, const char* pszAttrib, const std::string& strValue)
{
    return Param_SetAttribByName(hInstance, pszName, pszAttrib, strValue.data(), static_cast<int>(strValue.size())) ==
           TURB_OK;
}

std::vector<TURB_PARAM_ID> CTurbAccess::GetParamIds(void* hInstance)
{
    std::vector<TURB_PARAM_ID> arrIds;
    CTurbPosition position(hInstance, CTurbPosition::WALK_PARAMS);
    while (TURB_PARAM_ID id = position.NextParam())
        arrIds.push_back(id);
    return arrIds;
}

std::vector<std::string> CTurbAccess::GetTypeKeys(void* hInstance)
{
    std::vector<std::string> arrTypes;
    CTurbPosition position(hInstance, CTurbPosition::WALK_TYPES);
    while (const char* pszType = position.NextType())
        arrTypes.push_back(pszType);
    return arrTypes;
}
