#include "ketrin/Ketrin.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
mode_t ModeOf(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Names of the entries of a directory, so leftovers of a write show.
std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int WriteText(const std::string& path, const std::string& text)
{
    return os_write_file_atomic(path.c_str(), text.data(), text.size());
}
} // namespace

TEST(FileTest, AtomicWriteCreatesAndReplacesKeepingPermissions)
{
    CTempDir dir;
    std::string path = dir.File("a.prm");
    ASSERT_EQ(1, WriteText(path, std::string("one\0two", 7)));
    EXPECT_EQ(std::string("one\0two", 7), ReadFileBytes(path));

    chmod(path.c_str(), 0640);
    ASSERT_EQ(1, WriteText(path, "second"));
    EXPECT_EQ("second", ReadFileBytes(path));
    EXPECT_EQ(0640u, ModeOf(path));
    EXPECT_EQ(std::vector<std::string>{"a.prm"}, Entries(dir.Path()));
}

TEST(FileTest, AtomicWriteThatCannotFinishLeavesEverythingAsItWas)
{
    CTempDir dir;
    fs::create_directory(dir.File("target"));
    dir.Write("target/inside", "kept");
    EXPECT_EQ(0, WriteText(dir.File("target"), "new"));
    EXPECT_TRUE(fs::is_directory(dir.File("target")));
    EXPECT_EQ("kept", ReadFileBytes(dir.File("target/inside")));

    EXPECT_EQ(0, WriteText(dir.File("missing/a.prm"), "new"));

    // A write that breaks off halfway (here: the file size limit) keeps the old file.
    std::string path = dir.Write("a.prm", "old content");
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous;
    limit.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &limit);
    int written = WriteText(path, std::string(5000, 'n'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(0, written);
    EXPECT_EQ("old content", ReadFileBytes(path));
    EXPECT_EQ((std::vector<std::string>{"a.prm", "target"}), Entries(dir.Path()));
    EXPECT_EQ(0, os_write_file_atomic(nullptr, "x", 1));
    EXPECT_EQ(0, os_write_file_atomic(dir.File("x").c_str(), nullptr, 1));
}

TEST(FileTest, AtomicWriteThroughASymbolicLinkReplacesTheLinkedFile)
{
    CTempDir dir;
    std::string real = dir.Write("real.prm", "old");
    fs::create_symlink(real, dir.File("link.prm"));
    ASSERT_EQ(1, WriteText(dir.File("link.prm"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.prm")));
    EXPECT_EQ("new", ReadFileBytes(real));
}

TEST(FileTest, CopyHonoursOverwriteAndKeepsSourceMode)
{
    CTempDir dir;
    std::string src = dir.Write("a.prm", "source bytes\n");
    chmod(src.c_str(), 0604);
    std::string dst = dir.File("b.prm");

    ASSERT_EQ(1, os_copy_file(src.c_str(), dst.c_str(), 0));
    EXPECT_EQ("source bytes\n", ReadFileBytes(dst));
    EXPECT_EQ(0604u, ModeOf(dst));

    dir.Write("a.prm", "changed");
    EXPECT_EQ(0, os_copy_file(src.c_str(), dst.c_str(), 0));
    EXPECT_EQ("source bytes\n", ReadFileBytes(dst));
    EXPECT_EQ(1, os_copy_file(src.c_str(), dst.c_str(), 1));
    EXPECT_EQ("changed", ReadFileBytes(dst));

    EXPECT_EQ(0, os_copy_file(dir.File("none").c_str(), dst.c_str(), 1));
    EXPECT_EQ("changed", ReadFileBytes(dst));
    EXPECT_EQ(0, os_copy_file(dir.Path().c_str(), dir.File("c").c_str(), 1));
    EXPECT_EQ((std::vector<std::string>{"a.prm", "b.prm"}), Entries(dir.Path()));
}

TEST(FileTest, RemoveFollowsTheForceFlag)
{
    CTempDir dir;
    std::string path = dir.Write("a.dat", "x");
    EXPECT_EQ(1, os_access(path.c_str(), OS_ACCESS_READ | OS_ACCESS_WRITE));
    EXPECT_EQ(1, os_remove_file(path.c_str(), 0));
    EXPECT_FALSE(FileExists(path));

    EXPECT_EQ(0, os_access(path.c_str(), OS_ACCESS_EXISTS));
    EXPECT_EQ(0, os_remove_file(path.c_str(), 0));
    EXPECT_EQ(1, os_remove_file(path.c_str(), 1));

    std::string locked = dir.Write("locked.dat", "x");
    chmod(locked.c_str(), 0444);
    EXPECT_EQ(0, os_remove_file(locked.c_str(), 0));
    EXPECT_TRUE(FileExists(locked));
    EXPECT_EQ(1, os_remove_file(locked.c_str(), 1));
    EXPECT_FALSE(FileExists(locked));

    fs::create_directory(dir.File("sub"));
    EXPECT_EQ(0, os_remove_file(dir.File("sub").c_str(), 1));
    EXPECT_TRUE(fs::is_directory(dir.File("sub")));
}

TEST(FileTest, FailuresLeaveTheReasonInErrno)
{
    CTempDir dir;
    std::string file = dir.Write("a.dat", "x");
    std::string locked = dir.Write("locked.dat", "x");
    chmod(locked.c_str(), 0444);
    std::string big = dir.Write("big.dat", std::string(5000, 'b'));
    fs::create_directory(dir.File("sub"));
    mkfifo(dir.File("fifo").c_str(), 0600);
    std::string missing = dir.File("none/a.dat");
    const struct
    {
        const char* pszWhat;
        std::function<int()> fnCall;
        int nErrno;
    } cases[] = {
        {"remove missing", [&] { return os_remove_file(dir.File("gone").c_str(), 0); }, ENOENT},
        {"remove directory", [&] { return os_remove_file(dir.File("sub").c_str(), 1); }, EISDIR},
        {"remove protected", [&] { return os_remove_file(locked.c_str(), 0); }, EACCES},
        {"remove null", [&] { return os_remove_file(nullptr, 1); }, EINVAL},
        {"copy missing source", [&] { return os_copy_file(dir.File("gone").c_str(), file.c_str(), 1); }, ENOENT},
        {"copy directory", [&] { return os_copy_file(dir.File("sub").c_str(), dir.File("c").c_str(), 1); }, EISDIR},
        // A FIFO is refused at once, not waited on for a writer.
        {"copy FIFO", [&] { return os_copy_file(dir.File("fifo").c_str(), dir.File("c").c_str(), 1); }, EINVAL},
        {"copy into missing folder", [&] { return os_copy_file(file.c_str(), missing.c_str(), 1); }, ENOENT},
        {"copy onto existing", [&] { return os_copy_file(file.c_str(), locked.c_str(), 0); }, EEXIST},
        {"write into missing folder", [&] { return WriteText(missing, "new"); }, ENOENT},
        {"copy past the size limit", [&] { return os_copy_file(big.c_str(), dir.File("c").c_str(), 1); }, EFBIG},
    };
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases)
    {
        rlimit limit = previous;
        limit.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        errno = 0;
        int nResult = c.fnCall();
        int nErrno = errno;
        setrlimit(RLIMIT_FSIZE, &previous);
        EXPECT_EQ(nResult, 0) << c.pszWhat;
        EXPECT_EQ(nErrno, c.nErrno) << c.pszWhat << ": " << std::strerror(nErrno);
    }
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(FileExists(dir.File("c"))) << "no half-written copy stays";
}
