#pragma once

#include "ParamList.h"

#include <string>

// Reading and writing the ".prm" text format (docs/prm-format.md): one section
// per parameter, attribute names as keys, values that need it quoted with
// C-style escapes so that every byte round-trips.
class CPrmFile
{
public:
    // Adds the file's parameters to the list, each recorded as coming from
    // path; false when the file cannot be read (the list is left as it was).
    static bool Load(const std::string& path, CParamList& list);
    // Adds the parameters of a file's text. Never fails: what is not
    // understood is kept as it stands.
    static void Parse(const std::string& text, const std::string& path, CParamList& list);
    static std::string Serialize(const CParamList& list);
};
