#include "controls/FormatDateSample.h"
#include "turb/DateTimeFormatter.h"

#include "afx/Clock.h"

#include <chrono>
#include <climits>
#include <gtest/gtest.h>

namespace
{
// Thursday, 5 March 2026, 14:07:09, the 64th day of the year.
struct tm SampleTime()
{
    struct tm time = {};
    time.tm_year = 126;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = 14;
    time.tm_min = 7;
    time.tm_sec = 9;
    time.tm_wday = 4;
    time.tm_yday = 63;
    return time;
}

std::string Format(const char* pszFormat, size_t nSize = 1024)
{
    char szBuffer[1024] = "untouched";
    CDateTimeFormatter formatter;
    if (!formatter.Format(szBuffer, nSize, pszFormat, SampleTime()))
        return "<failed>";
    return szBuffer;
}
} // namespace

TEST(DateTimeFormatter, FormatsEveryElementWithEnglishNames)
{
    const struct
    {
        const char* pszFormat;
        const char* pszExpected;
    } cases[] = {
        {"%a %A %b %B", "Thu Thursday Mar March"},
        {"%c", "03/05/26 14:07:09"},
        {"%#c", "Thursday, March 5, 2026 14:07:09"},
        {"%x|%#x|%X", "03/05/26|Thursday, March 5, 2026|14:07:09"},
        {"%d %H %I %j %m %M %p %S", "05 14 02 064 03 07 PM 09"},
        {"%#d %#H %#I %#j %#m %#M %#S %#y", "5 14 2 64 3 7 9 26"},
        {"%U %W %w %y %Y", "09 09 4 26 2026"},
        {"100%% at %H", "100% at 14"},
        {"%I:%M:%S %p", "02:07:09 PM"},
        {"", ""},
        {"no elements", "no elements"},
        {"%Q", "<failed>"},
        {"%Y%", "<failed>"},
        {"%#", "<failed>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.pszFormat), c.pszExpected) << c.pszFormat;
}

TEST(DateTimeFormatter, MidnightNoonAndTheBufferLimit)
{
    CDateTimeFormatter formatter;
    struct tm time = SampleTime();
    char szBuffer[64];
    time.tm_hour = 0;
    ASSERT_TRUE(formatter.Format(szBuffer, sizeof szBuffer, "%I %p", time));
    EXPECT_STREQ(szBuffer, "12 AM");
    time.tm_hour = 12;
    ASSERT_TRUE(formatter.Format(szBuffer, sizeof szBuffer, "%I %p", time));
    EXPECT_STREQ(szBuffer, "12 PM");

    EXPECT_EQ(Format("%Y", 5), "2026");
    EXPECT_EQ(Format("%Y", 4), "<failed>") << "the terminator must fit too";
    EXPECT_FALSE(formatter.Format(szBuffer, 0, "%Y", time));
}

TEST(DateTimeFormatter, ExtremeFieldsFormatWithoutOverflow)
{
    struct tm time = SampleTime();
    time.tm_year = INT_MAX;
    time.tm_mon = INT_MAX;
    time.tm_yday = INT_MAX;
    time.tm_wday = INT_MIN;
    char szBuffer[128];
    ASSERT_TRUE(CDateTimeFormatter().Format(szBuffer, sizeof szBuffer, "%Y %m %j %y", time));
    EXPECT_STREQ(szBuffer, "2147485547 2147483648 2147483648 47");
    ASSERT_TRUE(CDateTimeFormatter().Format(szBuffer, sizeof szBuffer, "%a %U %W", time));
    EXPECT_STREQ(szBuffer, "? 306783379 306783379");
}

class FormatDateSampleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using namespace std::chrono;
        m_time = system_clock::time_point(seconds(1772719629)) + milliseconds(42) + microseconds(999);
        AfxSetClockHandler([this] { return m_time; });
    }
    void TearDown() override { AfxSetClockHandler(nullptr); }

    std::string Local(const char* pszFormat)
    {
        time_t tNow = std::chrono::system_clock::to_time_t(m_time);
        struct tm local = {};
        localtime_r(&tNow, &local);
        char szBuffer[256];
        CDateTimeFormatter().Format(szBuffer, sizeof szBuffer, pszFormat, local);
        return szBuffer;
    }

    std::chrono::system_clock::time_point m_time;
};

TEST_F(FormatDateSampleTest, TheCurrentLocalTimeWithMillisecondsForEveryDotZeroZeroZero)
{
    EXPECT_EQ(FormatDateSample("%Y-%m-%d %H:%M:%S.000"), Local("%Y-%m-%d %H:%M:%S") + ".042");
    EXPECT_EQ(FormatDateSample(".000|.000"), ".042|.042");
    EXPECT_EQ(FormatDateSample("%H:%M%"), Local("%H:%M")) << "a lone \"%\" at the end is dropped";
    EXPECT_EQ(FormatDateSample("%H%%"), Local("%H") + "%");
    EXPECT_EQ(FormatDateSample("%"), "Invalid time format");
    std::string strOutput = "before";
    EXPECT_EQ(FormatDateSample("%Q", strOutput), 0);
    EXPECT_EQ(strOutput, "Invalid time format");
    EXPECT_EQ(FormatDateSample("%c", strOutput), 1);
    EXPECT_EQ(strOutput, Local("%c"));
    EXPECT_EQ(FormatDateSample(std::string(1100, 'x')), "Invalid time format") << "longer than the output";
}
