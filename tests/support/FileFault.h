#pragma once

#include "ketrin/Ketrin.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

// Makes one step of every atomic write fail while the object lives, through
// the system helpers' seam, as a full disk or a failing device would.
class CFileFault
{
public:
    explicit CFileFault(int nStep, int nErrno = ENOSPC)
    {
        s_nStep = nStep;
        s_nErrno = nErrno;
        s_nHits = 0;
        os_set_file_fault(&Hook);
    }
    ~CFileFault() { os_set_file_fault(nullptr); }
    CFileFault(const CFileFault&) = delete;
    CFileFault& operator=(const CFileFault&) = delete;

    // How often the failing step was reached: 0 means the fault missed.
    int Hits() const { return s_nHits; }

private:
    static int Hook(int nStep)
    {
        if (nStep != s_nStep)
            return 0;
        ++s_nHits;
        return s_nErrno;
    }

    static inline int s_nStep = 0;
    static inline int s_nErrno = 0;
    static inline int s_nHits = 0;
};

struct FILE_FAULT_STEP
{
    int nStep;
    const char* pszName;
};

// Every step of an atomic write that can fail, for table-driven tests.
inline const std::vector<FILE_FAULT_STEP>& FileFaultSteps()
{
    static const std::vector<FILE_FAULT_STEP> steps = {{OS_STEP_OPEN, "open"},
                                                       {OS_STEP_WRITE, "write"},
                                                       {OS_STEP_FSYNC, "fsync"},
                                                       {OS_STEP_FLUSH, "flush"},
                                                       {OS_STEP_RENAME, "rename"}};
    return steps;
}

// Names in a directory, sorted, so that a left-over temporary file shows.
inline std::vector<std::string> DirectoryNames(const std::string& strDir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(strDir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
