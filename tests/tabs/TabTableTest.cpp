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
