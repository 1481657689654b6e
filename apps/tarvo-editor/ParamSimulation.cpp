#include "ParamSimulation.h"

#include "JsonText.h"
#include "ScriptLocation.h"

#include "controls/StringParam.h"
#include "resources/StringIds.h"
#include "simulation/ParamSimulator.h"

#include <vector>

namespace
{
int Refuse(const std::string& strMessage)
{
    std::fprintf(stderr, "tarvo-editor: %s\n", strMessage.c_str());
    return 1;
}

void PrintTable(const SIM_SETTINGS& settings, const std::vector<SIM_ROW>& arrRows, FILE* pOut)
{
    std::string strLine;
    for (int i = 1; i <= settings.GetColumns(); ++i)
    {
        std::string strHeading;
        FormatResourcePrintf(strHeading, IDS_SIM_ITERATION_COLUMN, CStringParam(i, 10));
        strLine += "\t" + strHeading;
    }
    std::fprintf(pOut, "%s\n", strLine.c_str());
    for (const SIM_ROW& row : arrRows)
    {
        strLine = TabField(row.strName);
        for (const SIM_CELL& cell : row.arrCells)
            strLine += "\t" + TabField(cell.strText);
        std::fprintf(pOut, "%s\n", strLine.c_str());
    }
}

void PrintJson(const std::string& strParam, const SIM_SETTINGS& settings, const std::vector<SIM_ROW>& arrRows,
               FILE* pOut)
{
    std::fprintf(pOut, "{\"parameter\": %s, \"vusers\": %d, \"iterations\": %d, \"rows\": [",
                 JsonString(strParam).c_str(), settings.nVusers, settings.GetColumns());
    for (size_t r = 0; r < arrRows.size(); ++r)
    {
        const SIM_ROW& row = arrRows[r];
        std::string strCells;
        for (size_t c = 0; c < row.arrCells.size(); ++c)
        {
            const SIM_CELL& cell = row.arrCells[c];
            strCells += c ? ", " : "";
            strCells += cell.bValue ? "{\"value\": " + JsonString(cell.strText) + "}"
                                    : "{\"value\": null, \"tip\": " + JsonString(cell.strTip) + "}";
        }
        std::fprintf(pOut, "%s\n  {\"user\": %s, \"tip\": %s, \"cells\": [%s]}", r ? "," : "",
                     JsonString(row.strName).c_str(), JsonString(row.strTip).c_str(), strCells.c_str());
    }
    std::fprintf(pOut, "\n]}\n");
}
} // namespace

int SimulateParameter(const CScriptLocation& script, const std::string& strDatFile, const SIMULATE_OPTIONS& options,
                      FILE* pOut)
{
    CParamSimulator simulator;
    std::string strMessage;
    if (!simulator.Open(strDatFile, script.GetParamFile(), options.strParam, strMessage))
        return Refuse(strMessage);
    std::string strType;
    if (!simulator.ReadParamAttrib("Type", strType))
        return Refuse("the script has no parameter named '" + options.strParam + "'");
    if (unsigned int nRefusal = simulator.GetRefusal())
    {
        FormatResourcePrintf(strMessage, nRefusal);
        return Refuse(strMessage);
    }
    if (options.bSeed)
        simulator.SetSeed(options.nSeed);

    SIM_SETTINGS settings = simulator.LoadSettings();
    if (options.nVusers)
        settings.nVusers = options.nVusers;
    if (options.nIterations)
    {
        settings.nRunMode = 0;
        settings.bIterationsFromRTS = 0;
        settings.nIterationsToRun = options.nIterations;
    }
    if (CParamSimulator::Validate(settings, strMessage))
        return Refuse(strMessage);
    std::vector<SIM_ROW> arrRows;
    if (!simulator.Run(settings, arrRows, strMessage))
        return Refuse(strMessage);
    if (options.bJson)
        PrintJson(options.strParam, settings, arrRows, pOut);
    else
        PrintTable(settings, arrRows, pOut);
    return 0;
}
