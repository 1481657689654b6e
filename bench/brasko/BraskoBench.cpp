// Times what the data table editor does with a large data file (open it, get
// its line count, read its first 100 rows) and the line count alone, beside
// wc -l and Python's csv module on the same files, and prints the ratios.
//
//   bench_brasko [benchmark flags]

#include "brasko/Brasko.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{
struct BENCH_FILE
{
    std::string strName;
    std::string strPath;
};

const char* const kPythonCsv = "import csv, itertools, sys\n"
                               "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                               "    r = csv.reader(f)\n"
                               "    first = list(itertools.islice(r, 101))\n"
                               "    print(len(first) - 1 + sum(1 for _ in r))\n";

// Four short fields, or quoted fields holding delimiters, doubled quotes
// and (every tenth row) a line break.
std::string Row(unsigned long i, bool bQuoted)
{
    std::string strId = std::to_string(i);
    std::string strAmount = std::to_string(i % 9973) + ".50\n";
    if (!bQuoted)
        return strId + ",name" + std::to_string(i % 977) + ",city" + std::to_string(i % 131) + "," + strAmount;
    return strId + ",\"Name, " + strId + "\",\"the \"\"" + std::to_string(i % 131) + "\"\" city" +
           (i % 10 == 0 ? "\nsecond line" : "") + "\"," + strAmount;
}

void Generate(const std::string& strPath, size_t nBytes, bool bQuoted)
{
    std::ofstream out(strPath, std::ios::binary);
    std::string strChunk = "id,name,city,amount\n";
    size_t nWritten = 0;
    for (unsigned long i = 0; nWritten + strChunk.size() < nBytes; ++i)
    {
        strChunk += Row(i, bQuoted);
        if (strChunk.size() >= 1 << 16)
        {
            out.write(strChunk.data(), static_cast<std::streamsize>(strChunk.size()));
            nWritten += strChunk.size();
            strChunk.clear();
        }
    }
    out.write(strChunk.data(), static_cast<std::streamsize>(strChunk.size()));
}

bool RunQuietly(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& strArg : args)
        argv.push_back(strArg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int nError = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int nStatus = 0;
    return nError == 0 && waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

// What the editor needs to show a file: open, counts, the first 100 rows.
bool OpenCountFirstRows(const std::string& strPath, int& nRows)
{
    BRASKO_TABLE table = {};
    int nFirst = 1;
    int nColumns = 0;
    if (OpenTable(strPath.c_str(), &table, BRASKO_MODE_READ_ONLY, ",", &nFirst, "") != 0 ||
        GetLineCount(&table, &nRows) != 0 || GetColumnCount(&table, &nColumns) != 0)
        return false;
    std::vector<char> buffer;
    for (int r = 0; r < std::min(nRows, 100); ++r)
    {
        for (int c = 0; c < nColumns; ++c)
        {
            int nSize = GetCellSizeByIndex(&table, c, r);
            buffer.resize(static_cast<size_t>(nSize) + 1);
            if (nSize < 0 || GetCellValByIndex(&table, c, r, buffer.data(), nullptr, nSize + 1) != 0)
                return false;
        }
    }
    return CloseTable(&table) == 0;
}

void Register(const BENCH_FILE& file)
{
    const std::string strPath = file.strPath;
    benchmark::RegisterBenchmark(("open+count+100 rows/" + file.strName).c_str(),
                                 [strPath](benchmark::State& state)
                                 {
                                     int nRows = 0;
                                     for (auto _ : state)
                                         if (!OpenCountFirstRows(strPath, nRows))
                                             state.SkipWithError("open failed");
                                     state.counters["rows"] = nRows;
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("GetNumberOfLinesEx/" + file.strName).c_str(),
                                 [strPath](benchmark::State& state)
                                 {
                                     for (auto _ : state)
                                     {
                                         int n = 1;
                                         if (GetNumberOfLinesEx(strPath.c_str(), ",", &n) != 0)
                                             state.SkipWithError("count failed");
                                     }
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("wc -l/" + file.strName).c_str(),
                                 [strPath](benchmark::State& state)
                                 {
                                     for (auto _ : state)
                                         if (!RunQuietly({"wc", "-l", strPath}))
                                             state.SkipWithError("wc failed");
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("python csv/" + file.strName).c_str(),
                                 [strPath](benchmark::State& state)
                                 {
                                     for (auto _ : state)
                                         if (!RunQuietly({"python3", "-c", kPythonCsv, strPath}))
                                             state.SkipWithError("python3 failed");
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

// Keeps every run's time per iteration and ends with the ratios table.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    explicit CRatioReporter(std::vector<BENCH_FILE> files) : ConsoleReporter(OO_Tabular), m_vecFiles(std::move(files))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred)
                m_mapMillis[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        printf("\n%-14s %12s %10s %10s %8s %12s %8s %10s %10s\n", "file", "open+100 ms", "count ms", "wc -l ms",
               "open/wc", "count/wc", "wc/count", "python ms", "py/open");
        for (const BENCH_FILE& file : m_vecFiles)
        {
            double nOpen = Time("open+count+100 rows/", file);
            double nCount = Time("GetNumberOfLinesEx/", file);
            double nWc = Time("wc -l/", file);
            double nPython = Time("python csv/", file);
            if (nOpen <= 0 || nCount <= 0 || nWc <= 0)
                continue; // filtered out of this run
            printf("%-14s %12.2f %10.2f %10.2f %8.2f %12.2f %8.2f %10.1f %10.0f\n", file.strName.c_str(), nOpen, nCount,
                   nWc, nOpen / nWc, nCount / nWc, nWc / nCount, nPython, nPython / nOpen);
        }
        printf("open/wc: at most 2 wanted; wc/count: the counting speed against wc -l, at "
               "least 0.5 wanted.\n");
    }

private:
    double Time(const std::string& strPrefix, const BENCH_FILE& file) const
    {
        auto it = m_mapMillis.find(strPrefix + file.strName);
        return it == m_mapMillis.end() ? 0.0 : it->second;
    }

    std::vector<BENCH_FILE> m_vecFiles;
    std::map<std::string, double> m_mapMillis;
};

// Small blocks and the large ones malloc maps on their own.
size_t HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap held by one open table of the file, rows read, in KiB.
long TableHeapKiB(const std::string& strPath)
{
    malloc_trim(0);
    size_t nBefore = HeapInUse();
    BRASKO_TABLE table = {};
    int nFirst = 1;
    if (OpenTable(strPath.c_str(), &table, BRASKO_MODE_READ_ONLY, ",", &nFirst, "") != 0)
        return -1;
    long nKiB = static_cast<long>(HeapInUse() - nBefore) / 1024;
    CloseTable(&table);
    return nKiB;
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::string strDir = (std::filesystem::temp_directory_path() / "brasko-bench-XXXXXX").string();
    if (!mkdtemp(strDir.data()))
        return 1;
    std::vector<BENCH_FILE> files;
    for (int nMiB : {1, 10, 100})
    {
        for (bool bQuoted : {false, true})
        {
            BENCH_FILE file;
            file.strName = std::string(bQuoted ? "quoted-" : "plain-") + std::to_string(nMiB) + "MiB";
            file.strPath = strDir + "/" + file.strName + ".dat";
            Generate(file.strPath, static_cast<size_t>(nMiB) << 20, bQuoted);
            Register(file);
            files.push_back(file);
        }
    }
    for (const BENCH_FILE& file : files)
        printf("%-14s open table heap: %ld KiB\n", file.strName.c_str(), TableHeapKiB(file.strPath));
    CRatioReporter reporter(files);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove_all(strDir);
    return 0;
}
