#include "Ketrin.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The process's file-creation mask, read without changing it.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "Umask:") == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

// Writes to a symbolic link go to the file it names.
std::string ResolveTarget(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
    {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

std::atomic<OS_FILE_FAULT> g_fault{nullptr};

// False with errno set when the test seam makes this step fail.
bool Allowed(int step)
{
    OS_FILE_FAULT hook = g_fault.load();
    int nErrno = hook ? hook(step) : 0;
    if (nErrno == 0)
        return true;
    errno = nErrno;
    return false;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        if (!Allowed(OS_STEP_WRITE))
            return false;
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Keeps errno as the failing step left it while cleanup runs.
class CErrnoKeeper
{
public:
    CErrnoKeeper() : m_nErrno(errno) {}
    ~CErrnoKeeper() { errno = m_nErrno; }
    CErrnoKeeper(const CErrnoKeeper&) = delete;
    CErrnoKeeper& operator=(const CErrnoKeeper&) = delete;

private:
    int m_nErrno;
};

// Answers 0 with errno set to why.
int Fail(int nErrno)
{
    errno = nErrno;
    return 0;
}

void SyncDirectory(const std::string& dir)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        fsync(fd);
        close(fd);
    }
}

// A temporary file beside the target that becomes the target on Commit and
// disappears otherwise.
class CTempFile
{
public:
    explicit CTempFile(const std::string& target) : m_strTarget(ResolveTarget(target))
    {
        m_strDir = ketrin::PathDir(m_strTarget);
        if (m_strDir.empty())
            m_strDir = ".";
        std::string pattern = ketrin::PathJoin(m_strDir, "." + ketrin::PathFile(m_strTarget) + ".XXXXXX");
        m_nFd = Allowed(OS_STEP_OPEN) ? mkstemp(pattern.data()) : -1;
        if (m_nFd >= 0)
            m_strPath = pattern;
    }
    ~CTempFile()
    {
        CErrnoKeeper keeper;
        if (m_nFd >= 0)
            close(m_nFd);
        if (!m_strPath.empty())
            unlink(m_strPath.c_str());
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    int Fd() const { return m_nFd; }
    const std::string& Target() const { return m_strTarget; }

    bool Commit(mode_t mode, bool bReplace)
    {
        if (m_nFd < 0)
            return false;
        KeepOwner();
        if (fchmod(m_nFd, mode) != 0 || !Allowed(OS_STEP_FSYNC) || fsync(m_nFd) != 0)
            return false;
        int fd = m_nFd;
        m_nFd = -1;
        if (!Allowed(OS_STEP_FLUSH))
        {
            CErrnoKeeper keeper;
            close(fd);
            return false;
        }
        if (close(fd) != 0)
            return false;
        if (!Allowed(OS_STEP_RENAME) ||
            !(bReplace ? rename(m_strPath.c_str(), m_strTarget.c_str()) == 0 : MoveNoReplace()))
            return false;
        m_strPath.clear();
        SyncDirectory(m_strDir);
        return true;
    }

private:
    // The replacement keeps the old file's owner where the user may give files
    // away; otherwise the user owns it.
    void KeepOwner() const
    {
        struct stat st;
        if (stat(m_strTarget.c_str(), &st) == 0 && fchown(m_nFd, st.st_uid, st.st_gid) != 0)
            errno = 0;
    }

    // Some file systems lack the no-replace rename; a hard link refuses an
    // existing name as well.
    bool MoveNoReplace()
    {
        if (renameat2(AT_FDCWD, m_strPath.c_str(), AT_FDCWD, m_strTarget.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        if (link(m_strPath.c_str(), m_strTarget.c_str()) != 0)
            return false;
        unlink(m_strPath.c_str());
        return true;
    }

    std::string m_strTarget;
    std::string m_strDir;
    std::string m_strPath;
    int m_nFd = -1;
};

// Permission bits a replaced file keeps, or those of a new file.
mode_t TargetMode(const std::string& target)
{
    struct stat st;
    if (stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}

// Copies the open source into the temporary file; false with errno set.
bool CopyContent(int in, CTempFile& temp)
{
    char buffer[65536];
    while (true)
    {
        ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!WriteAll(temp.Fd(), buffer, static_cast<size_t>(n)))
            return false;
    }
}
} // namespace

int os_access(const char* path, int mode)
{
    if (!path || !*path)
        return 0;
    int flags = F_OK;
    if (mode & OS_ACCESS_WRITE)
        flags |= W_OK;
    if (mode & OS_ACCESS_READ)
        flags |= R_OK;
    return access(path, flags) == 0 ? 1 : 0;
}

struct OS_ATOMIC_FILE
{
    explicit OS_ATOMIC_FILE(const char* path) : temp(path) {}
    CTempFile temp;
    int nError = 0; // why a write failed; the file is then never put in place
};

OS_ATOMIC_FILE* os_atomic_open(const char* path)
{
    if (!path || !*path)
    {
        Fail(EINVAL);
        return nullptr;
    }
    auto file = std::make_unique<OS_ATOMIC_FILE>(path);
    if (file->temp.Fd() < 0)
    {
        CErrnoKeeper keeper;
        file.reset();
        return nullptr;
    }
    return file.release();
}

int os_atomic_write(OS_ATOMIC_FILE* file, const void* data, size_t size)
{
    if (!file || (!data && size > 0))
        return Fail(EINVAL);
    // A file with a gap must never be put in place.
    if (file->nError)
        return Fail(file->nError);
    if (WriteAll(file->temp.Fd(), static_cast<const char*>(data), size))
        return 1;
    file->nError = errno ? errno : EIO;
    return 0;
}

int os_atomic_commit(OS_ATOMIC_FILE* file)
{
    if (!file)
        return Fail(EINVAL);
    std::unique_ptr<OS_ATOMIC_FILE> owner(file);
    if (file->nError)
        return Fail(file->nError);
    if (file->temp.Commit(TargetMode(file->temp.Target()), true))
        return 1;
    CErrnoKeeper keeper;
    owner.reset();
    return 0;
}

void os_atomic_abandon(OS_ATOMIC_FILE* file)
{
    CErrnoKeeper keeper;
    delete file;
}

void os_set_file_fault(OS_FILE_FAULT hook)
{
    g_fault.store(hook);
}

int os_write_file_atomic(const char* path, const void* data, size_t size)
{
    if (!data && size > 0)
        return Fail(EINVAL);
    OS_ATOMIC_FILE* file = os_atomic_open(path);
    if (!file)
        return 0;
    if (!os_atomic_write(file, data, size))
    {
        os_atomic_abandon(file);
        return 0;
    }
    return os_atomic_commit(file);
}

int os_open_regular_file(const char* path)
{
    if (!path || !*path)
    {
        errno = EINVAL;
        return -1;
    }
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st;
    int nError = 0;
    if (fstat(fd, &st) != 0)
        nError = errno;
    else if (!S_ISREG(st.st_mode))
        nError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        nError = errno;
    if (nError == 0)
        return fd;
    close(fd);
    errno = nError;
    return -1;
}

int os_copy_file(const char* src, const char* dst, int overwrite)
{
    if (!dst || !*dst)
        return Fail(EINVAL);
    int in = os_open_regular_file(src);
    if (in < 0)
        return 0;
    struct stat st;
    bool ok = fstat(in, &st) == 0;
    std::unique_ptr<CTempFile> temp;
    if (ok)
        temp = std::make_unique<CTempFile>(dst);
    ok = ok && temp->Fd() >= 0 && CopyContent(in, *temp);
    {
        CErrnoKeeper keeper;
        close(in);
    }
    return ok && temp->Commit(st.st_mode & 07777, overwrite != 0) ? 1 : 0;
}

int os_remove_file(const char* path, int force)
{
    if (!path || !*path)
        return Fail(EINVAL);
    struct stat st;
    if (lstat(path, &st) != 0)
        return force && errno == ENOENT ? 1 : 0;
    if (S_ISDIR(st.st_mode))
        return Fail(EISDIR);
    bool bWriteProtected = !S_ISLNK(st.st_mode) && (st.st_mode & 0222) == 0;
    if (!force && bWriteProtected)
        return Fail(EACCES);
    return unlink(path) == 0 ? 1 : 0;
}
