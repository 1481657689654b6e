#include "ParamListing.h"

#include "ScriptLocation.h"

#include "manager/TarvoMgr.h"

int ListParameters(const CScriptLocation& script, const std::string& strDatFile, FILE* pOut)
{
    CTarvoMgr manager(strDatFile.c_str());
    if (!manager.GetTurbine())
    {
        std::fprintf(stderr, "tarvo-editor: cannot read the parameter types in %s\n", strDatFile.c_str());
        return 1;
    }
    manager.AddParamFile(script.GetParamFile().c_str(), script.GetName().c_str());
    std::vector<PARAM_SAMPLE_ROW> rows;
    if (!manager.GetParamNamesAndSamples(&rows))
    {
        std::fprintf(stderr, "tarvo-editor: cannot list the parameters of %s\n", script.GetParamFile().c_str());
        return 1;
    }
    for (const PARAM_SAMPLE_ROW& row : rows)
        std::fprintf(pOut, "%s\t%s\t%s\t%s\n", row[0].c_str(), row[1].c_str(), row[2].c_str(), row[3].c_str());
    return 0;
}
