#include "controls/StringParam.h"

#include "afx/Resource.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
void AddTestStrings()
{
    static CResourceModule module("controls-tests");
    static bool added = false;
    if (added)
        return;
    added = true;
    module.AddString(30001, "%9 %8 %7 %6 %5 %4 %3 %2 %1");
    module.AddString(30002, "100%% of %1, %x stays, %1 twice");
    module.AddString(30003, std::string(1500, 'a') + "%1");
    module.AddString(30004, "%s has %d%% of %s");
    module.AddString(30005, "%x %1 %-5s %n %");
    static CDynLinkLibrary entry(module);
}
} // namespace

TEST(FormatResourceString, FillsAllNinePlaceholders)
{
    AddTestStrings();
    std::string text;
    EXPECT_EQ(FormatResourceString(text, 30001, "a", std::string("b"), CStringParam(255, 16), "d", "e", "f", "g",
                                   CStringParam(-12, 10), "i"),
              1);
    EXPECT_EQ(text, "i -12 g f e d ff b a");
}

TEST(FormatResourceString, KeepsOtherPercentSignsAndRepeats)
{
    AddTestStrings();
    std::string text;
    ASSERT_EQ(FormatResourceString(text, 30002, "%2"), 1);
    EXPECT_EQ(text, "100% of %2, %x stays, %2 twice") << "inserted texts are not scanned again";
}

TEST(FormatResourceString, MissingStringLeavesTheTargetAlone)
{
    std::string text = "unchanged";
    EXPECT_EQ(FormatResourceString(text, 29999, "x"), 0);
    EXPECT_EQ(text, "unchanged");
}

TEST(FormatResourceString, TemplateAndResultStopAtTheMessageLimit)
{
    AddTestStrings();
    std::string text;
    ASSERT_EQ(FormatResourceString(text, 30003, "tail"), 1);
    EXPECT_EQ(text, std::string(1023, 'a'))
        << "the template is cut at 1024 characters, the result fits 1024 with its end";
}

TEST(FormatResourceString, LibraryMessagesComeFromTheStringTable)
{
    std::string text;
    ASSERT_EQ(FormatResourceString(text, IDS_INTEGER_RANGE, CStringParam(1, 10), CStringParam(99, 10)), 1);
    EXPECT_EQ(text, "Please enter an integer between 1 and 99.");
}

TEST(FormatResourcePrintf, FillsOnlyStringAndNumberConversionsInOrder)
{
    AddTestStrings();
    const struct
    {
        unsigned nID;
        std::vector<CStringParam> arrParams;
        const char* pszExpected;
    } cases[] = {
        {30004, {"Disk", CStringParam(42, 10), "%s"}, "Disk has 42% of %s"},
        {30004, {"Disk"}, "Disk has % of "},
        {30005, {"a", "b"}, "%x %1 %-5s %n %"},
        {IDS_ESCAPE_CHARACTER, {"\\"}, "Cannot set a parameter for the escape character '\\'"},
        {IDS_DELETE_DATASET, {"b"}, "Are you sure you want to delete dataset 'b'?"},
    };
    for (const auto& c : cases)
    {
        std::vector<CStringParam> arrParams = c.arrParams;
        arrParams.resize(3);
        std::string text;
        ASSERT_EQ(FormatResourcePrintf(text, c.nID, arrParams[0], arrParams[1], arrParams[2]), 1) << c.nID;
        EXPECT_EQ(text, c.pszExpected);
    }
    std::string text = "unchanged";
    EXPECT_EQ(FormatResourcePrintf(text, 29999, "x"), 0);
    EXPECT_EQ(text, "unchanged");
}

TEST(CStringParam, NumbersInRadixesAndCopies)
{
    EXPECT_STREQ(CStringParam(0, 10).GetText(), "0");
    EXPECT_STREQ(CStringParam(-1, 16).GetText(), "ffffffff");
    EXPECT_STREQ(CStringParam(5, 2).GetText(), "101");
    EXPECT_STREQ(CStringParam(5, 1).GetText(), "");
    CStringParam original("text");
    CStringParam copy = original;
    original = CStringParam("other");
    EXPECT_STREQ(copy.GetText(), "text");
    EXPECT_STREQ(CStringParam(static_cast<const char*>(nullptr)).GetText(), "");
}
