#include "ValueTabFixture.h"

#include "afx/Clock.h"
#include "afx/ComboBox.h"
#include "afx/SpinButtonCtrl.h"
#include "controls/QzTimeEditControl.h"
#include "tabs/DateTimeTab.h"

#include <chrono>

namespace
{
const char* const TIME_PRM = R"([Stamp]
Type=Time
Format=%Y-%m-%d
GenerateNewVal=EachIteration
OffsetUI=-90061
Offset=-90061
WorkingDaysOn=0

[Later]
Type=Time
Format=%d.%m. %H:%M
OffsetUI=3600

[Crew]
Type=Group
Format=%s
)";

const Strings TIME_KEYS = {"Format", "GenerateNewVal", "OffsetUI", "Offset", "WorkingDaysOn"};
const char* const DATE_SECTION = "ParamDialogDates";
} // namespace

class DateTimeTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        using namespace std::chrono;
        m_time = system_clock::time_point(seconds(1772719629)) + milliseconds(250);
        AfxSetClockHandler([this] { return m_time; });
        CreateWindows(TIME_PRM);
        ASSERT_TRUE(m_pList->Select("Stamp"));
        ASSERT_NE(Tab<CDateTimeTab>(), nullptr);
    }
    void TearDown() override { AfxSetClockHandler(nullptr); }

    CQzTimeEditControl& Time() { return static_cast<CQzTimeEditControl&>(Item(IDC_DATE_TIME)); }
    Strings Stored(const std::string& strName)
    {
        Strings arrValues;
        for (const std::string& strKey : TIME_KEYS)
            arrValues.push_back(Attrib(strName, strKey.c_str()));
        return arrValues;
    }
    std::string Local(const char* pszFormat)
    {
        time_t tNow = std::chrono::system_clock::to_time_t(m_time);
        struct tm local = {};
        localtime_r(&tNow, &local);
        char szBuffer[128];
        strftime(szBuffer, sizeof szBuffer, pszFormat, &local);
        return szBuffer;
    }
    int FormatCount() { return static_cast<CComboBox&>(Item(IDC_FORMAT_LIST)).GetCount(); }

    std::chrono::system_clock::time_point m_time;
};

TEST_F(DateTimeTabTest, ANegativeOffsetShowsAsDaysAndTimeBeforeTheCurrentDate)
{
    EXPECT_EQ(TabCaptions(), Strings{"Date/Time properties"});
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), Local("%Y-%m-%d"));
    EXPECT_EQ(Text(IDC_DATE_DAYS), "1");
    EXPECT_EQ(Text(IDC_DATE_TIME), "01:01:01");
    EXPECT_TRUE(Checked(IDC_DATE_PRIOR));
    EXPECT_TRUE(Checked(IDC_DATE_OFFSET_ON));
    EXPECT_EQ(CurSel(IDC_NUMBER_POLICY), 1);
    EXPECT_TRUE(Enabled(IDC_DATE_TIME));

    ASSERT_TRUE(m_pList->Select("Later"));
    EXPECT_FALSE(Checked(IDC_DATE_OFFSET_ON)) << "without \"Offset\" the offset is off";
    EXPECT_EQ(Text(IDC_DATE_TIME), "01:00:00");
    for (int nID : {IDC_DATE_DAYS, IDC_DATE_DAYS_SPIN, IDC_DATE_TIME, IDC_DATE_WORKING_DAYS, IDC_DATE_PRIOR})
        EXPECT_FALSE(Enabled(nID)) << nID;
    EXPECT_EQ(CurSel(IDC_NUMBER_POLICY), 0) << "a missing policy shows Each occurrence";
}

TEST_F(DateTimeTabTest, LeavingStoresTheOffsetInSecondsAndOnlyWhileItIsOn)
{
    ASSERT_TRUE(m_pList->Select("Later"));
    Click(IDC_DATE_OFFSET_ON);
    EXPECT_TRUE(Enabled(IDC_DATE_TIME));
    Enter(IDC_DATE_DAYS, "1");
    Time().SetSel(0, 0);
    ui::Type(Time(), "0230");
    EXPECT_EQ(Text(IDC_DATE_TIME), "02:30:00");
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Stored("Later"), (Strings{"%d.%m. %H:%M", "EachOccurrence", "95400", "95400", "0"}));

    ASSERT_TRUE(m_pList->Select("Later"));
    Click(IDC_DATE_PRIOR);
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Attrib("Later", "OffsetUI"), "-95400");
    EXPECT_EQ(Attrib("Later", "Offset"), "-95400");

    ASSERT_TRUE(m_pList->Select("Later"));
    Click(IDC_DATE_OFFSET_ON);
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Attrib("Later", "OffsetUI"), "-95400") << "the offset is kept for later";
    EXPECT_EQ(Attrib("Later", "Offset"), "");
}

TEST_F(DateTimeTabTest, WorkingDaysCountWholeDaysAndDaysStayWithinTheRange)
{
    Click(IDC_DATE_WORKING_DAYS);
    EXPECT_EQ(Text(IDC_DATE_TIME), "00:00:00");
    EXPECT_FALSE(Enabled(IDC_DATE_TIME));
    Click(IDC_DATE_WORKING_DAYS);
    EXPECT_TRUE(Enabled(IDC_DATE_TIME));
    Click(IDC_DATE_WORKING_DAYS);

    long long llNow = std::chrono::duration_cast<std::chrono::seconds>(m_time.time_since_epoch()).count();
    std::string strMaxDays = std::to_string((2147483647LL - llNow) / 86400);
    auto& spin = static_cast<CSpinButtonCtrl&>(Item(IDC_DATE_DAYS_SPIN));
    int nLower = -1, nUpper = -1;
    spin.GetRange32(nLower, nUpper);
    EXPECT_EQ(nLower, 0);
    EXPECT_EQ(std::to_string(nUpper), strMaxDays);
    EXPECT_EQ(spin.GetBuddy(), &Item(IDC_DATE_DAYS));
    Enter(IDC_DATE_DAYS, "99999");
    EXPECT_EQ(Text(IDC_DATE_DAYS), strMaxDays);
    EXPECT_EQ(CWnd::GetFocus(), &Item(IDC_DATE_DAYS)) << "the author goes on typing there";
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Stored("Stamp"), (Strings{"%Y-%m-%d", "EachIteration", std::to_string(-std::stoll(strMaxDays) * 86400),
                                        std::to_string(-std::stoll(strMaxDays) * 86400), "1"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DateTimeTabTest, TheSampleFollowsTheFormatAndTheClock)
{
    Enter(IDC_FORMAT_LIST, "%Y-%m-%d %H:%M:%S.000");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), Local("%Y-%m-%d %H:%M:%S") + ".250");
    m_time += std::chrono::milliseconds(1500);
    ActivePage()->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), Local("%Y-%m-%d %H:%M:%S") + ".750") << "the refresh timer";
    Enter(IDC_FORMAT_LIST, "%H:%M%");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), Local("%H:%M"));
    Enter(IDC_FORMAT_LIST, "%Q");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), "Invalid time format");
    ASSERT_TRUE(m_pList->Select("Crew")) << "an invalid format is stored all the same";
    EXPECT_EQ(Attrib("Stamp", "Format"), "%Q");
}

TEST_F(DateTimeTabTest, AStoredFormatJoinsTheAuthorsListAndTheListButtonsKeepIt)
{
    EXPECT_EQ(FormatCount(), 14);
    ASSERT_TRUE(m_pList->Select("Later"));
    EXPECT_EQ(FormatCount(), 15);
    EXPECT_EQ(m_pApp->GetProfileInt(DATE_SECTION, "FormatsNum", 0), 15);
    EXPECT_EQ(m_pApp->GetProfileString(DATE_SECTION, "Format15"), "%d.%m. %H:%M");
    EXPECT_EQ(CurSel(IDC_FORMAT_LIST), 14);

    Enter(IDC_FORMAT_LIST, "%A");
    Click(IDC_FORMAT_ADD);
    EXPECT_EQ(m_pApp->GetProfileString(DATE_SECTION, "Format1"), "%A");
    Choose(IDC_FORMAT_LIST, 1);
    Click(IDC_FORMAT_DELETE);
    EXPECT_EQ(m_pApp->GetProfileInt(DATE_SECTION, "FormatsNum", 0), 15);
    EXPECT_EQ(m_pApp->GetProfileString(DATE_SECTION, "Format2"), "%#c") << "%c was deleted";

    Enter(IDC_FORMAT_LIST, "%H");
    Click(IDC_FORMAT_RESET);
    ASSERT_NE(Tab<CDateTimeTab>(), nullptr);
    EXPECT_EQ(Text(IDC_FORMAT_LIST), "%H") << "the format typed before Reset survives it";
    EXPECT_EQ(FormatCount(), 15) << "the built-in list and the shown format";
    EXPECT_EQ(m_pApp->GetProfileInt(DATE_SECTION, "FormatsNum", -1), 15) << "which joins it at once";
    EXPECT_EQ(m_pApp->GetProfileString(DATE_SECTION, "Format1"), "%c");
    EXPECT_EQ(m_pApp->GetProfileString(DATE_SECTION, "Format15"), "%H");
}

TEST_F(DateTimeTabTest, NewAndRetypedParametersTakeTheDateDefaults)
{
    const Strings defaults = {"%c", "EachOccurrence", "0", "", "0"};
    ASSERT_TRUE(m_pMgr->CreateNewParameter("When", "Date/Time", ""));
    EXPECT_EQ(Stored("When"), defaults);
    ASSERT_TRUE(m_pList->Select("Crew"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Time"));
    EXPECT_EQ(Stored("Crew"), defaults);
    m_pList->UpdateAllUIExt(UPD_TYPE_CHANGED, "Time");
    EXPECT_EQ(Text(IDC_FORMAT_SAMPLE), Local("%m/%d/%y %H:%M:%S"));
}

TEST_F(DateTimeTabTest, TheManagersSampleIsTheCurrentTimeInTheFormat)
{
    std::vector<PARAM_SAMPLE_ROW> arrRows;
    ASSERT_TRUE(m_pMgr->GetParamNamesAndSamples(&arrRows));
    ASSERT_EQ(arrRows.size(), 3u);
    EXPECT_EQ(arrRows[0][0], "Stamp");
    EXPECT_EQ(arrRows[0][1], "Date/Time");
    EXPECT_EQ(arrRows[0][2], Local("%Y-%m-%d"));
    EXPECT_EQ(arrRows[1][2], Local("%d.%m. %H:%M"));
}
