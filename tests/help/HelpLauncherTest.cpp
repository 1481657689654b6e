#include "help/HelpLauncher.h"
#include "manager/TarvoMgr.h"

#include "afx/DebugOutput.h"
#include "afx/Module.h"
#include "afx/Process.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const char* const kFakeExecutable = "/opt/tarvo/bin/tarvo-editor";
const std::string kTestsDir = std::string(TARVO_BINARY_DIR) + "/tests";

// Captures every process start and debugger line of one test.
struct HelpFixture : ::testing::Test
{
    std::vector<AFX_PROCESS_START> starts;
    std::vector<std::string> lines;
    CHelpLauncher launcher;

    void SetUp() override
    {
        AfxSetProcessStartHandler(
            [this](const AFX_PROCESS_START& request)
            {
                starts.push_back(request);
                return TRUE;
            });
        AfxSetDebugOutputSink([this](const std::string& line) { lines.push_back(line); });
        launcher.m_fnExecutablePath = [] { return std::string(kFakeExecutable); };
        launcher.m_fnHtmlViewerCommand = [] { return std::optional<std::string>("\"/usr/bin/web viewer\" -new %1"); };
        SetLibraryResult(0);
    }
    void TearDown() override
    {
        AfxSetProcessStartHandler(nullptr);
        AfxSetDebugOutputSink(nullptr);
    }

    template <typename F> static F Export(const char* name)
    {
        HMODULE library = LoadLibraryA((kTestsDir + "/libQzHtmlHelp.so").c_str());
        return reinterpret_cast<F>(GetProcAddress(library, name));
    }
    static void SetLibraryResult(int result) { Export<void (*)(int)>("QzHtmlHelpTest_SetResult")(result); }
    static int LibraryCalls() { return Export<int (*)()>("QzHtmlHelpTest_Calls")(); }
    static std::string LibraryTopic() { return Export<const char* (*)()>("QzHtmlHelpTest_Topic")(); }

    bool Logged(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
};
} // namespace

TEST_F(HelpFixture, TopicRangesChooseTheViewerAndCommandLine)
{
    struct Case
    {
        unsigned long topic;
        std::string program;
        std::string commandLine;
    };
    const std::string invoker = "CorvaneHelp \"file:///opt/tarvo/help/WebHelp/Old_CSH_Invoker.htm";
    const std::vector<Case> cases = {
        {0, "/opt/tarvo/bin/CorvaneHelp", invoker + "\""},
        {179999, "/opt/tarvo/bin/CorvaneHelp", invoker + "?topicId=179999\""},
        {180000, "/usr/bin/web viewer", " \"file:///opt/tarvo/help/Tandry/Default_CSH.htm#180000\""},
        {189999, "/usr/bin/web viewer", " \"file:///opt/tarvo/help/Tandry/Default_CSH.htm#189999\""},
        {190000, "/opt/tarvo/bin/CorvaneHelp", invoker + "?topicId=190000\""},
        {4294967295UL, "/usr/bin/web viewer", " \"file:///opt/tarvo/help/Tandry/Default.htm\""},
    };
    for (const Case& c : cases)
    {
        starts.clear();
        launcher.Show(nullptr, c.topic, 0);
        ASSERT_EQ(starts.size(), 1u) << c.topic;
        EXPECT_EQ(starts[0].strProgram, c.program) << c.topic;
        EXPECT_EQ(starts[0].strCommandLine, c.commandLine) << c.topic;
        EXPECT_EQ(starts[0].strWorkingDir, "/opt/tarvo/bin") << c.topic;
    }
    EXPECT_TRUE(Logged("working dir : /opt/tarvo/bin"));
    EXPECT_TRUE(Logged(cases.back().commandLine));
}

TEST_F(HelpFixture, CommandLineWordsReachTheProgramWithoutAShell)
{
    launcher.m_fnExecutablePath = [] { return std::string("/opt/my $(rm -rf ~) tarvo/bin/tarvo-editor"); };
    launcher.Show(nullptr, 42, 0);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].args,
              std::vector<std::string>{"file:///opt/my $(rm -rf ~) tarvo/help/WebHelp/Old_CSH_Invoker.htm?topicId=42"});
}

TEST_F(HelpFixture, ExecutableAtTheRootStartsNothing)
{
    launcher.m_fnExecutablePath = [] { return std::string("/tarvo-editor"); };
    launcher.Show(nullptr, 5, 0);
    launcher.m_fnExecutablePath = [] { return std::string("tarvo-editor"); };
    launcher.Show(nullptr, 5, 0);
    EXPECT_TRUE(starts.empty());
}

TEST_F(HelpFixture, MissingViewerIsReportedAndNothingStarts)
{
    launcher.m_fnHtmlViewerCommand = [] { return std::optional<std::string>(); };
    launcher.Show(nullptr, 180500, 0);
    EXPECT_TRUE(starts.empty());
    EXPECT_TRUE(Logged("NO IE path at registry !!!"));
    EXPECT_TRUE(Logged("command failed"));

    lines.clear();
    launcher.m_fnHtmlViewerCommand = [] { return std::optional<std::string>("viewer-without-quotes %1"); };
    launcher.Show(nullptr, 180500, 0);
    EXPECT_TRUE(starts.empty());
    EXPECT_TRUE(Logged("command failed"));
}

TEST_F(HelpFixture, HelpLibraryBesideTheExecutableTakesTheRequest)
{
    launcher.m_fnExecutablePath = [] { return kTestsDir + "/test_help"; };
    SetLibraryResult(1);
    launcher.Show(nullptr, 141306, 0);
    EXPECT_EQ(LibraryCalls(), 1);
    EXPECT_EQ(LibraryTopic(), "141306");
    EXPECT_TRUE(starts.empty()) << "a non-zero answer ends the request";

    launcher.Show(nullptr, 141306, 1);
    EXPECT_EQ(LibraryCalls(), 1) << "the skip flag leaves the library out";
    EXPECT_EQ(starts.size(), 1u);

    SetLibraryResult(0);
    starts.clear();
    launcher.Show(nullptr, 141309, 0);
    EXPECT_EQ(LibraryCalls(), 1);
    EXPECT_EQ(starts.size(), 1u) << "a zero answer falls through to the viewer";
}

TEST_F(HelpFixture, ManagerOpensHelpFromTheRunningProgramsInstallation)
{
    CTarvoMgr mgr((std::string(TARVO_BINARY_DIR) + "/dat/param.dat").c_str());
    mgr.ShowHelp(131248);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].strProgram, kTestsDir + "/CorvaneHelp");
    EXPECT_EQ(starts[0].strCommandLine, "CorvaneHelp \"file://" + std::string(TARVO_BINARY_DIR) +
                                            "/help/WebHelp/Old_CSH_Invoker.htm?topicId=131248\"");
    EXPECT_EQ(starts[0].strWorkingDir, kTestsDir);
}
