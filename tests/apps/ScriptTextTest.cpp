#include "ScriptText.h"
#include "ScriptLocation.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(ScriptText, SavingWritesOnlyChangedFilesAndKeepsTheOldOnFailure)
{
    CTempDir dir;
    std::string a = dir.Write("a.c", "{P}");
    std::string b = dir.Write("b.c", "untouched");
    CScriptText text;
    std::string error;
    ASSERT_TRUE(text.Load({a, b}, error));
    text.SetText(0, "{Q}");
    ASSERT_TRUE(text.Save(error)) << error;
    EXPECT_EQ(ReadFileBytes(a), "{Q}");
    EXPECT_EQ(ReadFileBytes(b), "untouched");
    EXPECT_FALSE(text.IsModified());
    text.SetText(1, "untouched");
    EXPECT_FALSE(text.IsModified()) << "the same text is no change";
    text.SetText(1, "touched");
    text.SetText(1, "untouched");
    EXPECT_FALSE(text.IsModified()) << "edits that lead back to the saved text leave nothing to save";

    text.SetText(0, "changed");
    std::filesystem::remove_all(dir.Path());
    EXPECT_FALSE(text.Save(error));
    EXPECT_NE(error.find("a.c"), std::string::npos);
    EXPECT_TRUE(text.IsModified()) << "a failed save keeps the changes to save again";
}

TEST(ScriptText, UnreadableFilesLoadNothing)
{
    CTempDir dir;
    std::string a = dir.Write("a.c", "{P}");
    CScriptText text;
    std::string error;
    EXPECT_FALSE(text.Load({a, dir.File("missing.c")}, error));
    EXPECT_NE(error.find("missing.c"), std::string::npos);
    EXPECT_EQ(text.GetFileCount(), 0u);
}

TEST(ScriptLocation, ExampleFindsItsActionsInUsrOrder)
{
    CScriptLocation script;
    std::string error;
    ASSERT_TRUE(script.Resolve(std::string(TARVO_SOURCE_DIR) + "/examples/nursery_order/nursery_order.usr", error));
    ASSERT_EQ(script.GetActionFiles().size(), 3u);
    EXPECT_NE(script.GetActionFiles()[0].find("vuser_init.c"), std::string::npos);
    EXPECT_NE(script.GetActionFiles()[1].find("Action.c"), std::string::npos);
    EXPECT_EQ(script.GetName(), "nursery_order");
}
