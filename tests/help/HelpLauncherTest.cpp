#include "help/HelpLauncher.h"
#include "manager/TarvoMgr.h"

#include "afx/DebugOutput.h"
#include "afx/Module.h"
#include "afx/Process.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
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
    std::vector<std::string> failures;
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
        launcher.m_fnProgramExists = [](const std::string&) { return true; };
        SetHelpFailureHandler([this](const std::string& reason) { failures.push_back(reason); });
        SetLibraryResult(0);
    }
    void TearDown() override
    {
        AfxSetProcessStartHandler(nullptr);
        AfxSetDebugOutputSink(nullptr);
        SetHelpFailureHandler(nullptr);
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
QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
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

TEST_F(HelpFixture, WithoutTheHelpProgramTheHtmlViewerOpensTheSamePage)
{
    std::vector<std::string> asked;
    launcher.m_fnProgramExists = [&asked](const std::string& path)
    {
        asked.push_back(path);
        return false;
    };
    for (unsigned long topic : {141306UL, 0UL})
    {
        starts.clear();
        launcher.Show(nullptr, topic, 0);
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].strProgram, "/usr/bin/web viewer");
        EXPECT_EQ(starts[0].args, std::vector<std::string>{"file:///opt/tarvo/help/WebHelp/Old_CSH_Invoker.htm" +
                                                           (topic ? "?topicId=" + std::to_string(topic) : "")});
    }
    EXPECT_EQ(asked.front(), "/opt/tarvo/bin/CorvaneHelp");
    EXPECT_TRUE(failures.empty());
}

TEST_F(HelpFixture, AHostThatAsksIsToldWhyNoHelpOpened)
{
    // Programs that are not installed do not start.
    AfxSetProcessStartHandler([](const AFX_PROCESS_START&) { return FALSE; });
    launcher.m_fnProgramExists = [](const std::string&) { return false; };
    launcher.m_fnHtmlViewerCommand = [] { return std::optional<std::string>(); };
    for (unsigned long topic : {141306UL, 180100UL})
        launcher.Show(nullptr, topic, 0);
    ASSERT_EQ(failures.size(), 2u);
    for (const std::string& failure : failures)
        EXPECT_NE(failure.find("Install a web browser"), std::string::npos) << failure;

    failures.clear();
    launcher.m_fnHtmlViewerCommand = [] { return std::optional<std::string>("\"/usr/bin/web viewer\" %1"); };
    launcher.Show(nullptr, 180100, 0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "The help viewer /usr/bin/web viewer could not be started.");

    SetHelpFailureHandler(nullptr);
    launcher.Show(nullptr, 180100, 0);
    EXPECT_EQ(failures.size(), 1u) << "without a handler failures stay silent";
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
    // The desktop's viewer where one is found, else the help program beside the executable.
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].args, std::vector<std::string>{"file://" + std::string(TARVO_BINARY_DIR) +
                                                       "/help/WebHelp/Old_CSH_Invoker.htm?topicId=131248"});
    EXPECT_EQ(starts[0].strWorkingDir, kTestsDir);
}

// The help set in the build tree, laid out as an installation: every topic the
// library and the editor open leads to a page, and every link to a file.
TEST(ShippedHelp, EveryTopicAndLinkLeadsToAPage)
{
    const QDir help(QString(TARVO_BINARY_DIR) + "/help");
    struct TOPICS
    {
        const char* invoker;
        std::vector<const char*> topics;
    } sets[] = {
        {"WebHelp/Old_CSH_Invoker.htm", {"141306", "141309", "141324", "131248"}},
        {"Tandry/Default_CSH.htm", {"180100"}},
    };
    for (const TOPICS& set : sets)
    {
        QString page = ReadText(help.filePath(set.invoker));
        QDir dir = QFileInfo(help.filePath(set.invoker)).dir();
        for (const char* topic : set.topics)
        {
            QRegularExpressionMatch match = QRegularExpression(QString("\"%1\": \"([^\"]+)\"").arg(topic)).match(page);
            ASSERT_TRUE(match.hasMatch()) << set.invoker << " knows no page for " << topic;
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(match.captured(1)))) << match.captured(1).toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo::exists(help.filePath("Tandry/Default.htm"))) << "the contents";

    QDirIterator pages(help.path(), {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
    int nPages = 0;
    while (pages.hasNext())
    {
        QString path = pages.next();
        ++nPages;
        QRegularExpressionMatchIterator links = QRegularExpression("href=\"([^\"#?]+)").globalMatch(ReadText(path));
        while (links.hasNext())
        {
            QString target = QFileInfo(path).dir().filePath(links.next().captured(1));
            EXPECT_TRUE(QFileInfo::exists(target)) << path.toStdString() << " links to " << target.toStdString();
        }
    }
    EXPECT_GE(nPages, 8);
}
