#include "DataCheck.h"

#include "JsonText.h"
#include "ScriptLocation.h"

#include "simulation/ParamSimulator.h"
#include "simulation/RunCheck.h"

#include <vector>

namespace
{
// A count the run cannot have, as the simulation says it.
bool CountOutOfRange(int nCount)
{
    return nCount < CParamSimulator::MIN_COUNT || nCount > CParamSimulator::MAX_COUNT;
}

void PrintJson(int nVusers, int nIterations, const std::vector<RUN_PROBLEM>& arrProblems, FILE* pOut)
{
    std::fprintf(pOut, "{\"vusers\": %d, \"iterations\": %d, \"problems\": [", nVusers, nIterations);
    for (size_t i = 0; i < arrProblems.size(); ++i)
    {
        const RUN_PROBLEM& problem = arrProblems[i];
        std::fprintf(pOut, "%s\n  {\"parameter\": %s, \"problem\": %s", i ? "," : "",
                     JsonString(problem.strParam).c_str(), JsonString(problem.strText).c_str());
        if (problem.nLine > 0)
            std::fprintf(pOut, ", \"line\": %d", problem.nLine);
        std::fputs("}", pOut);
    }
    std::fputs(arrProblems.empty() ? "]}\n" : "\n]}\n", pOut);
}
} // namespace

int CheckScript(const CScriptLocation& script, const std::string& strDatFile, const CHECK_OPTIONS& options, FILE* pOut)
{
    int nVusers = options.nVusers ? options.nVusers : 1;
    int nIterations = options.nIterations ? options.nIterations : CRunCheck::RunLogicIterations(script.GetUsrFile());
    if (CountOutOfRange(nVusers) || CountOutOfRange(nIterations))
    {
        std::fprintf(stderr, "tarvo-editor: Vusers and iterations must be between %d and %d\n",
                     CParamSimulator::MIN_COUNT, CParamSimulator::MAX_COUNT);
        return 2;
    }
    CRunCheck check;
    std::vector<RUN_PROBLEM> arrProblems;
    std::string strError;
    if (!check.Check(strDatFile, script.GetParamFile(), nVusers, nIterations, arrProblems, strError))
    {
        std::fprintf(stderr, "tarvo-editor: %s\n", strError.c_str());
        return 2;
    }
    if (options.bJson)
        PrintJson(nVusers, nIterations, arrProblems, pOut);
    else if (arrProblems.empty())
        std::fprintf(pOut, "No problems found for %d Vuser(s) running %d iteration(s).\n", nVusers, nIterations);
    else
        for (const RUN_PROBLEM& problem : arrProblems)
            std::fprintf(pOut, "%s\t%s%s\n", TabField(problem.strParam).c_str(), TabField(problem.strText).c_str(),
                         problem.nLine > 0 ? ("\tline " + std::to_string(problem.nLine)).c_str() : "");
    return arrProblems.empty() ? 0 : 1;
}
