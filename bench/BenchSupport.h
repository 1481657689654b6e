#pragma once

// What the benchmarks share: generated data files, quiet runs of reference
// programs, the process's memory from /proc, and a reporter that keeps each
// benchmark's time (the median when repeated) for a summary at the end.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

extern char** environ;

// Four short fields, or quoted fields holding delimiters, doubled quotes
// and (every tenth row) a line break.
inline std::string BenchDataRow(unsigned long i, bool bQuoted)
{
    std::string strId = std::to_string(i);
    std::string strAmount = std::to_string(i % 9973) + ".50\n";
    if (!bQuoted)
        return strId + ",name" + std::to_string(i % 977) + ",city" + std::to_string(i % 131) + "," + strAmount;
    return strId + ",\"Name, " + strId + "\",\"the \"\"" + std::to_string(i % 131) + "\"\" city" +
           (i % 10 == 0 ? "\nsecond line" : "") + "\"," + strAmount;
}

// A data file of about nBytes: a header line, then rows as above.
inline void GenerateBenchData(const std::string& strPath, size_t nBytes, bool bQuoted)
{
    std::ofstream out(strPath, std::ios::binary);
    std::string strChunk = "id,name,city,amount\n";
    size_t nWritten = 0;
    for (unsigned long i = 0; nWritten + strChunk.size() < nBytes; ++i)
    {
        strChunk += BenchDataRow(i, bQuoted);
        if (strChunk.size() >= 1 << 16)
        {
            out.write(strChunk.data(), static_cast<std::streamsize>(strChunk.size()));
            nWritten += strChunk.size();
            strChunk.clear();
        }
    }
    out.write(strChunk.data(), static_cast<std::streamsize>(strChunk.size()));
}

// Runs the program with its output into the file (null: thrown away); true
// when it exits with 0.
inline bool RunProgram(std::vector<std::string> args, const char* pszOutput = nullptr)
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

// A size line of /proc/self/status in KiB ("VmRSS:" now, "VmHWM:" the peak).
inline long ProcessKiB(const char* pszField)
{
    std::ifstream status("/proc/self/status");
    std::string strLine;
    while (std::getline(status, strLine))
        if (strLine.rfind(pszField, 0) == 0)
            return std::atol(strLine.c_str() + std::char_traits<char>::length(pszField));
    return 0;
}

// The console report, then the summary the benchmark prints from the times.
class CSummaryReporter : public benchmark::ConsoleReporter
{
public:
    typedef std::function<void(const CSummaryReporter&)> SUMMARY;

    explicit CSummaryReporter(SUMMARY fnSummary) : ConsoleReporter(OO_Tabular), m_fnSummary(std::move(fnSummary)) {}

    // Milliseconds per iteration of the named benchmark; 0 when it did not run.
    double Millis(const std::string& strName) const
    {
        auto it = m_mapMillis.find(strName);
        return it == m_mapMillis.end() ? 0.0 : it->second;
    }

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
        m_fnSummary(*this);
    }

private:
    SUMMARY m_fnSummary;
    std::map<std::string, double> m_mapMillis;
};
