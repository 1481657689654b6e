#include "ketrin/Ketrin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
std::string Format(const char* tmpl, const char* p1 = "", const char* p2 = "", const char* p9 = "")
{
    char out[1024];
    os_FormatParameterizedString(tmpl, out, sizeof out, p1, p2, "", "", "", "", "", "", p9);
    return out;
}
} // namespace

TEST(FormatTest, FillsNumberedPlaceholders)
{
    EXPECT_EQ("Parameter P has an invalid option.", Format("Parameter %1 has an invalid option.", "P"));
    EXPECT_EQ("between 1 and 32000 (1)", Format("between %1 and %2 (%1)", "1", "32000"));
    EXPECT_EQ("last: nine", Format("last: %9", "", "", "nine"));
    EXPECT_EQ("empty: []", Format("empty: [%2]", "x"));
}

TEST(FormatTest, LeavesOtherPercentSignsAndDoesNotRescanInsertedText)
{
    EXPECT_EQ("%d and %s", Format("%d and %s"));
    EXPECT_EQ("%1 stays", Format("%%1 stays", "X"));
    EXPECT_EQ("%2", Format("%1", "%2", "NO"));
    EXPECT_EQ("100%", Format("100%"));
}

TEST(FormatTest, NullTextsCountAsEmpty)
{
    char out[64];
    os_FormatParameterizedString("<%1|%2>", out, sizeof out, nullptr, "b", nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_STREQ("<|b>", out);
    os_FormatParameterizedString(nullptr, out, sizeof out, "a", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_STREQ("", out);
}

TEST(FormatTest, NeverWritesPastTheBufferAndAlwaysTerminates)
{
    char out[16];
    std::memset(out, '#', sizeof out);
    int needed = os_FormatParameterizedString("%1-%2", out, 6, "abcd", "efgh", "", "", "", "", "", "", "");
    EXPECT_EQ(9, needed);
    EXPECT_STREQ("abcd-", out);
    for (size_t i = 6; i < sizeof out; ++i)
        EXPECT_EQ('#', out[i]) << i;

    out[0] = '#';
    EXPECT_EQ(3, os_FormatParameterizedString("abc", out, 0, "", "", "", "", "", "", "", "", ""));
    EXPECT_EQ('#', out[0]);
}

TEST(FormatTest, TruncationKeepsUtf8CharactersWhole)
{
    char out[8];
    // "é" is two bytes; five of them do not fit 7 bytes plus the terminator.
    os_FormatParameterizedString("%1", out, 8, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "", "", "", "", "", "", "",
                                 "");
    EXPECT_STREQ("\xC3\xA9\xC3\xA9\xC3\xA9", out);
}

TEST(FormatTest, OsLanguageFollowsTheLocaleVariables)
{
    struct SSaved
    {
        const char* name;
        std::string value;
        bool bSet;
    } saved[] = {{"LC_ALL", "", false}, {"LC_MESSAGES", "", false}, {"LANG", "", false}};
    for (SSaved& s : saved)
    {
        const char* v = std::getenv(s.name);
        s.bSet = v != nullptr;
        s.value = v ? v : "";
        unsetenv(s.name);
    }

    EXPECT_EQ(OS_LANG_WESTERN, os_get_os_lang());
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(OS_LANG_JAPANESE, os_get_os_lang());
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(OS_LANG_WESTERN, os_get_os_lang());
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(OS_LANG_JAPANESE, os_get_os_lang());

    for (const SSaved& s : saved)
    {
        if (s.bSet)
            setenv(s.name, s.value.c_str(), 1);
        else
            unsetenv(s.name);
    }
}
