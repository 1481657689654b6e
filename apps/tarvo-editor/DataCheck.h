#pragma once

#include <cstdio>
#include <string>

class CScriptLocation;

// The run a check is for; a count of 0 is not given: one Vuser, and the
// iterations of the script's run logic.
struct CHECK_OPTIONS
{
    int nVusers = 0;
    int nIterations = 0;
    bool bJson = false;
};

// Prints, per parameter, what would go wrong in a run of the script: one
// line "parameter<TAB>problem" each (with "<TAB>line N" when a data file's
// line is at fault), or JSON. Returns 0 when nothing is wrong, 1 when
// something is, 2 when the script cannot be read.
int CheckScript(const CScriptLocation& script, const std::string& strDatFile, const CHECK_OPTIONS& options, FILE* pOut);
