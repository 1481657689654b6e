#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/ComboBox.h"
#include "afx/Process.h"

#include <QWidget>

namespace
{

CRect RectIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

// The embedded properties sheet and type window: the dialog's child windows
// that are dialogs themselves.
CWnd* ChildWithControl(CWnd& dlg, int nID)
{
    for (CWnd* pChild = dlg.GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        if (pChild->GetDlgItem(nID))
            return pChild;
    return nullptr;
}
} // namespace

class ParamPropertiesEditDlgTest : public PropertiesFixture
{
protected:
    void SetUp() override { LoadManager(); }

    // The format tab's edit field inside the dialog.
    CWnd* FormatEdit(CWnd& dlg)
    {
        CWnd* pSheet = ChildWithControl(dlg, AFX_IDC_TAB_CONTROL);
        CWnd* pPage = pSheet ? ChildWithControl(*pSheet, IDC_FORMAT_LIST) : nullptr;
        return pPage ? pPage->GetDlgItem(IDC_FORMAT_LIST)->GetDlgItem(IDC_COMBO_EDIT) : nullptr;
    }
};

TEST_F(ParamPropertiesEditDlgTest, ShowsTheTypeAboveThePropertiesAndCloseStoresTheInput)
{
    m_modals.Add(
        [&](CWnd& dlg)
        {
            std::string strTitle;
            dlg.GetWindowText(strTitle);
            EXPECT_EQ(strTitle, "Parameter Properties - [VuserNo]");
            CWnd* pType = ChildWithControl(dlg, IDC_PARAM_TYPE_COMBO);
            CWnd* pSheet = ChildWithControl(dlg, AFX_IDC_TAB_CONTROL);
            ASSERT_NE(pType, nullptr);
            ASSERT_NE(pSheet, nullptr);
            CRect rcType = RectIn(*pType, dlg);
            CRect rcSheet = RectIn(*pSheet, dlg);
            CRect rcClose = RectIn(*dlg.GetDlgItem(IDOK), dlg);
            EXPECT_EQ(rcType.top, 4);
            EXPECT_LE(rcType.bottom, rcSheet.top);
            EXPECT_EQ(rcSheet.bottom, rcClose.top - 4);
            EXPECT_EQ(rcSheet.Width(), rcType.Width());
            EXPECT_TRUE(pType->IsWindowVisible() && pSheet->IsWindowVisible());
            EXPECT_TRUE(pType->GetExStyle() & WS_EX_DLGMODALFRAME);
            EXPECT_FALSE(dlg.GetDlgItem(IDCANCEL)->IsWindowVisible());

            CWnd* pEdit = FormatEdit(dlg);
            ASSERT_NE(pEdit, nullptr);
            ui::ShowAndActivate(dlg);
            ui::ReplaceText(*pEdit, "%04s");
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDOK);
    EXPECT_EQ(Attrib("VuserNo", "Format"), "%04s");
    EXPECT_EQ(m_pMgr->UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, "VuserNo"), 1)
        << "the embedded windows left the manager with the dialog";
}

TEST_F(ParamPropertiesEditDlgTest, CloseWaitsForTheTabToAcceptAndEscapeAsksToo)
{
    m_pMgr->SetActiveParamName("Level1");
    m_modals.Add(
        [&](CWnd& dlg)
        {
            CWnd* pSheet = ChildWithControl(dlg, AFX_IDC_TAB_CONTROL);
            CWnd* pPage = pSheet ? ChildWithControl(*pSheet, IDC_PLUGIN_LEVEL) : nullptr;
            ASSERT_NE(pPage, nullptr);
            ui::ShowAndActivate(dlg);
            ui::ReplaceText(*pPage->GetDlgItem(IDC_PLUGIN_LEVEL), "12");
            ui::PressKeyOnFocus(Qt::Key_Return);
            EXPECT_EQ(m_boxes.LastText(), "Please enter an integer between 1 and 9.");
            EXPECT_TRUE(dlg.IsWindowVisible()) << "the dialog stays open";
            ui::PressKeyOnFocus(Qt::Key_Escape);
        });
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDCANCEL);
    EXPECT_EQ(Attrib("Level1", "Level"), "4");
}

TEST_F(ParamPropertiesEditDlgTest, EnterAndEscapeInTheTypeWindowAnswerForTheDialog)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
        m_modals.Add(
            [key](CWnd& dlg)
            {
                CWnd* pType = ChildWithControl(dlg, IDC_PARAM_TYPE_COMBO);
                ui::ShowAndActivate(dlg);
                pType->GetDlgItem(IDC_PARAM_TYPE_COMBO)->SetFocus();
                ui::PressKeyOnFocus(key);
                EXPECT_FALSE(pType->GetWidget()->isHidden()) << "the embedded window stays";
            });
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDOK);
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDCANCEL);
}

TEST_F(ParamPropertiesEditDlgTest, ATypeChangeInsideTheDialogRebuildsItsTabs)
{
    m_modals.Add(
        [&](CWnd& dlg)
        {
            CWnd* pType = ChildWithControl(dlg, IDC_PARAM_TYPE_COMBO);
            auto* pCombo = static_cast<CComboBox*>(pType->GetDlgItem(IDC_PARAM_TYPE_COMBO));
            int nIndex = -1;
            std::string strItem;
            for (int i = 0; i < pCombo->GetCount(); ++i)
                if (pCombo->GetLBText(i, strItem) > 0 && strItem == "Level")
                    nIndex = i;
            ui::ChooseComboItem(*pCombo, nIndex);
            CWnd* pSheet = ChildWithControl(dlg, AFX_IDC_TAB_CONTROL);
            ASSERT_NE(pSheet, nullptr);
            EXPECT_NE(ChildWithControl(*pSheet, IDC_PLUGIN_LEVEL), nullptr);
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDOK);
    EXPECT_EQ(m_pMgr->GetActiveParamType(), "Plugged");
    EXPECT_EQ(Attrib("VuserNo", "Level"), "3");
}

TEST_F(ParamPropertiesEditDlgTest, ButtonsFollowTheCornerAndTheSheetGrowsWithTheDialog)
{
    m_modals.Add(
        [&](CWnd& dlg)
        {
            CWnd* pSheet = ChildWithControl(dlg, AFX_IDC_TAB_CONTROL);
            CRect rcWindow;
            dlg.GetWindowRect(&rcWindow);
            CRect rcClose = RectIn(*dlg.GetDlgItem(IDOK), dlg);
            CRect rcCancel = RectIn(*dlg.GetDlgItem(IDCANCEL), dlg);
            CRect rcSheet = RectIn(*pSheet, dlg);
            dlg.MoveWindow(rcWindow.left, rcWindow.top, rcWindow.Width() + 60, rcWindow.Height() + 40);
            CRect rcMoved = RectIn(*dlg.GetDlgItem(IDOK), dlg);
            EXPECT_EQ(rcMoved.left, rcClose.left + 60);
            EXPECT_EQ(rcMoved.top, rcClose.top + 40);
            EXPECT_EQ(RectIn(*dlg.GetDlgItem(IDCANCEL), dlg).left, rcCancel.left + 60);
            CRect rcGrown = RectIn(*pSheet, dlg);
            EXPECT_EQ(rcGrown.Width(), rcSheet.Width() + 60);
            EXPECT_EQ(rcGrown.Height(), rcSheet.Height() + 40);
            dlg.SendMessage(WM_COMMAND, IDCANCEL);
        });
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDCANCEL);
}

TEST_F(ParamPropertiesEditDlgTest, HelpOpensTheDialogsTopic)
{
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
    EXPECT_EQ(m_pMgr->OpenParameterPropertiesDialog(nullptr), IDCANCEL);
    AfxSetProcessStartHandler(nullptr);
    ASSERT_EQ(arrCommands.size(), 2u);
    for (const std::string& strCommand : arrCommands)
        EXPECT_NE(strCommand.find("topicId=141309"), std::string::npos) << strCommand;
}
