#include "ValueTabFixture.h"

#include "tabs/RandNumberTab.h"

namespace
{
const char* const RANDOM_PRM = R"([Dice]
Type=Random
Format=%lu
MinValue=3
MaxValue=18
GenerateNewVal=Once

[Crew]
Type=Group
Format=%s
)";

const Strings RANDOM_KEYS = {"Format", "MinValue", "MaxValue", "GenerateNewVal"};
} // namespace

class RandNumberTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        CreateWindows(RANDOM_PRM);
        ASSERT_TRUE(m_pList->Select("Dice"));
        ASSERT_NE(Tab<CRandNumberTab>(), nullptr);
    }
    Strings Stored(const std::string& strName)
    {
        Strings arrValues;
        for (const std::string& strKey : RANDOM_KEYS)
            arrValues.push_back(Attrib(strName, strKey.c_str()));
        return arrValues;
    }
};

TEST_F(RandNumberTabTest, ShowsTheStoredRangeWithItsOwnFormatAsSample)
{
    EXPECT_EQ(TabCaptions(), Strings{"Random-Number properties"});
    EXPECT_EQ(Text(IDC_RAND_MIN), "3");
    EXPECT_EQ(Text(IDC_RAND_MAX), "18");
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%lu");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "3") << "its own %lu is no invalid format";
    EXPECT_EQ(CurSel(IDC_NUMBER_POLICY), 2);

    Enter(IDC_RAND_MIN, "7");
    Enter(IDC_FORMAT_LIST, "%05lu");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "00007");
    Choose(IDC_FORMAT_LIST, 8);
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%lu");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "7");
    Choose(IDC_NUMBER_POLICY, 1);
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Stored("Dice"), (Strings{"%lu", "7", "18", "EachIteration"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RandNumberTabTest, ABoundAboveTheUnsignedRangeIsCutBack)
{
    Enter(IDC_RAND_MAX, "4294967295");
    EXPECT_TRUE(Messages().empty()) << "the largest bound itself is fine";
    Enter(IDC_RAND_MAX, "4294967296");
    EXPECT_EQ(Messages(), Strings{"Maximum value is 4294967295.|error"});
    EXPECT_EQ(Text(IDC_RAND_MAX), "4294967295");
    Enter(IDC_RAND_MIN, "9999999999");
    EXPECT_EQ(Messages(), Strings{"Maximum value is 4294967295.|error"});
    EXPECT_EQ(Text(IDC_RAND_MIN), "4294967295");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "4294967295") << "a 64-bit sample";
}

TEST_F(RandNumberTabTest, AnEmptyOrInvertedRangeKeepsTheAuthorOnTheField)
{
    const struct
    {
        const char* pszMin;
        const char* pszMax;
        const char* pszMessage;
        int nFocus;
    } cases[] = {
        {"", "", "Please enter a positive integer.|error", IDC_RAND_MIN},
        {"4", "", "Please enter a positive integer.|error", IDC_RAND_MAX},
        {"5", "5", "'Max' must be greater then 'Min'|error", IDC_RAND_MAX},
        {"9", "10", nullptr, 0},
    };
    for (const auto& c : cases)
    {
        Enter(IDC_RAND_MIN, c.pszMin);
        Enter(IDC_RAND_MAX, c.pszMax);
        BOOL bLeft = m_pList->Select("Crew");
        if (!c.pszMessage)
        {
            EXPECT_TRUE(bLeft);
            EXPECT_EQ(Stored("Dice"), (Strings{"%lu", "9", "10", "Once"}));
            continue;
        }
        EXPECT_FALSE(bLeft) << c.pszMin << "-" << c.pszMax;
        EXPECT_STREQ(m_pMgr->GetActiveParamName(), "Dice");
        EXPECT_EQ(Messages(), Strings{c.pszMessage});
        EXPECT_EQ(CWnd::GetFocus(), &Item(c.nFocus));
        int nStart = -1, nEnd = -1;
        static_cast<CEdit&>(Item(c.nFocus)).GetSel(nStart, nEnd);
        EXPECT_EQ(nEnd - nStart, Text(c.nFocus).size()) << "the whole text is selected";
        EXPECT_EQ(Stored("Dice"), (Strings{"%lu", "3", "18", "Once"})) << "nothing was written";
    }
}

TEST_F(RandNumberTabTest, ARejectedFormatLeavesTheStoredSettingsAlone)
{
    Enter(IDC_RAND_MIN, "11");
    Enter(IDC_FORMAT_LIST, "%s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Invalid format");
    ASSERT_TRUE(m_pList->Select("Crew")) << "a rejected format does not keep the author";
    EXPECT_EQ(Stored("Dice"), (Strings{"%lu", "3", "18", "Once"}));
}

TEST_F(RandNumberTabTest, NewAndRetypedParametersTakeTheRandomDefaults)
{
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Roll", "Random Number", ""));
    EXPECT_EQ(Stored("Roll"), (Strings{"%01lu", "1", "100", "EachOccurrence"}));
    ASSERT_TRUE(m_pList->Select("Roll"));
    EXPECT_EQ(Text(IDC_RAND_MIN), "1");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "1");

    ASSERT_TRUE(m_pList->Select("Crew"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Random"));
    EXPECT_EQ(Stored("Crew"), (Strings{"%01lu", "1", "100", "EachOccurrence"}))
        << "the group's text format is no number format";
}

TEST_F(ValueTabFixture, ARandomParameterStoredWithoutSettingsShowsTheDefaults)
{
    CreateWindows("[Bare]\nType=Random\n");
    ASSERT_NE(Tab<CRandNumberTab>(), nullptr);
    EXPECT_EQ(Text(IDC_RAND_MIN), "1");
    EXPECT_EQ(Text(IDC_RAND_MAX), "100");
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%01lu");
    EXPECT_EQ(CurSel(IDC_NUMBER_POLICY), 0);
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "1");
    EXPECT_EQ(Attrib("Bare", "MinValue"), "") << "shown, not yet stored";
}
