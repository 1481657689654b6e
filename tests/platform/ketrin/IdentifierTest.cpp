#include "ketrin/Ketrin.h"

#include <gtest/gtest.h>

#include <string>

TEST(IdentifierTest, AcceptsLetterFollowedByLettersDigitsAndUnderscores)
{
    for (const char* name : {"a", "Z", "abc", "a_1", "Param_2_x", "x__"})
        EXPECT_EQ(OS_QZ_IDENTIFIER, os_is_qz_identifier(name, -1)) << name;
    EXPECT_EQ(0x2000001, OS_QZ_IDENTIFIER);
}

TEST(IdentifierTest, TellsTheThreeWaysATextIsNoIdentifier)
{
    EXPECT_EQ(OS_QZ_EMPTY, os_is_qz_identifier(nullptr, 3));
    EXPECT_EQ(OS_QZ_EMPTY, os_is_qz_identifier("", 0));
    EXPECT_EQ(OS_QZ_EMPTY, os_is_qz_identifier("abc", 0));

    for (const char* name : {"1abc", "_abc", " abc", "-", "\xC3\xA9t\xC3\xA9"})
        EXPECT_EQ(OS_QZ_BAD_FIRST, os_is_qz_identifier(name, -1)) << name;

    for (const char* name : {"a-b", "a b", "ab.", "a\xC3\xA9", "a\t"})
        EXPECT_EQ(OS_QZ_BAD_CHAR, os_is_qz_identifier(name, -1)) << name;

    EXPECT_EQ(33554507, OS_QZ_EMPTY);
    EXPECT_EQ(33554508, OS_QZ_BAD_FIRST);
    EXPECT_EQ(33554509, OS_QZ_BAD_CHAR);
}

TEST(IdentifierTest, LooksOnlyAtTheGivenLength)
{
    EXPECT_EQ(OS_QZ_IDENTIFIER, os_is_qz_identifier("ab-c", 2));
    std::string withNul("ab\0c", 4);
    EXPECT_EQ(OS_QZ_BAD_CHAR, os_is_qz_identifier(withNul.data(), 4));
}

TEST(IdentifierTest, SingleByteAlphaIsAsciiLettersOnly)
{
    EXPECT_EQ(1, os_is_sb_alpha('a'));
    EXPECT_EQ(1, os_is_sb_alpha('Z'));
    for (int ch : {int('1'), int('_'), int(' '), int('\\'), 0, 0xE9, -23, 256, 'a' + 256})
        EXPECT_EQ(0, os_is_sb_alpha(ch)) << ch;
    EXPECT_EQ(OS_CHARSET_SINGLE_BYTE, os_get_charset_type());
}
