#include "controls/FormatSample.h"
#include "turb/ValueFormat.h"

#include <gtest/gtest.h>

namespace
{
const char* const INVALID = "Invalid format";
const char* const EMPTY = "Please enter a non-empty value";

struct SampleCase
{
    const char* pszFormat;
    const char* pszSample;
    const char* pszOutput;
    int nResult;
};

std::string Int(const std::string& strFormat, const std::string& strSample, int* pnResult = nullptr, bool bWide = false)
{
    std::string strOutput = "untouched";
    int nResult = FormatIntSample(strFormat, strSample, strOutput, bWide);
    if (pnResult)
        *pnResult = nResult;
    return strOutput;
}
} // namespace

TEST(FormatSample, IntegerFormatsAcceptOneIntegerConversionWithDigitsDotsMinusAndHash)
{
    const SampleCase cases[] = {
        {"%05d", "1", "00001", 1},
        {"%x", "1", "1", 1},
        {"%ld", "1", "1", 1},
        {"%5.3d", "1", "  001", 1},
        {"%-4d|", "7", "7   |", 1},
        {"%#x", "255", "0xff", 1},
        {"%X", "255", "FF", 1},
        {"%%d", "1", "%d", 1},
        {"Vuser %d", "1", "Vuser 1", 1},
        {"%d%%", "50", "50%", 1},
        {"no conversion", "1", "no conversion", 1},
        {"%f", "1", INVALID, 0},
        {"%I64d", "1", INVALID, 0},
        {"%+d", "1", INVALID, 0},
        {"% d", "1", INVALID, 0},
        {"%*d", "1", INVALID, 0},
        {"%d%d", "1", INVALID, 0},
        {"%", "1", INVALID, 0},
        {"%05", "1", INVALID, 0},
        {"%s", "1", INVALID, 0},
        {"%hx", "1", INVALID, 0},
        {"%lf", "1", INVALID, 0},
        {"%5-3d", "1", INVALID, 0},
        {"", "1", EMPTY, 0},
    };
    for (const SampleCase& c : cases)
    {
        int nResult = -1;
        EXPECT_EQ(Int(c.pszFormat, c.pszSample, &nResult), c.pszOutput) << c.pszFormat;
        EXPECT_EQ(nResult, c.nResult) << c.pszFormat;
    }
}

TEST(FormatSample, TextFormatsAcceptOneStringConversionAndPadWithZeros)
{
    const SampleCase cases[] = {
        {"%s", "GroupName", "GroupName", 1},
        {"%ls", "GroupName", "GroupName", 1},
        {"%hs", "GroupName", "GroupName", 1},
        {"%05s", "1", "00001", 1},
        {"%-5s|", "ab", "ab   |", 1},
        {"%.5s", "GroupName", "Group", 1},
        {"[%8.3s]", "GroupName", "[     Gro]", 1},
        {"Vuser %s", "1", "Vuser 1", 1},
        {"%d", "GroupName", INVALID, 0},
        {"%S", "GroupName", INVALID, 0},
        {"%s%s", "GroupName", INVALID, 0},
        {"", "GroupName", EMPTY, 0},
    };
    for (const SampleCase& c : cases)
    {
        std::string strOutput;
        EXPECT_EQ(FormatTextSample(c.pszFormat, c.pszSample, strOutput), c.nResult) << c.pszFormat;
        EXPECT_EQ(strOutput, c.pszOutput) << c.pszFormat;
    }
}

TEST(FormatSample, NumbersAreTakenAsTheSystemTakesThem)
{
    EXPECT_EQ(Int("%d", "5000000000"), "705032704") << "32 bits without the wide option";
    EXPECT_EQ(Int("%d", "5000000000", nullptr, true), "5000000000");
    EXPECT_EQ(Int("%u", "-1"), "4294967295");
    EXPECT_EQ(Int("%d", "-7"), "-7") << "a negative value stays negative without the wide option";
    EXPECT_EQ(Int("%i", "-7"), "-7");
    EXPECT_EQ(Int("%hd", "70000"), "4464");
    EXPECT_EQ(Int("%hu", "-1"), "65535");
    EXPECT_EQ(Int("%d", "12abc"), "12");
    EXPECT_EQ(Int("%d", "abc"), "0");
    EXPECT_EQ(Int("%lX", "-1", nullptr, true), "FFFFFFFFFFFFFFFF");
}

TEST(FormatSample, OutputStopsAt1024Characters)
{
    EXPECT_EQ(Int("%0999999999999d", "1").size(), 1024u) << "a huge width neither overflows nor hangs";
    std::string strOutput = Int("ab%01022d", "1");
    ASSERT_EQ(strOutput.size(), 1024u);
    EXPECT_EQ(strOutput.substr(0, 3), "ab0");
    EXPECT_EQ(FormatTextSample(std::string(2000, 'x') + "%s", "1").size(), 1024u);
    EXPECT_EQ(FormatTextSample("%%%s", "1"), "%1") << "the static form gives the output alone";
}

TEST(FormatSample, TheStaticFormsGiveNoMessageAsASample)
{
    EXPECT_EQ(FormatIntSample("%I64d", "1", true), "");
    EXPECT_EQ(FormatIntSample("", "1", false), "");
    EXPECT_EQ(FormatTextSample("%d", "GroupName"), "");
    EXPECT_EQ(FormatIntSample("%03d", "7", false), "007");
}

// Every format the sample accepts shows what the engine gives a Vuser.
TEST(FormatSample, ASampleIsTheValueAVuserGets)
{
    const char* const formats[] = {"%d",  "%i",    "%05d",     "%-6d|", "%x",  "%#X", "%u",    "%hd",  "%hu",
                                   "%lu", "%5.3d", "Vuser %d", "%d%%",  "%%d", "%s",  "%I64d", "%lld", "%0999999d"};
    const char* const values[] = {"1", "-7", "70000", "5000000000", "-1"};
    for (const char* pszFormat : formats)
        for (const char* pszValue : values)
            for (bool bWide : {false, true})
            {
                std::string strSample;
                if (FormatIntSample(pszFormat, pszValue, strSample, bWide))
                {
                    EXPECT_EQ(strSample,
                              CValueFormat::FormatInt(pszFormat, std::stoll(pszValue), bWide).substr(0, 1024))
                        << pszFormat << " " << pszValue;
                }
                else
                {
                    EXPECT_EQ(CValueFormat::FormatInt(pszFormat, std::stoll(pszValue), bWide), pszValue)
                        << "a rejected format gives the Vuser the plain value: " << pszFormat;
                }
            }
    std::string strSample;
    for (const char* pszFormat : {"%s", "%03s", "%.4s", "%ls", "%d", "%I64s"})
    {
        if (FormatTextSample(pszFormat, "GroupName", strSample))
        {
            EXPECT_EQ(strSample, CValueFormat::FormatText(pszFormat, "GroupName")) << pszFormat;
        }
        else
        {
            EXPECT_EQ(CValueFormat::FormatText(pszFormat, "GroupName"), "GroupName") << pszFormat;
        }
    }
}

TEST(FormatSample, ScanFormatFindsTheOneConversion)
{
    int nConversion = 0;
    EXPECT_TRUE(ScanFormat("abc", nConversion));
    EXPECT_EQ(nConversion, -1);
    EXPECT_TRUE(ScanFormat("%%%-#08.3ld", nConversion));
    EXPECT_EQ(nConversion, 9);
    EXPECT_TRUE(ScanFormat("%%%%", nConversion));
    EXPECT_EQ(nConversion, -1);
    EXPECT_FALSE(ScanFormat("%%%", nConversion));
    EXPECT_FALSE(ScanFormat("%5$d", nConversion));
}
