#include "brasko/AtomicFile.h"

#include "brasko/Brasko.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr size_t kBufferSize = 1024 * 1024;

std::string DirectoryOf(const std::string& strPath)
{
    size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos)
        return ".";
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

// A symbolic link is followed, so that the file it names is replaced and
// the link stays.
std::string ResolveTarget(const std::string& strPath)
{
    struct stat st;
    if (lstat(strPath.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return strPath;
    char szResolved[PATH_MAX];
    return realpath(strPath.c_str(), szResolved) ? std::string(szResolved) : strPath;
}

bool SyncDirectory(const std::string& strDirectory)
{
    int fd = open(strDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool bOk = fsync(fd) == 0;
    close(fd);
    return bOk;
}
} // namespace

CAtomicFile::~CAtomicFile()
{
    Abandon();
}

int CAtomicFile::Open(const std::string& strPath)
{
    Abandon();
    m_strTarget = ResolveTarget(strPath);
    std::string strBase = m_strTarget.substr(m_strTarget.rfind('/') + 1);
    std::random_device random;
    for (int nTry = 0; nTry < 100 && m_fd < 0; ++nTry)
    {
        m_strTemp = DirectoryOf(m_strTarget) + "/." + strBase + ".tmp" + std::to_string(random());
        // 0666 lets the umask decide, as for any new file.
        m_fd = open(m_strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
    {
        m_strTemp.clear();
        return BRASKO_E_IO;
    }
    struct stat st;
    if (stat(m_strTarget.c_str(), &st) == 0 && S_ISREG(st.st_mode))
    {
        // The replacement keeps the old file's permissions and, where allowed,
        // its owner; a user who may not give files away keeps the new one.
        if (fchown(m_fd, st.st_uid, st.st_gid) != 0 && errno != EPERM)
        {
            Abandon();
            return BRASKO_E_IO;
        }
        if (fchmod(m_fd, st.st_mode & 07777) != 0)
        {
            Abandon();
            return BRASKO_E_IO;
        }
    }
    m_strBuffer.reserve(kBufferSize);
    return BRASKO_OK;
}

int CAtomicFile::Write(const char* pData, size_t nLength)
{
    if (m_fd < 0)
        return BRASKO_E_IO;
    if (m_strBuffer.size() + nLength > kBufferSize)
    {
        int nResult = Flush();
        if (nResult != BRASKO_OK || nLength >= kBufferSize)
            return nResult == BRASKO_OK ? WriteAll(pData, nLength) : nResult;
    }
    m_strBuffer.append(pData, nLength);
    return BRASKO_OK;
}

int CAtomicFile::Flush()
{
    int nResult = WriteAll(m_strBuffer.data(), m_strBuffer.size());
    m_strBuffer.clear();
    return nResult;
}

int CAtomicFile::WriteAll(const char* pData, size_t nLength)
{
    while (nLength > 0)
    {
        ssize_t n = write(m_fd, pData, nLength);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            Abandon();
            return BRASKO_E_IO;
        }
        pData += n;
        nLength -= static_cast<size_t>(n);
    }
    return BRASKO_OK;
}

int CAtomicFile::Commit()
{
    if (m_fd < 0 || Flush() != BRASKO_OK)
        return BRASKO_E_IO;
    bool bOk = fsync(m_fd) == 0;
    bOk = close(m_fd) == 0 && bOk;
    m_fd = -1;
    if (!bOk || rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
    {
        Abandon();
        return BRASKO_E_IO;
    }
    m_strTemp.clear();
    // The rename is durable only once the directory is synced; the new file
    // is in place either way, so a failure here is not reported.
    SyncDirectory(DirectoryOf(m_strTarget));
    return BRASKO_OK;
}

void CAtomicFile::Abandon()
{
    int nErrno = errno;
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    if (!m_strTemp.empty())
        unlink(m_strTemp.c_str());
    m_strTemp.clear();
    m_strBuffer.clear();
    errno = nErrno;
}
