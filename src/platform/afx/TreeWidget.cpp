#include "TreeWidget.h"

#include "Edit.h"
#include "EditValidator.h"
#include "ImageList.h"
#include "Notify.h"
#include "Resource.h"
#include "TreeItem.h"
#include "TreeSelectionModel.h"
#include "WndEventBridge.h"
#include "WndRegistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <climits>
#include <utility>

namespace
{
HTREEITEM NextHandle()
{
    // Handles are never reused, so a deleted item's handle stays invalid.
    static uintptr_t s_nNext = 0;
    return reinterpret_cast<HTREEITEM>(++s_nNext);
}

void CollectTree(QTreeWidgetItem* pItem, std::vector<CTreeItem*>& items)
{
    items.push_back(CTreeWidget::ItemOf(pItem));
    for (int i = 0; i < pItem->childCount(); ++i)
        CollectTree(pItem->child(i), items);
}

bool Contains(QTreeWidgetItem* pOuter, QTreeWidgetItem* pItem)
{
    for (; pItem; pItem = pItem->parent())
        if (pItem == pOuter)
            return true;
    return false;
}

// Where the selection goes when its item is deleted.
CTreeItem* Neighbour(QTreeWidgetItem* pItem)
{
    QTreeWidgetItem* parent = pItem->parent() ? pItem->parent() : pItem->treeWidget()->invisibleRootItem();
    int index = parent->indexOfChild(pItem);
    if (index + 1 < parent->childCount())
        return CTreeWidget::ItemOf(parent->child(index + 1));
    if (index > 0)
        return CTreeWidget::ItemOf(parent->child(index - 1));
    return CTreeWidget::ItemOf(pItem->parent());
}
} // namespace

CTreeWidget::CTreeWidget(QWidget* pParent, DWORD dwStyle) : QTreeWidget(pParent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(dwStyle & TVS_LINESATROOT);
    setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    if (!(dwStyle & TVS_SHOWSELALWAYS))
    {
        // Without the style the selection shows only while the tree has the focus.
        QPalette colours = palette();
        colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
        colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         colours.color(QPalette::Inactive, QPalette::Text));
        setPalette(colours);
    }
    QItemSelectionModel* previous = selectionModel();
    setSelectionModel(new CTreeSelectionModel(
        model(), this, [this](const QModelIndex& from, const QModelIndex& to) { return AllowMove(from, to); },
        [this](const QModelIndex& from, const QModelIndex& to) { Moved(from, to); }));
    delete previous;
    m_timerEdit.setSingleShot(true);
    m_timerEdit.setInterval(QApplication::doubleClickInterval());
    connect(&m_timerEdit, &QTimer::timeout, this, &CTreeWidget::EditOnClick);
    // A selection hidden by collapsing its parent moves up to that parent.
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* pItem)
            {
                if (Contains(pItem, currentItem()) && pItem != currentItem())
                    SelectItem(ItemOf(pItem));
            });
}

CTreeWidget::~CTreeWidget()
{
    if (m_pEditor)
        m_pEditor->removeEventFilter(this);
}

// Items

CTreeItem* CTreeWidget::Item(HTREEITEM hItem) const
{
    auto it = m_mapItems.find(hItem);
    return it == m_mapItems.end() ? nullptr : it->second;
}

CTreeItem* CTreeWidget::ItemOf(QTreeWidgetItem* pItem)
{
    return static_cast<CTreeItem*>(pItem);
}

CTreeItem* CTreeWidget::NewItem(const QString& text, int nImage, int nSelectedImage)
{
    auto* item = new CTreeItem(NextHandle());
    item->setText(0, text);
    item->m_nImage = nImage;
    item->m_nSelectedImage = nSelectedImage;
    m_mapItems[item->m_hItem] = item;
    UpdateIcon(item);
    return item;
}

void CTreeWidget::RemoveItem(CTreeItem* pItem)
{
    if (m_pEditor && Contains(pItem, Item(m_hEditItem)))
        EndEdit(true);
    CTreeItem* selected = SelectedItem();
    bool bSelectionGoes = selected && Contains(pItem, selected);
    TVITEM old = ItemInfo(selected);
    HTREEITEM hItem = pItem->m_hItem;
    NotifyDeleted(pItem);
    if (!Item(hItem))
        return; // a handler deleted it already
    CTreeItem* next = bSelectionGoes ? Neighbour(pItem) : nullptr;
    if (bSelectionGoes)
        SetCurrentQuietly(nullptr);
    ForgetHandles(pItem);
    delete pItem;
    if (bSelectionGoes)
        ReportSelectionGone(old, next);
}

void CTreeWidget::RemoveAllItems()
{
    EndEdit(true);
    TVITEM old = ItemInfo(SelectedItem());
    for (int i = 0; i < topLevelItemCount(); ++i)
        NotifyDeleted(ItemOf(topLevelItem(i)));
    SetCurrentQuietly(nullptr);
    m_mapItems.clear();
    clear();
    if (old.hItem)
        ReportSelectionGone(old, nullptr);
}

void CTreeWidget::NotifyDeleted(CTreeItem* pItem)
{
    std::vector<CTreeItem*> items;
    CollectTree(pItem, items);
    for (CTreeItem* item : items)
    {
        NMTREEVIEW info;
        info.itemOld = ItemInfo(item);
        Notify(TVN_DELETEITEM, &info.hdr);
    }
}

void CTreeWidget::ForgetHandles(CTreeItem* pItem)
{
    std::vector<CTreeItem*> items;
    CollectTree(pItem, items);
    for (CTreeItem* item : items)
        m_mapItems.erase(item->m_hItem);
}

TVITEM CTreeWidget::ItemInfo(CTreeItem* pItem) const
{
    TVITEM info;
    if (!pItem)
        return info;
    info.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = pItem->m_hItem;
    info.lParam = static_cast<LPARAM>(pItem->m_dwData);
    info.iImage = pItem->m_nImage;
    info.iSelectedImage = pItem->m_nSelectedImage;
    info.state = (pItem == currentItem() ? TVIS_SELECTED : 0) | (pItem->isExpanded() ? TVIS_EXPANDED : 0);
    info.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    return info;
}

// Selection

CTreeItem* CTreeWidget::SelectedItem() const
{
    return ItemOf(currentItem());
}

bool CTreeWidget::SelectItem(CTreeItem* pItem)
{
    UINT action = std::exchange(m_nAction, static_cast<UINT>(TVC_UNKNOWN));
    setCurrentItem(pItem);
    m_nAction = action;
    return SelectedItem() == pItem;
}

bool CTreeWidget::AllowMove(const QModelIndex& from, const QModelIndex& to)
{
    if (m_nQuiet)
        return true;
    NMTREEVIEW info;
    info.action = m_nAction;
    info.itemOld = ItemInfo(ItemOf(itemFromIndex(from)));
    info.itemNew = ItemInfo(ItemOf(itemFromIndex(to)));
    return Notify(TVN_SELCHANGING, &info.hdr) == 0;
}

void CTreeWidget::Moved(const QModelIndex& from, const QModelIndex& to)
{
    if (m_nQuiet)
        return;
    NMTREEVIEW info;
    info.action = m_nAction;
    info.itemOld = ItemInfo(ItemOf(itemFromIndex(from)));
    info.itemNew = ItemInfo(ItemOf(itemFromIndex(to)));
    Notify(TVN_SELCHANGED, &info.hdr);
}

void CTreeWidget::SetCurrentQuietly(CTreeItem* pItem)
{
    ++m_nQuiet;
    setCurrentItem(pItem);
    --m_nQuiet;
}

void CTreeWidget::ReportSelectionGone(const TVITEM& old, CTreeItem* pNext)
{
    // The old item is gone, so the parent cannot keep it: a refusal is not honoured.
    NMTREEVIEW info;
    info.action = TVC_UNKNOWN;
    info.itemOld = old;
    info.itemNew = ItemInfo(pNext);
    Notify(TVN_SELCHANGING, &info.hdr);
    if (pNext && !Item(pNext->m_hItem))
        pNext = nullptr;
    SetCurrentQuietly(pNext);
    info.itemNew = ItemInfo(pNext);
    Notify(TVN_SELCHANGED, &info.hdr);
}

QItemSelectionModel::SelectionFlags CTreeWidget::selectionCommand(const QModelIndex&, const QEvent*) const
{
    // The selection follows the current item only (see CTreeSelectionModel).
    return QItemSelectionModel::NoUpdate;
}

// Images

void CTreeWidget::SetImageList(CImageList* pImageList)
{
    m_pImageList = pImageList;
    m_pixmaps.clear();
    if (pImageList)
    {
        for (int i = 0; i < pImageList->GetImageCount(); ++i)
            m_pixmaps.push_back(QPixmap::fromImage(pImageList->GetImage(i)));
        setIconSize(QSize(pImageList->GetImageSize().cx, pImageList->GetImageSize().cy));
    }
    for (auto& entry : m_mapItems)
        UpdateIcon(entry.second);
}

void CTreeWidget::UpdateIcon(CTreeItem* pItem)
{
    auto valid = [this](int nImage) { return nImage >= 0 && nImage < static_cast<int>(m_pixmaps.size()); };
    QIcon icon;
    if (valid(pItem->m_nImage))
        icon.addPixmap(m_pixmaps[static_cast<size_t>(pItem->m_nImage)], QIcon::Normal);
    if (valid(pItem->m_nSelectedImage))
        icon.addPixmap(m_pixmaps[static_cast<size_t>(pItem->m_nSelectedImage)], QIcon::Selected);
    pItem->setIcon(0, icon);
}

// Geometry

void CTreeWidget::LabelParts(CTreeItem* pItem, QRect& rcIcon, QRect& rcLabel) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(pItem);
    option.text = pItem->text(0);
    option.features |= QStyleOptionViewItem::HasDisplay;
    if (!pItem->icon(0).isNull())
    {
        option.icon = pItem->icon(0);
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    rcIcon = option.icon.isNull() ? QRect() : style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    // The label is as wide as its text, not the rest of the row.
    rcLabel = QRect(text.left(), option.rect.top(), fontMetrics().horizontalAdvance(option.text) + 2 * margin,
                    option.rect.height());
}

QRect CTreeWidget::ItemRect(CTreeItem* pItem, bool bTextOnly) const
{
    QRect row = visualItemRect(pItem);
    if (row.isEmpty())
        return QRect();
    QRect rect(0, row.top(), viewport()->width(), row.height());
    if (bTextOnly)
    {
        QRect icon;
        LabelParts(pItem, icon, rect);
    }
    return rect.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

CTreeItem* CTreeWidget::HitTest(const QPoint& ptClient, UINT& nFlags) const
{
    QPoint pt = viewport()->mapFrom(this, ptClient);
    QRect area = viewport()->rect();
    nFlags = (pt.x() < area.left() ? TVHT_TOLEFT : 0) | (pt.x() > area.right() ? TVHT_TORIGHT : 0) |
             (pt.y() < area.top() ? TVHT_ABOVE : 0) | (pt.y() > area.bottom() ? TVHT_BELOW : 0);
    if (nFlags)
        return nullptr;
    CTreeItem* item = ItemOf(itemAt(pt));
    if (!item)
    {
        nFlags = TVHT_NOWHERE;
        return nullptr;
    }
    QRect row = visualItemRect(item);
    QRect icon;
    QRect label;
    LabelParts(item, icon, label);
    if (pt.x() < row.left())
        nFlags = item->childCount() && pt.x() >= row.left() - indentation() ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (icon.contains(pt))
        nFlags = TVHT_ONITEMICON;
    else if (label.contains(pt))
        nFlags = TVHT_ONITEMLABEL;
    else
        nFlags = pt.x() < label.left() ? TVHT_ONITEMINDENT : TVHT_ONITEMRIGHT;
    return item;
}

// Mouse and keyboard

void CTreeWidget::mousePressEvent(QMouseEvent* pEvent)
{
    m_timerEdit.stop();
    if (pEvent->button() != Qt::LeftButton)
    {
        // Only the left button selects; the right one brings WM_RBUTTONDOWN and the context menu.
        pEvent->accept();
        return;
    }
    UINT flags = 0;
    CTreeItem* item = HitTest(mapFromGlobal(pEvent->globalPosition().toPoint()), flags);
    bool bOnSelectedLabel = item && item == SelectedItem() && (flags & TVHT_ONITEMLABEL);
    m_hClickEdit = bOnSelectedLabel && (Style() & TVS_EDITLABELS) ? item->m_hItem : nullptr;
    UINT action = std::exchange(m_nAction, static_cast<UINT>(TVC_BYMOUSE));
    QTreeWidget::mousePressEvent(pEvent);
    m_nAction = action;
}

void CTreeWidget::mouseMoveEvent(QMouseEvent* pEvent)
{
    // Dragging with a button down never moves the selection.
    if (pEvent->buttons() != Qt::NoButton)
        return;
    QTreeWidget::mouseMoveEvent(pEvent);
}

void CTreeWidget::mouseReleaseEvent(QMouseEvent* pEvent)
{
    QTreeWidget::mouseReleaseEvent(pEvent);
    if (pEvent->button() != Qt::LeftButton)
        return;
    NMHDR header;
    Notify(NM_CLICK, &header);
    if (m_hClickEdit)
        m_timerEdit.start();
}

void CTreeWidget::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    m_timerEdit.stop();
    m_hClickEdit = nullptr;
    if (pEvent->button() != Qt::LeftButton)
        return;
    NMHDR header;
    // A handler that answers non-zero keeps the item from expanding.
    if (Notify(NM_DBLCLK, &header) == 0)
        QTreeWidget::mouseDoubleClickEvent(pEvent);
}

void CTreeWidget::EditOnClick()
{
    CTreeItem* item = Item(std::exchange(m_hClickEdit, nullptr));
    if (item && item == SelectedItem())
        EditLabel(item);
}

void CTreeWidget::keyPressEvent(QKeyEvent* pEvent)
{
    if (UINT vk = CWndEventBridge::VirtualKey(pEvent->key()))
    {
        NMTVKEYDOWN info;
        info.wVKey = static_cast<WORD>(vk);
        // Non-zero keeps a character out of the incremental search.
        if (Notify(TVN_KEYDOWN, &info.hdr) != 0 && !pEvent->text().isEmpty() && pEvent->text()[0].isPrint())
            return;
    }
    UINT action = std::exchange(m_nAction, static_cast<UINT>(TVC_BYKEYBOARD));
    QTreeWidget::keyPressEvent(pEvent);
    m_nAction = action;
}

// Label editing

QLineEdit* CTreeWidget::EditLabel(CTreeItem* pItem)
{
    HTREEITEM hItem = pItem ? pItem->m_hItem : nullptr;
    if (m_pEditor && m_bEnding)
        DestroyEditor(); // a TVN_ENDLABELEDIT handler opens the editor again
    else if (m_pEditor)
        EndEdit(false);
    if (!Item(hItem) || m_pEditor)
        return nullptr;
    scrollToItem(pItem);
    QLineEdit* editor = CreateEditor(pItem);
    // The handler may limit the editor's text: it exists already, hidden.
    NMTVDISPINFO info;
    info.item = ItemInfo(pItem);
    std::string text = pItem->text(0).toUtf8().toStdString();
    info.item.mask |= TVIF_TEXT;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(text.size() + 1);
    if (Notify(TVN_BEGINLABELEDIT, &info.hdr) != 0 || m_pEditor != editor || !Item(hItem))
    {
        if (m_pEditor == editor)
            DestroyEditor();
        return nullptr;
    }
    PlaceEditor();
    editor->show();
    editor->selectAll();
    editor->setFocus(Qt::OtherFocusReason);
    editor->installEventFilter(this);
    return editor;
}

QLineEdit* CTreeWidget::CreateEditor(CTreeItem* pItem)
{
    auto* editor = new QLineEdit(viewport());
    editor->hide();
    editor->setProperty("afxClass", AFX_WC_EDIT);
    editor->setMaxLength(INT_MAX);
    editor->setText(pItem->text(0));
    editor->setValidator(new CEditValidator(editor, false));
    auto* wrapper = new CEdit;
    wrapper->m_bAutoDelete = true;
    wrapper->m_hWnd =
        CWndRegistry::Get().Register(editor, wrapper, AFX_WC_EDIT, 0, WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, false);
    m_pEditor = editor;
    m_hEditItem = pItem->m_hItem;
    return editor;
}

void CTreeWidget::PlaceEditor()
{
    CTreeItem* item = Item(m_hEditItem);
    if (!item || !m_pEditor)
        return;
    QRect icon;
    QRect label;
    LabelParts(item, icon, label);
    int height = std::max(label.height(), m_pEditor->sizeHint().height());
    int left = std::max(0, label.left() - 3);
    m_pEditor->setGeometry(left, label.center().y() - height / 2,
                           std::max(label.width() + 6, viewport()->width() - left), height);
}

bool CTreeWidget::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject != m_pEditor)
        return QTreeWidget::eventFilter(pObject, pEvent);
    switch (pEvent->type())
    {
    case QEvent::KeyPress:
    {
        // Reached only when the key was passed on (see CTreeCtrl): the dialog takes Enter and Escape first.
        int key = static_cast<QKeyEvent*>(pEvent)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
            return false;
        EndEdit(key == Qt::Key_Escape);
        return true;
    }
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(pEvent)->reason() != Qt::PopupFocusReason)
            EndEdit(false);
        return false;
    case QEvent::Hide:
        // Someone destroyed the editor: that ends the edit as losing the focus does.
        EndEdit(false);
        return false;
    default:
        return false;
    }
}

void CTreeWidget::EndEdit(bool bCancel)
{
    QPointer<QLineEdit> editor = m_pEditor;
    if (!editor || m_bEnding)
        return;
    HTREEITEM hItem = m_hEditItem;
    std::string text = editor->text().toUtf8().toStdString();
    LRESULT accepted = 0;
    if (CTreeItem* item = Item(hItem))
    {
        NMTVDISPINFO info;
        info.item = ItemInfo(item);
        if (!bCancel)
        {
            info.item.mask |= TVIF_TEXT;
            info.item.pszText = text.data();
            info.item.cchTextMax = static_cast<int>(text.size() + 1);
        }
        m_bEnding = true;
        accepted = Notify(TVN_ENDLABELEDIT, &info.hdr);
        m_bEnding = false;
    }
    if (CTreeItem* item = Item(hItem); item && !bCancel && accepted)
        item->setText(0, QString::fromUtf8(text.c_str()));
    if (m_pEditor == editor)
        DestroyEditor();
}

void CTreeWidget::DestroyEditor()
{
    QPointer<QLineEdit> editor = m_pEditor;
    m_pEditor = nullptr;
    m_hEditItem = nullptr;
    if (!editor)
        return;
    editor->removeEventFilter(this);
    // The focus comes back to the tree, not to the next control of the dialog.
    if (editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (HWND hEdit = CWndRegistry::Get().FindHandle(editor))
        CWndRegistry::Get().DestroyTree(hEdit);
    editor->hide();
    editor->deleteLater();
}

// Window

LRESULT CTreeWidget::Notify(UINT nCode, NMHDR* pHeader) const
{
    return AfxSendNotify(CWndRegistry::Get().FindHandle(this), nCode, pHeader);
}

DWORD CTreeWidget::Style() const
{
    AFX_WND_ENTRY* entry = CWndRegistry::Get().Find(CWndRegistry::Get().FindHandle(this));
    return entry ? entry->dwStyle : 0;
}
