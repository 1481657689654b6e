#include "TestDialogs.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/Dialog.h"
#include "afx/Menu.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
std::vector<std::string> Texts(const CMenu& menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
    {
        std::string text;
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

// Receives the commands of the test menu.
class CCommandDlg : public CDialog
{
public:
    CCommandDlg() : CDialog(IDD_TEST_FORM) { AddTestDialogs(); }
    std::vector<UINT> m_commands;

protected:
    void OnMenuCommand(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandDlg, CDialog)
ON_COMMAND_RANGE(ID_TEST_NEW, ID_TEST_SORT, &CCommandDlg::OnMenuCommand)
END_MESSAGE_MAP()

CMenu s_strictMenu;
} // namespace

TEST(Menu, LoadsTheResourceWithSubMenusByPosition)
{
    AddTestDialogs();
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(424242));
    EXPECT_EQ(menu.GetMenuItemCount(), -1);
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_POPUP));
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"Empty", "Item"}));
    EXPECT_EQ(menu.GetSubMenu(2), nullptr);

    CMenu* item = menu.GetSubMenu(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Texts(*item), (std::vector<std::string>{"&New\t(Ins)", "&Rename", "", "&Delete\t(Del)", "More"}));
    EXPECT_EQ(item->GetMenuItemID(0), static_cast<UINT>(ID_TEST_NEW));
    EXPECT_EQ(item->GetMenuItemID(2), 0u) << "a separator";
    EXPECT_EQ(item->GetMenuItemID(4), static_cast<UINT>(-1)) << "a sub-menu";
    EXPECT_EQ(item->GetMenuItemID(9), static_cast<UINT>(-1));
    EXPECT_EQ(item->GetMenuState(4, MF_BYPOSITION), static_cast<UINT>(MF_POPUP | (1 << 8)));
    EXPECT_EQ(item->GetSubMenu(1), nullptr);
    char buffer[5];
    EXPECT_EQ(item->GetMenuString(ID_TEST_RENAME, buffer, sizeof buffer, MF_BYCOMMAND), 4);
    EXPECT_STREQ(buffer, "&Ren") << "cut to the buffer";
}

TEST(Menu, StatesChangeByCommandOrPositionAndShowThroughSubMenus)
{
    AddTestDialogs();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_POPUP));
    CMenu* item = menu.GetSubMenu(1);
    EXPECT_EQ(menu.GetMenuState(ID_TEST_DELETE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED))
        << "by command searches the sub-menus";
    EXPECT_EQ(menu.EnableMenuItem(ID_TEST_DELETE, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(item->GetMenuState(3, MF_BYPOSITION), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(item->EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(menu.GetMenuState(ID_TEST_RENAME, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(menu.CheckMenuItem(ID_TEST_SORT, MF_BYCOMMAND | MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(item->GetSubMenu(4)->GetMenuState(0, MF_BYPOSITION), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.EnableMenuItem(4711, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_EQ(item->CheckMenuItem(9, MF_BYPOSITION | MF_CHECKED), static_cast<UINT>(-1));

    CMenu fresh;
    ASSERT_TRUE(fresh.LoadMenu(IDR_TEST_POPUP));
    EXPECT_EQ(fresh.GetMenuState(ID_TEST_RENAME, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED))
        << "every load is a menu of its own";
}

TEST(Menu, TrackPopupMenuReturnsOrPostsTheChosenCommand)
{
    CCommandDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_POPUP));
    CPopupMenuScripts menus;
    std::vector<std::string> shown;
    menus.Add(
        [&](const CMenu& popup, int x, int y)
        {
            shown = Texts(popup);
            EXPECT_EQ(x, 40);
            EXPECT_EQ(y, 50);
            return static_cast<UINT>(ID_TEST_RENAME);
        });
    EXPECT_EQ(menu.GetSubMenu(1)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, 40, 50, &dlg),
              ID_TEST_RENAME);
    EXPECT_EQ(shown.size(), 5u);
    ui::ProcessEvents();
    EXPECT_TRUE(dlg.m_commands.empty()) << "TPM_RETURNCMD sends nothing";

    menus.Choose(ID_TEST_NEW);
    EXPECT_TRUE(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 1, 2, &dlg));
    EXPECT_TRUE(dlg.m_commands.empty()) << "the command is posted, as in Win32";
    ui::ProcessEvents();
    EXPECT_EQ(dlg.m_commands, std::vector<UINT>{ID_TEST_NEW});

    menus.Choose(0);
    menus.Choose(ID_TEST_DELETE);
    menus.Choose(ID_TEST_NEW);
    CMenu* item = menu.GetSubMenu(1);
    EXPECT_EQ(item->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &dlg), 0) << "dismissed";
    EXPECT_EQ(item->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &dlg), 0) << "a grayed item cannot be chosen";
    EXPECT_EQ(menu.GetSubMenu(1)->GetSubMenu(4)->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &dlg), 0)
        << "nor one the menu does not hold";
    EXPECT_TRUE(menus.AllUsed());
    dlg.DestroyWindow();
}

TEST(Menu, BuiltMenusShareTheirSubMenus)
{
    CMenu more;
    ASSERT_TRUE(more.CreatePopupMenu());
    EXPECT_TRUE(more.AppendMenu(MF_STRING | MF_CHECKED, ID_TEST_SORT, "&Sort"));
    CMenu popup;
    EXPECT_FALSE(popup.AppendMenu(MF_STRING, ID_TEST_NEW, "New")) << "no menu yet";
    ASSERT_TRUE(popup.CreatePopupMenu());
    EXPECT_TRUE(popup.AppendMenu(MF_STRING, ID_TEST_NEW, "&New"));
    EXPECT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more.m_hMenu), "More"));
    EXPECT_FALSE(popup.AppendMenu(MF_POPUP, 12345, "Bad")) << "no such menu handle";
    EXPECT_FALSE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "Self"));
    EXPECT_EQ(Texts(popup), (std::vector<std::string>{"&New", "", "More"}));

    more.CheckMenuItem(ID_TEST_SORT, MF_BYCOMMAND | MF_UNCHECKED);
    EXPECT_EQ(popup.GetMenuState(ID_TEST_SORT, MF_BYCOMMAND), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_TRUE(more.DestroyMenu());
    EXPECT_EQ(popup.GetSubMenu(2)->GetMenuItemCount(), 1) << "the holder keeps its sub-menu";

    CPopupMenuScripts menus;
    menus.Choose(ID_TEST_SORT);
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), ID_TEST_SORT);
}

TEST(Menu, AnUnexpectedMenuFailsTheTest)
{
    AddTestDialogs();
    ASSERT_TRUE(s_strictMenu.LoadMenu(IDR_TEST_POPUP));
    EXPECT_NONFATAL_FAILURE(s_strictMenu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr),
                            "unexpected pop-up menu");
}
