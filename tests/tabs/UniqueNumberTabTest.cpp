#include "ValueTabFixture.h"

#include "tabs/UniqueNumberTab.h"

namespace
{
const char* const UNIQUE_PRM = R"([Ticket]
Type=Unique
Format=%d
StartValue=42
BlockSize=50
GenerateNewVal=Once
OutOfRangePolicy=abortvuser

[Order]
Type=Unique
Format=%d
StartValue=1
BlockSize=10
GenerateNewVal=EachOccurrence
OutOfRangePolicy=Sometimes

[Crew]
Type=Group
Format=%s
)";

const Strings UNIQUE_KEYS = {"Format", "StartValue", "BlockSize", "GenerateNewVal", "OutOfRangePolicy"};
} // namespace

class UniqueNumberTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        CreateWindows(UNIQUE_PRM);
        ASSERT_TRUE(m_pList->Select("Ticket"));
        ASSERT_NE(Tab<CUniqueNumberTab>(), nullptr);
    }
    Strings Stored(const std::string& strName)
    {
        Strings arrValues;
        for (const std::string& strKey : UNIQUE_KEYS)
            arrValues.push_back(Attrib(strName, strKey.c_str()));
        return arrValues;
    }
};

TEST_F(UniqueNumberTabTest, ShowsTheSettingsAndEnablesTheOutOfValuesListByPolicy)
{
    EXPECT_EQ(TabCaptions(), Strings{"Unique-Number properties"});
    EXPECT_EQ(Text(IDC_UNIQUE_START), "42");
    EXPECT_EQ(Text(IDC_UNIQUE_BLOCK_SIZE), "50");
    EXPECT_EQ(CurSel(IDC_UNIQUE_OUT_OF_VALUES), 0) << "the stored policy is read ignoring case";
    EXPECT_EQ(CurSel(IDC_NUMBER_POLICY), 2);
    EXPECT_FALSE(Enabled(IDC_UNIQUE_OUT_OF_VALUES)) << "a value taken once cannot run out";
    EXPECT_FALSE(Enabled(IDC_UNIQUE_OUT_OF_VALUES_LABEL));

    Enter(IDC_FORMAT_LIST, "%05d");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "00042");
    Choose(IDC_NUMBER_POLICY, 1);
    EXPECT_TRUE(Enabled(IDC_UNIQUE_OUT_OF_VALUES));
    EXPECT_TRUE(Enabled(IDC_UNIQUE_OUT_OF_VALUES_LABEL));
    Choose(IDC_UNIQUE_OUT_OF_VALUES, 1);
    Enter(IDC_UNIQUE_START, "1234567890");
    EXPECT_EQ(Text(IDC_UNIQUE_START), "123456789") << "nine digits at most";
    ASSERT_TRUE(m_pList->Select("Order"));
    EXPECT_EQ(Stored("Ticket"), (Strings{"%05d", "123456789", "50", "EachIteration", "ContinueCyclic"}));

    EXPECT_EQ(CurSel(IDC_UNIQUE_OUT_OF_VALUES), 2) << "an unknown policy shows the last item";
    EXPECT_TRUE(Enabled(IDC_UNIQUE_OUT_OF_VALUES));
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Attrib("Order", "OutOfRangePolicy"), "ContinueWithLast");
}

TEST_F(UniqueNumberTabTest, ABlockSizeThatIsNotPositiveKeepsTheAuthorOnTheParameter)
{
    for (const char* pszBlockSize : {"0", ""})
    {
        Enter(IDC_UNIQUE_BLOCK_SIZE, pszBlockSize);
        EXPECT_FALSE(m_pList->Select("Order")) << "block size \"" << pszBlockSize << "\"";
        EXPECT_STREQ(m_pMgr->GetActiveParamName(), "Ticket");
        EXPECT_EQ(Messages(), Strings{"Block size must be positive|plain"});
        EXPECT_EQ(CWnd::GetFocus(), &Item(IDC_UNIQUE_BLOCK_SIZE));
        EXPECT_EQ(m_pList->UpdateAllUIExt(UPD_COMMIT, nullptr), 0) << "nor close the dialog";
        EXPECT_EQ(Messages().size(), 1u);
    }
    EXPECT_EQ(m_pList->UpdateAllUIExt(UPD_BEFORE_TYPE_CHANGE, "Random"), 1) << "a type change is not held up";
    EXPECT_TRUE(Messages().empty());

    Enter(IDC_UNIQUE_BLOCK_SIZE, "25");
    EXPECT_TRUE(m_pList->Select("Order"));
    EXPECT_EQ(Attrib("Ticket", "BlockSize"), "25");
}

TEST_F(UniqueNumberTabTest, ARejectedFormatDiscardsTheTabsEdits)
{
    EXPECT_EQ(Stored("Ticket"), (Strings{"%d", "42", "50", "Once", "AbortVuser"})) << "written as the list shows it";
    Enter(IDC_UNIQUE_START, "7");
    Enter(IDC_FORMAT_LIST, "%s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Invalid format");
    ASSERT_TRUE(m_pList->Select("Order"));
    EXPECT_EQ(Stored("Ticket"), (Strings{"%d", "42", "50", "Once", "AbortVuser"}));
}

TEST_F(UniqueNumberTabTest, NewAndRetypedParametersTakeTheUniqueDefaults)
{
    const Strings defaults = {"%01d", "1", "100", "EachIteration", "ContinueWithLast"};
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Seat", "Unique Number", ""));
    EXPECT_EQ(Stored("Seat"), defaults);
    ASSERT_TRUE(m_pList->Select("Seat"));
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "1");
    EXPECT_EQ(CurSel(IDC_UNIQUE_OUT_OF_VALUES), 2);

    ASSERT_TRUE(m_pList->Select("Crew"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Unique"));
    EXPECT_EQ(Stored("Crew"), defaults);
}
