#include "ValueTabFixture.h"

#include "tabs/Customize.h"
#include "tabs/DateTimeTab.h"
#include "tabs/RandNumberTab.h"
#include "tabs/UniqueNumberTab.h"
#include "tabs/UserFuncDLG.h"

// Each value type of the installation shows a tab of its own, alone.
TEST_F(ValueTabFixture, EachValueTypeShowsItsOwnTab)
{
    CreateWindows("[R]\nType=Random\n\n[U]\nType=Unique\n\n[T]\nType=Time\n\n[F]\nType=UserDefinedFunction\n\n"
                  "[C]\nType=Custom\n");
    const struct
    {
        const char* pszName;
        const char* pszCaption;
        bool (*pfnIsTab)(CPropertyPage*);
    } cases[] = {
        {"R", "Random-Number properties", [](CPropertyPage* p) { return dynamic_cast<CRandNumberTab*>(p) != nullptr; }},
        {"U", "Unique-Number properties",
         [](CPropertyPage* p) { return dynamic_cast<CUniqueNumberTab*>(p) != nullptr; }},
        {"T", "Date/Time properties", [](CPropertyPage* p) { return dynamic_cast<CDateTimeTab*>(p) != nullptr; }},
        {"F", "User Defined Function Properties",
         [](CPropertyPage* p) { return dynamic_cast<CUserFuncDLG*>(p) != nullptr; }},
        {"C", "Customization Properties", [](CPropertyPage* p) { return dynamic_cast<CCustomize*>(p) != nullptr; }},
    };
    for (const auto& c : cases)
    {
        m_pMgr->SetActiveParamName(c.pszName);
        m_pList->UpdateAllUIExt(UPD_ACTIVE_CHANGED, c.pszName);
        EXPECT_EQ(TabCaptions(), Strings{c.pszCaption}) << c.pszName;
        EXPECT_TRUE(c.pfnIsTab(ActivePage())) << c.pszName;
        EXPECT_FALSE(TabStripShown()) << c.pszName;
    }
}

// Growing the sheet moves each tab's controls by their anchors.
TEST_F(ValueTabFixture, TabsKeepTheirControlsAnchoredWhenTheSheetGrows)
{
    CreateWindows("[R]\nType=Random\n\n[T]\nType=Time\n\n[F]\nType=UserDefinedFunction\nFunctionName=f\n"
                  "NTLibraryName=f.dll\n");
    enum
    {
        STAYS,
        WIDER,
        BOTH,
        RIGHT,
        DOWN,
        DOWN_WIDER
    };
    const struct
    {
        const char* pszName;
        int nID;
        int nHow;
    } cases[] = {
        {"R", IDC_RAND_MIN, WIDER},
        {"R", IDC_FORMAT_LIST, BOTH},
        {"R", IDC_NUMBER_POLICY, DOWN_WIDER},
        {"R", IDC_NUMBER_POLICY_LABEL, DOWN},
        {"T", IDC_FORMAT_SAMPLE, WIDER},
        {"T", IDC_FORMAT_ADD, STAYS},
        {"T", IDC_DATE_OFFSET_GROUP, DOWN_WIDER},
        {"T", IDC_DATE_TIME, DOWN},
        {"F", IDC_FUNC_BROWSE, RIGHT},
        {"F", IDC_FUNC_NT_LIBRARY, WIDER},
        {"F", IDC_FUNC_POLICY, DOWN_WIDER},
    };
    const int dx = 40, dy = 30;
    for (const auto& c : cases)
    {
        m_pMgr->SetActiveParamName(c.pszName);
        m_pList->UpdateAllUIExt(UPD_ACTIVE_CHANGED, c.pszName);
        CRect rcSheet, rcBefore, rcAfter;
        Sheet().GetWindowRect(&rcSheet);
        m_host.ScreenToClient(&rcSheet);
        Item(c.nID).GetWindowRect(&rcBefore);
        ActivePage()->ScreenToClient(&rcBefore);
        Sheet().MoveWindow(rcSheet.left, rcSheet.top, rcSheet.Width() + dx, rcSheet.Height() + dy);
        ui::ProcessEvents();
        Item(c.nID).GetWindowRect(&rcAfter);
        ActivePage()->ScreenToClient(&rcAfter);
        Sheet().MoveWindow(&rcSheet);
        int nMove = c.nHow == RIGHT ? dx : 0;
        int nDown = c.nHow == DOWN || c.nHow == DOWN_WIDER ? dy : 0;
        int nWider = c.nHow == WIDER || c.nHow == BOTH || c.nHow == DOWN_WIDER ? dx : 0;
        int nTaller = c.nHow == BOTH ? dy : 0;
        EXPECT_EQ(rcAfter.left - rcBefore.left, nMove) << c.pszName << " " << c.nID;
        EXPECT_EQ(rcAfter.top - rcBefore.top, nDown) << c.pszName << " " << c.nID;
        EXPECT_EQ(rcAfter.Width() - rcBefore.Width(), nWider) << c.pszName << " " << c.nID;
        EXPECT_EQ(rcAfter.Height() - rcBefore.Height(), nTaller) << c.pszName << " " << c.nID;
    }
}
