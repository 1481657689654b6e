// The manager over a parameter file of 10,000 parameters on the installation's
// type definitions: the first 1,000 of a hidden type, so that finding the
// first visible parameter asks about many; then File, Random, Unique and Custom
// parameters in turn. They are named "Param" and "Param_1" to "Param_9998"
// (and one "Last"), so that mangling "Param" tries every suffix to the last.

#include "manager/TarvoMgr.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace
{
const int PARAMS = 10000;
const int HIDDEN = 1000;
const char* const TYPES_FILE = TARVO_BINARY_DIR "/dat/param.dat";

std::string ParamName(int n)
{
    return n == 0 ? "Param" : "Param_" + std::to_string(n);
}

// The scratch parameter file and a manager that has loaded it, made once.
class CBenchScript
{
public:
    CBenchScript()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "manager-bench-XXXXXX").string();
        m_strDir = mkdtemp(pattern.data());
        m_strPrm = m_strDir + "/script.prm";
        std::ofstream prm(m_strPrm);
        const char* const types[] = {"Table", "Random", "Unique", "Custom"};
        for (int n = 0; n < PARAMS; ++n)
        {
            const char* type = n < HIDDEN ? "XML" : types[n % 4];
            prm << "[" << (n < PARAMS - 1 ? ParamName(n) : "Last") << "]\nType=" << type << "\nOriginalValue=\"value "
                << n << "\"\nFormat=%d\nDelimiter=,\nTable=data.dat\nSelectNextRow=Sequential\n\n";
        }
        prm.close();
        m_pMgr = std::make_unique<CTarvoMgr>(TYPES_FILE);
        m_pMgr->AddParamFile(m_strPrm.c_str(), "script");
    }
    ~CBenchScript()
    {
        m_pMgr.reset();
        std::filesystem::remove_all(m_strDir);
    }

    std::string m_strDir;
    std::string m_strPrm;
    std::unique_ptr<CTarvoMgr> m_pMgr;
};

CBenchScript& Script()
{
    static CBenchScript script;
    return script;
}

void BM_AddParamFile(benchmark::State& state)
{
    CBenchScript& script = Script();
    for (auto _ : state)
        script.m_pMgr->AddParamFile(script.m_strPrm.c_str(), "script");
    if (std::string(script.m_pMgr->GetActiveParamName()) != ParamName(HIDDEN))
        state.SkipWithError("the first visible parameter was not chosen");
}
BENCHMARK(BM_AddParamFile)->Unit(benchmark::kMillisecond);

void BM_EnumParamNames(benchmark::State& state)
{
    CBenchScript& script = Script();
    std::vector<std::string> names;
    for (auto _ : state)
    {
        script.m_pMgr->EnumParamNames(&names);
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["names"] = static_cast<double>(names.size());
}
BENCHMARK(BM_EnumParamNames)->Unit(benchmark::kMillisecond);

void BM_GetParamNamesAndSamples(benchmark::State& state)
{
    CBenchScript& script = Script();
    std::vector<PARAM_SAMPLE_ROW> rows;
    for (auto _ : state)
    {
        script.m_pMgr->GetParamNamesAndSamples(&rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_GetParamNamesAndSamples)->Unit(benchmark::kMillisecond);

void BM_MangleTakenName(benchmark::State& state)
{
    CBenchScript& script = Script();
    std::string name;
    for (auto _ : state)
        name = script.m_pMgr->MangleParamName("Param");
    if (name != ParamName(PARAMS - 1))
        state.SkipWithError("mangling did not reach the first free suffix");
}
BENCHMARK(BM_MangleTakenName)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
