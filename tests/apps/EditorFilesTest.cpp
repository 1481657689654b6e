#include "EditorFixture.h"
#include "RecentScripts.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/ComboBox.h"
#include "resources/DatasetDialogs.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSettings>

namespace fs = std::filesystem;

namespace
{
bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// An editor window that starts without a script, as from the desktop.
struct EmptyEditorFixture : ::testing::Test
{
    CTempDir dir;
    CEditorWindow window{kDatFile, OPT_DATASETS};
};
} // namespace

TEST_F(EmptyEditorFixture, AScriptThatCannotBeOpenedSaysWhyAndOffersAnother)
{
    dir.Write("notes.txt", "not a script");
    dir.Write("empty/readme", "");
    const struct
    {
        std::string strPath;
        const char* reason;
    } cases[] = {
        {dir.File("missing.usr"), "no such file"},
        {dir.File("notes.txt"), "not a script"},
        {dir.File("empty"), "no .usr file"},
    };
    for (const auto& c : cases)
    {
        CMessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        EXPECT_FALSE(window.OpenPath(c.strPath));
        ASSERT_EQ(boxes.Calls().size(), 1u) << c.strPath;
        EXPECT_TRUE(Contains(boxes.LastText(), c.reason)) << boxes.LastText();
        EXPECT_TRUE(Contains(boxes.LastText(), "choose another script"));
        EXPECT_EQ(boxes.Calls()[0].strCaption, QGuiApplication::applicationDisplayName().toStdString())
            << "titled like the window";
        EXPECT_FALSE(window.HasScript());
        EXPECT_EQ(window.StateText().toStdString(), "No script is open. Choose File > Open to open one.");
        EXPECT_FALSE(window.Action("&Save")->isEnabled());
    }

    // Yes chooses another script, which opens.
    CopyExample(dir.File("good"));
    CMessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    CFileDialogScripts files;
    files.Choose(dir.File("good/nursery_order.usr"));
    window.OpenPath(dir.File("missing.usr"));
    EXPECT_TRUE(files.AllUsed());
    ASSERT_TRUE(window.HasScript());
    EXPECT_EQ(window.Script().GetUsrFile(), dir.File("good/nursery_order.usr"));
    EXPECT_TRUE(Contains(window.windowTitle().toStdString(), "nursery_order"));
}

TEST_F(EmptyEditorFixture, AScriptWithoutParameterFileOpensEmptyAndTheFirstSaveCreatesIt)
{
    CopyExample(dir.Path());
    fs::remove(dir.File("nursery_order.prm"));
    fs::remove(dir.File("weekend_sale.prm"));
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(window.OpenPath(dir.Path()));
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.LastText();
    std::vector<std::string> names;
    window.Manager().EnumParamNames(&names);
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(window.IsModified());

    ASSERT_TRUE(window.Manager().CreateNewParameter("OrderId", "Custom", "1001"));
    EXPECT_TRUE(window.IsModified());
    ASSERT_TRUE(window.Save());
    EXPECT_TRUE(Contains(ReadFileBytes(dir.File("nursery_order.prm")), "[OrderId]"));
    EXPECT_FALSE(window.IsModified());
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.LastText();
}

TEST_F(EmptyEditorFixture, ContentThatIsNoParameterIsKeptWithAWarning)
{
    CopyExample(dir.Path());
    std::string original = ReadFileBytes(dir.File("nursery_order.prm"));
    dir.Write("nursery_order.prm", "; a comment is no news\nVersion=7\n" + original + "[CouponCode]\nType=Custom\n");
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(window.OpenPath(dir.Path()));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const std::string& text = boxes.LastText();
    EXPECT_TRUE(Contains(text, "holds 3 line(s) that are no parameter")) << text;
    EXPECT_TRUE(Contains(text, "Version=7\n    [CouponCode]\n    Type=Custom")) << text;
    EXPECT_FALSE(Contains(text, "a comment")) << text;
    EXPECT_TRUE(Contains(text, "kept as they are")) << text;
    EXPECT_EQ(boxes.Calls()[0].strCaption, QGuiApplication::applicationDisplayName().toStdString());

    window.Manager().SetParamAttrib("Quantity", "OriginalValue", "3");
    ASSERT_TRUE(window.Save());
    std::string saved = ReadFileBytes(dir.File("nursery_order.prm"));
    EXPECT_TRUE(Contains(saved, "Version=7\n"));
    EXPECT_TRUE(Contains(saved, "[CouponCode]\nType=Custom\n"));
}

TEST(RecentScripts, KeepTheLastTenNewestFirstEachOnce)
{
    CRecentScripts recent;
    recent.Clear();
    for (int i = 0; i < 12; ++i)
        recent.Add("/scripts/s" + std::to_string(i) + ".usr");
    recent.Add("/scripts/s5.usr");
    std::vector<std::string> paths = recent.Get();
    ASSERT_EQ(paths.size(), 10u);
    EXPECT_EQ(paths[0], "/scripts/s5.usr");
    EXPECT_EQ(paths[1], "/scripts/s11.usr");
    EXPECT_EQ(paths[9], "/scripts/s2.usr");
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "/scripts/s1.usr"), 0) << "the oldest left the list";
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "/scripts/s5.usr"), 1);
    recent.Remove("/scripts/s11.usr");
    EXPECT_EQ(recent.Get()[1], "/scripts/s10.usr");
    recent.Clear();
}

TEST_F(EmptyEditorFixture, OpenRecentListsOpenedScriptsAndDropsOnesThatAreGone)
{
    CRecentScripts().Clear();
    CopyExample(dir.File("a"));
    CopyExample(dir.File("b"));
    ASSERT_TRUE(window.OpenPath(dir.File("a")));
    ASSERT_TRUE(window.OpenPath(dir.File("b/nursery_order.prm")));
    EXPECT_EQ(CRecentScripts().Get(),
              (std::vector<std::string>{dir.File("b/nursery_order.usr"), dir.File("a/nursery_order.usr")}));
    QMenu* menu = nullptr;
    for (QMenu* each : window.findChildren<QMenu*>())
        if (each->title() == "Open &Recent")
            menu = each;
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isEnabled());
    QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 4) << "two scripts, a separator and Clear Menu";
    EXPECT_TRUE(entries[1]->text().endsWith("a/nursery_order.usr"));

    fs::remove_all(dir.File("a"));
    CMessageBoxRecorder boxes;
    entries[1]->trigger();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(Contains(boxes.LastText(), "removed from the recent scripts"));
    EXPECT_EQ(CRecentScripts().Get(), std::vector<std::string>{dir.File("b/nursery_order.usr")});
    EXPECT_EQ(window.Script().GetUsrFile(), dir.File("b/nursery_order.usr")) << "the open script stays";
    CRecentScripts().Clear();
}

TEST_F(EditorFixture, OpeningAnotherScriptAsksAboutUnsavedChangesFirst)
{
    CopyExample(dir.File("other"));
    Editor(0)->appendPlainText("// unsaved");
    CMessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    CFileDialogScripts files;
    files.Choose(dir.File("other/nursery_order.usr"));
    window->OpenDialog();
    EXPECT_EQ(window->Script().GetDirectory(), dir.Path()) << "Cancel keeps the script";

    boxes.Answer(IDNO);
    files.Add(
        [this](const CFileDialog& dialog)
        {
            EXPECT_TRUE(dialog.IsOpenDialog());
            EXPECT_EQ(dialog.GetNameFilters().front(), "Scripts (*.usr *.prm)");
            EXPECT_STREQ(dialog.m_ofn.lpstrInitialDir, dir.Path().c_str()) << "the open script's folder";
            return dir.File("other/nursery_order.usr");
        });
    window->OpenDialog();
    EXPECT_EQ(window->Script().GetDirectory(), dir.File("other"));
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_FALSE(Contains(ReadFileBytes(dir.File("vuser_init.c")), "// unsaved"));
    EXPECT_FALSE(window->IsModified());
}

TEST_F(EditorFixture, RevertToSavedGoesBackToTheFilesAfterAsking)
{
    Editor(1)->appendPlainText("// unsaved");
    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Amount"));
    EXPECT_TRUE(window->Action("Re&vert to Saved")->isEnabled());
    CMessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    window->RevertToSaved();
    EXPECT_TRUE(Manager().IsExistingParamName("Amount")) << "Cancel keeps the changes";

    boxes.Answer(IDOK);
    window->RevertToSaved();
    EXPECT_TRUE(Manager().IsExistingParamName("Quantity"));
    EXPECT_FALSE(Contains(ActionText(), "// unsaved"));
    EXPECT_TRUE(Contains(ActionText(), "{Quantity}"));
    EXPECT_FALSE(window->IsModified());
    EXPECT_FALSE(window->Action("Re&vert to Saved")->isEnabled());
    EXPECT_FALSE(window->Action("&Save")->isEnabled());
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(EditorFixture, RenamingAParameterChangesItsNameAloneInTheFile)
{
    // Written once by the engine, the file is in the form it writes.
    Manager().SetParamAttrib("CouponCode", "CurrentValue", "AUTUMN5");
    ASSERT_TRUE(window->Save());
    std::string before = ReadFileBytes(dir.File("nursery_order.prm"));
    ASSERT_TRUE(Contains(before, "[GroupName]"));

    ASSERT_TRUE(Manager().SetActiveParamName("GroupName"));
    ASSERT_TRUE(Manager().RenameActiveParam("Shoppers"));
    ASSERT_TRUE(window->Save());
    EXPECT_EQ(ReadFileBytes(dir.File("nursery_order.prm")), Replaced(before, "[GroupName]", "[Shoppers]"));
}

// The dataset bar saves the dataset it leaves; the editor writes the rest of
// the script with it, so the text and the parameter files agree on the names.
TEST_F(DatasetEditorFixture, SwitchingDatasetsWritesTheScriptWithTheParameterFiles)
{
    window->show();
    ASSERT_TRUE(Manager().SetActiveParamName("Quantity"));
    ASSERT_TRUE(Manager().RenameActiveParam("Amount"));
    CWnd* pane = CWnd::FromHandle(AfxHandleFromWidget(window->ParameterPane()));
    auto* datasets = dynamic_cast<CComboBox*>(FindControl(*pane, IDC_DATASET_COMBO));
    ASSERT_NE(datasets, nullptr);
    CMessageBoxRecorder boxes;
    ui::ChooseComboItem(*datasets, datasets->FindStringExact(-1, "weekend_sale"));
    ui::ProcessEvents();

    EXPECT_EQ(std::string(Manager().GetActiveParamFilePath()), dir.File("weekend_sale.prm"));
    EXPECT_TRUE(Contains(ReadFileBytes(dir.File("Action.c")), "{Amount}"));
    for (const char* file : {"nursery_order.prm", "weekend_sale.prm"})
        EXPECT_TRUE(Contains(ReadFileBytes(dir.File(file)), "[Amount]")) << file;
    EXPECT_TRUE(Contains(window->windowTitle().toStdString(), "[weekend_sale]"));
    EXPECT_TRUE(Contains(window->StateText().toStdString(), "dataset weekend_sale"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->ConfirmClose());
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.LastText();
}
