// Times the import of 1,000,000 rows of four columns (a whole number, two
// texts, a real) from a SQLite database into a data file through CImportDb,
// beside Python's sqlite3 module writing the same rows with csv.writer and
// the sqlite3 shell's own CSV output, and prints the times and ratios. Also
// reports the process's peak size, which must not grow with the rows.
//
//   bench_import [benchmark flags]     (needs python3 and sqlite3 on the path)

#include "afx/MessageBox.h"
#include "dataeditor/ImportDb.h"
#include "dataretriever/DataRetriever.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{
const int kRows = 1000000;
const char* const kQuery = "SELECT id, name, city, amount FROM t";

// Runs the command with its output into the file (null: /dev/null).
bool Run(std::vector<std::string> args, const char* pszOutput = nullptr)
{
    std::vector<char*> argv;
    for (std::string& strArg : args)
        argv.push_back(strArg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, pszOutput ? pszOutput : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    int nError = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int nStatus = 0;
    return nError == 0 && waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

// Built by the shell, so that this process's peak size is the imports' own.
bool Generate(const std::string& strDatabase)
{
    return Run({"sqlite3", strDatabase,
                "CREATE TABLE t AS WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < " +
                    std::to_string(kRows) +
                    ") SELECT i AS id, 'name' || (i % 977) AS name, 'city ' || (i % 131) AS city, "
                    "(i % 9973) + 0.5 AS amount FROM c"});
}

// Peak resident memory of the process in KiB, from /proc.
long PeakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string strLine;
    while (std::getline(status, strLine))
        if (strLine.rfind("VmHWM:", 0) == 0)
            return std::atol(strLine.c_str() + 6);
    return 0;
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

class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    CRatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && (run.run_type != Run::RT_Aggregate || run.aggregate_name == "median"))
                m_mapMillis[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        double nImport = m_mapMillis["CImportDb 1M rows"];
        double nPython = m_mapMillis["python sqlite3+csv 1M rows"];
        double nShell = m_mapMillis["sqlite3 -csv 1M rows"];
        if (nImport > 0 && nPython > 0 && nShell > 0)
            printf("\nimport %.0f ms, python %.0f ms, sqlite3 shell %.0f ms; import / python %.2f, "
                   "import / sqlite3 shell %.2f\n",
                   nImport, nPython, nShell, nImport / nPython, nImport / nShell);
    }

private:
    std::map<std::string, double> m_mapMillis;
};
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
                                         state.counters["peak MiB"] = PeakKiB() / 1024.0;
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    };
    registerRun("CImportDb 1M rows", strImported,
                [=] { return CImportDb(nullptr).ImportToFile(strImported.c_str(), ",", true) == 0; });
    registerRun("python sqlite3+csv 1M rows", strPython,
                [=] {
                    return Run({"python3", "-c", kPython, strDatabase, kQuery, strPython});
                });
    std::string strShell = strDir + "/shell.csv";
    registerRun("sqlite3 -csv 1M rows", strShell,
                [=] {
                    return Run({"sqlite3", "-csv", "-header", strDatabase, kQuery}, strShell.c_str());
                });
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (std::filesystem::exists(strImported) && std::filesystem::exists(strPython))
        printf("the import's file and Python's are %s\n",
               Read(strImported) == Read(strPython) ? "the same" : "DIFFERENT");
    benchmark::Shutdown();
    std::filesystem::remove_all(strDir);
    return 0;
}
