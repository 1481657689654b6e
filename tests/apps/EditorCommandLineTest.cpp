#include "EditorProcess.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
std::vector<std::vector<std::string>> Lines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    {
        std::vector<std::string> fields;
        std::string line = text.substr(start, end - start);
        size_t from = 0;
        for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        lines.push_back(fields);
    }
    return lines;
}
} // namespace

TEST(EditorCommandLine, ListsTheExampleFromAnyOfItsThreeNames)
{
    for (const QString& script : {kExample, kExample + "/nursery_order.usr", kExample + "/nursery_order.prm"})
    {
        RUN run = Editor({"--list", script});
        ASSERT_EQ(run.nExitCode, 0) << run.strErr;
        EXPECT_EQ(run.strErr, "") << "nothing but the listing";
        auto lines = Lines(run.strOut);
        ASSERT_EQ(lines.size(), 14u) << script.toStdString();
        EXPECT_EQ(lines[0], (std::vector<std::string>{"CustomerEmail", "File", lines[0][2], ","}));
        EXPECT_EQ(lines[3][3], "|") << "each data-file parameter shows its own delimiter";
        EXPECT_EQ(lines[13][0], "CouponCode");
        EXPECT_EQ(lines[13][1], "Custom");
    }
}

TEST(EditorCommandLine, TheOtherDatasetIsListedFromItsOwnFile)
{
    RUN run = Editor({"--list", kExample + "/weekend_sale.prm"});
    ASSERT_EQ(run.nExitCode, 0);
    EXPECT_EQ(Lines(run.strOut).size(), 14u);
}

TEST(EditorCommandLine, MissingOrUnreadableScriptsFailWithAMessage)
{
    CTempDir dir;
    dir.Write("notes.txt", "not a script");
    dir.Write("empty/readme", "");
    const std::vector<std::pair<QString, std::string>> cases = {
        {QString::fromStdString(dir.File("missing.usr")), "no such file"},
        {QString::fromStdString(dir.File("notes.txt")), "not a script"},
        {QString::fromStdString(dir.File("empty")), "no .usr file"},
    };
    for (const auto& [script, message] : cases)
    {
        RUN run = Editor({"--list", script});
        EXPECT_NE(run.nExitCode, 0) << script.toStdString();
        EXPECT_NE(run.strErr.find(message), std::string::npos) << run.strErr;
        EXPECT_EQ(run.strOut, "");
    }
}

TEST(EditorCommandLine, HelpVersionAndBadOptionsAnswerAsLinuxProgramsDo)
{
    RUN help = Editor({"--help"});
    EXPECT_EQ(help.nExitCode, 0);
    EXPECT_NE(help.strOut.find("Usage: tarvo-editor"), std::string::npos);
    RUN version = Editor({"--version"});
    EXPECT_EQ(version.nExitCode, 0);
    EXPECT_EQ(version.strOut.rfind("tarvo-editor ", 0), 0u);
    RUN bad = Editor({"--frobnicate"});
    EXPECT_EQ(bad.nExitCode, 2);
    EXPECT_NE(bad.strErr.find("--help"), std::string::npos);
    RUN missingArgument = Editor({"--list"});
    EXPECT_EQ(missingArgument.nExitCode, 2);
}

TEST(EditorCommandLine, AScreenshotTellsTheTerminalWhatAWindowWouldShow)
{
    CTempDir dir;
    std::filesystem::copy(kExample.toStdString(), dir.Path(), std::filesystem::copy_options::recursive);
    dir.Write("nursery_order.prm", "Version=7\n" + ReadFileBytes(dir.File("nursery_order.prm")));
    RUN run =
        Editor({"--screenshot", QString::fromStdString(dir.File("shot.png")), QString::fromStdString(dir.Path())});
    ASSERT_EQ(run.nExitCode, 0) << run.strErr;
    EXPECT_NE(run.strErr.find("Version=7"), std::string::npos) << run.strErr;
}

TEST(EditorCommandLine, ScreenshotWritesAPngWithoutADisplay)
{
    CTempDir dir;
    std::string path = dir.File("editor.png");
    RUN run = Editor({"--screenshot", QString::fromStdString(path)});
    ASSERT_EQ(run.nExitCode, 0) << run.strErr;
    EXPECT_EQ(ReadFileBytes(path).substr(1, 3), "PNG");
}
