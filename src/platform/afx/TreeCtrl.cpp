#include "TreeCtrl.h"

#include "ControlFactory.h"
#include "DebugOutput.h"
#include "Edit.h"
#include "Notify.h"
#include "TreeItem.h"
#include "TreeWidget.h"

#include <QLineEdit>

namespace
{
HTREEITEM HandleOf(QTreeWidgetItem* pItem)
{
    return pItem ? CTreeWidget::ItemOf(pItem)->m_hItem : nullptr;
}

// Position among the parent's children for TVI_FIRST, TVI_LAST, TVI_SORT or
// after a sibling; -1 when hInsertAfter is no child of the parent.
int InsertIndex(CTreeWidget& tree, QTreeWidgetItem* pParent, const QString& text, HTREEITEM hInsertAfter)
{
    if (hInsertAfter == TVI_FIRST)
        return 0;
    if (hInsertAfter == TVI_LAST || !hInsertAfter)
        return pParent->childCount();
    if (hInsertAfter == TVI_SORT)
    {
        // After the items with an equal label, as Win32 does.
        int index = 0;
        while (index < pParent->childCount() && CTreeItem::CompareLabels(pParent->child(index)->text(0), text) <= 0)
            ++index;
        return index;
    }
    CTreeItem* after = tree.Item(hInsertAfter);
    int index = after ? pParent->indexOfChild(after) : -1;
    return index < 0 ? -1 : index + 1;
}

QTreeWidgetItem* LastVisible(CTreeWidget& tree)
{
    QTreeWidgetItem* item = tree.invisibleRootItem();
    while (item->childCount() && (item == tree.invisibleRootItem() || item->isExpanded()))
        item = item->child(item->childCount() - 1);
    return item == tree.invisibleRootItem() ? nullptr : item;
}

QTreeWidgetItem* Sibling(QTreeWidgetItem* pItem, int nOffset)
{
    QTreeWidgetItem* parent = pItem->parent() ? pItem->parent() : pItem->treeWidget()->invisibleRootItem();
    return parent->child(parent->indexOfChild(pItem) + nOffset);
}
} // namespace

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_TREEVIEW, "", dwStyle, rect, pParentWnd, nID);
}

CTreeWidget* CTreeCtrl::Tree() const
{
    return qobject_cast<CTreeWidget*>(GetWidget());
}

// Items

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(lpszItem, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    CTreeWidget* tree = Tree();
    if (!tree)
        return nullptr;
    QTreeWidgetItem* parent = !hParent || hParent == TVI_ROOT ? tree->invisibleRootItem() : tree->Item(hParent);
    QString text = QString::fromUtf8(lpszItem ? lpszItem : "");
    int index = parent ? InsertIndex(*tree, parent, text, hInsertAfter) : -1;
    if (index < 0)
    {
        OutputDebugStringA("CTreeCtrl::InsertItem: the parent or the item to insert after is not in the tree\n");
        return nullptr;
    }
    CTreeItem* item = tree->NewItem(text, nImage, nSelectedImage);
    parent->insertChild(index, item);
    return item->m_hItem;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (hItem == TVI_ROOT)
        return DeleteAllItems();
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    tree->RemoveItem(item);
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    CTreeWidget* tree = Tree();
    if (!tree)
        return FALSE;
    tree->RemoveAllItems();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const
{
    CTreeWidget* tree = Tree();
    return tree ? tree->ItemCount() : 0;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    CTreeWidget* tree = Tree();
    if (!tree)
        return nullptr;
    switch (nCode)
    {
    case TVGN_ROOT:
        return HandleOf(tree->topLevelItem(0));
    case TVGN_CARET:
        return HandleOf(tree->SelectedItem());
    case TVGN_FIRSTVISIBLE:
        return HandleOf(tree->itemAt(0, 0));
    case TVGN_LASTVISIBLE:
        return HandleOf(LastVisible(*tree));
    case TVGN_DROPHILITE:
        return nullptr;
    default:
        break;
    }
    if (nCode == TVGN_CHILD && (!hItem || hItem == TVI_ROOT))
        return HandleOf(tree->topLevelItem(0));
    CTreeItem* item = tree->Item(hItem);
    if (!item)
        return nullptr;
    switch (nCode)
    {
    case TVGN_NEXT:
        return HandleOf(Sibling(item, 1));
    case TVGN_PREVIOUS:
        return HandleOf(Sibling(item, -1));
    case TVGN_PARENT:
        return HandleOf(item->parent());
    case TVGN_CHILD:
        return HandleOf(item->child(0));
    case TVGN_NEXTVISIBLE:
        return HandleOf(tree->itemBelow(item));
    case TVGN_PREVIOUSVISIBLE:
        return HandleOf(tree->itemAbove(item));
    default:
        return nullptr;
    }
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    return item && item->childCount() > 0;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!tree || (hItem && !item))
        return FALSE;
    return tree->SelectItem(item);
}

std::string CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    return item ? item->text(0).toUtf8().toStdString() : std::string();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    item->setText(0, QString::fromUtf8(lpszItem ? lpszItem : ""));
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    return item ? item->m_dwData : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    item->m_dwData = dwData;
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    nImage = item->m_nImage;
    nSelectedImage = item->m_nSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    item->m_nImage = nImage;
    item->m_nSelectedImage = nSelectedImage;
    tree->UpdateIcon(item);
    return TRUE;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item || !(nCode & TVE_TOGGLE))
        return FALSE;
    item->setExpanded(nCode == TVE_TOGGLE ? !item->isExpanded() : nCode == TVE_EXPAND);
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    if (!item)
        return FALSE;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree->scrollToItem(item);
    return TRUE;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    CTreeWidget* tree = Tree();
    if (!tree)
        return FALSE;
    QTreeWidgetItem* parent = !hItem || hItem == TVI_ROOT ? tree->invisibleRootItem() : tree->Item(hItem);
    if (!parent)
        return FALSE;
    // The model sorts in place: the selection and expanded items stay as they are.
    parent->sortChildren(0, Qt::AscendingOrder);
    return TRUE;
}

// Geometry

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    QRect rect = item ? tree->ItemRect(item, bTextOnly) : QRect();
    if (rect.isNull() || !lpRect)
        return FALSE;
    *lpRect = CRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info;
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    CTreeWidget* tree = Tree();
    if (!tree || !pHitTestInfo)
        return nullptr;
    pHitTestInfo->hItem = HandleOf(tree->HitTest(QPoint(pHitTestInfo->pt.x, pHitTestInfo->pt.y), pHitTestInfo->flags));
    return pHitTestInfo->hItem;
}

// Images

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    CTreeWidget* tree = Tree();
    if (!tree || nImageListType != TVSIL_NORMAL)
        return nullptr;
    CImageList* previous = tree->GetImageList();
    tree->SetImageList(pImageList);
    return previous;
}

CImageList* CTreeCtrl::GetImageList(int nImageListType) const
{
    CTreeWidget* tree = Tree();
    return tree && nImageListType == TVSIL_NORMAL ? tree->GetImageList() : nullptr;
}

// Label editing

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    CTreeWidget* tree = Tree();
    CTreeItem* item = tree ? tree->Item(hItem) : nullptr;
    QLineEdit* editor = item ? tree->EditLabel(item) : nullptr;
    return editor ? dynamic_cast<CEdit*>(CWnd::FromWidget(editor)) : nullptr;
}

CEdit* CTreeCtrl::GetEditControl() const
{
    CTreeWidget* tree = Tree();
    QLineEdit* editor = tree ? tree->LabelEditor() : nullptr;
    return editor ? dynamic_cast<CEdit*>(CWnd::FromWidget(editor)) : nullptr;
}

LRESULT CTreeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RBUTTONDOWN)
    {
        // The tree's own right-button handling: a window that handles the
        // message without the default sends no NM_RCLICK, as in Win32.
        NMHDR header;
        AfxSendNotify(m_hWnd, NM_RCLICK, &header);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
