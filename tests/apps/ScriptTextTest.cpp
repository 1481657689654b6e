#include "ScriptText.h"
#include "FileFault.h"
#include "ScriptLocation.h"
#include "TempDir.h"

#include <cstring>
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

TEST(ScriptText, EveryFailingStepOfASaveKeepsTheFileByteForByteAndSaysWhy)
{
    CTempDir dir;
    const std::string strOld = "Action()\r\n{\r\n\t{P}\r\n}\r\n";
    for (const FILE_FAULT_STEP& step : FileFaultSteps())
    {
        SCOPED_TRACE(step.pszName);
        std::string a = dir.Write("Action.c", strOld);
        CScriptText text;
        std::string error;
        ASSERT_TRUE(text.Load({a}, error));
        text.SetText(0, "Action()\r\n{\r\n\t{Q}\r\n}\r\n");
        auto before = DirectoryNames(dir.Path());
        {
            CFileFault fault(step.nStep, ENOSPC);
            EXPECT_FALSE(text.Save(error));
            EXPECT_GT(fault.Hits(), 0);
        }
        EXPECT_NE(error.find("Action.c"), std::string::npos) << error;
        EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
        EXPECT_EQ(ReadFileBytes(a), strOld);
        EXPECT_EQ(DirectoryNames(dir.Path()), before);
        EXPECT_TRUE(text.Save(error)) << "the change is kept to save again";
        EXPECT_NE(ReadFileBytes(a), strOld);
    }
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

TEST(ScriptLocation, NamesThatLeadOutOfTheScriptDirectoryAreNotFollowed)
{
    CTempDir dir;
    dir.Write("outside.c", "not the script's");
    dir.Write("outside.prm", "");
    dir.Write("s/Action.c", "Action");
    dir.Write("s/sub/Inner.c", "Inner");
    std::string strOutside = dir.File("outside.c");
    dir.Write("s/s.usr", "[General]\nParameterFile=s.prm\n[Actions]\nA=Action.c\nB=../outside.c\nC=" + strOutside +
                             "\nD=sub/../../outside.c\nE=sub/Inner.c\n");
    CScriptLocation script;
    std::string error;
    ASSERT_TRUE(script.Resolve(dir.File("s/s.usr"), error)) << error;
    EXPECT_EQ(script.GetActionFiles(), (std::vector<std::string>{dir.File("s/Action.c"), dir.File("s/sub/Inner.c")}));

    dir.Write("s/s.usr", "[General]\nParameterFile=../outside.prm\n");
    CScriptLocation escaping;
    EXPECT_FALSE(escaping.Resolve(dir.File("s/s.usr"), error));
    EXPECT_NE(error.find("outside the script's directory"), std::string::npos) << error;
}
