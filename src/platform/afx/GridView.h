#pragma once

// The window of a grid control. It draws only the rows on show, with a row
// header of its own beside them, so a grid of millions of rows costs no
// memory per row (a table view's row header keeps a record for every row).
// One rectangular selection with an anchor and a current cell, keyboard and
// mouse as in a spreadsheet, and a line editor over the cell being edited.

#include "GridModel.h"
#include "GridRange.h"

#include <QAbstractScrollArea>
#include <functional>

class QHeaderView;
class QLineEdit;

class CGridView : public QAbstractScrollArea
{
public:
    // The model is the view's own from here on.
    CGridView(CGridModel* pModel, QWidget* pParent);
    ~CGridView() override;

    CGridModel* Model() const { return m_pModel; }
    QHeaderView* ColumnHeader() const { return m_pHeader; }

    void SetColumnHeaderVisible(bool bVisible);
    void SetWholeRows(bool bWholeRows);
    void SetEditFirstClick(bool bFirstClick) { m_bEditFirstClick = bFirstClick; }

    int RowHeight() const;
    // Room left and right of a cell's text.
    int TextMargin() const;

    CGridRange Selection() const { return m_selection; }
    // Selects the range (an empty one clears it); its top-left cell becomes current.
    void Select(const CGridRange& range);
    // Scrolls the least that brings the cell on show.
    void ScrollTo(int nColumn, int nRow);
    // The cell's rectangle in this widget's coordinates; empty when not on show.
    QRect CellRect(int nColumn, int nRow) const;
    QRect HeaderRect(int nColumn) const;

    // The whole text of a cell that shows it cut short, else empty.
    QString CellTip(int nColumn, int nRow) const;

    bool IsEditing() const;
    // Opens the line editor on the current cell, with its text or the given one.
    bool StartEditing(const QString* pText = nullptr);

    std::function<void()> m_onSelectionChanged;
    std::function<void(int nColumn)> m_onHeaderClicked;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    bool viewportEvent(QEvent* pEvent) override;

private:
    struct Cell
    {
        int m_nColumn = -1;
        int m_nRow = -1;
    };

    int Rows() const { return m_pModel->rowCount(); }
    int Columns() const { return m_pModel->columnCount(); }
    int TopRow() const;
    // Rows wholly on show, at least one.
    int FullRows() const;
    int RowHeaderWidth() const { return m_nRowHeaderWidth; }
    // Where a point of the viewport falls; m_nColumn is -1 over the row header.
    Cell HitTest(const QPoint& point) const;
    QRect ViewportCellRect(int nColumn, int nRow) const;

    void FitColumn(int nColumn);
    void OnModelChanged();
    void UpdateGeometries();
    void UpdateScrollBars();
    void PaintCells(QPainter& painter, int nFirstRow, int nLastRow);
    void PaintRowHeader(QPainter& painter, int nFirstRow, int nLastRow);

    // Makes the cell current and selects from the anchor to it (bExtend) or it alone.
    void MoveTo(Cell cell, bool bExtend);
    void SetSelection(const CGridRange& range);
    bool MoveByKey(int nKey, Qt::KeyboardModifiers modifiers);

    void CommitEditing();
    void CancelEditing();
    void PlaceEditor();

    CGridModel* m_pModel;
    QHeaderView* m_pHeader;
    QLineEdit* m_pEditor = nullptr;
    Cell m_edited;
    Cell m_current;
    Cell m_anchor;
    CGridRange m_selection;
    int m_nRowHeaderWidth = 0;
    bool m_bWholeRows = false;
    bool m_bEditFirstClick = false;
    bool m_bSelectingRows = false; // a drag that began on the row header
};
