#include "EditorFixture.h"
#include "FileSizeLimit.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/ComboBox.h"
#include "resources/DataEditorDialogs.h"
#include "resources/FormatDialogs.h"
#include "resources/ListDialogs.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <filesystem>
#include <gtest/gtest.h>

TEST_F(EditorFixture, RenamesAndDeletionsKeepTheScriptTextInStep)
{
    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Amount"));
    EXPECT_EQ(ActionText().find("{Quantity}"), std::string::npos);
    EXPECT_NE(ActionText().find("\"Value={Amount}\""), std::string::npos);

    ASSERT_TRUE(Manager().DeleteParameter("Amount", 0, 1));
    EXPECT_EQ(ActionText().find("{Amount}"), std::string::npos);
    EXPECT_NE(ActionText().find("\"Value=2\""), std::string::npos) << "the original value is back";
    EXPECT_NE(ReadFileBytes(dir.File("Action.c")).find("{Quantity}"), std::string::npos) << "nothing saved yet";

    CMessageBoxRecorder boxes;
    ASSERT_TRUE(window->Save());
    EXPECT_NE(ReadFileBytes(dir.File("Action.c")).find("\"Value=2\""), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.File("nursery_order.prm")).find("[Quantity]"), std::string::npos);
    EXPECT_TRUE(window->ConfirmClose()) << "nothing left to save";
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EditorFixture, OnlyWholeReferencesChangeAndOneUndoTakesTheChangeBack)
{
    QPlainTextEdit* editor = Editor(1);
    editor->setPlainText("a={Quantity} b={Quantity2} c={ Quantity} d={Quantity}");
    QTextCursor caret = editor->textCursor();
    caret.setPosition(static_cast<int>(editor->toPlainText().indexOf("c=")));
    editor->setTextCursor(caret);

    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Qty"));
    EXPECT_EQ(ActionText(), "a={Qty} b={Quantity2} c={ Quantity} d={Qty}");
    EXPECT_EQ(editor->textCursor().position(), editor->toPlainText().indexOf("c=")) << "the caret stays put";

    ASSERT_TRUE(Manager().DeleteParameter("Qty", 0, 1));
    EXPECT_EQ(ActionText(), "a=2 b={Quantity2} c={ Quantity} d=2");
    editor->undo();
    EXPECT_EQ(ActionText(), "a={Qty} b={Quantity2} c={ Quantity} d={Qty}");
}

TEST_F(EditorFixture, ReplaceWithParameterCreatesItAndWritesTheReference)
{
    QPlainTextEdit* editor = Editor(1);
    window->findChild<QTabWidget*>()->setCurrentIndex(1);
    QTextCursor cursor = editor->document()->find("catalogue?page=1");
    ASSERT_FALSE(cursor.isNull());
    editor->setTextCursor(cursor);

    CModalScripts scripts;
    scripts.Add(
        [](CWnd& dialog)
        {
            std::string name;
            dialog.GetDlgItemText(IDC_SELECT_PARAM_NAME, name);
            EXPECT_EQ(name, "NewParam") << "a free name is proposed";
            dialog.SetDlgItemText(IDC_SELECT_PARAM_NAME, "CataloguePage");
            auto* types = dynamic_cast<CComboBox*>(dialog.GetDlgItem(IDC_SELECT_PARAM_TYPE));
            ASSERT_NE(types, nullptr);
            ui::ChooseComboItem(*types, types->FindStringExact(-1, "Custom"));
            ui::Click(*dialog.GetDlgItem(IDOK));
        });
    window->ReplaceWithParameter();
    EXPECT_TRUE(scripts.AllUsed());
    EXPECT_NE(ActionText().find("URL=https://shop.example/nursery/{CataloguePage}"), std::string::npos);
    EXPECT_TRUE(Manager().IsExistingParamName("CataloguePage"));
    EXPECT_EQ(Manager().GetParamAttrib("CataloguePage", "OriginalValue"), "catalogue?page=1");
}

TEST_F(EditorFixture, TextThatHoldsAReferenceIsRefused)
{
    QPlainTextEdit* editor = Editor(1);
    window->findChild<QTabWidget*>()->setCurrentIndex(1);
    editor->setTextCursor(editor->document()->find("Value={PlantCode}"));
    CMessageBoxRecorder boxes;
    window->ReplaceWithParameter();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_NE(boxes.LastText().find("already holds a parameter"), std::string::npos);
}

TEST_F(EditorFixture, ClosingWithUnsavedChangesAsksFirst)
{
    Editor(0)->appendPlainText("// a note");
    CMessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    EXPECT_FALSE(window->ConfirmClose());
    boxes.Answer(IDYES);
    EXPECT_TRUE(window->ConfirmClose());
    EXPECT_NE(ReadFileBytes(dir.File("vuser_init.c")).find("// a note"), std::string::npos);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].strText, "Save the changes to nursery_order?");

    // A change to a parameter alone counts too.
    Manager().SetParamAttrib("CouponCode", "CurrentValue", "AUTUMN5");
    boxes.Answer(IDNO);
    EXPECT_TRUE(window->ConfirmClose());
    EXPECT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(ReadFileBytes(dir.File("nursery_order.prm")).find("AUTUMN5"), std::string::npos);
}

TEST_F(DatasetEditorFixture, SavingWritesARenameIntoEveryDataset)
{
    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Amount"));
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(window->Save());
    EXPECT_TRUE(boxes.Calls().empty());
    for (const char* file : {"nursery_order.prm", "weekend_sale.prm"})
    {
        std::string text = ReadFileBytes(dir.File(file));
        EXPECT_NE(text.find("[Amount]"), std::string::npos) << file << " has the new name the script refers to";
        EXPECT_EQ(text.find("[Quantity]"), std::string::npos) << file;
    }
    EXPECT_EQ(std::string(Manager().GetActiveParamFilePath()), dir.File("nursery_order.prm")) << "still current";
    EXPECT_STREQ(Manager().GetActiveParamName(), "Amount");
    EXPECT_TRUE(window->ConfirmClose());
    EXPECT_TRUE(boxes.Calls().empty()) << "nothing left to save";
}

TEST_F(DatasetEditorFixture, AFailedSaveIsReportedOnceWithTheFilesAndKeepsTheChanges)
{
    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Amount"));
    CMessageBoxRecorder boxes;
    {
        CFileSizeLimit limit;
        EXPECT_FALSE(window->Save());
    }
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.LastText().rfind("Failed to save the parameters.\n" + dir.File("nursery_order.prm") + ": ", 0), 0u);
    EXPECT_NE(boxes.LastText().find(dir.File("weekend_sale.prm") + ": "), std::string::npos);
    EXPECT_NE(ReadFileBytes(dir.File("Action.c")).find("{Quantity}"), std::string::npos) << "nor the script";

    ASSERT_TRUE(window->Save());
    EXPECT_NE(ReadFileBytes(dir.File("weekend_sale.prm")).find("[Amount]"), std::string::npos);
    EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(DatasetEditorFixture, SwitchingDatasetsAloneLeavesNothingToSave)
{
    std::vector<std::string> datasets;
    Manager().GetAllDatasets(datasets);
    ASSERT_EQ(datasets.size(), 2u);
    Manager().SaveDatasetIfModified("nursery_order");
    Manager().LoadDataset("weekend_sale");
    CMessageBoxRecorder boxes;
    EXPECT_TRUE(window->ConfirmClose());
    EXPECT_TRUE(boxes.Calls().empty()) << "the other dataset is as its file holds it";

    Manager().SetParamAttrib("CouponCode", "CurrentValue", "SPRING9");
    boxes.Answer(IDYES);
    EXPECT_TRUE(window->ConfirmClose());
    ASSERT_EQ(boxes.Calls().size(), 1u) << "a change to the other dataset counts";
    EXPECT_NE(ReadFileBytes(dir.File("weekend_sale.prm")).find("SPRING9"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.File("nursery_order.prm")).find("SPRING9"), std::string::npos);
}

TEST_F(EditorFixture, SwitchingTheServerAttributesKeepsTheInputOnTheTab)
{
    window->show();
    ASSERT_TRUE(Manager().SetActiveParamName("VuserId"));
    Manager().UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, "VuserId");
    CWnd* pane = CWnd::FromHandle(AfxHandleFromWidget(window->ParameterPane()));
    ASSERT_NE(pane, nullptr);
    CWnd* formats = FindControl(*pane, IDC_FORMAT_LIST);
    ASSERT_NE(formats, nullptr);
    ASSERT_NE(formats->GetDlgItem(IDC_COMBO_EDIT), nullptr);
    ui::ReplaceText(*formats->GetDlgItem(IDC_COMBO_EDIT), "%05s");
    window->SetOption(OPT_SERVER_ENCRYPT, true);
    EXPECT_EQ(Manager().GetParamAttrib("VuserId", "Format"), "%05s");
    EXPECT_TRUE(Manager().Custom_GetOptions() & OPT_SERVER_ENCRYPT);
    window->SetOption(OPT_SERVER_ENCRYPT, false);
}

TEST_F(DatasetEditorFixture, TurningDatasetsOffKeepsTheDatasetTheAuthorIsOn)
{
    Manager().SaveDatasetIfModified("nursery_order");
    Manager().LoadDataset("weekend_sale");
    window->SetOption(OPT_DATASETS, false);
    EXPECT_EQ(std::string(Manager().GetActiveParamFilePath()), dir.File("weekend_sale.prm"));
    EXPECT_EQ(Manager().GetParamAttrib("GroupName", "OriginalValue"), "weekend_shoppers");
    window->SetOption(OPT_DATASETS, true);
    EXPECT_EQ(std::string(Manager().GetActiveParamFilePath()), dir.File("weekend_sale.prm"));
}

// The data table editor inside the editor window keeps its place while the
// dialogs it opens come and go.
TEST_F(EditorFixture, TheFileTabsEditorSurvivesItsOwnDialogs)
{
    window->show();
    ASSERT_TRUE(Manager().SetActiveParamName("CustomerEmail"));
    Manager().UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, nullptr);
    QApplication::processEvents();
    CWnd* pane = CWnd::FromHandle(AfxHandleFromWidget(window->ParameterPane()));
    CWnd* pAdd = FindControl(*pane, IDC_TABLE_ADD_COLUMN);
    ASSERT_NE(pAdd, nullptr);
    CModalScripts modals;
    modals.Add(
        [](CWnd& dialog)
        {
            dialog.GetDlgItem(IDC_ADD_COLUMN_NAME)->SetWindowText("Phone");
            ui::Click(*dialog.GetDlgItem(IDOK));
        });
    ui::Click(*pAdd);
    QApplication::processEvents();
    EXPECT_TRUE(modals.AllUsed());
    EXPECT_EQ(FindControl(*pane, IDC_TABLE_ADD_COLUMN), pAdd);
    EXPECT_NE(ReadFileBytes(dir.File("customers.dat")).find("Phone"), std::string::npos);

    modals.Add([](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDCANCEL); });
    ui::Click(*FindControl(*pane, IDC_TABLE_SIMULATE));
    QApplication::processEvents();
    EXPECT_TRUE(modals.AllUsed());
    CWnd* pAddAfter = FindControl(*pane, IDC_TABLE_ADD_COLUMN);
    ASSERT_NE(pAddAfter, nullptr) << "the editor is still on show after the simulation";
    EXPECT_TRUE(pAddAfter->GetParent()->IsWindowVisible());
}
