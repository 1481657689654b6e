#include "EditorFixture.h"
#include "PaneFrame.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/Process.h"
#include "resources/ListDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

namespace
{
bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The window shown and active, as the author sees it.
struct ShownEditorFixture : EditorFixture
{
    void SetUp() override
    {
        EditorFixture::SetUp();
        window->show();
        QApplication::setActiveWindow(window.get());
        window->activateWindow();
        ui::ProcessEvents();
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    // The frames of the script pane and the parameter pane, in that order.
    std::vector<CPaneFrame*> Frames() const
    {
        std::vector<CPaneFrame*> frames;
        for (QWidget* child : window->findChildren<QWidget*>())
            if (auto* frame = dynamic_cast<CPaneFrame*>(child))
                frames.push_back(frame);
        if (frames.size() == 2 && !frames[0]->isAncestorOf(window->ScriptTabs()))
            std::swap(frames[0], frames[1]);
        return frames;
    }
};

// Help opens in a browser found on the PATH, which the test chooses; every
// start of an installed program is recorded instead of run.
struct HelpEditorFixture : ShownEditorFixture
{
    QByteArray path = qgetenv("PATH");
    std::vector<std::string> urls;

    void SetUp() override
    {
        ShownEditorFixture::SetUp();
        AfxSetProcessStartHandler(
            [this](const AFX_PROCESS_START& request)
            {
                // A program that is not installed does not start.
                if (!QFileInfo(QString::fromStdString(request.strProgram)).isExecutable())
                    return FALSE;
                urls.push_back(request.args.empty() ? std::string() : request.args.back());
                return TRUE;
            });
    }
    void TearDown() override
    {
        AfxSetProcessStartHandler(nullptr);
        qputenv("PATH", path);
    }
    // A PATH that holds a browser, or nothing at all.
    void PathWithBrowser(bool bBrowser)
    {
        if (bBrowser)
        {
            dir.Write("bin/x-www-browser", "#!/bin/sh\n");
            std::filesystem::permissions(dir.File("bin/x-www-browser"), std::filesystem::perms::owner_all);
        }
        else
            std::filesystem::create_directories(dir.File("bin"));
        qputenv("PATH", dir.File("bin").c_str());
    }
};
} // namespace

TEST_F(EditorFixture, EditMenuFollowsTheScriptText)
{
    QPlainTextEdit* editor = Editor(0);
    window->ScriptTabs()->setCurrentIndex(0);
    QApplication::clipboard()->setText("pasted");
    struct STEP
    {
        const char* label;
        std::function<void()> act;
        bool bUndo, bRedo, bCopy, bReplace;
    } steps[] = {
        {"as loaded", [] {}, false, false, false, false},
        {"typed", [&] { editor->insertPlainText("x"); }, true, false, false, false},
        {"undone", [&] { window->Action("&Undo")->trigger(); }, false, true, false, false},
        {"redone", [&] { window->Action("&Redo")->trigger(); }, true, false, false, false},
        {"selected", [&] { editor->selectAll(); }, true, false, true, true},
        {"deselected", [&] { editor->moveCursor(QTextCursor::End); }, true, false, false, false},
    };
    for (const STEP& step : steps)
    {
        step.act();
        EXPECT_EQ(window->Action("&Undo")->isEnabled(), step.bUndo) << step.label;
        EXPECT_EQ(window->Action("&Redo")->isEnabled(), step.bRedo) << step.label;
        EXPECT_EQ(window->Action("&Copy")->isEnabled(), step.bCopy) << step.label;
        EXPECT_EQ(window->Action("Cu&t")->isEnabled(), step.bCopy) << step.label;
        EXPECT_EQ(window->Action("R&eplace with Parameter...")->isEnabled(), step.bReplace) << step.label;
        EXPECT_TRUE(window->Action("&Paste")->isEnabled()) << step.label;
    }
    window->Action("Select &All")->trigger();
    window->Action("Cu&t")->trigger();
    EXPECT_EQ(editor->toPlainText(), "");
    window->Action("&Paste")->trigger();
    window->Action("&Paste")->trigger();
    EXPECT_TRUE(
        editor->toPlainText().startsWith(QApplication::clipboard()->text() + QApplication::clipboard()->text()));
}

TEST_F(ShownEditorFixture, FindSelectsEachPlaceInTurnAndGoesOnFromTheTop)
{
    window->ScriptTabs()->setCurrentIndex(1);
    QPlainTextEdit* editor = Editor(1);
    editor->setPlainText("one {Quantity} two {Quantity} three");
    window->Action("&Find...")->trigger();
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClicks(Focus(), "{Quantity}");
    QTest::keyClick(Focus(), Qt::Key_Return);
    EXPECT_EQ(editor->textCursor().selectionStart(), 4);
    window->Action("Find &Next")->trigger();
    EXPECT_EQ(editor->textCursor().selectionStart(), 19);
    window->Action("Find &Next")->trigger();
    EXPECT_EQ(editor->textCursor().selectionStart(), 4) << "on from the top";

    QTest::keyClick(Focus(), Qt::Key_Escape);
    EXPECT_EQ(Focus(), editor) << "Escape gives the text the focus back";
    editor->setPlainText("nothing here");
    window->Action("Find &Next")->trigger();
    EXPECT_FALSE(editor->textCursor().hasSelection());
}

TEST_F(DatasetEditorFixture, TitleAndStatusDescribeTheState)
{
    EXPECT_EQ(window->windowTitle(), "nursery_order [nursery_order][*]");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->StateText(), "nursery_order: dataset nursery_order, 14 parameter(s), saved");
    EXPECT_FALSE(window->Action("&Save")->isEnabled());

    Editor(0)->insertPlainText("// note\n");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->Action("&Save")->isEnabled());
    EXPECT_TRUE(window->StateText().endsWith("unsaved changes"));
    Editor(0)->undo();
    EXPECT_FALSE(window->isWindowModified()) << "back to the text as saved";

    ASSERT_TRUE(Manager().CreateNewParameter("OrderId", "Custom", "1001"));
    ui::ProcessEvents();
    EXPECT_TRUE(window->isWindowModified()) << "a parameter change counts";
    EXPECT_TRUE(window->StateText().contains("15 parameter(s)"));
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(window->Save());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(boxes.Calls().empty());

    // A creation the author cancels says so, instead of an older message.
    QPlainTextEdit* editor = Editor(1);
    window->ScriptTabs()->setCurrentIndex(1);
    editor->setTextCursor(editor->document()->find("catalogue?page=1"));
    CModalScripts scripts;
    scripts.Add([](CWnd& dialog) { ui::Click(*dialog.GetDlgItem(IDCANCEL)); });
    window->ReplaceWithParameter();
    EXPECT_EQ(window->statusBar()->currentMessage(), "No parameter was created.");
}

TEST(EditorLayout, SizesAreRememberedAndBothPanesStayUsable)
{
    QSettings().remove("Window");
    CTempDir dir;
    CopyExample(dir.Path());
    QList<int> sizes;
    QSize size;
    {
        CEditorWindow window(kDatFile, 0);
        ASSERT_TRUE(window.OpenPath(dir.Path()));
        window.show();
        ui::ProcessEvents();
        auto* splitter = window.findChild<QSplitter*>();
        QList<int> first = splitter->sizes();
        EXPECT_GE(first[0], CScriptTabs::kMinWidth) << "the script gets its share";
        EXPECT_GE(first[1], window.ParameterPane()->minimumWidth());
        EXPECT_GE(window.minimumSizeHint().width(), window.ParameterPane()->minimumWidth() + CScriptTabs::kMinWidth);

        window.resize(window.minimumSizeHint() + QSize(300, 40));
        splitter->setSizes({first[0] + 200, first[1] + 100});
        ui::ProcessEvents();
        sizes = splitter->sizes();
        size = window.size();
        window.close();
    }
    CEditorWindow again(kDatFile, 0);
    ASSERT_TRUE(again.OpenPath(dir.Path()));
    again.show();
    ui::ProcessEvents();
    EXPECT_EQ(again.size(), size);
    EXPECT_EQ(again.findChild<QSplitter*>()->sizes(), sizes);
    QSettings().remove("Window");
}

TEST_F(ShownEditorFixture, TabReachesTheScriptAndEveryPaneAndTheFocusIsFramed)
{
    QPlainTextEdit* script = Editor(0);
    EXPECT_EQ(Focus(), script) << "the text has the keys at first";
    script->setFocus();
    ui::ProcessEvents();
    ASSERT_EQ(Frames().size(), 2u);
    EXPECT_TRUE(Frames()[0]->HasFocusInside());
    EXPECT_FALSE(Frames()[1]->HasFocusInside());

    QTest::keyClick(script, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_TRUE(window->ParameterPane()->isAncestorOf(Focus())) << "Ctrl+Tab leaves the text";
    EXPECT_FALSE(Frames()[0]->HasFocusInside());
    EXPECT_TRUE(Frames()[1]->HasFocusInside());

    // Tab walks the parameter pane, the list among its stops, and comes back to the text.
    CWnd* pane = CWnd::FromHandle(AfxHandleFromWidget(window->ParameterPane()));
    QWidget* tree = FindControl(*pane, IDC_PARAM_LIST_TREE)->GetWidget();
    bool bTree = false;
    int nPresses = 0;
    for (; Focus() != script && nPresses < 50; ++nPresses)
    {
        bTree = bTree || Focus() == tree || tree->isAncestorOf(Focus());
        ui::PressKeyOnFocus(Qt::Key_Tab);
    }
    EXPECT_EQ(Focus(), script) << "Tab came back after " << nPresses << " stops";
    EXPECT_TRUE(bTree);

    QTest::keyClick(script, Qt::Key_Tab);
    EXPECT_EQ(Focus(), script) << "in the text Tab types a tab";
    EXPECT_TRUE(script->toPlainText().contains('\t'));
    QTest::keyClick(script, Qt::Key_F6);
    EXPECT_TRUE(window->ParameterPane()->isAncestorOf(Focus()));
    ui::PressKeyOnFocus(Qt::Key_Backtab);
    EXPECT_EQ(Focus(), script) << "Shift+Tab before the first control goes back to the text";
    QTest::keyClick(script, Qt::Key_F6);
    ui::PressKeyOnFocus(Qt::Key_F6);
    EXPECT_EQ(Focus(), script) << "F6 goes back and forth";
    QTest::keyClick(script, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->ScriptTabs()->currentIndex(), 1) << "Ctrl+PgDown shows the next file";
}

TEST_F(HelpEditorFixture, F1OpensTheHelpOfThePaneWithTheFocus)
{
    PathWithBrowser(true);
    const std::string root = "file://" + std::string(TARVO_BINARY_DIR) + "/help/";
    Editor(0)->setFocus();
    QTest::keyClick(Editor(0), Qt::Key_F1);
    CWnd* pane = CWnd::FromHandle(AfxHandleFromWidget(window->ParameterPane()));
    CWnd* tree = FindControl(*pane, IDC_PARAM_LIST_TREE);
    tree->GetWidget()->setFocus();
    ui::PressKeyOnFocus(Qt::Key_F1);
    window->Action("&Contents")->trigger();
    EXPECT_EQ(urls, (std::vector<std::string>{root + "Tandry/Default_CSH.htm#180100",
                                              root + "WebHelp/Old_CSH_Invoker.htm?topicId=141306",
                                              root + "Tandry/Default.htm"}));
}

TEST_F(HelpEditorFixture, HelpWithoutABrowserSaysSo)
{
    PathWithBrowser(false);
    CMessageBoxRecorder boxes;
    window->Action("Help on This &Pane")->trigger();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(Contains(boxes.LastText(), "No program to show the help was found")) << boxes.LastText();
    EXPECT_EQ(boxes.Calls()[0].strCaption, QGuiApplication::applicationDisplayName().toStdString());
    EXPECT_TRUE(urls.empty());
}

TEST_F(EditorFixture, AboutNamesTheProgramAndItsVersion)
{
    CMessageBoxRecorder boxes;
    window->Action("&About Tarvo Editor")->trigger();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.LastText().rfind(QGuiApplication::applicationDisplayName().toStdString(), 0), 0u);
    EXPECT_EQ(boxes.Calls()[0].strCaption, QGuiApplication::applicationDisplayName().toStdString());
}
