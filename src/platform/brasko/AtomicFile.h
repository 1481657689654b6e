#pragma once

#include <string>

struct OS_ATOMIC_FILE;

// Writes a file so that it is replaced whole or not at all, through the
// system helpers' atomic write, with a buffer so that many small records make
// few system calls. Until Commit succeeds the target is untouched; a failed
// or abandoned write removes the temporary file.
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
    void Abandon();

    std::string m_strBuffer;
    OS_ATOMIC_FILE* m_pFile = nullptr;
};
