#include "TestDialogs.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/DataExchange.h"
#include "afx/Dialog.h"
#include "afx/Edit.h"
#include "afx/ImageList.h"
#include "afx/TreeCtrl.h"
#include "afx/TreeItem.h"
#include "afx/TreeWidget.h"
#include "afx/WndEventBridge.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
// The label-editing pattern of CTreeCtrl: while the editor is open, Enter,
// Escape and Delete go to it instead of the dialog. Optionally selects the
// item under a right click instead of the default handling.
class CLabelTree : public CTreeCtrl
{
public:
    bool m_bSelectOnRightClick = false;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (GetEditControl() && pMsg->message == WM_KEYDOWN &&
            (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_DELETE))
        {
            TranslateMessage(pMsg);
            DispatchMessage(pMsg);
            return TRUE;
        }
        return CTreeCtrl::PreTranslateMessage(pMsg);
    }

protected:
    void OnRButtonDown(UINT nFlags, CPoint point)
    {
        if (!m_bSelectOnRightClick)
        {
            CTreeCtrl::OnRButtonDown(nFlags, point);
            return;
        }
        UINT flags = 0;
        HTREEITEM hItem = HitTest(point, &flags);
        if (hItem && (flags & TVHT_ONITEM))
            SelectItem(hItem);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLabelTree, CTreeCtrl)
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

// Records what the tree tells its parent, as "what item>item how" lines.
class CTreeDlg : public CDialog
{
public:
    CTreeDlg() : CDialog(IDD_TEST_TREE) { AddTestDialogs(); }

    CLabelTree m_tree;
    std::vector<std::string> m_events;
    bool m_bVetoSelection = false;
    bool m_bVetoEdit = false;
    LRESULT m_nEndResult = TRUE;
    bool m_bReopen = false;
    int m_nLimit = 0;
    HTREEITEM m_hSelectedWhileChanging = nullptr;
    CWnd* m_pContextWnd = nullptr;

    std::string Name(HTREEITEM hItem) const
    {
        if (!hItem)
            return "-";
        std::string text = m_tree.GetItemText(hItem);
        return text.empty() ? "?" : text;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TREE, m_tree); }

    std::string Move(NMHDR* pHeader) const
    {
        auto* info = reinterpret_cast<NMTREEVIEW*>(pHeader);
        static const char* const actions[] = {"unknown", "mouse", "keyboard"};
        return Name(info->itemOld.hItem) + ">" + Name(info->itemNew.hItem) + " " + actions[info->action];
    }
    void OnSelChanging(NMHDR* pHeader, LRESULT* pResult)
    {
        m_events.push_back("changing " + Move(pHeader));
        m_hSelectedWhileChanging = m_tree.GetSelectedItem();
        *pResult = m_bVetoSelection;
    }
    void OnSelChanged(NMHDR* pHeader, LRESULT*) { m_events.push_back("changed " + Move(pHeader)); }
    void OnKeyDown(NMHDR* pHeader, LRESULT*)
    {
        m_events.push_back("key " + std::to_string(reinterpret_cast<NMTVKEYDOWN*>(pHeader)->wVKey));
    }
    void OnClick(NMHDR*, LRESULT*) { m_events.push_back("click"); }
    void OnDblClk(NMHDR*, LRESULT*) { m_events.push_back("dblclk"); }
    void OnRClick(NMHDR*, LRESULT*) { m_events.push_back("rclick"); }
    void OnDeleteItem(NMHDR* pHeader, LRESULT*)
    {
        auto* info = reinterpret_cast<NMTREEVIEW*>(pHeader);
        m_events.push_back("delete " + Name(info->itemOld.hItem) + " " + std::to_string(info->itemOld.lParam));
    }
    void OnBeginLabelEdit(NMHDR* pHeader, LRESULT* pResult)
    {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(pHeader);
        m_events.push_back(std::string("begin ") + info->item.pszText);
        if (m_nLimit && m_tree.GetEditControl())
            m_tree.GetEditControl()->LimitText(m_nLimit);
        *pResult = m_bVetoEdit;
    }
    void OnEndLabelEdit(NMHDR* pHeader, LRESULT* pResult)
    {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(pHeader);
        m_events.push_back("end " + Name(info->item.hItem) + " " +
                           (info->item.pszText ? info->item.pszText : "<cancel>"));
        if (std::exchange(m_bReopen, false))
            m_tree.EditLabel(info->item.hItem);
        *pResult = m_nEndResult;
    }
    void OnContextMenu(CWnd* pWnd, CPoint) { m_pContextWnd = pWnd; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGING, IDC_TREE, &CTreeDlg::OnSelChanging)
ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, &CTreeDlg::OnSelChanged)
ON_NOTIFY(TVN_KEYDOWN, IDC_TREE, &CTreeDlg::OnKeyDown)
ON_NOTIFY(NM_CLICK, IDC_TREE, &CTreeDlg::OnClick)
ON_NOTIFY(NM_DBLCLK, IDC_TREE, &CTreeDlg::OnDblClk)
ON_NOTIFY(NM_RCLICK, IDC_TREE, &CTreeDlg::OnRClick)
ON_NOTIFY(TVN_DELETEITEM, IDC_TREE, &CTreeDlg::OnDeleteItem)
ON_NOTIFY(TVN_BEGINLABELEDIT, IDC_TREE, &CTreeDlg::OnBeginLabelEdit)
ON_NOTIFY(TVN_ENDLABELEDIT, IDC_TREE, &CTreeDlg::OnEndLabelEdit)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

typedef std::vector<std::string> Events;

// A shown tree dialog holding alpha, beta and gamma at the root.
class TreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_TREE));
        ui::ShowAndActivate(m_dlg);
        m_hAlpha = m_dlg.m_tree.InsertItem("alpha");
        m_hBeta = m_dlg.m_tree.InsertItem("beta");
        m_hGamma = m_dlg.m_tree.InsertItem("gamma");
        m_dlg.m_events.clear();
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    CPoint LabelCentre(HTREEITEM hItem)
    {
        CRect label;
        EXPECT_TRUE(m_dlg.m_tree.GetItemRect(hItem, &label, TRUE));
        return label.CenterPoint();
    }
    void ClickLabel(HTREEITEM hItem, Qt::MouseButton button = Qt::LeftButton)
    {
        CPoint pt = LabelCentre(hItem);
        ui::ClickAt(m_dlg.m_tree, pt.x, pt.y, button);
    }
    // Edits the label of the item as F2 on the selected item does.
    CEdit* EditSelected(HTREEITEM hItem)
    {
        m_dlg.m_tree.SelectItem(hItem);
        m_dlg.m_events.clear();
        return m_dlg.m_tree.EditLabel(hItem);
    }
    CTreeItem* Item(HTREEITEM hItem) { return qobject_cast<CTreeWidget*>(m_dlg.m_tree.GetWidget())->Item(hItem); }

    CTreeDlg m_dlg;
    HTREEITEM m_hAlpha = nullptr;
    HTREEITEM m_hBeta = nullptr;
    HTREEITEM m_hGamma = nullptr;
};

std::vector<std::string> RootNames(CTreeDlg& dlg)
{
    std::vector<std::string> names;
    for (HTREEITEM h = dlg.m_tree.GetRootItem(); h; h = dlg.m_tree.GetNextSiblingItem(h))
        names.push_back(dlg.m_tree.GetItemText(h));
    return names;
}
} // namespace

TEST_F(TreeTest, InsertsSortsAndNavigates)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    tree.DeleteAllItems();
    HTREEITEM mango = tree.InsertItem("mango", TVI_ROOT, TVI_SORT);
    HTREEITEM apple = tree.InsertItem("Apple", TVI_ROOT, TVI_SORT);
    tree.InsertItem("aardvark", TVI_ROOT, TVI_LAST);
    tree.InsertItem("Banana", TVI_ROOT, TVI_SORT);
    tree.InsertItem("first", TVI_ROOT, TVI_FIRST);
    tree.InsertItem("after apple", TVI_ROOT, apple);
    EXPECT_EQ(RootNames(m_dlg), (Events{"first", "Apple", "after apple", "Banana", "mango", "aardvark"}))
        << "TVI_SORT ignores case and only looks for its place, it does not sort the others";

    HTREEITEM kiwi = tree.InsertItem("Kiwi", mango);
    HTREEITEM cherry = tree.InsertItem("cherry", mango);
    EXPECT_EQ(tree.GetChildItem(mango), kiwi);
    EXPECT_EQ(tree.GetParentItem(cherry), mango);
    EXPECT_EQ(tree.GetPrevSiblingItem(cherry), kiwi);
    EXPECT_EQ(tree.GetNextSiblingItem(cherry), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(mango));
    EXPECT_FALSE(tree.ItemHasChildren(kiwi));
    EXPECT_EQ(tree.GetCount(), 8u);

    tree.SelectItem(kiwi);
    tree.SortChildren(mango);
    EXPECT_EQ(tree.GetChildItem(mango), cherry);
    EXPECT_EQ(tree.GetSelectedItem(), kiwi) << "sorting keeps the selection";
    tree.SortChildren(TVI_ROOT);
    EXPECT_EQ(RootNames(m_dlg), (Events{"aardvark", "after apple", "Apple", "Banana", "first", "mango"}));

    EXPECT_TRUE(tree.Expand(mango, TVE_EXPAND));
    EXPECT_EQ(tree.GetNextItem(mango, TVGN_NEXTVISIBLE), cherry);
    EXPECT_EQ(tree.GetNextItem(nullptr, TVGN_LASTVISIBLE), kiwi);
    EXPECT_TRUE(tree.Expand(mango, TVE_TOGGLE));
    EXPECT_EQ(tree.GetNextItem(nullptr, TVGN_LASTVISIBLE), mango);
    EXPECT_EQ(tree.GetSelectedItem(), mango) << "collapsing moves a hidden selection up to its parent";

    EXPECT_TRUE(tree.SetItemData(cherry, 77));
    EXPECT_EQ(tree.GetItemData(cherry), 77u);
    EXPECT_TRUE(tree.SetItemText(cherry, "Cherry"));
    EXPECT_EQ(tree.GetItemText(cherry), "Cherry");
}

TEST_F(TreeTest, RejectsHandlesThatAreNotItsItems)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    HTREEITEM child = tree.InsertItem("child", m_hAlpha);
    EXPECT_EQ(tree.InsertItem("x", TVI_ROOT, child), nullptr) << "insert after an item of another parent";
    tree.DeleteItem(m_hAlpha);
    EXPECT_EQ(tree.InsertItem("x", m_hAlpha), nullptr) << "a deleted parent";
    EXPECT_EQ(tree.GetItemText(child), "") << "the child went with its parent";
    EXPECT_FALSE(tree.SelectItem(child));
    EXPECT_FALSE(tree.SetItemText(m_hAlpha, "back"));
    EXPECT_EQ(tree.GetNextSiblingItem(m_hAlpha), nullptr);
    EXPECT_EQ(tree.EditLabel(m_hAlpha), nullptr);
    HTREEITEM fresh = tree.InsertItem("fresh");
    EXPECT_NE(fresh, m_hAlpha) << "handles are never reused";
    EXPECT_NE(fresh, child);
    EXPECT_EQ(tree.GetCount(), 3u);
}

TEST_F(TreeTest, ReportsProgramMouseAndKeyboardSelection)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    EXPECT_TRUE(tree.SelectItem(m_hBeta));
    EXPECT_EQ(m_dlg.m_events, (Events{"changing ->beta unknown", "changed ->beta unknown"}));
    m_dlg.m_events.clear();
    tree.SelectItem(m_hBeta);
    EXPECT_TRUE(m_dlg.m_events.empty()) << "selecting the selected item changes nothing";

    ClickLabel(m_hGamma);
    EXPECT_EQ(m_dlg.m_events, (Events{"changing beta>gamma mouse", "changed beta>gamma mouse", "click"}));
    EXPECT_EQ(m_dlg.m_hSelectedWhileChanging, m_hBeta) << "the old item is selected while the parent is asked";

    m_dlg.m_events.clear();
    ui::PressKey(tree, Qt::Key_Up);
    EXPECT_EQ(m_dlg.m_events, (Events{"key 38", "changing gamma>beta keyboard", "changed gamma>beta keyboard"}));
    EXPECT_EQ(tree.GetSelectedItem(), m_hBeta);

    m_dlg.m_events.clear();
    ui::PressKey(tree, Qt::Key_A);
    EXPECT_EQ(m_dlg.m_events, (Events{"key 65", "changing beta>alpha keyboard", "changed beta>alpha keyboard"}))
        << "typing searches the labels";

    m_dlg.m_events.clear();
    EXPECT_TRUE(tree.SelectItem(nullptr));
    EXPECT_EQ(m_dlg.m_events, (Events{"changing alpha>- unknown", "changed alpha>- unknown"}));
}

TEST_F(TreeTest, TheFocusSelectsTheFirstItemOfATreeWithoutSelection)
{
    m_dlg.GetDlgItem(IDC_NOTE)->SetFocus();
    m_dlg.m_tree.SetFocus();
    EXPECT_EQ(m_dlg.m_events, (Events{"changing ->alpha unknown", "changed ->alpha unknown"}));
    m_dlg.m_events.clear();
    m_dlg.GetDlgItem(IDC_NOTE)->SetFocus();
    m_dlg.m_tree.SetFocus();
    EXPECT_TRUE(m_dlg.m_events.empty()) << "a selection stays as it is";
}

TEST_F(TreeTest, RefusedSelectionStaysForProgramMouseAndKeyboard)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    tree.SelectItem(m_hBeta);
    m_dlg.m_bVetoSelection = true;
    m_dlg.m_events.clear();

    EXPECT_FALSE(tree.SelectItem(m_hGamma));
    ClickLabel(m_hAlpha);
    ui::PressKey(tree, Qt::Key_Down);
    ui::PressKey(tree, Qt::Key_End);
    EXPECT_EQ(tree.GetSelectedItem(), m_hBeta);
    EXPECT_EQ(m_dlg.m_events, (Events{"changing beta>gamma unknown", "changing beta>alpha mouse", "click", "key 40",
                                      "changing beta>gamma keyboard", "key 35", "changing beta>gamma keyboard"}));
    auto* widget = qobject_cast<CTreeWidget*>(tree.GetWidget());
    ASSERT_EQ(widget->selectedItems().size(), 1);
    EXPECT_EQ(widget->selectedItems().front(), Item(m_hBeta)) << "the highlight did not move either";
}

TEST_F(TreeTest, DeletingTellsAboutEachItemAndMovesTheSelection)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    HTREEITEM child = tree.InsertItem("b1", m_hBeta);
    tree.SetItemData(child, 7);
    tree.SelectItem(child);
    m_dlg.m_events.clear();

    EXPECT_TRUE(tree.DeleteItem(m_hBeta));
    EXPECT_EQ(m_dlg.m_events,
              (Events{"delete beta 0", "delete b1 7", "changing ?>gamma unknown", "changed ?>gamma unknown"}));
    EXPECT_EQ(tree.GetSelectedItem(), m_hGamma) << "the next sibling takes the selection";

    tree.DeleteItem(m_hGamma);
    EXPECT_EQ(tree.GetSelectedItem(), m_hAlpha) << "the last item's selection goes to the previous one";

    tree.SelectItem(nullptr);
    m_dlg.m_events.clear();
    tree.InsertItem("delta");
    tree.DeleteItem(m_hAlpha);
    EXPECT_EQ(m_dlg.m_events, (Events{"delete alpha 0"})) << "no selection, nothing to move";

    tree.SelectItem(tree.GetRootItem());
    m_dlg.m_events.clear();
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(m_dlg.m_events, (Events{"delete delta 0", "changing ?>- unknown", "changed ?>- unknown"}));
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(TreeTest, EnterInTheLabelEditorCommitsInsteadOfClosingTheDialog)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    CEdit* edit = EditSelected(m_hBeta);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(tree.GetEditControl(), edit);
    EXPECT_EQ(CWnd::GetFocus(), edit);
    std::string text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, "beta");

    ui::ReplaceText(*edit, "delta");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin beta", "end beta delta"}));
    EXPECT_EQ(tree.GetItemText(m_hBeta), "delta");
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_TRUE(m_dlg.IsWindowVisible()) << "the dialog's default button was not pressed";
    EXPECT_EQ(CWnd::GetFocus(), &tree) << "the focus is back on the tree";
}

TEST_F(TreeTest, EscapeCancelsAndARefusedEditKeepsTheLabel)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    ui::ReplaceText(*EditSelected(m_hBeta), "delta");
    ui::PressKeyOnFocus(Qt::Key_Escape);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin beta", "end beta <cancel>"}));
    EXPECT_EQ(tree.GetItemText(m_hBeta), "beta");
    EXPECT_TRUE(m_dlg.IsWindowVisible());

    m_dlg.m_events.clear();
    m_dlg.m_nEndResult = FALSE;
    ui::ReplaceText(*tree.EditLabel(m_hBeta), "delta");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin beta", "end beta delta"}));
    EXPECT_EQ(tree.GetItemText(m_hBeta), "beta");

    m_dlg.m_events.clear();
    m_dlg.m_bVetoEdit = true;
    EXPECT_EQ(tree.EditLabel(m_hBeta), nullptr);
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin beta"}));
}

TEST_F(TreeTest, EndEditHandlerMayOpenTheEditorAgain)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    m_dlg.m_nEndResult = FALSE;
    m_dlg.m_bReopen = true;
    ui::ReplaceText(*EditSelected(m_hGamma), "taken");
    ui::PressKeyOnFocus(Qt::Key_Return);
    ui::ProcessEvents();
    CEdit* again = tree.GetEditControl();
    ASSERT_NE(again, nullptr) << "the refused name is edited again";
    std::string text;
    again->GetWindowText(text);
    EXPECT_EQ(text, "gamma");
    EXPECT_EQ(CWnd::GetFocus(), again);

    m_dlg.m_nEndResult = TRUE;
    ui::ReplaceText(*again, "omega");
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin gamma", "end gamma taken", "begin gamma", "end gamma omega"}));
    EXPECT_EQ(tree.GetItemText(m_hGamma), "omega");
    EXPECT_EQ(tree.GetEditControl(), nullptr);
}

TEST_F(TreeTest, LosingTheFocusOrTheEditorCommits)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    ui::ReplaceText(*EditSelected(m_hAlpha), "first");
    m_dlg.GetDlgItem(IDC_NOTE)->SetFocus();
    EXPECT_EQ(tree.GetItemText(m_hAlpha), "first");
    EXPECT_EQ(CWnd::GetFocus(), m_dlg.GetDlgItem(IDC_NOTE)) << "the focus stays where the user put it";

    ui::ReplaceText(*tree.EditLabel(m_hAlpha), "second");
    tree.GetEditControl()->DestroyWindow();
    ui::ProcessEvents();
    EXPECT_EQ(tree.GetItemText(m_hAlpha), "second");
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_EQ(m_dlg.m_events, (Events{"begin alpha", "end alpha first", "begin first", "end first second"}));
}

TEST_F(TreeTest, LabelLimitAppliesToTyping)
{
    m_dlg.m_nLimit = 255;
    CEdit* edit = EditSelected(m_hAlpha);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetLimitText(), 255u);
    ui::ReplaceText(*edit, std::string(300, 'x'));
    EXPECT_EQ(edit->GetWindowTextLength(), 255);
    ui::PressKeyOnFocus(Qt::Key_Return);
    EXPECT_EQ(m_dlg.m_tree.GetItemText(m_hAlpha), std::string(255, 'x'));
}

TEST_F(TreeTest, ClickOnTheSelectedLabelEditsUnlessDoubleClicked)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    ClickLabel(m_hBeta);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(tree.GetEditControl(), nullptr) << "the first click only selects";
    ClickLabel(m_hBeta);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    ASSERT_NE(tree.GetEditControl(), nullptr);
    ui::PressKeyOnFocus(Qt::Key_Escape);

    m_dlg.m_events.clear();
    CPoint pt = LabelCentre(m_hBeta);
    ui::DoubleClickAt(tree, pt.x, pt.y);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_NE(std::find(m_dlg.m_events.begin(), m_dlg.m_events.end(), "dblclk"), m_dlg.m_events.end());
}

TEST_F(TreeTest, HitTestNamesThePartUnderThePoint)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 16, 1, RGB(255, 255, 255)));
    tree.SetImageList(&images, TVSIL_NORMAL);
    HTREEITEM child = tree.InsertItem("child", m_hAlpha);
    CRect label;
    CRect line;
    ASSERT_TRUE(tree.GetItemRect(m_hAlpha, &label, TRUE));
    ASSERT_TRUE(tree.GetItemRect(m_hAlpha, &line, FALSE));
    EXPECT_FALSE(tree.GetItemRect(child, &label, TRUE)) << "inside a collapsed parent";
    EXPECT_TRUE(tree.EnsureVisible(child));
    EXPECT_TRUE(tree.GetItemRect(child, &label, TRUE));
    tree.Expand(m_hAlpha, TVE_COLLAPSE);
    ASSERT_TRUE(tree.GetItemRect(m_hAlpha, &label, TRUE));
    EXPECT_TRUE(line.PtInRect(label.TopLeft()));
    EXPECT_LT(label.Width(), line.Width() / 2) << "the label is as wide as its text";

    UINT flags = 0;
    int y = label.CenterPoint().y;
    EXPECT_EQ(tree.HitTest(label.CenterPoint(), &flags), m_hAlpha);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(tree.HitTest(CPoint(label.left - 8, y), &flags), m_hAlpha);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(tree.HitTest(CPoint(label.right + 10, y), &flags), m_hAlpha);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(tree.HitTest(CPoint(line.left + 4, y), &flags), m_hAlpha);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMBUTTON)) << "alpha has a child";
    ASSERT_TRUE(tree.GetItemRect(m_hBeta, &label, TRUE));
    EXPECT_EQ(tree.HitTest(CPoint(line.left + 4, label.CenterPoint().y), &flags), m_hBeta);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMINDENT));

    TVHITTESTINFO info;
    info.pt = CPoint(label.left, line.bottom + 5 * line.Height());
    EXPECT_EQ(tree.HitTest(&info), nullptr);
    EXPECT_EQ(info.flags, static_cast<UINT>(TVHT_NOWHERE)) << "the empty area below the items";
    CRect client;
    tree.GetClientRect(&client);
    EXPECT_EQ(tree.HitTest(CPoint(client.right + 5, -5), &flags), nullptr);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_TORIGHT | TVHT_ABOVE));
}

TEST_F(TreeTest, RightClickNotifiesWithoutSelectingUnlessTheTreeSelects)
{
    CTreeCtrl& tree = m_dlg.m_tree;
    tree.SelectItem(m_hAlpha);
    m_dlg.m_events.clear();
    CPoint pt = LabelCentre(m_hGamma);
    ui::RightClick(tree, pt.x, pt.y);
    EXPECT_EQ(m_dlg.m_events, (Events{"rclick"}));
    EXPECT_EQ(tree.GetSelectedItem(), m_hAlpha);
    EXPECT_EQ(m_dlg.m_pContextWnd, &tree) << "the context menu request reaches the dialog from the tree";

    m_dlg.m_events.clear();
    m_dlg.m_tree.m_bSelectOnRightClick = true;
    ui::RightClick(tree, pt.x, pt.y);
    EXPECT_EQ(m_dlg.m_events, (Events{"changing alpha>gamma unknown", "changed alpha>gamma unknown"}))
        << "a tree handling the button itself sends no NM_RCLICK";
}

TEST_F(TreeTest, ImageListCutsTheStripAndTheTreeShowsItsImages)
{
    CImageList images;
    EXPECT_FALSE(images.Create(424242, 16, 1, RGB(255, 255, 255))) << "no such bitmap";
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 16, 1, RGB(255, 255, 255)));
    ASSERT_EQ(images.GetImageCount(), 2);
    EXPECT_EQ(qAlpha(images.GetImage(0).pixel(0, 0)), 0) << "the mask colour is transparent";
    EXPECT_EQ(images.GetImage(0).pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(images.GetImage(1).pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(images.GetImage(1).width(), 16);

    CTreeCtrl& tree = m_dlg.m_tree;
    EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &images);
    HTREEITEM file = tree.InsertItem("file", 1, 0);
    int image = -1;
    int selected = -1;
    ASSERT_TRUE(tree.GetItemImage(file, image, selected));
    EXPECT_EQ(image, 1);
    EXPECT_EQ(selected, 0);
    auto shown = [this](HTREEITEM h, QIcon::Mode mode)
    { return Item(h)->icon(0).pixmap(16, 16, mode).toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(shown(file, QIcon::Normal), images.GetImage(1));
    EXPECT_EQ(shown(file, QIcon::Selected), images.GetImage(0));
    EXPECT_EQ(shown(m_hAlpha, QIcon::Normal), images.GetImage(0)) << "items show image 0 unless told otherwise";
    tree.SetItemImage(m_hAlpha, 1, 1);
    EXPECT_EQ(shown(m_hAlpha, QIcon::Normal), images.GetImage(1));
    tree.SetItemImage(m_hAlpha, 5, 5);
    EXPECT_TRUE(Item(m_hAlpha)->icon(0).isNull()) << "an index past the list shows nothing";

    EXPECT_EQ(images.Add(images.GetImage(0)), 2);
    EXPECT_EQ(images.GetImageCount(), 3);
    EXPECT_TRUE(images.DeleteImageList());
    EXPECT_EQ(images.Add(QImage(16, 16, QImage::Format_ARGB32)), -1) << "a deleted list takes nothing";
}
