#pragma once

// A grid of text cells: named columns with a header, a row header, rows
// whose texts are read on demand (see CGridModel) and drawn only when on show
// (see CGridView), cell editing, and rectangular selections. Subclasses hear of the user's edits,
// of selection changes and of clicks on a column header.

#include "GridModel.h"
#include "GridRange.h"
#include "Rect.h"
#include "Wnd.h"

#include <string>
#include <utility>
#include <vector>

class CGridView;

class CGridCtrl : public CWnd
{
public:
    CGridCtrl();
    ~CGridCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns
    int InsertColumn(int nPosition, LPCSTR lpszName, int nWidth);
    int GetColumnCount() const;
    std::string GetColumnName(int nColumn) const;
    void SetColumnWidth(int nColumn, int nWidth);
    int GetColumnWidth(int nColumn) const;

    // Rows and cells
    void SetRowCount(int nRows);
    int GetRowCount() const;
    // Where the texts of cells nobody set come from; forgets every text set.
    void SetCellReader(AFX_GRID_CELL_READER reader);
    // Removes every column, row, text and the reader.
    void RemoveAll();
    // FALSE when there is no such cell (the text is then empty).
    BOOL GetItemText(int nColumn, int nRow, std::string& strText) const;
    // Sets a cell's text as the program; no edit is reported.
    BOOL SetItemText(int nColumn, int nRow, const std::string& strText);
    // Cells set since the reader came (edits, the program's texts), as (row, column).
    std::vector<std::pair<int, int>> GetSetCells() const;

    // Behaviour and looks
    // A read-only grid takes no edits and no texts but the program's.
    void SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL IsReadOnly() const { return m_pModel && m_pModel->IsReadOnly(); }
    // Edit a cell with the first click on it, or only by double click and typing.
    void SetEditFirstClick(BOOL bFirstClick);
    // Clicks select whole rows.
    void SetWholeRowSel(BOOL bWholeRow);
    void EnableHeader(BOOL bColumnHeader);
    void SetRowNumbers(BOOL bRowNumbers);
    BOOL IsEditing() const;
    // Width of the text as a cell shows it, its margins included, in pixels.
    int GetTextExtent(const std::string& strText) const;
    // The same for a column header's text.
    int GetHeaderTextExtent(const std::string& strText) const;

    // Selection
    CGridRange GetSelectedRange() const;
    // Selects the range (an empty one clears the selection) and makes its
    // top-left cell the current one.
    void SetSelectedRange(const CGridRange& range);
    void EnsureVisible(int nColumn, int nRow);

    // Geometry in the control's client coordinates, for the cell or the
    // header of a column; empty when it is not on show.
    CRect GetCellRect(int nColumn, int nRow) const;
    CRect GetHeaderRect(int nColumn) const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A cell the user changed.
    virtual void OnItemChanged(int nRow, int nColumn);
    // The selection changed: its bounding range, bSelect FALSE when none is left.
    virtual void OnSelChanged(const CGridRange& range, BOOL bSelect);
    // A click on a column's header; by default nothing happens.
    virtual void OnHeaderClick(int nColumn);

    CGridView* View() const;
    CGridModel* Model() const { return m_pModel; }

private:
    void NotifySelection();

    CGridModel* m_pModel = nullptr;
};
