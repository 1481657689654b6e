#include "GridView.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>

namespace
{
const int MIN_ROW_HEADER_WIDTH = 16;
const int COLUMN_SCROLL_STEP = 20;

int Clamp(int nValue, int nLow, int nHigh)
{
    return std::max(nLow, std::min(nValue, nHigh));
}

// A cell shows one line; a line break in the data shows as a space.
QString OneLine(const std::string& strText)
{
    QString str = QString::fromStdString(strText);
    if (str.contains('\n') || str.contains('\r'))
        str.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
    return str;
}
} // namespace

CGridView::CGridView(CGridModel* pModel, QWidget* pParent)
    : QAbstractScrollArea(pParent), m_pModel(pModel), m_pHeader(new QHeaderView(Qt::Horizontal, this))
{
    m_pModel->setParent(this);
    m_pHeader->setModel(m_pModel);
    m_pHeader->setSectionsClickable(true);
    m_pHeader->setHighlightSections(false);
    m_pHeader->setSectionResizeMode(QHeaderView::Interactive);
    m_pHeader->setDefaultAlignment(Qt::AlignCenter);
    m_pHeader->setFocusPolicy(Qt::NoFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(COLUMN_SCROLL_STEP);

    connect(m_pHeader, &QHeaderView::sectionClicked, this,
            [this](int nColumn)
            {
                CommitEditing();
                if (m_onHeaderClicked)
                    m_onHeaderClicked(nColumn);
            });
    connect(m_pHeader, &QHeaderView::sectionHandleDoubleClicked, this, [this](int nColumn) { FitColumn(nColumn); });
    connect(m_pHeader, &QHeaderView::sectionResized, this,
            [this]
            {
                UpdateScrollBars();
                PlaceEditor();
                viewport()->update();
            });
    connect(m_pModel, &QAbstractItemModel::modelReset, this, [this] { OnModelChanged(); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                        &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(m_pModel, signal, this, [this] { OnModelChanged(); });
    connect(m_pModel, &QAbstractItemModel::dataChanged, viewport(), [this] { viewport()->update(); });
    OnModelChanged();
}

// An edit still open when the window goes is dropped: its owner may be gone.
CGridView::~CGridView()
{
    m_onSelectionChanged = nullptr;
    m_onHeaderClicked = nullptr;
    m_edited = Cell();
    if (m_pEditor)
        m_pEditor->removeEventFilter(this);
}

void CGridView::SetColumnHeaderVisible(bool bVisible)
{
    m_pHeader->setHidden(!bVisible);
    UpdateGeometries();
}

void CGridView::SetWholeRows(bool bWholeRows)
{
    m_bWholeRows = bWholeRows;
}

int CGridView::RowHeight() const
{
    return fontMetrics().height() + 6;
}

int CGridView::TextMargin() const
{
    return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

int CGridView::TopRow() const
{
    return verticalScrollBar()->value();
}

int CGridView::FullRows() const
{
    return std::max(1, viewport()->height() / RowHeight());
}

// Geometry

void CGridView::OnModelChanged()
{
    if (IsEditing() && (m_edited.m_nRow >= Rows() || m_edited.m_nColumn >= Columns()))
        CancelEditing();
    // Wide enough for the last row's number.
    QString strLast = m_pModel->headerData(std::max(Rows(), 1) - 1, Qt::Vertical, Qt::DisplayRole).toString();
    m_nRowHeaderWidth = std::max(fontMetrics().horizontalAdvance(strLast) + 4 * TextMargin(), MIN_ROW_HEADER_WIDTH);
    if (Rows() == 0 || Columns() == 0)
    {
        m_current = m_anchor = Cell();
        SetSelection(CGridRange());
    }
    else
    {
        for (Cell* pCell : {&m_current, &m_anchor})
            if (pCell->m_nRow >= 0)
                *pCell = {std::min(pCell->m_nColumn, Columns() - 1), std::min(pCell->m_nRow, Rows() - 1)};
        CGridRange range = m_selection;
        if (!range.IsEmpty() && (range.m_nTop >= Rows() || range.m_nLeft >= Columns()))
            range = CGridRange();
        else if (!range.IsEmpty())
            range = CGridRange(range.m_nLeft, range.m_nTop, std::min(range.m_nRight, Columns() - 1),
                               std::min(range.m_nBottom, Rows() - 1));
        SetSelection(range);
    }
    UpdateGeometries();
    viewport()->update();
}

void CGridView::UpdateGeometries()
{
    int nHeaderHeight = m_pHeader->isHidden() ? 0 : m_pHeader->sizeHint().height();
    setViewportMargins(0, nHeaderHeight, 0, 0);
    QRect rcViewport = viewport()->geometry();
    m_pHeader->setGeometry(rcViewport.left() + m_nRowHeaderWidth, rcViewport.top() - nHeaderHeight,
                           std::max(0, rcViewport.width() - m_nRowHeaderWidth), nHeaderHeight);
    UpdateScrollBars();
}

void CGridView::UpdateScrollBars()
{
    int nFullRows = FullRows();
    verticalScrollBar()->setRange(0, std::max(0, Rows() - nFullRows));
    verticalScrollBar()->setPageStep(nFullRows);
    int nAreaWidth = std::max(0, viewport()->width() - m_nRowHeaderWidth);
    horizontalScrollBar()->setRange(0, std::max(0, m_pHeader->length() - nAreaWidth));
    horizontalScrollBar()->setPageStep(std::max(1, nAreaWidth));
    m_pHeader->setOffset(horizontalScrollBar()->value());
}

void CGridView::resizeEvent(QResizeEvent* pEvent)
{
    QAbstractScrollArea::resizeEvent(pEvent);
    UpdateGeometries();
    PlaceEditor();
}

void CGridView::scrollContentsBy(int, int)
{
    m_pHeader->setOffset(horizontalScrollBar()->value());
    PlaceEditor();
    viewport()->update();
}

void CGridView::ScrollTo(int nColumn, int nRow)
{
    if (nRow >= 0 && nRow < Rows())
    {
        if (nRow < TopRow())
            verticalScrollBar()->setValue(nRow);
        else if (nRow >= TopRow() + FullRows())
            verticalScrollBar()->setValue(nRow - FullRows() + 1);
    }
    if (nColumn >= 0 && nColumn < Columns())
    {
        int nLeft = m_pHeader->sectionPosition(nColumn);
        int nRight = nLeft + m_pHeader->sectionSize(nColumn);
        int nAreaWidth = viewport()->width() - m_nRowHeaderWidth;
        int nOffset = horizontalScrollBar()->value();
        if (nLeft < nOffset)
            horizontalScrollBar()->setValue(nLeft);
        else if (nRight > nOffset + nAreaWidth)
            horizontalScrollBar()->setValue(std::min(nLeft, nRight - nAreaWidth));
    }
}

QRect CGridView::ViewportCellRect(int nColumn, int nRow) const
{
    return QRect(m_nRowHeaderWidth + m_pHeader->sectionViewportPosition(nColumn), (nRow - TopRow()) * RowHeight(),
                 m_pHeader->sectionSize(nColumn), RowHeight());
}

QRect CGridView::CellRect(int nColumn, int nRow) const
{
    if (nColumn < 0 || nColumn >= Columns() || nRow < 0 || nRow >= Rows())
        return QRect();
    QRect rcArea(m_nRowHeaderWidth, 0, viewport()->width() - m_nRowHeaderWidth, viewport()->height());
    QRect rcCell = ViewportCellRect(nColumn, nRow);
    if (!rcArea.intersects(rcCell))
        return QRect();
    return rcCell.translated(viewport()->geometry().topLeft());
}

QRect CGridView::HeaderRect(int nColumn) const
{
    if (nColumn < 0 || nColumn >= Columns() || m_pHeader->isHidden())
        return QRect();
    QRect rcHeader = m_pHeader->geometry();
    return QRect(rcHeader.left() + m_pHeader->sectionViewportPosition(nColumn), rcHeader.top(),
                 m_pHeader->sectionSize(nColumn), rcHeader.height());
}

CGridView::Cell CGridView::HitTest(const QPoint& point) const
{
    Cell cell;
    cell.m_nRow = point.y() < 0 ? TopRow() - 1 : TopRow() + point.y() / RowHeight();
    if (point.x() < m_nRowHeaderWidth)
        return cell; // the row header
    cell.m_nColumn = m_pHeader->logicalIndexAt(point.x() - m_nRowHeaderWidth);
    if (cell.m_nColumn < 0)
        cell.m_nColumn = Columns(); // right of the last column
    return cell;
}

// As wide as the widest text on show, the header's included: measuring
// every row of a large file would take long.
void CGridView::FitColumn(int nColumn)
{
    int nWidth = m_pHeader->sectionSizeHint(nColumn);
    int nLastRow = std::min(Rows() - 1, TopRow() + FullRows());
    for (int nRow = TopRow(); nRow <= nLastRow; ++nRow)
        nWidth = std::max(nWidth, fontMetrics().horizontalAdvance(OneLine(m_pModel->GetText(nColumn, nRow))) +
                                      2 * TextMargin() + 1);
    m_pHeader->resizeSection(nColumn, nWidth);
}

QString CGridView::CellTip(int nColumn, int nRow) const
{
    if (nColumn < 0 || nColumn >= Columns() || nRow < 0 || nRow >= Rows())
        return QString();
    std::string strText = m_pModel->GetText(nColumn, nRow);
    int nRoom = m_pHeader->sectionSize(nColumn) - 2 * TextMargin() - 1;
    bool bCut = fontMetrics().horizontalAdvance(OneLine(strText)) > nRoom || strText.find('\n') != std::string::npos;
    return bCut ? QString::fromStdString(strText) : QString();
}

bool CGridView::viewportEvent(QEvent* pEvent)
{
    if (pEvent->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(pEvent);
    auto* pHelp = static_cast<QHelpEvent*>(pEvent);
    Cell cell = HitTest(pHelp->pos());
    QString strTip = CellTip(cell.m_nColumn, cell.m_nRow);
    if (strTip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(pHelp->globalPos(), strTip, viewport(), ViewportCellRect(cell.m_nColumn, cell.m_nRow));
    return true;
}

// Painting: only the rows on show are read.

void CGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    int nFirstRow = TopRow();
    int nLastRow = std::min(Rows() - 1, nFirstRow + viewport()->height() / RowHeight());
    PaintCells(painter, nFirstRow, nLastRow);
    PaintRowHeader(painter, nFirstRow, nLastRow);
}

void CGridView::PaintCells(QPainter& painter, int nFirstRow, int nLastRow)
{
    painter.save();
    painter.setClipRect(m_nRowHeaderWidth, 0, viewport()->width() - m_nRowHeaderWidth, viewport()->height());
    QPalette::ColorGroup group = hasFocus() || IsEditing() ? QPalette::Active : QPalette::Inactive;
    QColor gridColor = palette().color(group, QPalette::Mid);
    int nMargin = TextMargin();
    for (int nColumn = 0; nColumn < Columns(); ++nColumn)
    {
        QRect rcColumn = ViewportCellRect(nColumn, nFirstRow);
        if (rcColumn.right() < m_nRowHeaderWidth)
            continue;
        if (rcColumn.left() >= viewport()->width())
            break;
        for (int nRow = nFirstRow; nRow <= nLastRow; ++nRow)
        {
            QRect rcCell = ViewportCellRect(nColumn, nRow);
            bool bSelected = nColumn >= m_selection.m_nLeft && nColumn <= m_selection.m_nRight &&
                             nRow >= m_selection.m_nTop && nRow <= m_selection.m_nBottom;
            if (bSelected)
                painter.fillRect(rcCell, palette().brush(group, QPalette::Highlight));
            bool bEdited = IsEditing() && m_edited.m_nColumn == nColumn && m_edited.m_nRow == nRow;
            if (!bEdited)
            {
                QRect rcText = rcCell.adjusted(nMargin, 0, -nMargin - 1, -1);
                painter.setPen(palette().color(group, bSelected ? QPalette::HighlightedText : QPalette::Text));
                painter.drawText(rcText, Qt::AlignLeft | Qt::AlignVCenter,
                                 fontMetrics().elidedText(OneLine(m_pModel->GetText(nColumn, nRow)), Qt::ElideRight,
                                                          rcText.width()));
            }
            painter.setPen(gridColor);
            painter.drawLine(rcCell.topRight(), rcCell.bottomRight());
            painter.drawLine(rcCell.bottomLeft(), rcCell.bottomRight());
            if (hasFocus() && m_current.m_nColumn == nColumn && m_current.m_nRow == nRow)
            {
                QStyleOptionFocusRect option;
                option.initFrom(this);
                option.rect = rcCell.adjusted(1, 1, -2, -2);
                option.backgroundColor = palette().color(group, bSelected ? QPalette::Highlight : QPalette::Base);
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
            }
        }
    }
    painter.restore();
}

void CGridView::PaintRowHeader(QPainter& painter, int nFirstRow, int nLastRow)
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.orientation = Qt::Vertical;
    option.textAlignment = Qt::AlignCenter;
    int nBottom = 0;
    for (int nRow = nFirstRow; nRow <= nLastRow; ++nRow)
    {
        option.rect = QRect(0, (nRow - nFirstRow) * RowHeight(), m_nRowHeaderWidth, RowHeight());
        option.section = nRow;
        option.text = m_pModel->headerData(nRow, Qt::Vertical, Qt::DisplayRole).toString();
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        if (nRow >= m_selection.m_nTop && nRow <= m_selection.m_nBottom)
            option.state |= QStyle::State_On;
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
        nBottom = option.rect.bottom() + 1;
    }
    painter.fillRect(QRect(0, nBottom, m_nRowHeaderWidth, viewport()->height() - nBottom), palette().window());
}

// Selection

void CGridView::SetSelection(const CGridRange& range)
{
    if (range == m_selection)
        return;
    m_selection = range;
    viewport()->update();
    if (m_onSelectionChanged)
        m_onSelectionChanged();
}

void CGridView::Select(const CGridRange& range)
{
    CommitEditing();
    if (range.IsEmpty() || Rows() == 0 || Columns() == 0)
    {
        SetSelection(CGridRange());
        return;
    }
    CGridRange clipped(Clamp(range.m_nLeft, 0, Columns() - 1), Clamp(range.m_nTop, 0, Rows() - 1),
                       Clamp(range.m_nRight, 0, Columns() - 1), Clamp(range.m_nBottom, 0, Rows() - 1));
    m_current = m_anchor = {clipped.m_nLeft, clipped.m_nTop};
    SetSelection(clipped);
}

void CGridView::MoveTo(Cell cell, bool bExtend)
{
    if (Rows() == 0 || Columns() == 0)
        return;
    cell = {Clamp(cell.m_nColumn, 0, Columns() - 1), Clamp(cell.m_nRow, 0, Rows() - 1)};
    m_current = cell;
    if (!bExtend || m_anchor.m_nRow < 0)
        m_anchor = cell;
    CGridRange range(std::min(m_anchor.m_nColumn, cell.m_nColumn), std::min(m_anchor.m_nRow, cell.m_nRow),
                     std::max(m_anchor.m_nColumn, cell.m_nColumn), std::max(m_anchor.m_nRow, cell.m_nRow));
    if (m_bWholeRows || m_bSelectingRows)
    {
        range.m_nLeft = 0;
        range.m_nRight = Columns() - 1;
    }
    SetSelection(range);
    ScrollTo(cell.m_nColumn, cell.m_nRow);
    viewport()->update();
}

bool CGridView::MoveByKey(int nKey, Qt::KeyboardModifiers modifiers)
{
    Cell cell = m_current.m_nRow < 0 ? Cell{0, 0} : m_current;
    bool bControl = modifiers & Qt::ControlModifier;
    switch (nKey)
    {
    case Qt::Key_Up:
        --cell.m_nRow;
        break;
    case Qt::Key_Down:
        ++cell.m_nRow;
        break;
    case Qt::Key_Left:
        --cell.m_nColumn;
        break;
    case Qt::Key_Right:
        ++cell.m_nColumn;
        break;
    case Qt::Key_PageUp:
        cell.m_nRow -= FullRows();
        break;
    case Qt::Key_PageDown:
        cell.m_nRow += FullRows();
        break;
    case Qt::Key_Home:
        cell = bControl ? Cell{0, 0} : Cell{0, cell.m_nRow};
        break;
    case Qt::Key_End:
        cell = bControl ? Cell{Columns() - 1, Rows() - 1} : Cell{Columns() - 1, cell.m_nRow};
        break;
    default:
        return false;
    }
    bool bExtend = modifiers & Qt::ShiftModifier;
    if (!bExtend)
        m_bSelectingRows = false;
    MoveTo(cell, bExtend);
    return true;
}

// Mouse and keys

void CGridView::mousePressEvent(QMouseEvent* pEvent)
{
    CommitEditing();
    setFocus(Qt::MouseFocusReason);
    Cell cell = HitTest(pEvent->position().toPoint());
    if (cell.m_nRow < 0 || cell.m_nRow >= Rows() || cell.m_nColumn >= Columns() || Columns() == 0)
        return;
    bool bExtend = pEvent->button() == Qt::LeftButton && (pEvent->modifiers() & Qt::ShiftModifier);
    m_bSelectingRows = cell.m_nColumn < 0;
    if (m_bSelectingRows)
        cell.m_nColumn = bExtend && m_current.m_nColumn >= 0 ? m_current.m_nColumn : 0;
    MoveTo(cell, bExtend);
    if (pEvent->button() == Qt::LeftButton && !bExtend && !m_bSelectingRows && m_bEditFirstClick)
        StartEditing();
}

void CGridView::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!(pEvent->buttons() & Qt::LeftButton) || m_anchor.m_nRow < 0 || IsEditing())
        return;
    // Past an edge the selection goes on a row or column beyond it, which scrolls.
    QPoint point = pEvent->position().toPoint();
    Cell cell = HitTest(point);
    if (point.y() >= viewport()->height())
        cell.m_nRow = TopRow() + FullRows();
    if (m_bSelectingRows || cell.m_nColumn < 0)
        cell.m_nColumn = m_bSelectingRows ? m_current.m_nColumn : m_pHeader->logicalIndexAt(0);
    MoveTo(cell, true);
}

void CGridView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    Cell cell = HitTest(pEvent->position().toPoint());
    if (pEvent->button() != Qt::LeftButton || cell.m_nColumn < 0 || cell.m_nColumn >= Columns() || cell.m_nRow < 0 ||
        cell.m_nRow >= Rows())
        return;
    MoveTo(cell, false);
    if (StartEditing())
        m_pEditor->selectAll();
}

void CGridView::keyPressEvent(QKeyEvent* pEvent)
{
    if (Rows() > 0 && Columns() > 0)
    {
        if (pEvent->matches(QKeySequence::SelectAll))
        {
            m_bSelectingRows = false;
            SetSelection(CGridRange(0, 0, Columns() - 1, Rows() - 1));
            return;
        }
        if (MoveByKey(pEvent->key(), pEvent->modifiers()))
            return;
        if (pEvent->key() == Qt::Key_F2 && StartEditing())
        {
            m_pEditor->selectAll();
            return;
        }
        // Typing over a cell replaces its text, as in a spreadsheet.
        QString strTyped = pEvent->text();
        bool bPlain = !(pEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (bPlain && !strTyped.isEmpty() && strTyped.at(0).isPrint() && StartEditing(&strTyped))
            return;
    }
    QAbstractScrollArea::keyPressEvent(pEvent);
}

void CGridView::focusInEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();
}

void CGridView::focusOutEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusOutEvent(pEvent);
    viewport()->update();
}

// Editing

bool CGridView::IsEditing() const
{
    return m_edited.m_nRow >= 0;
}

bool CGridView::StartEditing(const QString* pText)
{
    if (m_pModel->IsReadOnly() || m_current.m_nRow < 0 || m_current.m_nRow >= Rows() ||
        m_current.m_nColumn >= Columns())
        return false;
    CommitEditing();
    if (!m_pEditor)
    {
        m_pEditor = new QLineEdit(viewport());
        m_pEditor->setFrame(false);
        m_pEditor->installEventFilter(this);
    }
    ScrollTo(m_current.m_nColumn, m_current.m_nRow);
    m_edited = m_current;
    m_pEditor->setText(pText ? *pText : QString::fromStdString(m_pModel->GetText(m_edited.m_nColumn, m_edited.m_nRow)));
    PlaceEditor();
    m_pEditor->show();
    m_pEditor->setFocus(Qt::OtherFocusReason);
    viewport()->update();
    return true;
}

void CGridView::PlaceEditor()
{
    if (!IsEditing())
        return;
    // An edit scrolled out of sight is finished, not left open unseen.
    if (m_edited.m_nRow < TopRow() || m_edited.m_nRow > TopRow() + FullRows())
        CommitEditing();
    else
        m_pEditor->setGeometry(ViewportCellRect(m_edited.m_nColumn, m_edited.m_nRow).adjusted(0, 0, -1, -1));
}

void CGridView::CommitEditing()
{
    if (!IsEditing())
        return;
    Cell cell = m_edited;
    QString strText = m_pEditor->text();
    CancelEditing();
    if (cell.m_nRow < Rows() && cell.m_nColumn < Columns())
        m_pModel->setData(m_pModel->index(cell.m_nRow, cell.m_nColumn), strText, Qt::EditRole);
}

void CGridView::CancelEditing()
{
    if (!IsEditing())
        return;
    // Not editing before the editor lets go of the focus, which would commit.
    m_edited = Cell();
    bool bHadFocus = m_pEditor->hasFocus();
    m_pEditor->hide();
    if (bHadFocus)
        setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

bool CGridView::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject != m_pEditor || !IsEditing())
        return QAbstractScrollArea::eventFilter(pObject, pEvent);
    if (pEvent->type() == QEvent::FocusOut)
    {
        // The editor's own context menu takes the focus for a while.
        if (static_cast<QFocusEvent*>(pEvent)->reason() != Qt::PopupFocusReason)
            CommitEditing();
        return false;
    }
    if (pEvent->type() != QEvent::KeyPress)
        return false;
    auto* pKey = static_cast<QKeyEvent*>(pEvent);
    switch (pKey->key())
    {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitEditing();
        return true;
    case Qt::Key_Escape:
        CancelEditing();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        CommitEditing();
        MoveByKey(pKey->key() == Qt::Key_Tab ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        CommitEditing();
        MoveByKey(pKey->key(), Qt::NoModifier);
        return true;
    default:
        return false;
    }
}
