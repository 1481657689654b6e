#pragma once

// How the tabs read and write the attributes of the active parameter: through
// the engine, without the manager's conversions.

#include <string>

class CTarvoMgr;

// Whether the manager has an active parameter with a type; a tab reads and
// writes attributes only then.
bool IsActiveParamKnown(CTarvoMgr* pMgr);

// The attribute's text; empty on any failure, which is not reported.
std::string ReadParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey);
// The engine's answer is not checked: the value is the author's, as typed.
void WriteParamAttrib(void* hTurbine, const std::string& strName, const char* pszKey, const std::string& strValue);
