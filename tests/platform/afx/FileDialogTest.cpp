#include "UiSeams.h"

#include "afx/FileDialog.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
const char* const kTableFilter = "Table Files (*.dat)|*.dat|All Files (*.*)|*.*||";

CFileDialog s_strictDialog(TRUE);
} // namespace

TEST(FileDialog, TheSeamSeesTheSetUpAndAnswersWithAPath)
{
    CFileDialogScripts dialogs;
    std::string folder = "/data/scripts";
    dialogs.Add(
        [&](const CFileDialog& dialog)
        {
            EXPECT_TRUE(dialog.IsOpenDialog());
            EXPECT_EQ(dialog.GetDefExt(), "dat");
            EXPECT_EQ(dialog.GetPathName(), "cities.dat") << "the initial name";
            EXPECT_STREQ(dialog.m_ofn.lpstrInitialDir, "/data/scripts");
            EXPECT_STREQ(dialog.m_ofn.lpstrTitle, "Pick a table");
            EXPECT_EQ(dialog.m_ofn.Flags, static_cast<DWORD>(OFN_HIDEREADONLY));
            return std::string("/data/tables/towns.v2.dat");
        });
    CFileDialog dialog(TRUE, "dat", "cities.dat", OFN_HIDEREADONLY, kTableFilter);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    dialog.m_ofn.lpstrTitle = "Pick a table";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "/data/tables/towns.v2.dat");
    EXPECT_EQ(dialog.GetFileName(), "towns.v2.dat");
    EXPECT_EQ(dialog.GetFileExt(), "dat");
    EXPECT_EQ(dialog.GetFileTitle(), "towns.v2");
    EXPECT_EQ(dialog.GetFolderPath(), "/data/tables");
    EXPECT_TRUE(dialogs.AllUsed());
}

TEST(FileDialog, CancelAndTheDefaultExtension)
{
    CFileDialogScripts dialogs;
    dialogs.Cancel();
    dialogs.Choose("/tmp/new table");
    dialogs.Choose("/top.dat");
    CFileDialog dialog(FALSE, "dat", "old.dat", OFN_OVERWRITEPROMPT, kTableFilter);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "old.dat") << "cancel keeps the initial name";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "/tmp/new table.dat") << "a name without extension gets the default";
    EXPECT_EQ(dialog.GetFileTitle(), "new table");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetFolderPath(), "/");

    CFileDialog bare(TRUE);
    EXPECT_EQ(bare.GetFileName(), "");
    EXPECT_EQ(bare.GetFileExt(), "");
    EXPECT_EQ(bare.GetFolderPath(), "");
}

TEST(FileDialog, PathPartsReadEitherSeparator)
{
    CFileDialogScripts dialogs;
    dialogs.Choose("C:\\scripts\\data\\README");
    CFileDialog dialog(TRUE);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetFileName(), "README");
    EXPECT_EQ(dialog.GetFileExt(), "");
    EXPECT_EQ(dialog.GetFileTitle(), "README");
    EXPECT_EQ(dialog.GetFolderPath(), "C:\\scripts\\data");
}

TEST(FileDialog, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, 0, kTableFilter).GetNameFilters(),
              (std::vector<std::string>{"Table Files (*.dat)", "All Files (*)"}));
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, 0, "Libraries (*.dll)|*.dll|All files|*.*||").GetNameFilters(),
              (std::vector<std::string>{"Libraries (*.dll)", "All files (*)"}))
        << "a description without patterns gets them";
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, 0, "Data|*.dat;*.csv").GetNameFilters(),
              (std::vector<std::string>{"Data (*.dat *.csv)"}))
        << "several patterns, no closing bars";
    EXPECT_TRUE(CFileDialog(TRUE, nullptr, nullptr, 0, "Lonely description").GetNameFilters().empty());
    EXPECT_TRUE(CFileDialog(TRUE).GetNameFilters().empty());
}

TEST(FileDialog, AnUnexpectedDialogFailsTheTestAndCancels)
{
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(s_strictDialog.DoModal(), IDCANCEL), "unexpected file dialog");
}
