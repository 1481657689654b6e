#include "ParamListFixture.h"
#include "UiDriver.h"
#include "afx/Edit.h"
#include "afx/WndEventBridge.h"
#include "dialogs/DeleteParamDlg.h"
#include "resources/ListDialogs.h"
#include "resources/Menus.h"
#include "resources/TarvoResources.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QWidget>

namespace
{
const char* const NAME_EXISTS = "Parameter name already exists.\nPlease enter a new parameter name.";
const char* const NAME_OTHER_CASE =
    "A parameter with the same name and different letter case already exists.\nPlease enter a new parameter name.";

typedef ParamListWindowFixture ParamListDlgTest;

// The Delete Parameter dialog answered with Yes or No, the data file box as told.
std::function<void(CWnd&)> AnswerDelete(bool bYes, bool bDeleteDataFile = false)
{
    return [bYes, bDeleteDataFile](CWnd& dialog)
    {
        EXPECT_NE(dynamic_cast<CDeleteParamDlg*>(&dialog), nullptr);
        if (bDeleteDataFile)
            ui::Click(*dialog.GetDlgItem(IDC_DELETE_PARAM_DATA_FILE));
        ui::Click(*dialog.GetDlgItem(bYes ? IDOK : IDCANCEL));
    };
}

// The texts of a pop-up menu's items, "-" for a separator.
Strings MenuTexts(const CMenu& menu)
{
    Strings texts;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
    {
        std::string text;
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        texts.push_back(menu.GetMenuItemID(i) == 0 ? "-" : text);
    }
    return texts;
}

void RequestMenuByKeyboard(CWnd& control)
{
    QWidget* widget = control.GetWidget();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0), widget->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(widget, &event);
}
} // namespace

TEST_F(ParamListDlgTest, ShowsTheVisibleParametersSortedWithTheirImages)
{
    CreateList();
    EXPECT_EQ(Names(), (Strings{"Amount", "Blank", "City", "CustomerName", "Odd", "Sheet", "Street"}))
        << "the hidden XML parameter is left out; the rest sorted by name";
    EXPECT_EQ(Selected(), "CustomerName") << "the manager's first active parameter";
    EXPECT_EQ(Image("CustomerName"), 0) << "File tab";
    EXPECT_EQ(Image("Street"), 0) << "Table tab";
    EXPECT_EQ(Image("Sheet"), 0) << "the File tab's name in any letter case";
    EXPECT_EQ(Image("Amount"), 1);
    EXPECT_EQ(Image("Odd"), 1) << "a type without a tab";
    CRect rcTree, rcClient;
    Tree().GetWindowRect(&rcTree);
    m_pList->GetClientRect(&rcClient);
    EXPECT_EQ(rcTree.Width(), rcClient.Width()) << "the tree fills the window";
    EXPECT_EQ(rcTree.Height(), rcClient.Height());
    ui::ProcessEvents();
    ASSERT_FALSE(m_host.m_arrDeleteStates.empty());
    EXPECT_EQ(m_host.m_arrDeleteStates.back(), 1u);
}

TEST_F(ParamListDlgTest, SortingIgnoresCaseAndKeepsTheFileOrderOfEqualNames)
{
    CreateList("[beta]\nType=Random\n\n[Alpha]\nType=Random\n\n[ALPHA]\nType=Random\n\n[alpha]\nType=Random\n");
    EXPECT_EQ(Names(), (Strings{"Alpha", "ALPHA", "alpha", "beta"}));
}

TEST_F(ParamListDlgTest, AnEmptyListOffersOnlyNewAndIgnoresDelete)
{
    CreateList("[Hidden1]\nType=XML\n");
    EXPECT_TRUE(Names().empty()) << "hidden parameters stay out even when they are all there is";
    ui::ProcessEvents();
    ASSERT_FALSE(m_host.m_arrDeleteStates.empty());
    EXPECT_EQ(m_host.m_arrDeleteStates.back(), 0u);

    ui::PressKey(Tree(), Qt::Key_Delete); // no Delete dialog may open
    Strings texts;
    m_menus.Add(
        [&texts](const CMenu& menu, int, int)
        {
            texts = MenuTexts(menu);
            return 0u;
        });
    ui::RightClick(Tree(), 20, 20);
    EXPECT_EQ(texts, (Strings{"New Parameter\t(Ins)"}));
}

TEST_F(ParamListDlgTest, ClickingMakesTheParameterActiveAndTellsTheOthers)
{
    CreateList();
    ClickLabel("Amount");
    EXPECT_EQ(Selected(), "Amount");
    EXPECT_STREQ(m_pMgr->GetActiveParamName(), "Amount");
    EXPECT_EQ(m_pListener->m_arrHeard, (Strings{"3:Amount", "2:Amount"}));
    EXPECT_EQ(m_pListener->m_arrSenders, (std::vector<CTarvoMgrExt*>{m_pList, m_pList}));
}

TEST_F(ParamListDlgTest, AWindowThatRefusesToLetGoKeepsTheSelection)
{
    CreateList();
    m_pListener->m_nAnswerBeforeChange = 0;
    ClickLabel("Amount");
    ui::PressKey(Tree(), Qt::Key_Down);
    EXPECT_EQ(Selected(), "CustomerName");
    EXPECT_STREQ(m_pMgr->GetActiveParamName(), "CustomerName");
    EXPECT_EQ(m_pListener->m_arrHeard, (Strings{"3:Amount", "3:Odd"})) << "no change was announced";
}

TEST_F(ParamListDlgTest, FollowsTheManagerWithoutAnsweringBack)
{
    CreateList();
    m_pMgr->SetActiveParamName("Street");
    m_pListener->UpdateAllUIExt(UPD_ACTIVE_CHANGED, "Street");
    EXPECT_EQ(Selected(), "Street");
    m_pListener->UpdateAllUIExt(UPD_ACTIVE_CHANGED, "");
    EXPECT_EQ(Selected(), "Street") << "an empty name leaves the selection";

    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Random"));
    m_pListener->UpdateAllUIExt(UPD_TYPE_CHANGED, "Random");
    EXPECT_EQ(Image("Street"), 1) << "the new type's image";

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Aardvark", "File", "x"));
    EXPECT_EQ(Names().back(), "Aardvark") << "a new parameter is appended, not sorted in";
    EXPECT_EQ(Selected(), "Aardvark");
    EXPECT_EQ(Image("Aardvark"), 0);

    ASSERT_TRUE(m_pMgr->RenameActiveParam("Able"));
    EXPECT_EQ(Names().back(), "Able") << "renamed in place";
    m_pMgr->UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    EXPECT_EQ(Names().front(), "Able") << "a reload sorts again";
    EXPECT_EQ(Selected(), "Able");

    for (CTarvoMgrExt* pSender : m_pListener->m_arrSenders)
        EXPECT_NE(pSender, m_pList) << "the list broadcast while it followed the manager";
    ui::ProcessEvents();
    EXPECT_GE(m_host.m_arrDeleteStates.size(), 6u) << "posted after every update";
}

TEST_F(ParamListDlgTest, RenamingInPlaceChecksTheName)
{
    CreateList();
    ClickLabel("City");
    RenameSelected("Amount");
    EXPECT_EQ(m_boxes.LastText(), NAME_EXISTS);
    RenameSelected("amount");
    EXPECT_EQ(m_boxes.LastText(), NAME_OTHER_CASE);
    RenameSelected("City");
    EXPECT_EQ(m_boxes.Calls().size(), 2u) << "an unchanged name commits silently";
    EXPECT_EQ(Tree().GetItemText(Item("City")), "City");
    RenameSelected("CITY");
    EXPECT_EQ(m_boxes.LastText(), NAME_OTHER_CASE) << "only the letter case of its own name";
    RenameSelected("2City");
    EXPECT_EQ(m_boxes.LastText().rfind("Please enter a valid name", 0), 0u);
    EXPECT_EQ(m_boxes.Calls().size(), 4u);
    EXPECT_EQ(Names(), (Strings{"Amount", "Blank", "City", "CustomerName", "Odd", "Sheet", "Street"}));
    for (const AFX_MESSAGEBOX& box : m_boxes.Calls())
        EXPECT_EQ(box.nType, static_cast<UINT>(MB_OK));

    ui::PressKey(Tree(), Qt::Key_F2);
    ui::ReplaceText(*Tree().GetEditControl(), "Town");
    ui::PressKeyOnFocus(Qt::Key_Escape);
    EXPECT_EQ(Tree().GetItemText(Item("City")), "City") << "Escape cancels without a message";
    EXPECT_EQ(m_boxes.Calls().size(), 4u);
    EXPECT_TRUE(m_pList->IsWindowVisible());

    RenameSelected("Town");
    EXPECT_EQ(Names(), (Strings{"Amount", "Blank", "Town", "CustomerName", "Odd", "Sheet", "Street"}))
        << "not re-sorted";
    EXPECT_TRUE(m_pMgr->IsExistingParamName("Town"));
    EXPECT_FALSE(m_pMgr->IsExistingParamName("City"));
    EXPECT_EQ(m_boxes.Calls().size(), 4u);
}

TEST_F(ParamListDlgTest, LabelsTakeAtMost255Characters)
{
    CreateList();
    ui::PressKey(Tree(), Qt::Key_F2);
    ASSERT_NE(Tree().GetEditControl(), nullptr);
    ui::ReplaceText(*Tree().GetEditControl(), "N" + std::string(300, 'x'));
    EXPECT_EQ(Tree().GetEditControl()->GetWindowTextLength(), 255);
}

TEST_F(ParamListDlgTest, InsertAppendsANewParameterAndEditsItsName)
{
    CreateList();
    ui::PressKey(Tree(), Qt::Key_Insert);
    EXPECT_EQ(Names().back(), "NewParam");
    EXPECT_EQ(Selected(), "NewParam");
    EXPECT_EQ(m_pMgr->GetParamAttrib("NewParam", "Type"), "Table") << "the default type, File";
    EXPECT_EQ(m_pMgr->m_bForceDataFileDefaults, 1);
    ASSERT_NE(Tree().GetEditControl(), nullptr) << "the new name is open for editing";
    ui::ReplaceText(*Tree().GetEditControl(), "Zip");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_TRUE(m_pMgr->IsExistingParamName("Zip"));
    EXPECT_FALSE(m_pMgr->IsExistingParamName("NewParam"));

    ui::PressKey(Tree(), Qt::Key_Insert);
    ui::PressKeyOnFocus(Qt::Key_Escape);
    ui::PressKey(Tree(), Qt::Key_Insert);
    ui::PressKeyOnFocus(Qt::Key_Escape);
    EXPECT_EQ(Names(), (Strings{"Amount", "Blank", "City", "CustomerName", "Odd", "Sheet", "Street", "Zip", "NewParam",
                                "NewParam_1"}));
}

TEST_F(ParamListDlgTest, AFailedCreationOpensNoOtherLabel)
{
    // Without a File type the default type cannot be created.
    CreateList("[Amount]\nType=Random\n", "[ParameterTypes]\nRandom=TypeRandom\n\n[TypeRandom]\nTypeName=Random "
                                          "Number\n\n[EngineTypes]\nRandom=OriginalValue\n");
    ui::PressKey(Tree(), Qt::Key_Insert);
    EXPECT_EQ(Names(), (Strings{"Amount"}));
    EXPECT_EQ(Tree().GetEditControl(), nullptr) << "Amount's label stays closed";
    EXPECT_EQ(m_pMgr->m_bForceDataFileDefaults, 1);
}

TEST_F(ParamListDlgTest, DeletingSelectsTheNeighbourBelowOrAbove)
{
    CreateList();
    ClickLabel("City");
    m_modals.Add(AnswerDelete(true));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_FALSE(m_pMgr->IsExistingParamName("City"));
    EXPECT_EQ(Selected(), "CustomerName");
    EXPECT_STREQ(m_pMgr->GetActiveParamName(), "CustomerName");
    EXPECT_NE(std::find(m_pListener->m_arrHeard.begin(), m_pListener->m_arrHeard.end(), std::string("9:City")),
              m_pListener->m_arrHeard.end())
        << "the deletion is announced";

    ClickLabel("Street");
    m_modals.Add(AnswerDelete(true));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_EQ(Selected(), "Sheet") << "the last item's neighbour is above";

    m_modals.Add(AnswerDelete(false));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_TRUE(m_pMgr->IsExistingParamName("Sheet")) << "No keeps the parameter";
    EXPECT_TRUE(FileExists(m_strDataFile));
}

TEST_F(ParamListDlgTest, DeletingTheOnlyParameterLeavesNothingSelected)
{
    CreateList("[Only]\nType=Random\n\n[Hidden1]\nType=XML\n");
    m_modals.Add(AnswerDelete(true));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(Selected(), "<none>");
    EXPECT_STREQ(m_pMgr->GetActiveParamName(), "");
    ui::ProcessEvents();
    EXPECT_EQ(m_host.m_arrDeleteStates.back(), 0u);
}

TEST_F(ParamListDlgTest, TheDataFileGoesOnlyAfterTheSecondQuestion)
{
    CreateList("[Solo]\nType=Table\nTable=customers.dat\n");
    m_boxes.Answer(IDYES);
    m_modals.Add(AnswerDelete(true, true));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_FALSE(m_pMgr->IsExistingParamName("Solo"));
    EXPECT_FALSE(FileExists(m_strDataFile));
    EXPECT_EQ(m_boxes.Calls().size(), 1u);
}

TEST_F(ParamListDlgTest, ADataFileThatOtherParametersReadStaysAndTheAuthorLearnsWhy)
{
    CreateList();
    m_boxes.Answer(IDYES);
    m_modals.Add(AnswerDelete(true, true));
    ui::PressKey(Tree(), Qt::Key_Delete);
    EXPECT_FALSE(m_pMgr->IsExistingParamName("CustomerName"));
    EXPECT_TRUE(FileExists(m_strDataFile));
    EXPECT_EQ(m_boxes.LastText(),
              "The data file " + m_strDataFile + " was not deleted: other parameters still read it.\nCity, Street");
}

TEST_F(ParamListDlgTest, TheContextMenuActsOnTheItemUnderThePointer)
{
    CreateList();
    CRect rcLabel;
    ASSERT_TRUE(Tree().GetItemRect(Item("Blank"), &rcLabel, TRUE));
    Strings texts;
    m_menus.Add(
        [&texts](const CMenu& menu, int, int)
        {
            texts = MenuTexts(menu);
            return static_cast<UINT>(ID_RENAME_PARAMETER);
        });
    ui::RightClick(Tree(), rcLabel.CenterPoint().x, rcLabel.CenterPoint().y);
    EXPECT_EQ(texts, (Strings{"New Parameter\t(Ins)", "Rename", "-", "Delete\t(Del)"}));
    EXPECT_EQ(Selected(), "Blank") << "the right button selects";
    ui::ProcessEvents();
    ASSERT_NE(Tree().GetEditControl(), nullptr) << "Rename edits the label";
    ui::PressKeyOnFocus(Qt::Key_Escape);

    m_menus.Choose(ID_DELETE_PARAMETER);
    m_modals.Add(AnswerDelete(true));
    ui::RightClick(Tree(), rcLabel.CenterPoint().x, rcLabel.CenterPoint().y);
    ui::ProcessEvents();
    EXPECT_FALSE(m_pMgr->IsExistingParamName("Blank"));

    CRect rcClient;
    Tree().GetClientRect(&rcClient);
    m_menus.Add(
        [&texts](const CMenu& menu, int, int)
        {
            texts = MenuTexts(menu);
            return static_cast<UINT>(ID_NEW_PARAMETER);
        });
    ui::RightClick(Tree(), rcClient.CenterPoint().x, rcClient.bottom - 5);
    EXPECT_EQ(texts, (Strings{"New Parameter\t(Ins)"})) << "below the items";
    ui::ProcessEvents();
    EXPECT_EQ(Selected(), "NewParam");
    ui::PressKeyOnFocus(Qt::Key_Escape);
}

TEST_F(ParamListDlgTest, AnItemThatCouldNotBeSelectedGetsNoItemMenu)
{
    CreateList();
    m_pListener->m_nAnswerBeforeChange = 0;
    CRect rcLabel;
    ASSERT_TRUE(Tree().GetItemRect(Item("Amount"), &rcLabel, TRUE));
    Strings texts;
    m_menus.Add(
        [&texts](const CMenu& menu, int, int)
        {
            texts = MenuTexts(menu);
            return 0u;
        });
    ui::RightClick(Tree(), rcLabel.CenterPoint().x, rcLabel.CenterPoint().y);
    EXPECT_EQ(Selected(), "CustomerName");
    EXPECT_EQ(texts, (Strings{"New Parameter\t(Ins)"})) << "Delete would act on CustomerName, not on Amount";
}

TEST_F(ParamListDlgTest, TheKeyboardMenuOpensUnderTheSelectedLabel)
{
    CreateList();
    CRect rcLabel;
    ASSERT_TRUE(Tree().GetItemRect(Item("CustomerName"), &rcLabel, TRUE));
    CPoint corner(rcLabel.left, rcLabel.bottom);
    Tree().ClientToScreen(&corner);
    CPoint opened;
    Strings texts;
    m_menus.Add(
        [&](const CMenu& menu, int x, int y)
        {
            texts = MenuTexts(menu);
            opened = CPoint(x, y);
            return 0u;
        });
    RequestMenuByKeyboard(Tree());
    EXPECT_EQ(texts.size(), 4u);
    EXPECT_EQ(opened, corner);
}

TEST_F(ParamListDlgTest, TheRightButtonEndsALabelEdit)
{
    CreateList();
    ui::PressKey(Tree(), Qt::Key_F2);
    ui::ReplaceText(*Tree().GetEditControl(), "Customer");
    CRect rcLabel;
    ASSERT_TRUE(Tree().GetItemRect(Item("Amount"), &rcLabel, TRUE));
    m_menus.Choose(0);
    ui::RightClick(Tree(), rcLabel.CenterPoint().x, rcLabel.CenterPoint().y);
    EXPECT_EQ(Tree().GetEditControl(), nullptr);
    EXPECT_TRUE(m_pMgr->IsExistingParamName("Customer")) << "the edit was committed";
    EXPECT_EQ(Selected(), "Amount");
}

TEST_F(ParamListDlgTest, EnterAndEscapeNeverCloseTheWindow)
{
    CreateList();
    ui::PressKey(Tree(), Qt::Key_Return);
    ui::PressKey(Tree(), Qt::Key_Escape);
    EXPECT_TRUE(m_pList->IsWindowVisible());
    EXPECT_TRUE(IsWindow(m_pList->GetSafeHwnd()));
}

TEST_F(ParamListDlgTest, KeysPostedToTheTreeActAsPressedOnes)
{
    CreateList();
    Tree().PostMessage(WM_KEYDOWN, VK_INSERT, 0);
    ui::ProcessEvents();
    EXPECT_EQ(Selected(), "NewParam");
    ui::PressKeyOnFocus(Qt::Key_Escape);
    m_modals.Add(AnswerDelete(true));
    Tree().PostMessage(WM_KEYDOWN, VK_DELETE, 0);
    ui::ProcessEvents();
    EXPECT_FALSE(m_pMgr->IsExistingParamName("NewParam"));
}
