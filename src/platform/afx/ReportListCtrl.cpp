#include "ReportListCtrl.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTableWidget>
#include <QToolTip>

namespace
{
const int kKeyRowMask = 0xFFFFFF;
const int kTextMargin = 12;

QColor ToColor(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// Shows the tip of the cell under the mouse when the view asks for one.
class CTipFilter : public QObject
{
public:
    CTipFilter(CReportListCtrl* pList, QObject* pParent) : QObject(pParent), m_pList(pList) {}

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() != QEvent::ToolTip)
            return false;
        auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        auto* pViewport = static_cast<QWidget*>(pWatched);
        QPoint client = pViewport->mapTo(m_pList->GetWidget(), pHelp->pos());
        std::string strTip;
        INT_PTR nToolId = m_pList->IsToolTipsEnabled() ? m_pList->OnToolHitTest(CPoint(client.x(), client.y())) : -1;
        if (nToolId != -1 && m_pList->OnToolTipText(nToolId, strTip))
            QToolTip::showText(pHelp->globalPos(), QString::fromUtf8(strTip.c_str()), pViewport);
        else
            QToolTip::hideText();
        return true;
    }

private:
    CReportListCtrl* m_pList;
};
} // namespace

CReportListCtrl::CReportListCtrl() = default;

CReportListCtrl::~CReportListCtrl() = default;

BOOL CReportListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    QWidget* pParent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    if (!pParent || m_hWnd)
        return FALSE;
    auto* pTable = new QTableWidget(pParent);
    pTable->setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    pTable->verticalHeader()->hide();
    pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pTable->verticalHeader()->setDefaultSectionSize(pTable->fontMetrics().height() + 4);
    pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    pTable->horizontalHeader()->setHighlightSections(false);
    pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    pTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    pTable->setShowGrid(false);
    pTable->setWordWrap(false);
    pTable->setFocusPolicy(Qt::StrongFocus);
    pTable->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    pTable->setProperty("afxClass", QString("SysListView32"));
    pTable->viewport()->installEventFilter(new CTipFilter(this, pTable));
    if (!AttachWidget(pTable, nID, dwStyle, 0, true))
    {
        delete pTable;
        return FALSE;
    }
    pTable->setVisible(dwStyle & WS_VISIBLE);
    return TRUE;
}

QTableWidget* CReportListCtrl::Table() const
{
    return qobject_cast<QTableWidget*>(GetWidget());
}

int CReportListCtrl::InsertColumn(int nCol, LPCSTR lpszHeading, int nWidth)
{
    QTableWidget* pTable = Table();
    if (!pTable || nCol < 0)
        return -1;
    nCol = std::min(nCol, pTable->columnCount());
    pTable->insertColumn(nCol);
    std::string strHeading = lpszHeading ? lpszHeading : "";
    pTable->setHorizontalHeaderItem(nCol, new QTableWidgetItem(QString::fromUtf8(strHeading.c_str())));
    pTable->setColumnWidth(nCol, nWidth < 0 ? GetStringWidth(strHeading) : nWidth);
    for (int nRow = 0; nRow < pTable->rowCount(); ++nRow)
        PaintRow(nRow);
    return nCol;
}

BOOL CReportListCtrl::DeleteColumn(int nCol)
{
    QTableWidget* pTable = Table();
    if (!pTable || nCol < 0 || nCol >= pTable->columnCount())
        return FALSE;
    pTable->removeColumn(nCol);
    return TRUE;
}

int CReportListCtrl::GetColumnCount() const
{
    return Table() ? Table()->columnCount() : 0;
}

std::string CReportListCtrl::GetColumnHeading(int nCol) const
{
    QTableWidgetItem* pItem = Table() ? Table()->horizontalHeaderItem(nCol) : nullptr;
    return pItem ? pItem->text().toStdString() : std::string();
}

int CReportListCtrl::GetColumnWidth(int nCol) const
{
    return Table() && nCol >= 0 && nCol < GetColumnCount() ? Table()->columnWidth(nCol) : 0;
}

int CReportListCtrl::GetStringWidth(const std::string& strText) const
{
    return Table() ? Table()->fontMetrics().horizontalAdvance(QString::fromUtf8(strText.c_str())) + kTextMargin : 0;
}

int CReportListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    QTableWidget* pTable = Table();
    if (!pTable || nItem < 0)
        return -1;
    nItem = std::min(nItem, pTable->rowCount());
    pTable->insertRow(nItem);
    for (int nRow = nItem; nRow < pTable->rowCount(); ++nRow)
        PaintRow(nRow);
    SetItemText(nItem, 0, lpszItem);
    return nItem;
}

int CReportListCtrl::GetItemCount() const
{
    return Table() ? Table()->rowCount() : 0;
}

BOOL CReportListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    QTableWidget* pTable = Table();
    if (!pTable || nItem < 0 || nItem >= pTable->rowCount() || nSubItem < 0 || nSubItem >= pTable->columnCount())
        return FALSE;
    pTable->item(nItem, nSubItem)->setText(QString::fromUtf8(lpszText ? lpszText : ""));
    return TRUE;
}

std::string CReportListCtrl::GetItemText(int nItem, int nSubItem) const
{
    QTableWidgetItem* pItem = Table() ? Table()->item(nItem, nSubItem) : nullptr;
    return pItem ? pItem->text().toStdString() : std::string();
}

BOOL CReportListCtrl::DeleteAllItems()
{
    RemoveAllTips();
    if (!Table())
        return FALSE;
    Table()->setRowCount(0);
    return TRUE;
}

// Every cell of a row holds an item, painted in the row's colour.
void CReportListCtrl::PaintRow(int nRow)
{
    QTableWidget* pTable = Table();
    for (int nCol = 0; nCol < pTable->columnCount(); ++nCol)
    {
        QTableWidgetItem* pItem = pTable->item(nRow, nCol);
        if (!pItem)
        {
            pItem = new QTableWidgetItem;
            pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            pTable->setItem(nRow, nCol, pItem);
        }
        pItem->setBackground(ToColor(OnGetCellBkColor(nRow, nCol)));
    }
}

COLORREF CReportListCtrl::OnGetCellBkColor(int nRow, int /*nColumn*/) const
{
    return (nRow % 2) ? 0xEEEEEE : 0xFFFFFF;
}

BOOL CReportListCtrl::SelectItem(int nItem)
{
    QTableWidget* pTable = Table();
    if (!pTable || nItem < 0 || nItem >= pTable->rowCount())
        return FALSE;
    pTable->clearSelection();
    if (m_dwListExStyle & LVS_EX_FULLROWSELECT)
        pTable->selectRow(nItem);
    else
        pTable->setCurrentCell(nItem, 0);
    return TRUE;
}

int CReportListCtrl::GetSelectedItem() const
{
    QTableWidget* pTable = Table();
    if (!pTable)
        return -1;
    QList<QTableWidgetItem*> items = pTable->selectedItems();
    return items.isEmpty() ? -1 : items.front()->row();
}

BOOL CReportListCtrl::EnsureVisible(int nItem)
{
    QTableWidgetItem* pItem = Table() ? Table()->item(nItem, 0) : nullptr;
    if (!pItem)
        return FALSE;
    Table()->scrollToItem(pItem);
    return TRUE;
}

DWORD CReportListCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    DWORD dwOld = m_dwListExStyle;
    m_dwListExStyle = dwExStyle;
    if (QTableWidget* pTable = Table())
    {
        pTable->setShowGrid(dwExStyle & LVS_EX_GRIDLINES);
        pTable->setSelectionBehavior((dwExStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                                        : QAbstractItemView::SelectItems);
    }
    return dwOld;
}

int CReportListCtrl::SubItemHitTest(CPoint point, int& nSubItem) const
{
    nSubItem = -1;
    QTableWidget* pTable = Table();
    if (!pTable)
        return -1;
    QPoint inViewport = pTable->viewport()->mapFrom(pTable, QPoint(point.x, point.y));
    if (!pTable->viewport()->rect().contains(inViewport))
        return -1;
    int nRow = pTable->rowAt(inViewport.y());
    int nCol = pTable->columnAt(inViewport.x());
    if (nRow < 0 || nCol < 0)
        return -1;
    nSubItem = nCol;
    return nRow;
}

std::string CReportListCtrl::CellKey(int nRow, int nColumn)
{
    return std::to_string(static_cast<long long>(nRow & kKeyRowMask) * 256 + nColumn);
}

void CReportListCtrl::RemoveAllTips()
{
    m_mapTips.clear();
}

void CReportListCtrl::SetCellTip(int nRow, int nColumn, const std::string& strTip)
{
    m_mapTips[CellKey(nRow, nColumn)] = strTip;
}

std::string CReportListCtrl::GetCellTip(int nRow, int nColumn) const
{
    auto it = m_mapTips.find(CellKey(nRow, nColumn));
    return it == m_mapTips.end() ? std::string() : it->second;
}

INT_PTR CReportListCtrl::OnToolHitTest(CPoint point) const
{
    int nColumn = -1;
    int nRow = SubItemHitTest(point, nColumn);
    if (nRow < 0 || GetCellTip(nRow, nColumn).empty())
        return -1;
    INT_PTR nKey = static_cast<INT_PTR>(nRow & kKeyRowMask) * 256 + nColumn;
    return nKey == 0 ? REPORT_LIST_KEY0_TOOL_ID : nKey;
}

BOOL CReportListCtrl::OnToolTipText(INT_PTR nToolId, std::string& strText) const
{
    INT_PTR nKey = nToolId == REPORT_LIST_KEY0_TOOL_ID ? 0 : nToolId;
    auto it = m_mapTips.find(std::to_string(static_cast<long long>(nKey)));
    if (it == m_mapTips.end() || it->second.empty())
        return FALSE;
    strText = it->second;
    return TRUE;
}
