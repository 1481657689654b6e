#include "feyna/Feyna.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Cached(const std::string& path)
{
    size_t length = 0;
    const char* text = qzvu_get_cashed_file(path.c_str(), &length);
    return text ? std::string(text, length) : std::string("(none)");
}
} // namespace

TEST(CachedFileTest, ClearingMakesTheNextReadSeeTheCurrentContent)
{
    CTempDir dir;
    std::string path = dir.Write("run.cfg", "first");
    EXPECT_EQ("first", Cached(path));
    dir.Write("run.cfg", std::string("second\0x", 8));
    EXPECT_EQ("first", Cached(path));
    EXPECT_EQ(0, qzvu_clear_cashed_file(path.c_str()));
    EXPECT_EQ(std::string("second\0x", 8), Cached(path));
}

TEST(CachedFileTest, ClearingOneFileKeepsTheOthersAndNullClearsAll)
{
    CTempDir dir;
    std::string a = dir.Write("a", "a1");
    std::string b = dir.Write("b", "b1");
    Cached(a);
    Cached(b);
    dir.Write("a", "a2");
    dir.Write("b", "b2");
    qzvu_clear_cashed_file(a.c_str());
    EXPECT_EQ("a2", Cached(a));
    EXPECT_EQ("b1", Cached(b));
    qzvu_clear_cashed_file(nullptr);
    EXPECT_EQ("b2", Cached(b));
}

TEST(CachedFileTest, UnreadableFilesGiveNull)
{
    CTempDir dir;
    EXPECT_EQ("(none)", Cached(dir.File("missing")));
    EXPECT_EQ("(none)", Cached(dir.Path()));
    EXPECT_EQ(nullptr, qzvu_get_cashed_file(nullptr, nullptr));
    std::string late = dir.File("late");
    EXPECT_EQ("(none)", Cached(late));
    dir.Write("late", "now here");
    EXPECT_EQ("now here", Cached(late));
}
