#include "sendrel/Sendrel.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
// Puts the resolver on a root of the test's own and back afterwards.
class GetFullPathTest : public ::testing::Test
{
protected:
    void SetUp() override { Sendrel_SetInstallRoot(m_dir.Path().c_str()); }
    void TearDown() override { Sendrel_SetInstallRoot(nullptr); }

    std::string Resolve(int kind, int flags, const char* name)
    {
        char buffer[260];
        std::memset(buffer, '#', sizeof buffer);
        int length = GetFullPath(kind, flags, name, buffer, sizeof buffer);
        EXPECT_EQ(std::strlen(buffer), static_cast<size_t>(length));
        return buffer;
    }

    CTempDir m_dir;
};
} // namespace

TEST_F(GetFullPathTest, FindsEachKindInItsFolder)
{
    std::string ini = m_dir.Write("config/mirrel.ini", "[ParamTable]\n");
    std::string types = m_dir.Write("dat/param.dat", "[ParameterTypes]\n");
    EXPECT_EQ(ini, Resolve(SENDREL_KIND_CONFIG, 0, "mirrel.ini"));
    EXPECT_EQ(types, Resolve(SENDREL_KIND_DAT, 0, "param.dat"));
    EXPECT_EQ("", Resolve(SENDREL_KIND_DAT, 0, "mirrel.ini")) << "each kind looks only in its own folder";
}

TEST_F(GetFullPathTest, GivesNothingForAMissingFileOrAnUnknownKind)
{
    EXPECT_EQ("", Resolve(1, 0, "mirrel.ini"));
    m_dir.Write("config/mirrel.ini", "");
    EXPECT_EQ("", Resolve(3, 0, "mirrel.ini"));
    EXPECT_EQ("", Resolve(1, 0, ""));
    EXPECT_EQ("", Resolve(1, 0, nullptr));
}

TEST_F(GetFullPathTest, CanNameAFileThatDoesNotExistYet)
{
    EXPECT_EQ(m_dir.File("config/new.ini"), Resolve(1, SENDREL_ANY, "new.ini"));
}

TEST_F(GetFullPathTest, NeverWritesPastTheBufferNorGivesACutPath)
{
    m_dir.Write("config/mirrel.ini", "");
    std::string full = m_dir.File("config/mirrel.ini");
    char buffer[512];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(0, GetFullPath(1, 0, "mirrel.ini", buffer, static_cast<int>(full.size())));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('#', buffer[1]);
    EXPECT_EQ(static_cast<int>(full.size()),
              GetFullPath(1, 0, "mirrel.ini", buffer, static_cast<int>(full.size()) + 1));
    EXPECT_EQ(full, buffer);
    EXPECT_EQ(0, GetFullPath(1, 0, "mirrel.ini", nullptr, 100));
}

TEST(GetFullPathRootTest, RootIsTheFolderAboveTheLibrary)
{
    char root[PATH_MAX];
    ASSERT_NE(nullptr, realpath(TARVO_BINARY_DIR, root));
    char buffer[PATH_MAX];
    GetFullPath(1, SENDREL_ANY, "mirrel.ini", buffer, sizeof buffer);
    EXPECT_EQ(std::string(root) + "/config/mirrel.ini", buffer);
}
