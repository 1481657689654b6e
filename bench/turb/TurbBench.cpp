// Loads, walks and saves a parameter file of 10,000 parameters with 15
// attributes each (the type and 14 more).

#include "turb/Turb.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
const int PARAMS = 10000;
const int EXTRA_ATTRIBUTES = 14;

// A scratch directory with a type file and the parameter file, made once.
class CBenchFiles
{
public:
    CBenchFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "turb-bench-XXXXXX").string();
        m_strDir = mkdtemp(pattern.data());
        m_strTypes = m_strDir + "/param.dat";
        std::ofstream types(m_strTypes);
        types << "[EngineTypes]\nBench=";
        for (int a = 0; a < EXTRA_ATTRIBUTES; ++a)
            types << (a ? "," : "") << Key(a);
        types << "\n";
        types.close();

        m_strPrm = m_strDir + "/bench.prm";
        void* engine = new_turbine_handle(m_strTypes.c_str(), 1);
        for (int p = 0; p < PARAMS; ++p)
        {
            std::string name = "Param_" + std::to_string(p);
            Param_NewParam(engine, name.c_str(), "Bench", m_strPrm.c_str());
            for (int a = 0; a < EXTRA_ATTRIBUTES; ++a)
            {
                // Every seventh value needs quoting, as paths and texts with quotes do.
                std::string value =
                    a % 7 == 3 ? "\"quoted\" value\\" + std::to_string(p) : "value_" + std::to_string(p * 31 + a);
                Param_SetAttribByName(engine, name.c_str(), Key(a).c_str(), value.c_str(), -1);
            }
        }
        Param_Save(engine, nullptr);
        delete_turbine_handle(engine);
    }
    ~CBenchFiles() { std::filesystem::remove_all(m_strDir); }

    static std::string Key(int a) { return "Attribute" + std::to_string(a); }

    std::string m_strDir;
    std::string m_strTypes;
    std::string m_strPrm;
};

CBenchFiles& Files()
{
    static CBenchFiles files;
    return files;
}

void* LoadedEngine()
{
    void* engine = new_turbine_handle(Files().m_strTypes.c_str(), 1);
    Param_AddParamFile(engine, Files().m_strPrm.c_str(), 1);
    return engine;
}

void BM_Load(benchmark::State& state)
{
    for (auto _ : state)
    {
        void* engine = LoadedEngine();
        state.PauseTiming();
        delete_turbine_handle(engine);
        state.ResumeTiming();
    }
}

void BM_Enumerate(benchmark::State& state)
{
    void* engine = LoadedEngine();
    const char* keys = Param_GetAttribKeyList(engine, "Bench");
    std::string list = keys ? keys : "";
    for (auto _ : state)
    {
        size_t bytes = 0;
        void* pos = Param_GetHeadParamPos(engine);
        while (TURB_PARAM_ID id = Param_GetNextParam(engine, pos))
        {
            for (const char* key : {"ParamName", "Type"})
            {
                char* text = nullptr;
                int length = 0;
                if (Param_GetAttribExt(engine, id, key, &text, &length) == TURB_OK)
                    bytes += static_cast<size_t>(length);
                Param_GetAttribFree(engine, &text);
            }
            for (int a = 0; a < EXTRA_ATTRIBUTES; ++a)
            {
                char* text = nullptr;
                int length = 0;
                if (Param_GetAttribExt(engine, id, CBenchFiles::Key(a).c_str(), &text, &length) == TURB_OK)
                    bytes += static_cast<size_t>(length);
                Param_GetAttribFree(engine, &text);
            }
        }
        Param_GetHeadPosFree(engine, pos);
        benchmark::DoNotOptimize(bytes);
    }
    delete_turbine_handle(engine);
}

void BM_Save(benchmark::State& state)
{
    void* engine = LoadedEngine();
    std::string target = Files().m_strDir + "/saved.prm";
    for (auto _ : state)
        if (Param_Save(engine, target.c_str()) != TURB_OK)
            state.SkipWithError("save failed");
    delete_turbine_handle(engine);
}

void BM_LookupByName(benchmark::State& state)
{
    void* engine = LoadedEngine();
    int p = 0;
    for (auto _ : state)
    {
        std::string name = "Param_" + std::to_string(p);
        p = (p + 7919) % PARAMS;
        char* text = nullptr;
        int length = 0;
        Param_GetAttribByNameExt(engine, name.c_str(), "Attribute13", &text, &length);
        Param_GetAttribFree(engine, &text);
    }
    delete_turbine_handle(engine);
}
} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Enumerate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupByName)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
