#pragma once

#include <string>

// Writes a file so that it is replaced whole or not at all: the bytes go to a
// temporary file in the target's directory, which is synced and renamed over
// the target. Until Commit succeeds the target is untouched; a failed or
// abandoned write removes the temporary file.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // BRASKO_OK or BRASKO_E_IO (errno kept).
    int Open(const std::string& strPath);
    int Write(const char* pData, size_t nLength);
    int Write(const std::string& strData) { return Write(strData.data(), strData.size()); }
    int Commit();

private:
    int Flush();
    int WriteAll(const char* pData, size_t nLength);
    void Abandon();

    std::string m_strTarget;
    std::string m_strTemp;
    std::string m_strBuffer;
    int m_fd = -1;
};
