#include "UiDriver.h"
#include "UiSeams.h"

#include "dialogs/DatasetNameDlg.h"
#include "resources/DatasetDialogs.h"

#include <gtest/gtest.h>

namespace
{
// Runs the dialog with the name typed over the proposal and OK pressed
// (Cancel when it stays open); answers the result and what the dialog showed.
struct SNameRun
{
    INT_PTR nResult;
    std::string strCaption;
    std::string strProposal;
    std::string strName;
};

SNameRun RunNameDialog(CModalScripts& modals, int nMode, const std::vector<std::string>& arrExisting,
                       const std::string& strTyped)
{
    SNameRun run{};
    modals.Add(
        [&](CWnd& dlg)
        {
            dlg.GetWindowText(run.strCaption);
            dlg.GetDlgItemText(IDC_DATASET_NAME, run.strProposal);
            ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), strTyped);
            ui::Click(*dlg.GetDlgItem(IDOK));
            if (dlg.IsWindowVisible())
                ui::Click(*dlg.GetDlgItem(IDCANCEL));
        });
    CDatasetNameDlg dlg(nMode, arrExisting, "Proposed");
    run.nResult = dlg.DoModal();
    run.strName = dlg.m_strName;
    return run;
}
} // namespace

TEST(DatasetNameDlg, CaptionFollowsTheModeAndANewNameClosesWithOk)
{
    CModalScripts modals;
    SNameRun create = RunNameDialog(modals, DATASET_NAME_CREATE, {"Base"}, "Fresh");
    EXPECT_EQ(create.strCaption, "Create New Dataset");
    EXPECT_EQ(create.strProposal, "Proposed");
    EXPECT_EQ(create.nResult, IDOK);
    EXPECT_EQ(create.strName, "Fresh");

    SNameRun rename = RunNameDialog(modals, DATASET_NAME_RENAME, {}, "Other");
    EXPECT_EQ(rename.strCaption, "Rename Dataset");
    EXPECT_EQ(rename.nResult, IDOK);
    EXPECT_EQ(rename.strName, "Other");
}

TEST(DatasetNameDlg, ExistingNamesAreComparedExactly)
{
    CModalScripts modals;
    CMessageBoxRecorder boxes;
    SNameRun differentCase = RunNameDialog(modals, DATASET_NAME_CREATE, {"Base"}, "base");
    EXPECT_EQ(differentCase.nResult, IDOK);
    EXPECT_TRUE(boxes.Calls().empty()) << "\"base\" and \"Base\" are two files";

    boxes.Answer(IDOK);
    SNameRun replace = RunNameDialog(modals, DATASET_NAME_CREATE, {"Base"}, "Base");
    EXPECT_EQ(replace.nResult, IDOK) << "the author agreed to replace it";
    ASSERT_EQ(boxes.Calls().size(), 1u);

    SNameRun refused = RunNameDialog(modals, DATASET_NAME_RENAME, {"Base"}, "Base");
    EXPECT_EQ(refused.nResult, IDCANCEL) << "renaming never replaces a dataset";
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST(DatasetNameDlg, TypingStopsAtTheLongestNameAFileCanHave)
{
    CModalScripts modals;
    SNameRun run = RunNameDialog(modals, DATASET_NAME_CREATE, {}, std::string(260, 'x'));
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(run.strName, std::string(251, 'x')) << "with \".prm\" it fills the 255 bytes of a file name";
}
