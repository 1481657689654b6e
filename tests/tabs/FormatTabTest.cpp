#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/ComboBox.h"
#include "afx/WinApp.h"
#include "tabs/FormatIntTab.h"
#include "tabs/FormatTab.h"

#include <memory>

namespace
{
const char* const STRING_SECTION = "ParamDialogStringFormats";

std::vector<std::string> Items(CComboBox& combo)
{
    std::vector<std::string> arrItems(static_cast<size_t>(combo.GetCount()));
    for (int i = 0; i < combo.GetCount(); ++i)
        combo.GetLBText(i, arrItems[static_cast<size_t>(i)]);
    return arrItems;
}
} // namespace

// The format tabs inside the properties host, with the host application's
// profile emptied of format lists.
class FormatTabTest : public PropertiesFixture
{
protected:
    void SetUp() override
    {
        m_pApp = std::make_unique<CWinApp>("tarvo-format-tab-tests");
        for (const char* pszSection : {STRING_SECTION, "ParamDialogIntFormats"})
            m_pApp->WriteProfileString(pszSection, nullptr, nullptr);
    }

    CComboBox& Formats() { return *static_cast<CComboBox*>(ActivePage()->GetDlgItem(IDC_FORMAT_LIST)); }
    std::string Text(int nID)
    {
        std::string strText;
        ActivePage()->GetDlgItemText(nID, strText);
        return strText;
    }
    bool AddEnabled() { return ActivePage()->GetDlgItem(IDC_FORMAT_ADD)->IsWindowEnabled(); }
    void TypeFormat(const std::string& strFormat) { ui::ReplaceText(Formats(), strFormat); }
    void Click(int nID) { ui::Click(*ActivePage()->GetDlgItem(nID)); }
    std::string Profile(const char* pszKey) { return m_pApp->GetProfileString(STRING_SECTION, pszKey, "<none>"); }

    std::unique_ptr<CWinApp> m_pApp;
};

TEST_F(FormatTabTest, TheSampleFollowsWhatTheAuthorTypesOrPicksAndLeavingStoresItAsTyped)
{
    CreateWindows();
    ASSERT_NE(dynamic_cast<CFormatTab*>(ActivePage()), nullptr);
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%03s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "001");
    EXPECT_TRUE(AddEnabled());

    TypeFormat("%d");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Invalid format");
    EXPECT_FALSE(AddEnabled());
    TypeFormat("User %s!");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "User 1!");
    EXPECT_TRUE(AddEnabled());
    ui::ReplaceText(Formats(), "");
    ui::PressKey(Formats(), Qt::Key_Backspace);
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Please enter a non-empty value");

    ui::ChooseComboItem(Formats(), 5);
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%05s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "00001");
    ASSERT_TRUE(m_pList->Select("Team"));
    EXPECT_EQ(Attrib("VuserNo", "Format"), "%05s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "GroupName");

    TypeFormat("%d");
    ASSERT_TRUE(m_pList->Select("VuserNo")) << "a rejected format never blocks leaving";
    EXPECT_EQ(Attrib("Team", "Format"), "%d");
}

TEST_F(FormatTabTest, TheIterationTabFormatsNumbersFromItsOwnList)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Loop"));
    ASSERT_NE(dynamic_cast<CFormatIntTab*>(ActivePage()), nullptr);
    EXPECT_EQ(Items(Formats()), (Strings{"%d", "%01d", "%02d", "%03d", "%04d", "%05d", "%06d", "%07d", "%08d"}));
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "00001");
    TypeFormat("#%x");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "#1");
    TypeFormat("%s");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Invalid format");
    EXPECT_FALSE(AddEnabled());
}

TEST_F(FormatTabTest, AddDeleteAndResetKeepTheAuthorsListInTheProfile)
{
    CreateWindows();
    TypeFormat("[%s]");
    Click(IDC_FORMAT_ADD);
    Click(IDC_FORMAT_ADD);
    EXPECT_EQ(Formats().GetCount(), 11) << "a copy is added even when it is listed";
    EXPECT_EQ(Profile("FormatsNum"), "11");
    EXPECT_EQ(Profile("Format1"), "[%s]");
    EXPECT_EQ(Profile("Format2"), "[%s]");
    EXPECT_EQ(Profile("Format11"), "%08s");

    ui::ChooseComboItem(Formats(), 2);
    Click(IDC_FORMAT_DELETE);
    EXPECT_EQ(Items(Formats()),
              (Strings{"[%s]", "[%s]", "%01s", "%02s", "%03s", "%04s", "%05s", "%06s", "%07s", "%08s"}));
    EXPECT_EQ(Profile("FormatsNum"), "10");
    EXPECT_EQ(Profile("Format3"), "%01s");
    EXPECT_EQ(Profile("Format11"), "%08s") << "entries beyond the count stay behind";

    // Another tab of the kind loads the author's list; the empty format takes its first item.
    ASSERT_TRUE(m_pList->Select("Station"));
    EXPECT_EQ(Items(Formats()).front(), "[%s]");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "[LoadGeneratorName]");

    TypeFormat("%07s");
    Click(IDC_FORMAT_RESET);
    EXPECT_EQ(Profile("FormatsNum"), "0");
    EXPECT_EQ(Items(Formats()), (Strings{"%s", "%01s", "%02s", "%03s", "%04s", "%05s", "%06s", "%07s", "%08s"}))
        << "the rebuilt page shows the built-in list";
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%07s") << "the format typed before Reset survives it";
    EXPECT_EQ(Attrib("Station", "Format"), "%07s");
    ui::ProcessEvents();
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "LoadGeneratorName");
}

TEST_F(FormatTabTest, StoredListsSkipEmptyEntriesAndGiveNewParametersTheirFirstFormat)
{
    m_pApp->WriteProfileInt(STRING_SECTION, "FormatsNum", 3);
    m_pApp->WriteProfileString(STRING_SECTION, "Format1", "<%s>");
    m_pApp->WriteProfileString(STRING_SECTION, "Format2", "");
    m_pApp->WriteProfileString(STRING_SECTION, "Format3", "%s!");
    m_pApp->WriteProfileString(STRING_SECTION, "Format4", "stale");
    CreateWindows();
    EXPECT_EQ(Items(Formats()), (Strings{"<%s>", "%s!"}));

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Crew", "Group Name", ""));
    EXPECT_EQ(Attrib("Crew", "Format"), "<%s>");
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Round", "Iteration Number", ""));
    EXPECT_EQ(Attrib("Round", "Format"), "%d") << "the number list is a list of its own";
}

TEST_F(FormatTabTest, WithoutAnApplicationObjectTheListIsNeitherReadNorStored)
{
    m_pApp->WriteProfileInt(STRING_SECTION, "FormatsNum", 1);
    m_pApp->WriteProfileString(STRING_SECTION, "Format1", "<%s>");
    m_pApp.reset();
    CreateWindows();
    EXPECT_EQ(Formats().GetCount(), 9);
    TypeFormat("(%s)");
    Click(IDC_FORMAT_ADD);
    EXPECT_EQ(Items(Formats()).front(), "(%s)");

    CWinApp app("tarvo-format-tab-tests");
    EXPECT_EQ(app.GetProfileString(STRING_SECTION, "Format1"), "<%s>");
    app.WriteProfileString(STRING_SECTION, nullptr, nullptr);
}

TEST_F(FormatTabTest, TheManagersSamplesComeFromTheFormatRoutines)
{
    LoadManager(R"([VuserNo]
Type=Userid
Format=%03s

[Station]
Type=Host
Format=<%s>

[Team]
Type=Group
Format=%.5s

[Loop]
Type=CurrentIteration
Format=%05d

[Amount]
Type=Random
Format=%d
MinValue=5000000000

[Ticket]
Type=Unique
Format=T%x
StartValue=255

[Mystery]
Type=Custom
Format=%s
)");
    std::vector<PARAM_SAMPLE_ROW> arrRows;
    ASSERT_TRUE(m_pMgr->GetParamNamesAndSamples(&arrRows));
    std::vector<std::string> arrSamples;
    for (const PARAM_SAMPLE_ROW& row : arrRows)
        arrSamples.push_back(row[0] + "=" + row[2]);
    EXPECT_EQ(arrSamples, (Strings{"VuserNo=001", "Station=<LoadGeneratorName>", "Team=Group", "Loop=00001",
                                   "Amount=5000000000", "Ticket=Tff", "Mystery="}));
}
