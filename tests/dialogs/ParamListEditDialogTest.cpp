#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/Edit.h"
#include "afx/Process.h"
#include "afx/PropertySheet.h"
#include "dialogs/ParamListDlg.h"
#include "resources/DatasetDialogs.h"
#include "resources/ListDialogs.h"
#include "resources/ListEditDialogs.h"

#include <QWidget>

namespace
{
const DWORD POPUP_STYLES = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const DWORD EDGE_EX_STYLES = 0x101; // dialog modal frame, window edge

CRect RectIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

// The embedded window of the dialog that holds the control.
CWnd* ChildWithControl(CWnd& dlg, int nID)
{
    for (CWnd* pChild = dlg.GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        if (pChild->GetDlgItem(nID))
            return pChild;
    return nullptr;
}

// Answers code 11 as told and counts how often it was asked.
class CCancelVoter : public CTarvoMgrExt
{
public:
    using CTarvoMgrExt::CTarvoMgrExt;
    int OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*) override
    {
        if (nCode != UPD_QUERY_CANCEL)
            return 1;
        ++m_nAsked;
        return m_nAnswer;
    }

    int m_nAnswer = 0;
    int m_nAsked = 0;
};
} // namespace

class ParamListEditDialogTest : public PropertiesFixture
{
protected:
    ~ParamListEditDialogTest() override
    {
        if (m_pMgr)
            m_pMgr->CloseParamEditDialogChildWnd();
        m_hostWnd.DestroyWindow();
    }

    CWnd* ListWnd(CWnd& dlg) { return ChildWithControl(dlg, IDC_PARAM_LIST_TREE); }
    CWnd* TypeWnd(CWnd& dlg) { return ChildWithControl(dlg, IDC_PARAM_TYPE_COMBO); }
    CPropertySheet* SheetIn(CWnd& dlg)
    {
        return dynamic_cast<CPropertySheet*>(ChildWithControl(dlg, AFX_IDC_TAB_CONTROL));
    }
    CTreeControlEx& TreeIn(CWnd& dlg) { return static_cast<CParamListDlg*>(ListWnd(dlg))->m_tree; }
    CRect Frame(CWnd& dlg, int nID) { return RectIn(*dlg.GetDlgItem(nID), dlg); }
    CWnd* LevelEdit(CWnd& dlg)
    {
        CWnd* pPage = SheetIn(dlg) ? ChildWithControl(*SheetIn(dlg), IDC_PLUGIN_LEVEL) : nullptr;
        return pPage ? pPage->GetDlgItem(IDC_PLUGIN_LEVEL) : nullptr;
    }

    // The dialog embedded in a shown host window.
    CWnd* OpenInHost()
    {
        if (!m_hostWnd.GetSafeHwnd())
            m_hostWnd.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 800), nullptr, 0);
        if (!m_pMgr->OpenParamEditDialogAsChildWnd(&m_hostWnd))
            return nullptr;
        ui::ShowAndActivate(m_hostWnd);
        return ChildWithControl(m_hostWnd, IDC_PARAM_LIST_NEW);
    }

    CWnd m_hostWnd;
};

TEST_F(ParamListEditDialogTest, WithDatasetsEachWindowFillsItsFrameBelowTheDatasetBar)
{
    LoadManager();
    m_pMgr->Custom_AddOptions(OPT_DATASETS);
    m_modals.Add(
        [&](CWnd& dlg)
        {
            std::string strTitle;
            dlg.GetWindowText(strTitle);
            EXPECT_EQ(strTitle, "Parameter List");
            CWnd* pDatasets = ChildWithControl(dlg, IDC_DATASET_COMBO);
            ASSERT_NE(pDatasets, nullptr);
            ASSERT_NE(ListWnd(dlg), nullptr);
            ASSERT_NE(TypeWnd(dlg), nullptr);
            ASSERT_NE(SheetIn(dlg), nullptr);
            EXPECT_EQ(RectIn(*pDatasets, dlg), Frame(dlg, IDC_DATASET_FRAME));
            EXPECT_EQ(RectIn(*ListWnd(dlg), dlg), Frame(dlg, IDC_PARAM_LIST_FRAME));
            EXPECT_EQ(RectIn(*TypeWnd(dlg), dlg), Frame(dlg, IDC_PARAM_TYPE_FRAME));
            EXPECT_EQ(RectIn(*SheetIn(dlg), dlg), Frame(dlg, IDC_PARAM_PROPERTIES_FRAME));
            for (CWnd* pWnd : {pDatasets, ListWnd(dlg), TypeWnd(dlg), static_cast<CWnd*>(SheetIn(dlg))})
                EXPECT_TRUE(pWnd->IsWindowVisible());
            for (CWnd* pWnd : {ListWnd(dlg), TypeWnd(dlg), static_cast<CWnd*>(SheetIn(dlg))})
                EXPECT_TRUE(pWnd->GetExStyle() & WS_EX_DLGMODALFRAME);
            EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowVisible());
            EXPECT_FALSE(dlg.GetDlgItem(IDCANCEL)->IsWindowVisible());
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDOK);
}

TEST_F(ParamListEditDialogTest, WithoutDatasetsTheWindowsTakeTheBandOfTheBar)
{
    LoadManager();
    m_modals.Add(
        [&](CWnd& dlg)
        {
            EXPECT_EQ(ChildWithControl(dlg, IDC_DATASET_COMBO), nullptr);
            EXPECT_FALSE(dlg.GetDlgItem(IDC_DATASET_FRAME)->IsWindowVisible());
            int d = Frame(dlg, IDC_DATASET_FRAME).bottom - 3;
            CRect rcList = Frame(dlg, IDC_PARAM_LIST_FRAME);
            rcList.top -= d;
            CRect rcType = Frame(dlg, IDC_PARAM_TYPE_FRAME);
            rcType.OffsetRect(0, -d);
            CRect rcProperties = Frame(dlg, IDC_PARAM_PROPERTIES_FRAME);
            rcProperties.top -= d;
            EXPECT_EQ(RectIn(*ListWnd(dlg), dlg), rcList);
            EXPECT_EQ(RectIn(*TypeWnd(dlg), dlg), rcType);
            EXPECT_EQ(RectIn(*SheetIn(dlg), dlg), rcProperties);
            EXPECT_LT(rcList.top, 10) << "the list starts near the top";
            dlg.SendMessage(WM_COMMAND, IDCANCEL);
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDCANCEL);
}

TEST_F(ParamListEditDialogTest, NewAndDeleteActThroughTheListAndDeleteIsEnabledOnlyWithParameters)
{
    LoadManager("[Hidden1]\nType=XML\n");
    m_modals.Add(
        [&](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            CWnd* pDelete = dlg.GetDlgItem(IDC_PARAM_LIST_DELETE);
            EXPECT_FALSE(pDelete->IsWindowEnabled()) << "nothing to delete";

            ui::Click(*dlg.GetDlgItem(IDC_PARAM_LIST_NEW));
            ui::ProcessEvents();
            CEdit* pLabel = TreeIn(dlg).GetEditControl();
            ASSERT_NE(pLabel, nullptr) << "New opens the new parameter's name for editing";
            ui::ReplaceText(*pLabel, "Price");
            ui::PressKeyOnFocus(Qt::Key_Return);
            ui::ProcessEvents();
            EXPECT_TRUE(m_pMgr->IsExistingParamName("Price"));
            EXPECT_TRUE(dlg.IsWindowVisible()) << "Enter in the label editor does not close the dialog";
            EXPECT_TRUE(pDelete->IsWindowEnabled());

            ui::Click(*pDelete);
            ui::ProcessEvents();
            EXPECT_FALSE(m_pMgr->IsExistingParamName("Price"));
            EXPECT_FALSE(pDelete->IsWindowEnabled());
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    m_modals.Add([](CWnd& question) { ui::Click(*question.GetDlgItem(IDOK)); });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDOK);
}

TEST_F(ParamListEditDialogTest, CloseWaitsForTheTabAndNeitherButtonWritesTheFile)
{
    LoadManager();
    m_pMgr->SetActiveParamName("Level1");
    std::string strBefore = ReadFileBytes(m_strPrmPath);
    m_modals.Add(
        [&](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            ASSERT_NE(LevelEdit(dlg), nullptr);
            ui::ReplaceText(*LevelEdit(dlg), "12");
            ui::Click(*dlg.GetDlgItem(IDOK));
            EXPECT_EQ(m_boxes.LastText(), "Please enter an integer between 1 and 9.");
            EXPECT_TRUE(dlg.IsWindowVisible()) << "the refusing tab keeps the dialog open";
            ui::ReplaceText(*LevelEdit(dlg), "7");
            ui::PressKeyOnFocus(Qt::Key_Return);
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDOK);
    EXPECT_EQ(Attrib("Level1", "Level"), "7");
    EXPECT_EQ(ReadFileBytes(m_strPrmPath), strBefore) << "saving is the host's call";
}

TEST_F(ParamListEditDialogTest, EscapeClosesOnlyWhenEveryWindowAgrees)
{
    LoadManager();
    CCancelVoter voter(m_pMgr.get());
    m_modals.Add(
        [&](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            dlg.GetDlgItem(IDC_PARAM_LIST_NEW)->SetFocus();
            ui::PressKeyOnFocus(Qt::Key_Escape);
            EXPECT_EQ(voter.m_nAsked, 1);
            EXPECT_TRUE(dlg.IsWindowVisible());
            voter.m_nAnswer = 1;
            ui::PressKeyOnFocus(Qt::Key_Escape);
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDCANCEL);
    EXPECT_EQ(voter.m_nAsked, 2);
}

TEST_F(ParamListEditDialogTest, CtrlTabInTheListSwitchesThePropertyTabs)
{
    LoadManager();
    m_pMgr->SetActiveParamName("Mystery");
    m_modals.Add(
        [&](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            CPropertySheet* pSheet = SheetIn(dlg);
            ASSERT_EQ(pSheet->GetPageCount(), 2);
            TreeIn(dlg).SetFocus();
            ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
            EXPECT_EQ(pSheet->GetActiveIndex(), 1);
            ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
            EXPECT_EQ(pSheet->GetActiveIndex(), 0);
            EXPECT_EQ(CWnd::GetFocus(), &TreeIn(dlg)) << "the focus stays in the list";
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDOK);
}

TEST_F(ParamListEditDialogTest, HelpOpensTheDialogsTopic)
{
    LoadManager();
    std::vector<std::string> arrCommands;
    AfxSetProcessStartHandler(
        [&](const AFX_PROCESS_START& request)
        {
            arrCommands.push_back(request.strCommandLine);
            return TRUE;
        });
    m_modals.Add(
        [&](CWnd& dlg)
        {
            HELPINFO info;
            dlg.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            dlg.SendMessage(WM_COMMAND, ID_HELP);
            dlg.SendMessage(WM_COMMAND, IDCANCEL);
        });
    EXPECT_EQ(m_pMgr->OpenParameterEditDialog(nullptr), IDCANCEL);
    AfxSetProcessStartHandler(nullptr);
    ASSERT_EQ(arrCommands.size(), 2u);
    for (const std::string& strCommand : arrCommands)
        EXPECT_NE(strCommand.find("topicId=141306"), std::string::npos) << strCommand;
}

TEST_F(ParamListEditDialogTest, AsAChildWindowItSitsAtTheHostsOriginWithoutCloseAndGrowsItsRightSide)
{
    LoadManager();
    CWnd* pDlg = OpenInHost();
    ASSERT_NE(pDlg, nullptr);
    CWnd& dlg = *pDlg;
    EXPECT_EQ(dlg.GetParent(), &m_hostWnd);
    EXPECT_FALSE(dlg.GetWidget()->isWindow());
    EXPECT_EQ(dlg.GetStyle() & (POPUP_STYLES | WS_CHILD), static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(dlg.GetExStyle() & EDGE_EX_STYLES, 0u);
    CSize size = CDialog::TemplatePixelSize(IDD_PARAM_LIST_EDIT);
    EXPECT_EQ(RectIn(dlg, m_hostWnd), CRect(0, 0, size.cx, size.cy));
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowVisible());
    EXPECT_FALSE(m_pMgr->OpenParamEditDialogAsChildWnd(&m_hostWnd)) << "one at a time";

    CRect rcList = RectIn(*ListWnd(dlg), dlg);
    CRect rcType = RectIn(*TypeWnd(dlg), dlg);
    CRect rcSheet = RectIn(*SheetIn(dlg), dlg);
    CRect rcNew = Frame(dlg, IDC_PARAM_LIST_NEW);
    CRect rcDelete = Frame(dlg, IDC_PARAM_LIST_DELETE);
    CRect rcClose = Frame(dlg, IDOK);
    CRect rcBand = Frame(dlg, IDC_DATASET_FRAME);
    dlg.MoveWindow(0, 0, size.cx + 60, size.cy + 40);

    CRect rcWiderList = rcList;
    rcWiderList.bottom += 40;
    EXPECT_EQ(RectIn(*ListWnd(dlg), dlg), rcWiderList) << "the list only lengthens";
    CRect rcWiderType = rcType;
    rcWiderType.right += 60;
    EXPECT_EQ(RectIn(*TypeWnd(dlg), dlg), rcWiderType);
    CRect rcWiderSheet = rcSheet;
    rcWiderSheet.right += 60;
    rcWiderSheet.bottom += 40;
    EXPECT_EQ(RectIn(*SheetIn(dlg), dlg), rcWiderSheet);
    rcNew.OffsetRect(0, 40);
    rcDelete.OffsetRect(0, 40);
    rcClose.OffsetRect(60, 40);
    EXPECT_EQ(Frame(dlg, IDC_PARAM_LIST_NEW), rcNew);
    EXPECT_EQ(Frame(dlg, IDC_PARAM_LIST_DELETE), rcDelete);
    EXPECT_EQ(Frame(dlg, IDOK), rcClose);
    EXPECT_EQ(Frame(dlg, IDC_DATASET_FRAME), rcBand);

    EXPECT_TRUE(m_pMgr->CloseParamEditDialogChildWnd());
    EXPECT_EQ(ChildWithControl(m_hostWnd, IDC_PARAM_LIST_NEW), nullptr);
    EXPECT_FALSE(m_pMgr->CloseParamEditDialogChildWnd());
    EXPECT_EQ(m_pMgr->UpdateAllUIExt(nullptr, UPD_QUERY_CANCEL, nullptr), 1) << "its windows left the manager";
    EXPECT_NE(OpenInHost(), nullptr) << "it opens again once closed";
}

// The host closes the embedded editor; Enter and Escape only ask the windows.
TEST_F(ParamListEditDialogTest, AsAChildWindowEnterAsksEveryWindowButNeverHidesTheDialog)
{
    LoadManager();
    m_pMgr->SetActiveParamName("Level1");
    CWnd* pDlg = OpenInHost();
    ASSERT_NE(pDlg, nullptr);
    ASSERT_NE(LevelEdit(*pDlg), nullptr);
    ui::ReplaceText(*LevelEdit(*pDlg), "12");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(m_boxes.LastText(), "Please enter an integer between 1 and 9.");
    ui::ReplaceText(*LevelEdit(*pDlg), "6");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(Attrib("Level1", "Level"), "6");
    EXPECT_TRUE(pDlg->IsWindowVisible());
    ui::PressKeyOnFocus(Qt::Key_Escape);
    EXPECT_TRUE(pDlg->IsWindowVisible());
}

TEST_F(ParamListEditDialogTest, ADialogWhoseHostWindowWentIsReplacedOnTheNextOpen)
{
    LoadManager();
    ASSERT_NE(OpenInHost(), nullptr);
    m_hostWnd.DestroyWindow();
    ui::ProcessEvents();
    CWnd* pDlg = OpenInHost();
    ASSERT_NE(pDlg, nullptr);
    EXPECT_TRUE(pDlg->IsWindowVisible());
    EXPECT_NE(ListWnd(*pDlg), nullptr);
}
