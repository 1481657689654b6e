#include "GridCtrl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <climits>

CGridCtrl::CGridCtrl() = default;

CGridCtrl::~CGridCtrl() = default;

BOOL CGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    QWidget* pParent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    if (!pParent || m_hWnd)
        return FALSE;
    auto* pView = new QTableView(pParent);
    m_pModel = new CGridModel(pView);
    pView->setModel(m_pModel);
    pView->setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    pView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    pView->setSortingEnabled(false);
    pView->setWordWrap(false);
    pView->setFocusPolicy(Qt::StrongFocus);
    pView->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    // Fixed row heights: the view never measures rows it does not show.
    pView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pView->verticalHeader()->setDefaultSectionSize(pView->fontMetrics().height() + 6);
    pView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    pView->setProperty("afxClass", QString("GridCtrl"));
    ConnectView(pView);
    SetEditFirstClick(FALSE);
    if (!AttachWidget(pView, nID, dwStyle, 0, true))
    {
        delete pView;
        m_pModel = nullptr;
        return FALSE;
    }
    pView->setVisible(dwStyle & WS_VISIBLE);
    return TRUE;
}

void CGridCtrl::ConnectView(QTableView* pView)
{
    m_pModel->m_onEdited = [this](int nRow, int nColumn) { OnItemChanged(nRow, nColumn); };
    QObject::connect(pView->selectionModel(), &QItemSelectionModel::selectionChanged, pView,
                     [this] { NotifySelection(); });
    // A header click is the subclass's to answer, not the view's column selection.
    QHeaderView* pHeader = pView->horizontalHeader();
    QObject::disconnect(pHeader, &QHeaderView::sectionPressed, nullptr, nullptr);
    QObject::disconnect(pHeader, &QHeaderView::sectionEntered, nullptr, nullptr);
    pHeader->setSectionsClickable(true);
    QObject::connect(pHeader, &QHeaderView::sectionClicked, pView, [this](int nColumn) { OnHeaderClick(nColumn); });
}

QTableView* CGridCtrl::View() const
{
    return qobject_cast<QTableView*>(GetWidget());
}

int CGridCtrl::InsertColumn(int nPosition, LPCSTR lpszName, int nWidth)
{
    if (!m_pModel)
        return -1;
    nPosition = nPosition < 0 ? GetColumnCount() : std::min(nPosition, GetColumnCount());
    m_pModel->InsertColumn(nPosition, lpszName ? lpszName : "");
    SetColumnWidth(nPosition, nWidth);
    return nPosition;
}

int CGridCtrl::GetColumnCount() const
{
    return m_pModel ? m_pModel->columnCount() : 0;
}

std::string CGridCtrl::GetColumnName(int nColumn) const
{
    return nColumn >= 0 && nColumn < GetColumnCount() ? m_pModel->GetColumnName(nColumn) : std::string();
}

void CGridCtrl::SetColumnWidth(int nColumn, int nWidth)
{
    if (QTableView* pView = View(); pView && nColumn >= 0 && nColumn < GetColumnCount())
        pView->setColumnWidth(nColumn, nWidth);
}

int CGridCtrl::GetColumnWidth(int nColumn) const
{
    QTableView* pView = View();
    return pView ? pView->columnWidth(nColumn) : 0;
}

void CGridCtrl::SetRowCount(int nRows)
{
    if (m_pModel)
        m_pModel->SetRowCount(std::max(nRows, 0));
}

int CGridCtrl::GetRowCount() const
{
    return m_pModel ? m_pModel->rowCount() : 0;
}

void CGridCtrl::SetCellReader(AFX_GRID_CELL_READER reader)
{
    if (m_pModel)
        m_pModel->SetReader(std::move(reader));
}

void CGridCtrl::RemoveAll()
{
    if (m_pModel)
        m_pModel->Clear();
}

BOOL CGridCtrl::GetItemText(int nColumn, int nRow, std::string& strText) const
{
    strText.clear();
    if (nColumn < 0 || nColumn >= GetColumnCount() || nRow < 0 || nRow >= GetRowCount())
        return FALSE;
    strText = m_pModel->GetText(nColumn, nRow);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nColumn, int nRow, const std::string& strText)
{
    if (nColumn < 0 || nColumn >= GetColumnCount() || nRow < 0 || nRow >= GetRowCount())
        return FALSE;
    m_pModel->SetText(nColumn, nRow, strText);
    return TRUE;
}

std::vector<std::pair<int, int>> CGridCtrl::GetSetCells() const
{
    return m_pModel ? m_pModel->GetSetCells() : std::vector<std::pair<int, int>>();
}

void CGridCtrl::SetReadOnly(BOOL bReadOnly)
{
    if (m_pModel)
        m_pModel->SetReadOnly(bReadOnly);
}

void CGridCtrl::SetEditFirstClick(BOOL bFirstClick)
{
    if (QTableView* pView = View())
        pView->setEditTriggers(bFirstClick ? QAbstractItemView::AllEditTriggers
                                           : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                                 QAbstractItemView::AnyKeyPressed);
}

void CGridCtrl::SetWholeRowSel(BOOL bWholeRow)
{
    if (QTableView* pView = View())
        pView->setSelectionBehavior(bWholeRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void CGridCtrl::EnableHeader(BOOL bColumnHeader)
{
    if (QTableView* pView = View())
        pView->horizontalHeader()->setVisible(bColumnHeader);
}

void CGridCtrl::SetRowNumbers(BOOL bRowNumbers)
{
    if (m_pModel)
        m_pModel->SetRowNumbers(bRowNumbers);
}

BOOL CGridCtrl::IsEditing() const
{
    // A cell's editor is a widget the view puts on its viewport.
    QTableView* pView = View();
    if (!pView)
        return FALSE;
    for (QWidget* pChild : pView->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (pChild->isVisible())
            return TRUE;
    return FALSE;
}

int CGridCtrl::GetTextExtent(const std::string& strText) const
{
    QTableView* pView = View();
    if (!pView)
        return 0;
    int nMargin = (pView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, pView) + 1) * 2;
    return pView->fontMetrics().horizontalAdvance(QString::fromStdString(strText)) + nMargin;
}

int CGridCtrl::GetHeaderTextExtent(const std::string& strText) const
{
    QTableView* pView = View();
    if (!pView)
        return 0;
    QHeaderView* pHeader = pView->horizontalHeader();
    int nMargin = pHeader->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, pHeader) * 2;
    // Headers may draw their text bold; measure it so.
    QFont font = pHeader->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(QString::fromStdString(strText)) + nMargin;
}

CGridRange CGridCtrl::GetSelectedRange() const
{
    QTableView* pView = View();
    if (!pView)
        return CGridRange();
    const QItemSelection selection = pView->selectionModel()->selection();
    if (selection.isEmpty())
        return CGridRange();
    CGridRange range(INT_MAX, INT_MAX, -1, -1);
    for (const QItemSelectionRange& part : selection)
    {
        range.m_nLeft = std::min(range.m_nLeft, part.left());
        range.m_nTop = std::min(range.m_nTop, part.top());
        range.m_nRight = std::max(range.m_nRight, part.right());
        range.m_nBottom = std::max(range.m_nBottom, part.bottom());
    }
    return range;
}

void CGridCtrl::SetSelectedRange(const CGridRange& range)
{
    QTableView* pView = View();
    if (!pView)
        return;
    QItemSelectionModel* pSelection = pView->selectionModel();
    if (range.IsEmpty())
    {
        pSelection->clearSelection();
        return;
    }
    QModelIndex topLeft = m_pModel->index(range.m_nTop, range.m_nLeft);
    QModelIndex bottomRight = m_pModel->index(range.m_nBottom, range.m_nRight);
    pSelection->setCurrentIndex(topLeft, QItemSelectionModel::NoUpdate);
    pSelection->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

void CGridCtrl::EnsureVisible(int nColumn, int nRow)
{
    if (QTableView* pView = View())
        pView->scrollTo(m_pModel->index(nRow, nColumn));
}

CRect CGridCtrl::GetCellRect(int nColumn, int nRow) const
{
    QTableView* pView = View();
    if (!pView)
        return CRect();
    QRect rect = pView->visualRect(m_pModel->index(nRow, nColumn));
    if (rect.isEmpty())
        return CRect();
    rect.translate(pView->viewport()->mapTo(pView, QPoint(0, 0)));
    return CRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
}

CRect CGridCtrl::GetHeaderRect(int nColumn) const
{
    QTableView* pView = View();
    if (!pView || nColumn < 0 || nColumn >= GetColumnCount() || !pView->horizontalHeader()->isVisible())
        return CRect();
    QHeaderView* pHeader = pView->horizontalHeader();
    QPoint origin = pHeader->mapTo(pView, QPoint(pHeader->sectionViewportPosition(nColumn), 0));
    return CRect(origin.x(), origin.y(), origin.x() + pHeader->sectionSize(nColumn), origin.y() + pHeader->height());
}

void CGridCtrl::OnItemChanged(int, int) {}

void CGridCtrl::OnSelChanged(const CGridRange&, BOOL) {}

void CGridCtrl::OnHeaderClick(int) {}

void CGridCtrl::NotifySelection()
{
    CGridRange range = GetSelectedRange();
    OnSelChanged(range, range.IsEmpty() ? FALSE : TRUE);
}
