#include "afx/Process.h"
#include "afx/DebugOutput.h"

#include "TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{
typedef std::vector<std::string> WORDS;

// Processes events until the condition holds or five seconds pass.
bool WaitFor(const std::function<bool()>& condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

class ProcessTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        AfxSetProcessStartHandler(nullptr);
        AfxSetDebugOutputSink(nullptr);
    }

    CTempDir m_dir;
};
} // namespace

TEST(SplitCommandLineTest, BlanksSeparateAndQuotesGroup)
{
    EXPECT_EQ(AfxSplitCommandLine("notepad.exe /tmp/my file.dat"), (WORDS{"notepad.exe", "/tmp/my", "file.dat"}));
    EXPECT_EQ(AfxSplitCommandLine("prog \"a b\" c\t\td  "), (WORDS{"prog", "a b", "c", "d"}));
    EXPECT_EQ(AfxSplitCommandLine("prog x\"y z\"w"), (WORDS{"prog", "xy zw"}));
    EXPECT_EQ(AfxSplitCommandLine("prog \"\" x"), (WORDS{"prog", "", "x"}));
    EXPECT_EQ(AfxSplitCommandLine("prog \"open end"), (WORDS{"prog", "open end"}));
    EXPECT_EQ(AfxSplitCommandLine("prog \"a\"\"b\""), (WORDS{"prog", "a\"b"}));
    EXPECT_EQ(AfxSplitCommandLine(""), WORDS{});
}

TEST(SplitCommandLineTest, BackslashesEscapeOnlyBeforeAQuote)
{
    EXPECT_EQ(AfxSplitCommandLine(R"(prog a\b c:\dir\\x)"), (WORDS{"prog", R"(a\b)", R"(c:\dir\\x)"}));
    EXPECT_EQ(AfxSplitCommandLine(R"(prog a\"b)"), (WORDS{"prog", R"(a"b)"}));
    EXPECT_EQ(AfxSplitCommandLine(R"(prog a\\\"b c)"), (WORDS{"prog", R"(a\"b)", "c"}));
    EXPECT_EQ(AfxSplitCommandLine(R"(prog a\\\\"b c" d)"), (WORDS{"prog", R"(a\\b c)", "d"}));
    EXPECT_EQ(AfxSplitCommandLine(R"(prog "c:\temp\\" next)"), (WORDS{"prog", R"(c:\temp\)", "next"}));
}

TEST(SplitCommandLineTest, TheProgramWordKeepsItsBackslashes)
{
    EXPECT_EQ(AfxSplitCommandLine(R"("C:\Program Files\Help\\" "file:///x")"),
              (WORDS{R"(C:\Program Files\Help\\)", "file:///x"}));
    // A line starting with a blank has an empty program word.
    EXPECT_EQ(AfxSplitCommandLine(R"( "file:///root/help/Default.htm")"), (WORDS{"", "file:///root/help/Default.htm"}));
}

TEST_F(ProcessTest, HandlerAnswersInsteadOfStartingAnything)
{
    std::vector<AFX_PROCESS_START> starts;
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            starts.push_back(request);
            return TRUE;
        });
    AFX_PROCESS_START request;
    request.strCommandLine = "touch " + m_dir.File("marker") + " \"second word\"";
    request.strWorkingDir = m_dir.Path();
    AFX_PROCESS_HANDLE hProcess = nullptr;

    ASSERT_TRUE(AfxStartProcess(request, &hProcess));

    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].strProgram, "touch");
    EXPECT_EQ(starts[0].args, (WORDS{m_dir.File("marker"), "second word"}));
    EXPECT_EQ(starts[0].strCommandLine, request.strCommandLine);
    EXPECT_EQ(starts[0].strWorkingDir, m_dir.Path());
    EXPECT_FALSE(AfxIsProcessRunning(hProcess));
    DWORD nExitCode = 99;
    EXPECT_TRUE(AfxWaitProcessPumping(hProcess, 10, &nExitCode));
    EXPECT_EQ(nExitCode, 0u);
    AfxCloseProcessHandle(hProcess);
    EXPECT_FALSE(FileExists(m_dir.File("marker")));
}

TEST_F(ProcessTest, AProgramGivenApartTakesTheFirstWordsPlace)
{
    AFX_PROCESS_START seen;
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            seen = request;
            return FALSE;
        });
    AFX_PROCESS_START request;
    request.strProgram = "/usr/bin/x-www-browser";
    request.strCommandLine = R"( "file:///root/help/Default_CSH.htm#180000")";
    AFX_PROCESS_HANDLE hProcess = reinterpret_cast<AFX_PROCESS_HANDLE>(1);

    EXPECT_FALSE(AfxStartProcess(request, &hProcess));

    EXPECT_EQ(hProcess, nullptr);
    EXPECT_EQ(seen.strProgram, "/usr/bin/x-www-browser");
    EXPECT_EQ(seen.args, WORDS{"file:///root/help/Default_CSH.htm#180000"});
}

TEST_F(ProcessTest, ArgumentsReachTheProgramUnchangedInItsWorkingDirectory)
{
    AFX_PROCESS_START request;
    request.strProgram = "/bin/sh";
    request.args = {"-c", "printf '%s\\n' \"$@\" > out.txt; exit 3", "sh", "a  b", "c\"d", "$HOME"};
    request.strWorkingDir = m_dir.Path();
    AFX_PROCESS_HANDLE hProcess = nullptr;

    ASSERT_TRUE(AfxStartProcess(request, &hProcess));
    DWORD nExitCode = 0;
    ASSERT_TRUE(AfxWaitProcessPumping(hProcess, 20, &nExitCode));
    AfxCloseProcessHandle(hProcess);

    EXPECT_EQ(nExitCode, 3u);
    EXPECT_EQ(ReadFileBytes(m_dir.File("out.txt")), "a  b\nc\"d\n$HOME\n");
}

TEST_F(ProcessTest, ACommandLineIsSplitWithoutAShell)
{
    AFX_PROCESS_START request;
    request.strCommandLine = R"(sh -c "printf '%s|' \"$@\" > out.txt" sh "two  words" back\\slash $PATH;x)";
    request.strWorkingDir = m_dir.Path();
    AFX_PROCESS_HANDLE hProcess = nullptr;

    ASSERT_TRUE(AfxStartProcess(request, &hProcess));
    ASSERT_TRUE(AfxWaitProcessPumping(hProcess));
    AfxCloseProcessHandle(hProcess);

    EXPECT_EQ(ReadFileBytes(m_dir.File("out.txt")), R"(two  words|back\\slash|$PATH;x|)");
}

TEST_F(ProcessTest, WaitingKeepsHandlingEvents)
{
    AFX_PROCESS_START request;
    request.strProgram = "sleep";
    request.args = {"0.4"};
    AFX_PROCESS_HANDLE hProcess = nullptr;
    ASSERT_TRUE(AfxStartProcess(request, &hProcess));
    EXPECT_TRUE(AfxIsProcessRunning(hProcess));
    bool bTimerRan = false;
    bool bStillRunningThen = false;
    QTimer::singleShot(50,
                       [&]
                       {
                           bTimerRan = true;
                           bStillRunningThen = AfxIsProcessRunning(hProcess);
                       });

    DWORD nExitCode = 99;
    EXPECT_TRUE(AfxWaitProcessPumping(hProcess, 20, &nExitCode));

    EXPECT_TRUE(bTimerRan);
    EXPECT_TRUE(bStillRunningThen);
    EXPECT_EQ(nExitCode, 0u);
    EXPECT_FALSE(AfxIsProcessRunning(hProcess));
    AfxCloseProcessHandle(hProcess);
    EXPECT_FALSE(AfxWaitProcessPumping(hProcess));
}

TEST_F(ProcessTest, ClosingTheHandleLetsTheProcessRunOn)
{
    std::string marker = m_dir.File("late");
    AFX_PROCESS_START request;
    request.strProgram = "/bin/sh";
    request.args = {"-c", "sleep 0.2; touch \"$0\"", marker};
    AFX_PROCESS_HANDLE hProcess = nullptr;
    ASSERT_TRUE(AfxStartProcess(request, &hProcess));

    AfxCloseProcessHandle(hProcess);

    EXPECT_FALSE(AfxIsProcessRunning(hProcess));
    EXPECT_TRUE(WaitFor([&] { return FileExists(marker); }));
}

TEST_F(ProcessTest, ADetachedProcessRunsOnItsOwn)
{
    std::string marker = m_dir.File("detached");
    AFX_PROCESS_START request;
    request.strProgram = "touch";
    request.args = {marker};

    ASSERT_TRUE(AfxStartProcess(request));

    EXPECT_TRUE(WaitFor([&] { return FileExists(marker); }));
}

TEST_F(ProcessTest, AProgramThatCannotStartFailsWithAReason)
{
    std::string messages;
    AfxSetDebugOutputSink([&](const std::string& text) { messages += text + "\n"; });
    AFX_PROCESS_START request;
    request.strProgram = "/nonexistent/CorvaneHelp";
    AFX_PROCESS_HANDLE hProcess = reinterpret_cast<AFX_PROCESS_HANDLE>(1);

    EXPECT_FALSE(AfxStartProcess(request, &hProcess));
    EXPECT_EQ(hProcess, nullptr);
    EXPECT_FALSE(AfxStartProcess(request));
    EXPECT_FALSE(AfxStartProcess(AFX_PROCESS_START{}));

    EXPECT_NE(messages.find("/nonexistent/CorvaneHelp"), std::string::npos) << messages;
    EXPECT_NE(messages.find("no program"), std::string::npos) << messages;
}
