// Times the parameter simulation and the run check on generated scripts:
//
//   BM_SimulateRandom  256 Vusers x 256 iterations of a random data-file
//                      parameter over a 1,000,000-row file, opening included
//                      (target: under 1 s)
//   BM_CheckScript     the run check of 10,000 parameters over 100 data files
//                      (target: under 2 s)
//
//   bench_simulation [benchmark flags]

#include "simulation/ParamSimulator.h"
#include "simulation/RunCheck.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{
const std::string kDatFile = std::string(TARVO_SOURCE_DIR) + "/dat/param.dat";

// A scratch script directory, removed at exit.
class CBenchScript
{
public:
    CBenchScript()
    {
        m_strDir = (std::filesystem::temp_directory_path() / ("tarvo-bench-sim-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(m_strDir);
        Write("s.usr", "[General]\nParameterFile=s.prm\nDefaultCfg=default.cfg\n");
        Write("default.cfg", "[General]\nDefaultRunLogic=default.run\n");
        Write("default.run", "[RunLogicRunRoot]\nRunLogicNumOfIterations=256\n");
    }
    ~CBenchScript() { std::filesystem::remove_all(m_strDir); }

    std::string Write(const std::string& strName, const std::string& strText) const
    {
        std::string strPath = m_strDir + "/" + strName;
        std::ofstream(strPath, std::ios::binary) << strText;
        return strPath;
    }
    std::string WriteRows(const std::string& strName, int nRows) const
    {
        std::string strText = "Id,Name\n";
        for (int i = 1; i <= nRows; ++i)
            strText += std::to_string(i) + ",name" + std::to_string(i) + "\n";
        return Write(strName, strText);
    }

private:
    std::string m_strDir;
};

void BM_SimulateRandom(benchmark::State& state)
{
    CBenchScript script;
    script.WriteRows("big.dat", 1000000);
    std::string strPrm = script.Write("s.prm", "[P]\nType=Table\nTable=big.dat\nColumnName=Name\nDelimiter=,\n"
                                               "SelectNextRow=Random\nGenerateNewVal=EachIteration\n");
    SIM_SETTINGS settings;
    settings.nVusers = 256;
    settings.nIterationsToRun = 256;
    for (auto _ : state)
    {
        CParamSimulator simulator;
        std::string strError;
        std::vector<SIM_ROW> arrRows;
        if (!simulator.Open(kDatFile, strPrm, "P", strError) || !simulator.Run(settings, arrRows, strError))
            state.SkipWithError(strError.c_str());
        benchmark::DoNotOptimize(arrRows.data());
    }
}
BENCHMARK(BM_SimulateRandom)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckScript(benchmark::State& state)
{
    CBenchScript script;
    std::string strParams;
    for (int nFile = 0; nFile < 100; ++nFile)
        script.WriteRows("f" + std::to_string(nFile) + ".dat", 1000);
    for (int i = 0; i < 10000; ++i)
    {
        std::string strName = "P" + std::to_string(i);
        bool bLeader = i % 100 < 50;
        strParams +=
            "[" + strName + "]\nType=Table\nTable=f" + std::to_string(i % 100) +
            ".dat\nColumnName=" + (i % 2 ? "Name" : "Col 1") + "\nDelimiter=,\nSelectNextRow=" +
            (bLeader ? std::string(i % 3 ? "Sequential" : "Unique") : "Same line as P" + std::to_string(i - 50)) + "\n";
    }
    std::string strPrm = script.Write("s.prm", strParams);
    for (auto _ : state)
    {
        CRunCheck check;
        std::vector<RUN_PROBLEM> arrProblems;
        std::string strError;
        if (!check.Check(kDatFile, strPrm, 1, 1, arrProblems, strError))
            state.SkipWithError(strError.c_str());
        if (!arrProblems.empty())
            state.SkipWithError(("unexpected problem: " + arrProblems.front().strText).c_str());
    }
}
BENCHMARK(BM_CheckScript)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
