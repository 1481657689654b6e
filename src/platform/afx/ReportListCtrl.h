#pragma once

// A list view in report mode (SysListView32 with LVS_REPORT): columns with a
// header, items with sub-item texts, grid lines and full-row selection as
// extended styles, alternating row colours, and a tip per cell.
//
// A cell's tip is kept under the decimal text of (row & 0xFFFFFF) x 256 +
// column, so column 256 of a row shares the key of column 0 of the next. Key
// 0 travels as tool id REPORT_LIST_KEY0_TOOL_ID, since 0 is no tool id.

#include "Point.h"
#include "Rect.h"
#include "Wnd.h"

#include <map>
#include <string>

class QTableWidget;

#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_FULLROWSELECT 0x00000020
#define REPORT_LIST_KEY0_TOOL_ID 66049

class CReportListCtrl : public CWnd
{
public:
    CReportListCtrl();
    ~CReportListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns; a width of -1 fits the heading.
    int InsertColumn(int nCol, LPCSTR lpszHeading, int nWidth = -1);
    BOOL DeleteColumn(int nCol);
    int GetColumnCount() const;
    std::string GetColumnHeading(int nCol) const;
    int GetColumnWidth(int nCol) const;
    // Width of the text as a header or cell shows it, in pixels.
    int GetStringWidth(const std::string& strText) const;

    // Items: rows; sub-item 0 is the item's own text.
    int InsertItem(int nItem, LPCSTR lpszItem);
    int GetItemCount() const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    std::string GetItemText(int nItem, int nSubItem) const;
    // Removes every item and every tip; the columns stay.
    virtual BOOL DeleteAllItems();

    // Selects the item alone and makes it the focused one.
    BOOL SelectItem(int nItem);
    int GetSelectedItem() const;
    BOOL EnsureVisible(int nItem);

    DWORD SetExtendedStyle(DWORD dwExStyle);
    DWORD GetExtendedStyle() const { return m_dwListExStyle; }

    // The cell under a point of the list's client area: the item, or -1 with
    // nothing there; nSubItem receives the column.
    int SubItemHitTest(CPoint point, int& nSubItem) const;
    // The row's background, as a COLORREF: odd rows 0xEEEEEE, even rows 0xFFFFFF.
    virtual COLORREF OnGetCellBkColor(int nRow, int nColumn) const;

    // Tips
    static std::string CellKey(int nRow, int nColumn);
    void EnableToolTips(BOOL bEnable = TRUE) { m_bTipsEnabled = bEnable; }
    BOOL IsToolTipsEnabled() const { return m_bTipsEnabled; }
    virtual void RemoveAllTips();
    virtual void SetCellTip(int nRow, int nColumn, const std::string& strTip);
    virtual std::string GetCellTip(int nRow, int nColumn) const;
    // The tool id of the cell with a tip under the point, or -1.
    virtual INT_PTR OnToolHitTest(CPoint point) const;
    // The tip of a tool id from OnToolHitTest; FALSE when there is none.
    virtual BOOL OnToolTipText(INT_PTR nToolId, std::string& strText) const;

private:
    QTableWidget* Table() const;
    void PaintRow(int nRow);

    std::map<std::string, std::string> m_mapTips;
    DWORD m_dwListExStyle = 0;
    BOOL m_bTipsEnabled = FALSE;
};
