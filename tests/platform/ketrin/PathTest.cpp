#include "ketrin/Ketrin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
struct SSplitCase
{
    const char* path;
    const char* dir;
    const char* name;
    const char* ext;
};

std::string Call(int (*fn)(const char*, char*, int), const char* path)
{
    char out[256];
    fn(path, out, sizeof out);
    return out;
}
} // namespace

TEST(PathTest, SplitsIntoDirectoryNameAndExtension)
{
    const SSplitCase cases[] = {
        {"/scripts/a/params.prm", "/scripts/a", "params", ".prm"},
        {"params.prm", "", "params", ".prm"},
        {"/params.prm", "/", "params", ".prm"},
        {"dir/archive.tar.gz", "dir", "archive.tar", ".gz"},
        {"dir//file", "dir", "file", ""},
        {"dir/", "dir", "", ""},
        {"C:\\data\\P.dat", "C:/data", "P", ".dat"},
        {"mixed\\sub/x.y", "mixed/sub", "x", ".y"},
        {"/home/.profile", "/home", ".profile", ""},
        {"a/.", "a", ".", ""},
        {"a/..", "a", "..", ""},
        {"name.", "", "name", "."},
        {"/a.b/c", "/a.b", "c", ""},
        {"", "", "", ""},
    };
    for (const SSplitCase& c : cases)
    {
        EXPECT_EQ(c.dir, Call(os_path_dir, c.path)) << c.path;
        EXPECT_EQ(c.name, Call(os_path_name, c.path)) << c.path;
        EXPECT_EQ(c.ext, Call(os_path_ext, c.path)) << c.path;
        EXPECT_EQ(std::string(c.name) + c.ext, Call(os_path_file, c.path)) << c.path;
    }
    EXPECT_EQ("", Call(os_path_dir, nullptr));
}

TEST(PathTest, AbsoluteMeansStartingAtTheRoot)
{
    EXPECT_EQ(1, os_path_is_absolute("/a/b"));
    EXPECT_EQ(1, os_path_is_absolute("/"));
    for (const char* path : std::initializer_list<const char*>{"a/b", "./a", "C:\\data", "\\data", "", nullptr})
        EXPECT_EQ(0, os_path_is_absolute(path)) << (path ? path : "(null)");
}

TEST(PathTest, JoinsWithOneSeparator)
{
    char out[256];
    struct
    {
        const char* dir;
        const char* name;
        const char* joined;
    } cases[] = {
        {"/a", "b.dat", "/a/b.dat"},  {"/a/", "b.dat", "/a/b.dat"}, {"/a", "/abs/b", "/abs/b"}, {"", "b.dat", "b.dat"},
        {"/a", "sub\\b", "/a/sub/b"}, {"a\\b", "c", "a/b/c"},       {"/", "x", "/x"},           {"/a", "", "/a/"},
    };
    for (const auto& c : cases)
    {
        os_path_join(c.dir, c.name, out, sizeof out);
        EXPECT_STREQ(c.joined, out) << c.dir << " + " << c.name;
    }
}

TEST(PathTest, BufferFillersReportTheNeededLengthAndStayInside)
{
    char out[8];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(14, os_path_dir("/long/dir/name/f", out, 4));
    EXPECT_STREQ("/lo", out);
    EXPECT_EQ('#', out[4]);
    EXPECT_EQ(6, os_path_join("/a", "bcd", nullptr, 0));
}
