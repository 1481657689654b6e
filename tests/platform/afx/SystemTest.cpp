#include "afx/Clipboard.h"
#include "afx/Clock.h"
#include "afx/DebugOutput.h"
#include "afx/WaitCursor.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace std::chrono;

namespace
{
system_clock::time_point Utc(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return system_clock::from_time_t(timegm(&tm));
}

class ClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        m_bHadZone = zone != nullptr;
        m_strZone = zone ? zone : "";
    }
    void TearDown() override
    {
        AfxSetClockHandler(nullptr);
        if (m_bHadZone)
            setenv("TZ", m_strZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static void SetZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::string m_strZone;
    bool m_bHadZone = false;
};
} // namespace

TEST(DebugOutputTest, SinkReceivesEachStringAsWritten)
{
    std::vector<std::string> lines;
    AfxSetDebugOutputSink([&](const std::string& text) { lines.push_back(text); });

    OutputDebugStringA("command failed");
    OutputDebugStringA(nullptr);
    OutputDebugStringA("working dir : /opt/tarvo/bin\n");
    AfxSetDebugOutputSink(nullptr);

    EXPECT_EQ(lines, (std::vector<std::string>{"command failed", "working dir : /opt/tarvo/bin\n"}));
}

TEST(DebugOutputTest, WithoutASinkLinesGoToStderr)
{
    AfxSetDebugOutputSink(nullptr);
    ::testing::internal::CaptureStderr();

    OutputDebugStringA("NO IE path at registry !!!");
    OutputDebugStringA("ends itself\n");

    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "NO IE path at registry !!!\nends itself\n");
}

TEST_F(ClockTest, HandlersTimeIsBrokenDownInTheLocalTimeZone)
{
    system_clock::time_point fixed = Utc(2024, 2, 29, 23, 45, 30) + milliseconds(250);
    AfxSetClockHandler([&] { return fixed; });
    SYSTEMTIME st;
    SetZone("UTC");
    GetLocalTime(&st);

    EXPECT_EQ(AfxGetCurrentTime(), fixed);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(st.wHour, 23);
    EXPECT_EQ(st.wMinute, 45);
    EXPECT_EQ(st.wSecond, 30);
    EXPECT_EQ(st.wMilliseconds, 250);

    SetZone("XYZ-2"); // two hours east of UTC: already the next day
    GetLocalTime(&st);
    EXPECT_EQ(st.wMonth, 3);
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wDayOfWeek, 5);
    EXPECT_EQ(st.wHour, 1);
}

TEST_F(ClockTest, TickCountFollowsTheHandlersTime)
{
    system_clock::time_point now = Utc(2030, 1, 1, 0, 0, 0);
    AfxSetClockHandler([&] { return now; });
    DWORD nStart = GetTickCount();

    now += milliseconds(1500);

    EXPECT_EQ(GetTickCount() - nStart, 1500u);
}

TEST_F(ClockTest, WithoutAHandlerTheSystemClockRuns)
{
    AfxSetClockHandler([] { return system_clock::time_point(); });
    AfxSetClockHandler(nullptr);

    EXPECT_LT(abs(duration_cast<seconds>(AfxGetCurrentTime() - system_clock::now()).count()), 5);
    DWORD nStart = GetTickCount();
    std::this_thread::sleep_for(milliseconds(30));
    DWORD nElapsed = GetTickCount() - nStart;
    EXPECT_GE(nElapsed, 25u);
    EXPECT_LT(nElapsed, 5000u);
}

TEST(ClipboardTest, TextRoundTripsAsUtf8)
{
    std::string text = "Z\xC3\xBCrich\t1\r\n\xE2\x82\xAC 2\r\n";

    ASSERT_TRUE(AfxSetClipboardText(text));

    EXPECT_EQ(AfxGetClipboardText(), text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(text.c_str()));
}

TEST(ClipboardTest, BeepWorksWithAnApplication)
{
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
}

TEST(ClipboardTest, ABeepHandlerHearsEveryBeepUntilItIsRemoved)
{
    std::vector<UINT> arrBeeps;
    AfxSetBeepHandler([&](UINT uType) { arrBeeps.push_back(uType); });
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
    EXPECT_TRUE(MessageBeep(MB_ICONERROR));
    AfxSetBeepHandler(nullptr);
    EXPECT_TRUE(MessageBeep(0));
    EXPECT_EQ(arrBeeps, (std::vector<UINT>{0xFFFFFFFF, MB_ICONERROR}));
}

TEST(WaitCursorTest, ShowsTheWaitCursorWhileItLives)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        CWaitCursor wait;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
        wait.Restore();
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            CWaitCursor nested;
        }
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
