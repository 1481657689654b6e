// Times what the data table editor does with a large data file (open it, get
// its line count, read its first 100 rows) and the line count alone, beside
// wc -l and Python's csv module on the same files, and prints the ratios.
//
//   bench_brasko [benchmark flags]

#include "BenchSupport.h"
#include "brasko/Brasko.h"

#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <vector>

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
                                         if (!RunProgram({"wc", "-l", strPath}))
                                             state.SkipWithError("wc failed");
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("python csv/" + file.strName).c_str(),
                                 [strPath](benchmark::State& state)
                                 {
                                     for (auto _ : state)
                                         if (!RunProgram({"python3", "-c", kPythonCsv, strPath}))
                                             state.SkipWithError("python3 failed");
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

// The ratios table, one line per file.
void PrintRatios(const CSummaryReporter& reporter, const std::vector<BENCH_FILE>& files)
{
    printf("\n%-14s %12s %10s %10s %8s %12s %8s %10s %10s\n", "file", "open+100 ms", "count ms", "wc -l ms", "open/wc",
           "count/wc", "wc/count", "python ms", "py/open");
    for (const BENCH_FILE& file : files)
    {
        double nOpen = reporter.Millis("open+count+100 rows/" + file.strName);
        double nCount = reporter.Millis("GetNumberOfLinesEx/" + file.strName);
        double nWc = reporter.Millis("wc -l/" + file.strName);
        double nPython = reporter.Millis("python csv/" + file.strName);
        if (nOpen <= 0 || nCount <= 0 || nWc <= 0)
            continue; // filtered out of this run
        printf("%-14s %12.2f %10.2f %10.2f %8.2f %12.2f %8.2f %10.1f %10.0f\n", file.strName.c_str(), nOpen, nCount,
               nWc, nOpen / nWc, nCount / nWc, nWc / nCount, nPython, nPython / nOpen);
    }
    printf("open/wc: at most 2 wanted; wc/count: the counting speed against wc -l, at "
           "least 0.5 wanted.\n");
}

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
            GenerateBenchData(file.strPath, static_cast<size_t>(nMiB) << 20, bQuoted);
            Register(file);
            files.push_back(file);
        }
    }
    for (const BENCH_FILE& file : files)
        printf("%-14s open table heap: %ld KiB\n", file.strName.c_str(), TableHeapKiB(file.strPath));
    CSummaryReporter reporter([&files](const CSummaryReporter& done) { PrintRatios(done, files); });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove_all(strDir);
    return 0;
}
