#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/ComboBox.h"
#include "tabs/FormatIntTab.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <algorithm>

namespace
{
std::vector<std::string> Items(CComboBox& combo)
{
    std::vector<std::string> arrItems(static_cast<size_t>(combo.GetCount()));
    for (int i = 0; i < combo.GetCount(); ++i)
        combo.GetLBText(i, arrItems[static_cast<size_t>(i)]);
    return arrItems;
}

std::string Shown(CComboBox& combo)
{
    std::string strText;
    combo.GetWindowText(strText);
    return strText;
}

int IndexOf(CComboBox& combo, const std::string& strItem)
{
    std::vector<std::string> arrItems = Items(combo);
    return static_cast<int>(std::find(arrItems.begin(), arrItems.end(), strItem) - arrItems.begin());
}

bool Heard(const CListStandIn& list, const std::string& strEntry)
{
    return std::find(list.m_arrHeard.begin(), list.m_arrHeard.end(), strEntry) != list.m_arrHeard.end();
}
} // namespace

class ParamTypeDlgTest : public PropertiesFixture
{
protected:
    CComboBox& Types() { return *static_cast<CComboBox*>(m_pTypeWnd->GetDlgItem(IDC_PARAM_TYPE_COMBO)); }
};

TEST_F(ParamTypeDlgTest, ListsTheVisibleTypesByDisplayNameAndFollowsTheActiveParameter)
{
    CreateWindows();
    EXPECT_EQ(Items(Types()), (Strings{"Bare", "Broken Plug-in", "Custom", "File", "Group Name", "Iteration Number",
                                       "Level", "Load Generator Name", "Random Number", "Vuser ID"}))
        << "sorted; hidden types and the spreadsheet type left out";
    EXPECT_EQ(Shown(Types()), "Vuser ID");
    EXPECT_TRUE(Types().IsWindowEnabled());

    ASSERT_TRUE(m_pList->Select("Odd"));
    EXPECT_EQ(Types().GetCurSel(), -1);
    EXPECT_FALSE(Types().IsWindowEnabled()) << "a type without display name cannot be changed here";
    ASSERT_TRUE(m_pList->Select("Team"));
    EXPECT_EQ(Shown(Types()), "Group Name");
    EXPECT_TRUE(Types().IsWindowEnabled());
}

TEST_F(ParamTypeDlgTest, ChoosingATypeRetypesTheParameterBetweenCodes5And4)
{
    CreateWindows();
    ui::ChooseComboItem(Types(), IndexOf(Types(), "Iteration Number"));
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "CurrentIteration");
    EXPECT_EQ(Attrib("VuserNo", "Format"), "%d") << "the new type's defaults";
    EXPECT_EQ(Attrib("VuserNo", "OriginalValue"), "vu");
    auto it5 = std::find(m_pList->m_arrHeard.begin(), m_pList->m_arrHeard.end(), "5:CurrentIteration");
    auto it4 = std::find(m_pList->m_arrHeard.begin(), m_pList->m_arrHeard.end(), "4:CurrentIteration");
    ASSERT_NE(it5, m_pList->m_arrHeard.end());
    ASSERT_NE(it4, m_pList->m_arrHeard.end());
    EXPECT_LT(it5, it4);
    EXPECT_NE(dynamic_cast<CFormatIntTab*>(ActivePage()), nullptr) << "the sheet shows the new type's tab";
    EXPECT_EQ(Shown(Types()), "Iteration Number");
}

TEST_F(ParamTypeDlgTest, ARefusingTabKeepsTheTypeAndTheEntry)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Level1"));
    ui::ReplaceText(*ActivePage()->GetDlgItem(IDC_PLUGIN_LEVEL), "12");
    m_pList->m_arrHeard.clear();

    ui::ChooseComboItem(Types(), IndexOf(Types(), "Vuser ID"));
    EXPECT_EQ(m_boxes.LastText(), "Please enter an integer between 1 and 9.");
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Plugged");
    EXPECT_EQ(Shown(Types()), "Level") << "the previous entry comes back";
    EXPECT_TRUE(Heard(*m_pList, "5:Userid"));
    EXPECT_FALSE(Heard(*m_pList, "4:Userid"));

    // Once the tab accepts its input, the same choice goes through.
    ui::ReplaceText(*ActivePage()->GetDlgItem(IDC_PLUGIN_LEVEL), "5");
    ui::ChooseComboItem(Types(), IndexOf(Types(), "Vuser ID"));
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Userid");
    EXPECT_EQ(Attrib("Level1", "Format"), "%s");
}

TEST_F(ParamTypeDlgTest, TheKeyboardChangesAtOnceAndTheOpenListOnClosing)
{
    CreateWindows();
    Types().SetFocus();
    ui::PressKey(Types(), Qt::Key_R);
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Random") << "the first entry with that letter";

    auto* pCombo = qobject_cast<QComboBox*>(Types().GetWidget());
    ASSERT_NE(pCombo, nullptr);
    pCombo->showPopup();
    int nGroup = IndexOf(Types(), "Group Name");
    pCombo->setCurrentIndex(nGroup);
    emit pCombo->activated(nGroup);
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Random") << "nothing changes while the list is open";
    pCombo->hidePopup();
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Group");
}

TEST_F(ParamTypeDlgTest, AnArrowOnTheClosedBoxOpensTheListAndOnlyItsChoiceRetypes)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Team"));
    m_pList->m_arrHeard.clear();
    Types().SetFocus();
    ui::PressKey(Types(), Qt::Key_Down);
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Group") << "one Down arrow does not re-type the parameter";
    EXPECT_FALSE(Heard(*m_pList, "5:CurrentIteration"));
    EXPECT_TRUE(Types().GetDroppedState()) << "it opens the list";

    auto* pCombo = qobject_cast<QComboBox*>(Types().GetWidget());
    ASSERT_NE(pCombo, nullptr);
    QTest::keyClick(pCombo->view(), Qt::Key_Down);
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Group") << "moving in the open list changes nothing yet";
    QTest::keyClick(pCombo->view(), Qt::Key_Return);
    EXPECT_FALSE(Types().GetDroppedState());
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "CurrentIteration") << "the entry below Group Name";
    EXPECT_EQ(Shown(Types()), "Iteration Number");
}

TEST_F(ParamTypeDlgTest, AVetoAfterTheListWasOpenedRestoresTheEntryShownBefore)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Level1"));
    ui::ReplaceText(*ActivePage()->GetDlgItem(IDC_PLUGIN_LEVEL), "0");
    auto* pCombo = qobject_cast<QComboBox*>(Types().GetWidget());
    pCombo->showPopup();
    pCombo->setCurrentIndex(IndexOf(Types(), "File"));
    pCombo->hidePopup();
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Plugged");
    EXPECT_EQ(Shown(Types()), "Level");
}
