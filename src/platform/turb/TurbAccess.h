#pragma once

#include "turb/Turb.h"

#include <optional>
#include <string>
#include <vector>

// The engine calls the editor makes most, with their texts and positions
// owned (CTurbText, CTurbPosition), so callers pair no Get with a Free.
class CTurbAccess
{
public:
    // An attribute of a parameter (a null name: of the instance); nothing
    // when it cannot be read, which differs from an empty value.
    static std::optional<std::string> ReadAttrib(void* hInstance, const char* pszName, const char* pszAttrib);
    static std::optional<std::string> ReadAttrib(void* hInstance, TURB_PARAM_ID id, const char* pszAttrib);
    // Sets the whole text, NUL bytes included; false when the engine refuses.
    static bool WriteAttrib(void* hInstance, const char* pszName, const char* pszAttrib, const std::string& strValue);

    // The ids of the parameters in engine order.
    static std::vector<TURB_PARAM_ID> GetParamIds(void* hInstance);
    // The type keys in the engine's order.
    static std::vector<std::string> GetTypeKeys(void* hInstance);
};
