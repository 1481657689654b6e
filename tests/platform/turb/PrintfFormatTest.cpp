#include "turb/PrintfFormat.h"
#include "turb/ValueFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const char* const REJECTED = nullptr;

struct FormatCase
{
    const char* pszFormat;
    long long llValue;
    bool bWide;
    const char* pszText; // REJECTED when the format is refused
};

struct TextCase
{
    const char* pszFormat;
    const char* pszValue;
    const char* pszText;
};
} // namespace

TEST(PrintfFormat, IntegerFormatsTakeTheValueAsTheirConversionDoes)
{
    const FormatCase cases[] = {
        {"%d", -7, false, "-7"},
        {"%i", -7, false, "-7"},
        {"%5d|", -7, false, "   -7|"},
        {"%d", 5000000000LL, false, "705032704"},
        {"%d", 5000000000LL, true, "5000000000"},
        {"%u", -1, false, "4294967295"},
        {"%lu", 4294967295LL, true, "4294967295"},
        {"%x", -1, false, "ffffffff"},
        {"%lX", -1, true, "FFFFFFFFFFFFFFFF"},
        {"%hd", 70000, true, "4464"},
        {"%hd", -7, false, "-7"},
        {"%hu", -1, false, "65535"},
        {"%05d", 1, false, "00001"},
        {"%-4d|", 7, false, "7   |"},
        {"%#x", 255, false, "0xff"},
        {"%5.3d", 1, false, "  001"},
        {"Vuser %d of %%", 3, false, "Vuser 3 of %"},
        {"%%d", 1, false, "%d"},
        {"no conversion", 1, false, "no conversion"},
        {"", 1, false, REJECTED},
        {"%I64d", 1, true, REJECTED},
        {"%lld", 1, true, REJECTED},
        {"%hhd", 1, false, REJECTED},
        {"%hx", 1, false, REJECTED},
        {"%+d", 1, false, REJECTED},
        {"% d", 1, false, REJECTED},
        {"%*d", 1, false, REJECTED},
        {"%5-3d", 1, false, REJECTED},
        {"%d%d", 1, false, REJECTED},
        {"%s", 1, false, REJECTED},
        {"%f", 1, false, REJECTED},
        {"%05", 1, false, REJECTED},
    };
    for (const FormatCase& c : cases)
    {
        CPrintfFormat format;
        bool bParsed = format.Parse(c.pszFormat, CPrintfFormat::KIND_INT);
        EXPECT_EQ(bParsed, c.pszText != REJECTED) << c.pszFormat;
        if (bParsed && c.pszText)
        {
            EXPECT_EQ(format.Format(c.llValue, c.bWide), c.pszText) << c.pszFormat;
        }
    }
}

TEST(PrintfFormat, TextFormatsTakeOneStringConversion)
{
    const TextCase cases[] = {
        {"%s", "GroupName", "GroupName"},
        {"%ls", "GroupName", "GroupName"},
        {"%hs", "GroupName", "GroupName"},
        {"%03s", "1", "001"},
        {"%-5s|", "ab", "ab   |"},
        {"[%8.3s]", "GroupName", "[     Gro]"},
        {"%d", "1", REJECTED},
        {"%I64s", "1", REJECTED},
        {"%S", "1", REJECTED},
        {"%s%s", "1", REJECTED},
    };
    for (const TextCase& c : cases)
    {
        CPrintfFormat format;
        bool bParsed = format.Parse(c.pszFormat, CPrintfFormat::KIND_TEXT);
        EXPECT_EQ(bParsed, c.pszText != REJECTED) << c.pszFormat;
        if (bParsed && c.pszText)
        {
            EXPECT_EQ(format.Format(std::string(c.pszValue)), c.pszText) << c.pszFormat;
        }
    }
}

TEST(PrintfFormat, HugeWidthsAreCappedNotOverflowed)
{
    CPrintfFormat format;
    ASSERT_TRUE(format.Parse("%0999999999999d", CPrintfFormat::KIND_INT));
    std::string strText = format.Format(1, false);
    ASSERT_EQ(strText.size(), static_cast<size_t>(CPrintfFormat::kMaxField));
    EXPECT_EQ(strText.back(), '1');
    ASSERT_TRUE(format.Parse("%.99999999999s", CPrintfFormat::KIND_TEXT));
    EXPECT_EQ(format.Format(std::string(2000, 'x')).size(), static_cast<size_t>(CPrintfFormat::kMaxField));
}

TEST(PrintfFormat, ValuesWithARejectedFormatArePlain)
{
    EXPECT_EQ(CValueFormat::FormatInt("%I64d", 12, true), "12");
    EXPECT_EQ(CValueFormat::FormatInt("", -3, false), "-3");
    EXPECT_EQ(CValueFormat::FormatInt("id %04d", 12, true), "id 0012");
    EXPECT_EQ(CValueFormat::FormatText("%d", "Host1"), "Host1");
    EXPECT_EQ(CValueFormat::FormatText("<%s>", "Host1"), "<Host1>");
}

TEST(PrintfFormat, ScanFindsTheOneConversion)
{
    int nConversion = 0;
    EXPECT_TRUE(CPrintfFormat::Scan("abc", nConversion));
    EXPECT_EQ(nConversion, -1);
    EXPECT_TRUE(CPrintfFormat::Scan("%%%-#08.3ld", nConversion));
    EXPECT_EQ(nConversion, 9);
    EXPECT_FALSE(CPrintfFormat::Scan("%%%", nConversion));
    EXPECT_FALSE(CPrintfFormat::Scan("%5$d", nConversion));
}
