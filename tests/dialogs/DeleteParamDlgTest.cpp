#include "UiDriver.h"
#include "UiSeams.h"

#include "dialogs/DeleteParamDlg.h"
#include "resources/ListDialogs.h"

#include <gtest/gtest.h>

namespace
{
const char* const DELETE_FILE_QUESTION = "The data file may contain values for parameters in currently open or other "
                                         "Vusers. \r\n\r\nAre you sure you want to permanently delete this file?";

class DeleteParamDlgTest : public ::testing::Test
{
protected:
    // Runs the dialog with the script; answers its result.
    INT_PTR Run(std::function<void(CWnd&)> script)
    {
        m_modals.Add(std::move(script));
        return m_dlg.DoModal();
    }

    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
    CDeleteParamDlg m_dlg;
};

void Click(CWnd& dialog, int nID)
{
    ui::Click(*dialog.GetDlgItem(nID));
}
} // namespace

TEST_F(DeleteParamDlgTest, YesAndNoWithoutTheDataFile)
{
    std::string text;
    int nChecked = -1;
    EXPECT_EQ(Run(
                  [&](CWnd& dialog)
                  {
                      dialog.GetWindowText(text);
                      nChecked = static_cast<int>(dialog.IsDlgButtonChecked(IDC_DELETE_PARAM_DATA_FILE));
                      Click(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(text, "Delete Parameter");
    EXPECT_EQ(nChecked, 0) << "the data file box starts unchecked";
    EXPECT_EQ(m_dlg.m_bDeleteDataFile, 0);
    EXPECT_TRUE(m_boxes.Calls().empty()) << "no second question";

    EXPECT_EQ(Run([](CWnd& dialog) { Click(dialog, IDCANCEL); }), IDCANCEL);
}

TEST_F(DeleteParamDlgTest, DeletingTheDataFileIsAskedOnceMore)
{
    m_boxes.Answer(IDNO);
    m_boxes.Answer(IDYES);
    bool bOpenAfterNo = false;
    EXPECT_EQ(Run(
                  [&](CWnd& dialog)
                  {
                      Click(dialog, IDC_DELETE_PARAM_DATA_FILE);
                      Click(dialog, IDOK);
                      bOpenAfterNo = dialog.IsWindowVisible();
                      Click(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_TRUE(bOpenAfterNo) << "No keeps the dialog open";
    EXPECT_EQ(m_dlg.m_bDeleteDataFile, 1);
    ASSERT_EQ(m_boxes.Calls().size(), 2u);
    EXPECT_EQ(m_boxes.Calls()[0].strText, DELETE_FILE_QUESTION);
    EXPECT_EQ(m_boxes.Calls()[0].nType, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
}
