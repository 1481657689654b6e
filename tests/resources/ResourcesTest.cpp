#include "afx/Dialog.h"
#include "resources/Dialogs.h"
#include "resources/Images.h"
#include "resources/Menus.h"
#include "resources/StringIds.h"
#include "resources/TarvoResources.h"

#include <gtest/gtest.h>

TEST(Resources, MessagesKeepTheirControlCharactersAndPlaceholders)
{
    EXPECT_EQ(AfxLoadString(IDS_PARAM_NAME_EXISTS),
              "Parameter name already exists.\nPlease enter a new parameter name.");
    EXPECT_EQ(AfxLoadString(IDS_REPLACE_DATASET), "The dataset '%s' already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(AfxLoadString(IDS_SIM_EACH_OCCURRENCE).substr(0, 52),
              "You cannot simulate a parameter where \"Update Value ");
    EXPECT_EQ(AfxLoadString(IDS_SIM_EACH_OCCURRENCE).back(), ' ') << "a trailing blank is part of the text";
    EXPECT_EQ(AfxLoadString(IDS_FILE_READ_FAILED), "Failed to read file %1 from line %2, check file format.");
    EXPECT_EQ(AfxLoadString(IDS_FILE_TYPE), "File");
    std::string missing = "kept";
    const UINT nNotInTheTable = IDS_VALUE - 3;
    EXPECT_FALSE(AfxLoadString(nNotInTheTable, missing));
    EXPECT_EQ(missing, "kept");
}

TEST(Resources, InitEntryReachesTheLibraryModule)
{
    CDynLinkLibrary* entry = init_tarvo_dll();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(&entry->GetModule(), &TarvoResources());
    delete entry;
    // The entry made on load is still in the chain.
    EXPECT_EQ(AfxLoadString(IDS_NEW_PARAM_NAME), "NewParam");
}

TEST(Resources, ListPopupMenuHasTwoSubMenusWithTheirCommands)
{
    const AFX_MENU_TEMPLATE* menu = AfxFindMenuTemplate(IDR_PARAM_LIST_POPUP);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 2u);
    ASSERT_EQ(menu->items[0].popup.size(), 1u);
    EXPECT_EQ(menu->items[0].popup[0].nID, static_cast<UINT>(ID_NEW_PARAMETER));
    const auto& items = menu->items[1].popup;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].strText, "New Parameter\t(Ins)");
    EXPECT_EQ(items[1].nID, static_cast<UINT>(ID_RENAME_PARAMETER));
    EXPECT_TRUE(items[2].nFlags & MF_SEPARATOR);
    EXPECT_EQ(items[3].strText, "Delete\t(Del)");
    EXPECT_EQ(items[3].nID, static_cast<UINT>(ID_DELETE_PARAMETER));
}

TEST(Resources, PicturesAreSixteenPixelsHighWithAWhiteMask)
{
    const QImage* types = AfxFindImage(IDB_PARAM_TYPES);
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->size(), QSize(32, 16)) << "two 16 x 16 images side by side";
    EXPECT_EQ(types->pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(types->copy(0, 0, 16, 16), types->copy(16, 0, 16, 16)) << "the two pictures differ";
    const QImage* icon = AfxFindImage(IDI_TARVO);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size(), QSize(16, 16));
}

TEST(Resources, ManagerWindowTemplateBuildsAnInvisibleDialog)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TARVO_MANAGER));
    EXPECT_FALSE(dlg.IsWindowVisible());
    std::string caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(caption, "Tarvo Manager");
    EXPECT_GT(CDialog::TemplatePixelSize(IDD_TARVO_MANAGER).cx, 186) << "dialog units are larger than pixels";
    dlg.DestroyWindow();
}
