#include "brasko/AtomicFile.h"

#include "brasko/Brasko.h"
#include "ketrin/Ketrin.h"

#include <cerrno>

namespace
{
constexpr size_t kBufferSize = 1024 * 1024;
} // namespace

CAtomicFile::~CAtomicFile()
{
    Abandon();
}

int CAtomicFile::Open(const std::string& strPath)
{
    Abandon();
    m_pFile = os_atomic_open(strPath.c_str());
    if (!m_pFile)
        return BRASKO_E_IO;
    m_strBuffer.reserve(kBufferSize);
    return BRASKO_OK;
}

int CAtomicFile::Write(const char* pData, size_t nLength)
{
    if (!m_pFile)
        return BRASKO_E_IO;
    if (m_strBuffer.size() + nLength > kBufferSize)
    {
        if (Flush() != BRASKO_OK)
            return BRASKO_E_IO;
        if (nLength >= kBufferSize)
        {
            if (os_atomic_write(m_pFile, pData, nLength))
                return BRASKO_OK;
            Abandon();
            return BRASKO_E_IO;
        }
    }
    m_strBuffer.append(pData, nLength);
    return BRASKO_OK;
}

int CAtomicFile::Flush()
{
    bool bOk = os_atomic_write(m_pFile, m_strBuffer.data(), m_strBuffer.size()) != 0;
    m_strBuffer.clear();
    if (bOk)
        return BRASKO_OK;
    Abandon();
    return BRASKO_E_IO;
}

int CAtomicFile::Commit()
{
    if (!m_pFile || Flush() != BRASKO_OK)
        return BRASKO_E_IO;
    OS_ATOMIC_FILE* pFile = m_pFile;
    m_pFile = nullptr;
    return os_atomic_commit(pFile) ? BRASKO_OK : BRASKO_E_IO;
}

void CAtomicFile::Abandon()
{
    int nErrno = errno;
    os_atomic_abandon(m_pFile);
    m_pFile = nullptr;
    m_strBuffer.clear();
    errno = nErrno;
}
