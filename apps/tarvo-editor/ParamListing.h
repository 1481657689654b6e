#pragma once

#include <cstdio>
#include <string>

class CScriptLocation;

// Writes one line per parameter of the script: name, type, sample value and
// delimiter, separated by tabs. Returns the process exit code; problems go to
// stderr.
int ListParameters(const CScriptLocation& script, const std::string& strDatFile, FILE* pOut);
