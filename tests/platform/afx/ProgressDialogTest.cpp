#include "afx/ProgressDialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace
{
QProgressDialog* ShownProgressDialog()
{
    for (QWidget* pWidget : QApplication::topLevelWidgets())
    {
        if (auto* pDialog = qobject_cast<QProgressDialog*>(pWidget); pDialog && pDialog->isVisible())
            return pDialog;
    }
    return nullptr;
}
} // namespace

// Short work never shows the window; long work shows it with the count,
// and its Cancel stops the work at the next refresh.
TEST(ProgressDialogTest, AppearsForLongWorkAndCancels)
{
    {
        CProgressDialog progress("%d done");
        for (int i = 0; i < 1000; ++i)
            ASSERT_TRUE(progress.Step());
        EXPECT_EQ(ShownProgressDialog(), nullptr);
    }

    CProgressDialog progress("%d done");
    QProgressDialog* pShown = nullptr;
    long long nSteps = 0;
    bool bGoOn = true;
    for (; bGoOn && nSteps < 100000000; ++nSteps)
    {
        bGoOn = progress.Step();
        if (!pShown && (pShown = ShownProgressDialog()))
        {
            EXPECT_TRUE(pShown->labelText().endsWith(" done")) << pShown->labelText().toStdString();
            EXPECT_NE(pShown->labelText(), "0 done");
            pShown->findChild<QPushButton*>()->click();
        }
    }
    ASSERT_NE(pShown, nullptr) << "the window appears once the work lasts";
    EXPECT_FALSE(bGoOn) << "Cancel stops the work";
}

TEST(ProgressDialogTest, HandlerAnswersForTheAuthor)
{
    std::vector<long long> vecSeen;
    AfxSetProgressHandler(
        [&](long long nDone)
        {
            vecSeen.push_back(nDone);
            return nDone < 3;
        });
    CProgressDialog progress("%d");
    EXPECT_TRUE(progress.Step());
    EXPECT_TRUE(progress.Step());
    EXPECT_FALSE(progress.Step());
    AfxSetProgressHandler(nullptr);
    EXPECT_EQ(vecSeen, (std::vector<long long>{1, 2, 3}));
    EXPECT_EQ(ShownProgressDialog(), nullptr);
}
