#include "TestDialogs.h"
#include "UiDriver.h"

#include "afx/Dialog.h"
#include "afx/Edit.h"
#include "afx/TreeCtrl.h"

#include <gtest/gtest.h>

namespace
{
// An edit that handles its own change notification: the parent never sees it.
class CSelfCheckingEdit : public CEdit
{
public:
    int m_nChanges = 0;

protected:
    void OnReflectedChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

// Learns its window's text once it has subclassed the control.
class CPreparedEdit : public CEdit
{
public:
    std::string m_strSeen = "<never>";

protected:
    void PreSubclassWindow() override { GetWindowText(m_strSeen); }
};

BEGIN_MESSAGE_MAP(CSelfCheckingEdit, CEdit)
ON_CONTROL_REFLECT(EN_CHANGE, &CSelfCheckingEdit::OnReflectedChange)
END_MESSAGE_MAP()

class CSelfLimitingTree : public CTreeCtrl
{
public:
    int m_nBeginEdits = 0;

protected:
    void OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
    {
        ++m_nBeginEdits;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfLimitingTree, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, &CSelfLimitingTree::OnBeginLabelEdit)
END_MESSAGE_MAP()

class CParentDlg : public CDialog
{
public:
    explicit CParentDlg(UINT nIDTemplate) : CDialog(nIDTemplate) { AddTestDialogs(); }
    std::vector<std::string> m_events;

protected:
    void OnNameChange() { m_events.push_back("parent change"); }
    void OnTreeKey(NMHDR* pHeader, LRESULT* pResult)
    {
        m_events.push_back("key " + std::to_string(reinterpret_cast<NMTVKEYDOWN*>(pHeader)->wVKey));
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentDlg, CDialog)
ON_EN_CHANGE(IDC_NAME, &CParentDlg::OnNameChange)
ON_NOTIFY(TVN_KEYDOWN, IDC_TREE, &CParentDlg::OnTreeKey)
END_MESSAGE_MAP()
} // namespace

TEST(Reflection, ControlHandlesItsOwnNotificationBeforeTheParent)
{
    CParentDlg dlg(IDD_TEST_FORM);
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CSelfCheckingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_NAME, &dlg));
    dlg.m_events.clear();
    edit.SetWindowText("new text");
    EXPECT_EQ(edit.m_nChanges, 1);
    EXPECT_TRUE(dlg.m_events.empty());
    dlg.DestroyWindow();
}

TEST(Reflection, TreeSubclassSeesItsLabelEditAndProgramKeysReachTheTree)
{
    CParentDlg dlg(IDD_TEST_TREE);
    ASSERT_TRUE(dlg.Create(IDD_TEST_TREE));
    CSelfLimitingTree tree;
    ASSERT_TRUE(tree.SubclassDlgItem(IDC_TREE, &dlg));
    ui::ShowAndActivate(dlg);
    HTREEITEM item = tree.InsertItem("first");
    tree.SelectItem(item);
    tree.SetFocus();
    ASSERT_NE(tree.EditLabel(item), nullptr);
    EXPECT_EQ(tree.m_nBeginEdits, 1);

    dlg.m_events.clear();
    tree.SendMessage(WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ(dlg.m_events, std::vector<std::string>{"key " + std::to_string(VK_INSERT)})
        << "a WM_KEYDOWN from the program acts like the key";
    dlg.DestroyWindow();
}

TEST(Reflection, ASubclassIsPreparedOnceItOwnsTheControl)
{
    CParentDlg dlg(IDD_TEST_FORM);
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    dlg.SetDlgItemText(IDC_NAME, "before");
    CPreparedEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_NAME, &dlg));
    EXPECT_EQ(edit.m_strSeen, "before");
    EXPECT_EQ(CWnd::FromHandle(edit.m_hWnd), &edit);
    dlg.DestroyWindow();
}
