#pragma once

// The tree control's window: a one-column QTreeWidget whose current item is
// the Win32 selection. Every move of the selection is offered to the parent
// first (TVN_SELCHANGING) and reported after (TVN_SELCHANGED), whether a
// click, a key or the program moves it. Labels are edited in an edit control
// of the tree's own, a child window with a CEdit of its own.

#include "AfxTypes.h"

#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <string>
#include <unordered_map>
#include <vector>

class CImageList;
class CTreeItem;
class QLineEdit;

class CTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    CTreeWidget(QWidget* pParent, DWORD dwStyle);
    ~CTreeWidget() override;

    // Items by handle: null for TVI_ constants, unknown and deleted handles.
    CTreeItem* Item(HTREEITEM hItem) const;
    static CTreeItem* ItemOf(QTreeWidgetItem* pItem);
    // A new item with a handle of its own, not yet in the tree.
    CTreeItem* NewItem(const QString& text, int nImage, int nSelectedImage);
    UINT ItemCount() const { return static_cast<UINT>(m_mapItems.size()); }
    // Deletes the item and its children, TVN_DELETEITEM for each first; a
    // selection inside moves to a neighbour.
    void RemoveItem(CTreeItem* pItem);
    void RemoveAllItems();

    CTreeItem* SelectedItem() const;
    // Selects as the program does (TVC_UNKNOWN); false when the parent refused.
    bool SelectItem(CTreeItem* pItem);

    void SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const { return m_pImageList; }
    void UpdateIcon(CTreeItem* pItem);

    // Rectangles and points in the control's client coordinates. A null
    // rectangle: the item is inside a collapsed parent.
    QRect ItemRect(CTreeItem* pItem, bool bTextOnly) const;
    CTreeItem* HitTest(const QPoint& pt, UINT& nFlags) const;

    // Opens the label editor (null when TVN_BEGINLABELEDIT refused).
    QLineEdit* EditLabel(CTreeItem* pItem);
    QLineEdit* LabelEditor() const { return m_pEditor; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* pEvent) const override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    LRESULT Notify(UINT nCode, NMHDR* pHeader) const;
    DWORD Style() const;
    TVITEM ItemInfo(CTreeItem* pItem) const;
    bool AllowMove(const QModelIndex& from, const QModelIndex& to);
    void Moved(const QModelIndex& from, const QModelIndex& to);
    void SetCurrentQuietly(CTreeItem* pItem);
    // Tells the parent that a deleted selection went to pNext.
    void ReportSelectionGone(const TVITEM& old, CTreeItem* pNext);
    void NotifyDeleted(CTreeItem* pItem);
    void ForgetHandles(CTreeItem* pItem);
    void LabelParts(CTreeItem* pItem, QRect& rcIcon, QRect& rcLabel) const;
    QLineEdit* CreateEditor(CTreeItem* pItem);
    void PlaceEditor();
    void EndEdit(bool bCancel);
    void DestroyEditor();
    void EditOnClick();

    std::unordered_map<HTREEITEM, CTreeItem*> m_mapItems;
    CImageList* m_pImageList = nullptr;
    std::vector<QPixmap> m_pixmaps;
    UINT m_nAction = TVC_UNKNOWN; // how the selection is being moved
    int m_nQuiet = 0;             // moves the parent is not told about
    QPointer<QLineEdit> m_pEditor;
    HTREEITEM m_hEditItem = nullptr;
    bool m_bEnding = false;
    // A click on the selected item's label edits it unless a double-click follows.
    QTimer m_timerEdit;
    HTREEITEM m_hClickEdit = nullptr;
};
