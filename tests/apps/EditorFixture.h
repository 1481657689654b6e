#pragma once

// The editor window on a copy of the example script, for the editor's UI tests.

#include "EditorWindow.h"
#include "ScriptTabs.h"
#include "TempDir.h"

#include <QPlainTextEdit>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

// The visible control of that id anywhere below the window.
inline CWnd* FindControl(CWnd& root, int nID)
{
    for (CWnd* child = root.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
    {
        if (child->GetDlgCtrlID() == nID && child->IsWindowVisible())
            return child;
        if (CWnd* found = FindControl(*child, nID))
            return found;
    }
    return nullptr;
}

inline const std::string kDatFile = std::string(TARVO_BINARY_DIR) + "/dat/param.dat";

inline void CopyExample(const std::string& strTarget)
{
    std::filesystem::copy(std::string(TARVO_SOURCE_DIR) + "/examples/nursery_order", strTarget,
                          std::filesystem::copy_options::recursive);
}

// A copy of the example script in a temporary directory, open in the editor
// without datasets.
struct EditorFixture : ::testing::Test
{
    CTempDir dir;
    std::unique_ptr<CEditorWindow> window;
    CScriptLocation script;

    void SetUp() override
    {
        CopyExample(dir.Path());
        std::string error;
        ASSERT_TRUE(script.Resolve(dir.Path(), error)) << error;
        window = std::make_unique<CEditorWindow>(kDatFile, Options());
        ASSERT_TRUE(window->OpenScript(script, error)) << error;
    }

    virtual long Options() const { return 0; }
    CTarvoMgr& Manager() { return window->Manager(); }
    QPlainTextEdit* Editor(int index) { return window->ScriptTabs()->GetEditor(static_cast<size_t>(index)); }
    std::string ActionText() { return Editor(1)->toPlainText().toStdString(); }
};

// The same with the example's two datasets, nursery_order (current) and weekend_sale.
struct DatasetEditorFixture : EditorFixture
{
    long Options() const override { return OPT_DATASETS; }
};
