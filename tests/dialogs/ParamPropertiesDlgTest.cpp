#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/ComboBox.h"
#include "afx/TabCtrl.h"
#include "afx/WinApp.h"
#include "controls/ResizePropertyPage.h"
#include "resources/PropertiesDialogs.h"
#include "tabs/FormatTab.h"

#include <QApplication>
#include <QWidget>

namespace
{
const char* const FORMAT_CAPTION = "Format properties";
const char* const GENERAL_CAPTION = "All properties";

int VisibleTopLevels()
{
    int nCount = 0;
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        nCount += pWidget->isVisible() ? 1 : 0;
    return nCount;
}

// The host's main window: it shows the help of whatever asks it to.
class CMainWnd : public CWnd
{
public:
    int m_nHelpCommands = 0;

protected:
    void OnHelp() { ++m_nHelpCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWnd, CWnd)
ON_COMMAND(ID_HELP, &CMainWnd::OnHelp)
END_MESSAGE_MAP()

CRect ClientRectIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}
} // namespace

TEST_F(PropertiesFixture, WithoutAnActiveParameterTheSheetSaysSoWithoutTabStrip)
{
    CreateWindows("[Hidden1]\nType=XML\n");
    ASSERT_STREQ(m_pMgr->GetActiveParamName(), "");
    EXPECT_EQ(TabCaptions(), Strings{"No Properties to Display"});
    EXPECT_FALSE(TabStripShown());
    CWnd* pText = ActivePage()->GetDlgItem(IDC_NO_PARAMETER);
    ASSERT_NE(pText, nullptr);
    std::string strText;
    pText->GetWindowText(strText);
    EXPECT_EQ(strText, "No parameter selected");
    EXPECT_TRUE(pText->IsWindowVisible());

    CRect rcClient;
    Sheet().GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectIn(*ActivePage(), Sheet()), rcClient) << "one page fills the sheet";
    CRect rcText = ClientRectIn(*pText, *ActivePage());
    EXPECT_GT(rcText.Width(), rcClient.Width() - 40) << "the text stretches with the page";
}

TEST_F(PropertiesFixture, ATabNameNobodyKnowsGivesTheFormatTabAndAllProperties)
{
    CreateWindows();
    for (const char* pszName : {"Odd", "Mystery"})
    {
        ASSERT_TRUE(m_pList->Select(pszName));
        EXPECT_EQ(TabCaptions(), (Strings{FORMAT_CAPTION, GENERAL_CAPTION})) << pszName;
        EXPECT_TRUE(TabStripShown()) << pszName;
        auto* pFormat = dynamic_cast<CFormatTab*>(ActivePage());
        ASSERT_NE(pFormat, nullptr) << pszName;
        EXPECT_EQ(pFormat->m_strSampleValue, m_pMgr->GetActiveParamType()) << "the type is the sample";
    }
    std::string strSample;
    ActivePage()->GetDlgItemText(IDC_FORMAT_SAMPLE, strSample);
    EXPECT_EQ(strSample, "Custom") << "the first format of the list, %s, shows the type";

    CRect rcPage = ClientRectIn(*ActivePage(), Sheet());
    EXPECT_GT(rcPage.top, 10) << "the page sits under the tabs";
}

TEST_F(PropertiesFixture, TabNamesAreComparedIgnoringCase)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Station"));
    EXPECT_EQ(TabCaptions(), Strings{FORMAT_CAPTION});
    EXPECT_FALSE(TabStripShown());
    std::string strSample;
    ActivePage()->GetDlgItemText(IDC_FORMAT_SAMPLE, strSample);
    EXPECT_EQ(strSample, "LoadGeneratorName");
}

TEST_F(PropertiesFixture, EveryRebuildKeepsThePlaceAndIdAndLeavesNoOkButton)
{
    CreateWindows();
    Sheet().SetDlgCtrlID(4711);
    CRect rcBefore = ClientRectIn(Sheet(), m_host);
    for (const char* pszName : {"Loop", "Mystery", "Level1", "VuserNo"})
    {
        ASSERT_TRUE(m_pList->Select(pszName));
        EXPECT_EQ(Sheet().GetDlgCtrlID(), 4711) << pszName;
        EXPECT_EQ(ClientRectIn(Sheet(), m_host), rcBefore) << pszName;
        EXPECT_EQ(Sheet().GetDlgItem(IDOK), nullptr) << pszName;
        EXPECT_TRUE(Sheet().IsWindowVisible() && Sheet().IsWindowEnabled()) << pszName;
        EXPECT_EQ(m_host.GetDlgItem(4711), &Sheet()) << pszName;
    }
    // Resizing the host's sheet lays out the page again, and the page its controls.
    auto* pTab = dynamic_cast<CResizePropertyPage*>(ActivePage());
    ASSERT_NE(pTab, nullptr);
    CRect rcFormats = ClientRectIn(*ActivePage()->GetDlgItem(IDC_FORMAT_LIST), *ActivePage());
    Sheet().MoveWindow(rcBefore.left, rcBefore.top, rcBefore.Width() + 50, rcBefore.Height() + 30);
    CRect rcClient;
    Sheet().GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectIn(*ActivePage(), Sheet()), rcClient);
    EXPECT_EQ(pTab->GetSavedSize(), CSize(rcClient.Width(), rcClient.Height()));
    CRect rcGrown = ClientRectIn(*ActivePage()->GetDlgItem(IDC_FORMAT_LIST), *ActivePage());
    EXPECT_EQ(rcGrown.Width(), rcFormats.Width() + 50);
    EXPECT_EQ(rcGrown.Height(), rcFormats.Height() + 30);
}

TEST_F(PropertiesFixture, APlugInTabAppearsAndRefusesToLetTheAuthorGoWithABadValue)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Level1"));
    EXPECT_EQ(TabCaptions(), Strings{"Level properties"});
    CWnd* pLevel = ActivePage()->GetDlgItem(IDC_PLUGIN_LEVEL);
    ASSERT_NE(pLevel, nullptr);
    std::string strLevel;
    pLevel->GetWindowText(strLevel);
    EXPECT_EQ(strLevel, "4");

    ui::ReplaceText(*pLevel, "12");
    EXPECT_FALSE(m_pList->Select("Team"));
    EXPECT_EQ(m_boxes.LastText(), "Please enter an integer between 1 and 9.");
    EXPECT_STREQ(m_pMgr->GetActiveParamName(), "Level1");
    EXPECT_EQ(TabCaptions(), Strings{"Level properties"}) << "the tab stays";
    EXPECT_EQ(Attrib("Level1", "Level"), "4");

    ui::ReplaceText(*ActivePage()->GetDlgItem(IDC_PLUGIN_LEVEL), "7");
    EXPECT_TRUE(m_pList->Select("Team"));
    EXPECT_EQ(Attrib("Level1", "Level"), "7");
    EXPECT_EQ(m_boxes.Calls().size(), 1u);
}

TEST_F(PropertiesFixture, PlugInsThatGiveNoPageFallBackSilently)
{
    CreateWindows();
    for (const char* pszName : {"NoLevel", "Flaky", "Barely"})
    {
        ASSERT_TRUE(m_pList->Select(pszName));
        EXPECT_EQ(TabCaptions(), (Strings{FORMAT_CAPTION, GENERAL_CAPTION})) << pszName;
    }
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(PropertiesFixture, PlainTabLeavesTheSheetAndCtrlTabSwitchesItsTabs)
{
    CreateWindows();
    ASSERT_TRUE(m_pList->Select("Mystery"));
    ActivePage()->GetDlgItem(IDC_FORMAT_SAMPLE)->SetFocus();
    ui::PressKeyOnFocus(Qt::Key_Tab);
    CWnd* pFocus = CWnd::GetFocus();
    ASSERT_NE(pFocus, nullptr);
    EXPECT_FALSE(Sheet().IsChild(pFocus)) << "Tab went on to the host's controls";
    EXPECT_EQ(Sheet().GetActiveIndex(), 0);

    ActivePage()->GetDlgItem(IDC_FORMAT_SAMPLE)->SetFocus();
    ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Sheet().GetActiveIndex(), 1);
    EXPECT_EQ(ActivePage()->GetCaption(), GENERAL_CAPTION);
    Sheet().GetTabControl()->SetFocus();
    ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Sheet().GetActiveIndex(), 0);
}

TEST_F(PropertiesFixture, TheAllPropertiesPageChangesNothing)
{
    CreateWindows("[Mystery]\nType=Custom\nFormat=%s\nCurrentValue=now\nOriginalValue=orig\n");
    ASSERT_TRUE(m_pMgr->SaveChanges());
    std::string strBefore = ReadFileBytes(m_strPrmPath);
    ASSERT_EQ(Sheet().GetPageCount(), 2);
    for (int nPage : {1, 0, 1})
    {
        ASSERT_TRUE(Sheet().SetActivePage(nPage));
        EXPECT_EQ(m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr), 1);
    }
    ASSERT_TRUE(m_pMgr->SaveChanges());
    EXPECT_EQ(ReadFileBytes(m_strPrmPath), strBefore);
}

TEST_F(PropertiesFixture, NewParametersTakeTheirTypesDefaultsInvisiblyAndKeepTheFocus)
{
    CreateWindows();
    CWnd* pEdit = m_host.GetDlgItem(IDC_HOST_EDIT);
    pEdit->SetFocus();
    int nVisible = VisibleTopLevels();

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Fresh", "Iteration Number", "42"));
    EXPECT_EQ(Attrib("Fresh", "Format"), "%d");
    EXPECT_EQ(Attrib("Fresh", "OriginalValue"), "42");
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Gauge", "Level", "x"));
    EXPECT_EQ(Attrib("Gauge", "Level"), "3") << "a plug-in tab's defaults too";
    EXPECT_EQ(CWnd::GetFocus(), pEdit);
    EXPECT_EQ(VisibleTopLevels(), nVisible);
    EXPECT_EQ(TabCaptions(), Strings{"Level properties"}) << "the host's sheet shows the new parameter";

    // A type change through the manager alone takes the new type's defaults as well.
    ASSERT_TRUE(m_pList->Select("Mystery"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("Group"));
    EXPECT_EQ(Attrib("Mystery", "Format"), "%s");
}

TEST_F(PropertiesFixture, ACustomParameterKeepsTheReplacedTextAsItsValue)
{
    // Custom on a tab whose defaults empty the value and which writes back what it shows.
    std::string strTypes = ReadFileBytes(m_strTypesPath);
    std::string strTab = "DisplayUI=MysteryTab";
    strTypes.replace(strTypes.find(strTab), strTab.size(), "DisplayUI=dll:" PROPS_TEST_PLUGIN_PATH);
    m_strTypesPath = m_dir.Write("param.dat", strTypes);
    CreateWindows();

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Fresh", "Custom", "catalogue?page=1"));
    EXPECT_EQ(TabCaptions(), Strings{"Value properties"});
    ASSERT_EQ(m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr), 1);
    ASSERT_TRUE(m_pMgr->SaveChanges());
    std::string strSaved = ReadFileBytes(m_strPrmPath);
    std::string strFresh = strSaved.substr(strSaved.find("[Fresh]"));
    EXPECT_NE(strFresh.find("\nCurrentValue=catalogue?page=1\n"), std::string::npos) << strFresh;
    EXPECT_NE(strFresh.find("\nOriginalValue=catalogue?page=1\n"), std::string::npos) << strFresh;
}

TEST_F(PropertiesFixture, TabsPassHelpRequestsToTheMainWindow)
{
    CreateWindows();
    // A plain key, so that no modifier of an earlier test counts as held down.
    ui::PressKey(*m_host.GetDlgItem(IDC_HOST_EDIT), Qt::Key_End);
    HELPINFO info;
    EXPECT_FALSE(ActivePage()->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)))
        << "without a main window the request is not handled";
    CWinApp app("tarvo-help-tests");
    CMainWnd main;
    ASSERT_TRUE(main.Create(nullptr, "Main", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    app.m_pMainWnd = &main;
    EXPECT_TRUE(ActivePage()->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(main.m_nHelpCommands, 1);
    // F1 on a control of the tab climbs to the tab, which passes it on alike.
    CWnd* pControl = ActivePage()->GetNextDlgTabItem(nullptr);
    EXPECT_NE(pControl, nullptr);
    if (pControl)
        ui::PressKey(*pControl, Qt::Key_F1);
    EXPECT_EQ(main.m_nHelpCommands, 2);
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}
