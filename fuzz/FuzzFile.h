#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

// A private directory for the files a target reads and writes, made once per
// process under $TMPDIR (scripts/fuzz.sh points it into build-fuzz/ and
// empties it: libFuzzer ends without running exit handlers). The readers
// under test take paths, not bytes.
inline const std::string& FuzzDir()
{
    static const std::string s_strDir = []
    {
        const char* pszTmp = std::getenv("TMPDIR");
        std::string strTemplate = std::string(pszTmp && *pszTmp ? pszTmp : "/tmp") + "/tarvo-fuzz-XXXXXX";
        const char* pszDir = mkdtemp(strTemplate.data());
        if (!pszDir)
            std::abort();
        return std::string(pszDir);
    }();
    return s_strDir;
}

inline std::string WriteFuzzFile(const std::string& strName, const std::string& strBytes)
{
    std::string strPath = FuzzDir() + "/" + strName;
    std::ofstream(strPath, std::ios::binary | std::ios::trunc) << strBytes;
    return strPath;
}

inline std::string ReadFuzzFile(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Stops the run with the input saved, as for a crash, when a property fails.
#define FUZZ_CHECK(condition)                                                                                          \
    do                                                                                                                 \
    {                                                                                                                  \
        if (!(condition))                                                                                              \
        {                                                                                                              \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
