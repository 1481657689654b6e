#pragma once

#include <cstdio>
#include <string>

class CScriptLocation;

// What the command line asks of a simulation; a count of 0 is not given and
// comes from the script's saved settings.
struct SIMULATE_OPTIONS
{
    std::string strParam;
    int nVusers = 0;
    int nIterations = 0;
    bool bSeed = false;
    unsigned int nSeed = 0;
    bool bJson = false;
};

// Prints the values each simulated Vuser receives per iteration, as the
// simulation dialog shows them: a tab-separated table with a header row and
// "-" for no value, or JSON. Returns the exit code: 0, or 1 with the
// dialog's message on stderr for a parameter it refuses or cannot simulate.
int SimulateParameter(const CScriptLocation& script, const std::string& strDatFile, const SIMULATE_OPTIONS& options,
                      FILE* pOut);
