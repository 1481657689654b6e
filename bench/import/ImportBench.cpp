// Times the import of 1,000,000 rows of four columns (a whole number, two
// texts, a real) from a SQLite database into a data file through CImportDb,
// beside Python's sqlite3 module writing the same rows with csv.writer and
// the sqlite3 shell's own CSV output, and prints the times and ratios. Also
// reports the process's peak size, which must not grow with the rows.
//
//   bench_import [benchmark flags]     (needs python3 and sqlite3 on the path)

#include "BenchSupport.h"
#include "afx/MessageBox.h"
#include "dataeditor/ImportDb.h"
#include "dataretriever/DataRetriever.h"

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{
const int kRows = 1000000;
const char* const kQuery = "SELECT id, name, city, amount FROM t";

// Built by the shell, so that this process's peak size is the imports' own.
bool Generate(const std::string& strDatabase)
{
    return RunProgram({"sqlite3", strDatabase,
                       "CREATE TABLE t AS WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < " +
                           std::to_string(kRows) +
                           ") SELECT i AS id, 'name' || (i % 977) AS name, 'city ' || (i % 131) AS city, "
                           "(i % 9973) + 0.5 AS amount FROM c"});
}

long LineCount(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    long nLines = 0;
    char szBuffer[1 << 16];
    while (file.read(szBuffer, sizeof(szBuffer)) || file.gcount() > 0)
        for (std::streamsize i = 0; i < file.gcount(); ++i)
            nLines += szBuffer[i] == '\n';
    return nLines;
}

std::string Read(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const char* const kPython = "import csv, sqlite3, sys\n"
                            "rows = sqlite3.connect(sys.argv[1]).execute(sys.argv[2])\n"
                            "with open(sys.argv[3], 'w', newline='') as f:\n"
                            "    w = csv.writer(f, lineterminator='\\n')\n"
                            "    w.writerow([d[0] for d in rows.description])\n"
                            "    w.writerows(rows)\n";

void PrintRatios(const CSummaryReporter& reporter)
{
    double nImport = reporter.Millis("CImportDb 1M rows");
    double nPython = reporter.Millis("python sqlite3+csv 1M rows");
    double nShell = reporter.Millis("sqlite3 -csv 1M rows");
    if (nImport > 0 && nPython > 0 && nShell > 0)
        printf("\nimport %.0f ms, python %.0f ms, sqlite3 shell %.0f ms; import / python %.2f, "
               "import / sqlite3 shell %.2f\n",
               nImport, nPython, nShell, nImport / nPython, nImport / nShell);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::string strDir = (std::filesystem::temp_directory_path() / "import-bench-XXXXXX").string();
    if (!mkdtemp(strDir.data()))
        return 1;
    std::string strDatabase = strDir + "/rows.db";
    if (!Generate(strDatabase))
    {
        std::fprintf(stderr, "the sqlite3 shell could not build the database\n");
        return 1;
    }
    AfxSetMessageBoxHandler(
        [](const AFX_MESSAGEBOX& box)
        {
            std::fprintf(stderr, "%s\n", box.strText.c_str());
            return IDOK;
        });
    DrSetQueryDefinitionHandler(
        [&](std::string& strConnection, std::string& strQuery)
        {
            strConnection = "driver=QSQLITE;database=" + strDatabase;
            strQuery = kQuery;
            return DR_S_OK;
        });
    std::string strImported = strDir + "/import.dat";
    std::string strPython = strDir + "/python.csv";
    auto registerRun = [&](const char* pszName, const std::string& strOut, std::function<bool()> run)
    {
        benchmark::RegisterBenchmark(pszName,
                                     [strOut, run](benchmark::State& state)
                                     {
                                         for (auto _ : state)
                                             if (!run())
                                                 state.SkipWithError("failed");
                                         state.counters["lines"] = static_cast<double>(LineCount(strOut));
                                         state.counters["peak MiB"] = ProcessKiB("VmHWM:") / 1024.0;
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    };
    registerRun("CImportDb 1M rows", strImported,
                [=] { return CImportDb(nullptr).ImportToFile(strImported.c_str(), ",", true) == 0; });
    registerRun("python sqlite3+csv 1M rows", strPython,
                [=] {
                    return RunProgram({"python3", "-c", kPython, strDatabase, kQuery, strPython});
                });
    std::string strShell = strDir + "/shell.csv";
    registerRun("sqlite3 -csv 1M rows", strShell,
                [=] {
                    return RunProgram({"sqlite3", "-csv", "-header", strDatabase, kQuery}, strShell.c_str());
                });
    CSummaryReporter reporter(PrintRatios);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (std::filesystem::exists(strImported) && std::filesystem::exists(strPython))
        printf("the import's file and Python's are %s\n",
               Read(strImported) == Read(strPython) ? "the same" : "DIFFERENT");
    benchmark::Shutdown();
    std::filesystem::remove_all(strDir);
    return 0;
}
