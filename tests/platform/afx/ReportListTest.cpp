#include "UiDriver.h"

#include "afx/ReportListCtrl.h"

#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace
{
class ReportListTest : public ::testing::Test
{
protected:
    ReportListTest()
    {
        m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0);
        m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 400, 300), &m_host, 1165);
        m_list.InsertColumn(0, "", 48);
        m_list.InsertColumn(1, "iteration 1", 80);
        m_list.InsertColumn(2, "iteration 2", 80);
        for (int nRow = 0; nRow < 3; ++nRow)
            m_list.InsertItem(nRow, ("user " + std::to_string(nRow + 1)).c_str());
        ui::ShowAndActivate(m_host);
    }

    QTableWidget* Table() { return static_cast<QTableWidget*>(m_list.GetWidget()); }
    // The centre of a cell in the list's client coordinates.
    CPoint CellCentre(int nRow, int nColumn)
    {
        QRect rect = Table()->visualItemRect(Table()->item(nRow, nColumn));
        QPoint centre = Table()->viewport()->mapTo(Table(), rect.center());
        return CPoint(centre.x(), centre.y());
    }

    CWnd m_host;
    CReportListCtrl m_list;
};

TEST_F(ReportListTest, ColumnsItemsAndSubItemTexts)
{
    EXPECT_EQ(m_list.GetColumnCount(), 3);
    EXPECT_EQ(m_list.GetColumnHeading(1), "iteration 1");
    EXPECT_EQ(m_list.GetColumnWidth(0), 48);
    EXPECT_TRUE(m_list.SetItemText(1, 2, "rose"));
    EXPECT_EQ(m_list.GetItemText(1, 2), "rose");
    EXPECT_EQ(m_list.GetItemText(2, 0), "user 3");
    EXPECT_FALSE(m_list.SetItemText(3, 0, "no such row"));
    EXPECT_FALSE(m_list.SetItemText(0, 3, "no such column"));
    // A column added later reaches every row, painted like its row.
    EXPECT_EQ(m_list.InsertColumn(3, "", -1), 3);
    EXPECT_TRUE(m_list.SetItemText(2, 3, "x"));
    EXPECT_EQ(Table()->item(1, 3)->background().color(), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_GE(m_list.GetColumnWidth(3), 1);
    EXPECT_TRUE(m_list.DeleteColumn(3));
    EXPECT_EQ(m_list.GetColumnCount(), 3);
}

TEST_F(ReportListTest, RowsAlternateColours)
{
    // An item inserted in the middle repaints the rows it pushed down.
    m_list.InsertItem(1, "inserted");
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
    {
        COLORREF expected = (nRow % 2) ? 0xEEEEEE : 0xFFFFFF;
        EXPECT_EQ(m_list.OnGetCellBkColor(nRow, 1), expected);
        EXPECT_EQ(Table()->item(nRow, 2)->background().color(),
                  QColor(expected & 0xFF, 0xFF & (expected >> 8), 0xFF & (expected >> 16)))
            << nRow;
    }
}

TEST_F(ReportListTest, ExtendedStylesGiveGridLinesAndWholeRows)
{
    EXPECT_FALSE(Table()->showGrid());
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(m_list.GetExtendedStyle(), 0x21u);
    EXPECT_TRUE(Table()->showGrid());
    EXPECT_TRUE(m_list.SelectItem(2));
    EXPECT_EQ(m_list.GetSelectedItem(), 2);
    EXPECT_EQ(Table()->selectedItems().size(), 3);
    EXPECT_FALSE(m_list.SelectItem(7));
}

TEST_F(ReportListTest, HitTestFindsTheCellUnderThePoint)
{
    int nColumn = -1;
    for (auto cell : {std::make_pair(0, 0), std::make_pair(2, 1), std::make_pair(1, 2)})
    {
        EXPECT_EQ(m_list.SubItemHitTest(CellCentre(cell.first, cell.second), nColumn), cell.first);
        EXPECT_EQ(nColumn, cell.second);
    }
    // Below the last row and on the header there is no cell.
    EXPECT_EQ(m_list.SubItemHitTest(CPoint(10, 290), nColumn), -1);
    EXPECT_EQ(m_list.SubItemHitTest(CPoint(10, 2), nColumn), -1);
}

TEST_F(ReportListTest, TipsAreKeyedPerCell)
{
    struct CASE
    {
        int nRow, nColumn;
        const char* pszKey;
    } cases[] = {{0, 0, "0"}, {0, 1, "1"}, {2, 5, "517"}, {0x1000001, 3, "259"}, {1, 256, "512"}};
    for (const CASE& c : cases)
        EXPECT_EQ(CReportListCtrl::CellKey(c.nRow, c.nColumn), c.pszKey) << c.nRow << "," << c.nColumn;

    // Column 256 of one row is column 0 of the next.
    m_list.SetCellTip(0, 256, "shared");
    EXPECT_EQ(m_list.GetCellTip(1, 0), "shared");

    m_list.SetCellTip(0, 0, "first cell");
    m_list.SetCellTip(2, 1, "User aborted");
    std::string strTip;
    // Key 0 has a tool id of its own and still finds its text.
    INT_PTR nId = m_list.OnToolHitTest(CellCentre(0, 0));
    EXPECT_EQ(nId, REPORT_LIST_KEY0_TOOL_ID);
    EXPECT_TRUE(m_list.OnToolTipText(nId, strTip));
    EXPECT_EQ(strTip, "first cell");
    nId = m_list.OnToolHitTest(CellCentre(2, 1));
    EXPECT_EQ(nId, 2 * 256 + 1);
    EXPECT_TRUE(m_list.OnToolTipText(nId, strTip));
    EXPECT_EQ(strTip, "User aborted");
    // A cell without a tip is no tool.
    EXPECT_EQ(m_list.OnToolHitTest(CellCentre(2, 2)), -1);
    EXPECT_FALSE(m_list.OnToolTipText(2 * 256 + 2, strTip));

    // Removing the items takes the tips along; the columns stay.
    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(m_list.GetItemCount(), 0);
    EXPECT_EQ(m_list.GetColumnCount(), 3);
    EXPECT_EQ(m_list.GetCellTip(2, 1), "");
}
} // namespace
