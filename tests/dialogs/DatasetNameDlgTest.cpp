#include "UiDriver.h"
#include "UiSeams.h"

#include "dialogs/DatasetNameDlg.h"
#include "resources/DatasetDialogs.h"

#include <gtest/gtest.h>

namespace
{
// Runs the dialog with the name typed over the proposal and OK pressed, then
// Cancel when it stays open; answers the dialog's result.
INT_PTR RunNameDialog(CModalScripts& modals, int nMode, const std::string& strTyped,
                      const std::vector<std::string>& arrExisting = {"Base"})
{
    modals.Add(
        [&](CWnd& dlg)
        {
            ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), strTyped);
            ui::Click(*dlg.GetDlgItem(IDOK));
            if (dlg.IsWindowVisible())
                ui::Click(*dlg.GetDlgItem(IDCANCEL));
        });
    CDatasetNameDlg dlg(nMode, arrExisting, "Proposed");
    return dlg.DoModal();
}
} // namespace

TEST(DatasetNameDlg, ExistingNamesAreComparedExactly)
{
    CModalScripts modals;
    CMessageBoxRecorder boxes;
    EXPECT_EQ(RunNameDialog(modals, DATASET_NAME_CREATE, "base"), IDOK);
    EXPECT_TRUE(boxes.Calls().empty()) << "\"base\" and \"Base\" are two files";

    boxes.Answer(IDOK);
    EXPECT_EQ(RunNameDialog(modals, DATASET_NAME_CREATE, "Base"), IDOK) << "the author agreed to replace it";
    ASSERT_EQ(boxes.Calls().size(), 1u);

    EXPECT_EQ(RunNameDialog(modals, DATASET_NAME_RENAME, "Base"), IDCANCEL) << "renaming never replaces a dataset";
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST(DatasetNameDlg, MessagesComeFromTheStringTableWithTheNameAsItIs)
{
    const struct
    {
        int nMode;
        const char* pszTyped;
        INT_PTR nResult;
        const char* pszMessage;
    } cases[] = {
        {DATASET_NAME_CREATE, "a/b", IDCANCEL,
         "A dataset name is a file name: it cannot be empty, \".\" or \"..\", or hold \"/\" or \"\\\"."},
        {DATASET_NAME_RENAME, "Base", IDCANCEL, "The dataset 'Base' already exists.\r\nPlease enter another name."},
        {DATASET_NAME_RENAME, "%s%1", IDCANCEL, "The dataset '%s%1' already exists.\r\nPlease enter another name."},
        {DATASET_NAME_CREATE, "%s%1", IDOK, "The dataset '%s%1' already exists.\r\nDo you want to replace it?"},
    };
    for (const auto& c : cases)
    {
        CModalScripts modals;
        CMessageBoxRecorder boxes;
        boxes.Answer(IDOK);
        EXPECT_EQ(RunNameDialog(modals, c.nMode, c.pszTyped, {"Base", "%s%1"}), c.nResult) << c.pszTyped;
        EXPECT_EQ(boxes.LastText(), c.pszMessage);
    }
}
