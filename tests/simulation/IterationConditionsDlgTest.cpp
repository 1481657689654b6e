#include "TempDir.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/ComboBox.h"
#include "afx/DebugOutput.h"
#include "manager/TarvoMgr.h"
#include "resources/DataFileTabDialogs.h"
#include "simulation/IterationConditionsDlg.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <memory>

namespace
{
// Zeta, Alpha and beta are data-file parameters; Tied follows Alpha, Count is
// no data-file parameter, and Ghost follows a parameter that is gone.
const char* const CONDITIONS_PRM = R"([Zeta]
Type=Table
SelectNextRow=Sequential
GenerateNewVal=once
OutOfRangePolicy=continuecyclic
auto_allocate_block_size=0
value_for_each_vuser=25

[Alpha]
Type=Table
SelectNextRow=Unique
GenerateNewVal=EachOccurrence
OutOfRangePolicy=AbortVuser

[beta]
Type=XML
SelectNextRow=Random

[Tied]
Type=Table
SelectNextRow=Same line as Alpha

[Count]
Type=Random

[Chained]
Type=Table
SelectNextRow=Same line as Tied

[Looped]
Type=Table
SelectNextRow=Same line as Looped

[Ghost]
Type=TTable
SelectNextRow=Same line as Nobody
GenerateNewVal=Sometimes
)";

typedef std::vector<std::string> Strings;

// Records the commands the pane sends the tab around it.
class CConditionsHostWnd : public CWnd
{
public:
    Strings m_arrHeard;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_arrHeard.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
        return TRUE;
    }
};
} // namespace

class IterationConditionsDlgTest : public ::testing::Test
{
protected:
    IterationConditionsDlgTest()
    {
        AfxSetDebugOutputSink([](const std::string&) {});
    }
    ~IterationConditionsDlgTest() override
    {
        if (m_pDlg)
            m_pDlg->DestroyWindow();
        m_pDlg.reset();
        m_host.DestroyWindow();
        AfxSetDebugOutputSink(nullptr);
    }

    void Open(const std::string& strActive, int nMode)
    {
        std::string strPrm = m_dir.Write("script/script.prm", CONDITIONS_PRM);
        m_pMgr = std::make_unique<CTarvoMgr>(TARVO_SOURCE_DIR "/dat/param.dat");
        m_pMgr->AddParamFile(strPrm.c_str(), "script");
        ASSERT_TRUE(m_pMgr->SetActiveParamName(strActive.c_str()));
        ASSERT_TRUE(m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
        m_pDlg = std::make_unique<CIterationConditionsDlg>(m_pMgr.get(), nMode);
        ASSERT_TRUE(m_pDlg->Create(&m_host));
        m_pDlg->ShowWindow(SW_SHOW);
        ui::ShowAndActivate(m_host);
        m_pDlg->OnSetActive();
    }
    CComboBox& Combo(int nID) { return *static_cast<CComboBox*>(m_pDlg->GetDlgItem(nID)); }
    Strings Items(int nID)
    {
        Strings arrItems;
        for (int i = 0; i < Combo(nID).GetCount(); ++i)
        {
            std::string strItem;
            Combo(nID).GetLBText(i, strItem);
            arrItems.push_back(strItem);
        }
        return arrItems;
    }
    std::string Text(int nID)
    {
        std::string strText;
        m_pDlg->GetDlgItemText(nID, strText);
        return strText;
    }
    bool Enabled(int nID) { return m_pDlg->GetDlgItem(nID)->IsWindowEnabled(); }
    bool Checked(int nID) { return m_pDlg->IsDlgButtonChecked(nID) == BST_CHECKED; }
    // Opens the list, picks the item and closes the list, as a user does.
    void Pick(int nID, int nIndex)
    {
        auto* pBox = qobject_cast<QComboBox*>(Combo(nID).GetWidget());
        pBox->showPopup();
        ui::ChooseComboItem(Combo(nID), nIndex);
        pBox->hidePopup();
    }
    std::string Attrib(const char* pszName, const char* pszKey) { return m_pMgr->GetParamAttrib(pszName, pszKey); }
    Strings Messages()
    {
        Strings arrTexts;
        for (const AFX_MESSAGEBOX& box : m_boxes.Calls())
            arrTexts.push_back(box.strText);
        m_boxes.Clear();
        return arrTexts;
    }

    CTempDir m_dir;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CMessageBoxRecorder m_boxes;
    CConditionsHostWnd m_host;
    std::unique_ptr<CIterationConditionsDlg> m_pDlg;
};

TEST_F(IterationConditionsDlgTest, LoadsTheChoicesAndOffersOnlyUntiedDataFileParametersInByteOrder)
{
    Open("Zeta", 0);
    EXPECT_EQ(Items(IDC_COND_SELECT_NEXT_ROW),
              (Strings{"Sequential", "Random", "Unique", "Same line as Alpha", "Same line as beta"}))
        << "not itself, not a tied one, not Count; capitals sort before small letters";
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Sequential");
    EXPECT_EQ(Text(IDC_COND_UPDATE_POLICY), "Once") << "read ignoring case";
    EXPECT_EQ(Text(IDC_COND_OUT_OF_VALUES), "Continue in a cyclic manner");
    EXPECT_TRUE(Checked(IDC_COND_FIXED_ALLOCATE)) << "\"0\" is a fixed count";
    EXPECT_EQ(Text(IDC_COND_VALUES_PER_VUSER), "25");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(m_pDlg->IsRowPolicyIndependent());

    ASSERT_TRUE(m_pDlg->LoadConditions("Alpha"));
    EXPECT_EQ(Text(IDC_COND_UPDATE_POLICY), "Each occurrence");
    EXPECT_EQ(Text(IDC_COND_OUT_OF_VALUES), "Abort Vuser");
    EXPECT_TRUE(Checked(IDC_COND_AUTO_ALLOCATE)) << "a missing value is automatic";
    EXPECT_EQ(Items(IDC_COND_SELECT_NEXT_ROW).back(), "Same line as beta");
    EXPECT_EQ(Items(IDC_COND_SELECT_NEXT_ROW)[3], "Same line as Zeta");
    EXPECT_FALSE(m_pDlg->LoadConditions(nullptr));
    EXPECT_FALSE(m_pDlg->SaveConditions(nullptr));
}

TEST_F(IterationConditionsDlgTest, AChainOfTiesFollowsItsEndAndALoopFallsBack)
{
    Open("Chained", 0);
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Same line as Alpha") << "Tied follows Alpha";
    EXPECT_TRUE(Messages().empty());
    ASSERT_TRUE(m_pDlg->SaveConditions("Chained"));
    EXPECT_EQ(Attrib("Chained", "SelectNextRow"), "Same line as Alpha");

    ASSERT_TRUE(m_pDlg->LoadConditions("Looped"));
    m_pDlg->CheckSameLineChoice("Looped");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Sequential");
}

TEST_F(IterationConditionsDlgTest, AnOfferedChoiceThatIsGoneFallsBackToSequentialWithAMessage)
{
    Open("Ghost", 1);
    EXPECT_EQ(Items(IDC_COND_UPDATE_POLICY), (Strings{"Each iteration", "Once"})) << "the Table tab's choices";
    EXPECT_EQ(Text(IDC_COND_UPDATE_POLICY), "Each iteration");
    EXPECT_EQ(Messages(), Strings{"Parameter Ghost has an invalid \"Select next row\" option. \n"
                                  "Mirrel will use the Sequential method."});
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Sequential");
    EXPECT_EQ(Attrib("Ghost", "SelectNextRow"), "Same line as Nobody") << "changed only on saving";
}

// How rows handed out uniquely are allocated, by row choice and update choice.
TEST_F(IterationConditionsDlgTest, TheAllocationControlsFollowTheRowAndUpdateChoices)
{
    struct CASE
    {
        int nMode, nRow, nPolicy;
        bool bGroup, bAuto, bCount, bFixedChecked;
    };
    const CASE cases[] = {
        {0, 2, 0, true, true, false, false}, // Unique, each iteration: automatic
        {0, 2, 1, true, false, true, true},  // Unique, each occurrence: a fixed count
        {0, 2, 2, false, false, false, false}, {0, 0, 1, false, false, false, false},
        {1, 2, 1, false, false, false, false}, // the Table tab's "Once"
        {1, 2, 0, true, true, false, false},
    };
    for (const CASE& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.nMode << " row " << c.nRow << " policy " << c.nPolicy);
        Open("Zeta", c.nMode);
        m_pDlg->RefreshAllocation();
        Pick(IDC_COND_UPDATE_POLICY, c.nPolicy);
        Pick(IDC_COND_SELECT_NEXT_ROW, c.nRow);
        EXPECT_EQ(Enabled(IDC_COND_ALLOCATE_GROUP), c.bGroup);
        EXPECT_EQ(Enabled(IDC_COND_OUT_OF_VALUES), c.bGroup);
        EXPECT_EQ(Enabled(IDC_COND_AUTO_ALLOCATE), c.bAuto);
        EXPECT_EQ(Enabled(IDC_COND_VALUES_PER_VUSER), c.bCount);
        EXPECT_EQ(Checked(IDC_COND_FIXED_ALLOCATE), c.bFixedChecked);
        m_pDlg->DestroyWindow();
        m_pDlg.reset();
        m_host.DestroyWindow();
    }
}

TEST_F(IterationConditionsDlgTest, AFixedCountMustBeGivenAndEverythingIsSaved)
{
    Open("Zeta", 0);
    m_pDlg->RefreshAllocation();
    Pick(IDC_COND_SELECT_NEXT_ROW, 2);
    Pick(IDC_COND_UPDATE_POLICY, 1);
    for (const char* pszCount : {"", "0", "00"})
    {
        ui::ReplaceText(*m_pDlg->GetDlgItem(IDC_COND_VALUES_PER_VUSER), pszCount);
        if (!*pszCount)
            ui::PressKey(*m_pDlg->GetDlgItem(IDC_COND_VALUES_PER_VUSER), Qt::Key_Backspace);
        EXPECT_FALSE(m_pDlg->ValidateConditions()) << pszCount;
        EXPECT_EQ(Messages(), Strings{"Please enter a non-empty value"});
    }
    ui::ReplaceText(*m_pDlg->GetDlgItem(IDC_COND_VALUES_PER_VUSER), "7");
    EXPECT_TRUE(m_pDlg->ValidateConditions());
    Pick(IDC_COND_OUT_OF_VALUES, 0);
    ASSERT_TRUE(m_pDlg->SaveConditions("Zeta"));
    for (auto [pszKey, pszValue] : {std::pair{"SelectNextRow", "Unique"},
                                    {"GenerateNewVal", "EachOccurrence"},
                                    {"OutOfRangePolicy", "AbortVuser"},
                                    {"auto_allocate_block_size", "0"},
                                    {"value_for_each_vuser", "7"}})
        EXPECT_EQ(Attrib("Zeta", pszKey), pszValue) << pszKey;

    Pick(IDC_COND_UPDATE_POLICY, 0);
    EXPECT_TRUE(Checked(IDC_COND_AUTO_ALLOCATE));
    ui::Click(*m_pDlg->GetDlgItem(IDC_COND_FIXED_ALLOCATE));
    EXPECT_TRUE(Enabled(IDC_COND_VALUES_PER_VUSER));
    ui::Click(*m_pDlg->GetDlgItem(IDC_COND_AUTO_ALLOCATE));
    EXPECT_FALSE(Enabled(IDC_COND_VALUES_PER_VUSER));
    m_pDlg->ResetToSequential();
    EXPECT_TRUE(m_pDlg->ValidateConditions()) << "no count is asked for";
    ASSERT_TRUE(m_pDlg->SaveConditions("Zeta"));
    EXPECT_EQ(Attrib("Zeta", "SelectNextRow"), "Sequential");
    EXPECT_EQ(Attrib("Zeta", "GenerateNewVal"), "EachIteration");
}

TEST_F(IterationConditionsDlgTest, FollowingAnotherParameterMovesThoseThatFollowedThisOne)
{
    Open("Alpha", 0);
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Unique");
    Pick(IDC_COND_SELECT_NEXT_ROW, 4); // "Same line as beta"
    EXPECT_EQ(Text(IDC_COND_SELECT_NEXT_ROW), "Same line as beta");
    EXPECT_EQ(Attrib("Tied", "SelectNextRow"), "Same line as beta") << "no chain of ties";
    EXPECT_FALSE(Enabled(IDC_COND_UPDATE_POLICY)) << "a tied parameter follows the other's updates";
    EXPECT_FALSE(Enabled(IDC_COND_UPDATE_POLICY_LABEL));
    EXPECT_FALSE(m_pDlg->IsRowPolicyIndependent());
    EXPECT_EQ(m_host.m_arrHeard.back(), std::to_string(IDC_COND_SELECT_NEXT_ROW) + ":" + std::to_string(CBN_CLOSEUP));

    Pick(IDC_COND_SELECT_NEXT_ROW, 1);
    EXPECT_TRUE(Enabled(IDC_COND_UPDATE_POLICY));
    EXPECT_EQ(Attrib("Tied", "SelectNextRow"), "Same line as beta") << "untying Alpha leaves the others";

    m_pDlg->EnableConditions(FALSE);
    EXPECT_FALSE(Enabled(IDC_COND_SELECT_NEXT_ROW));
    EXPECT_FALSE(Enabled(IDC_COND_VALUES_LABEL));
}
