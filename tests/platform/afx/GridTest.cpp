#include "UiDriver.h"

#include "afx/GridCtrl.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <gtest/gtest.h>

namespace
{
// A grid that records what it would tell a subclass.
class CRecordingGrid : public CGridCtrl
{
public:
    std::vector<std::pair<int, int>> m_vecEdited;
    std::vector<CGridRange> m_vecSelections;
    std::vector<int> m_vecHeaderClicks;

protected:
    void OnItemChanged(int nRow, int nColumn) override { m_vecEdited.push_back({nRow, nColumn}); }
    void OnSelChanged(const CGridRange& range, BOOL bSelect) override
    {
        m_vecSelections.push_back(bSelect ? range : CGridRange());
    }
    void OnHeaderClick(int nColumn) override { m_vecHeaderClicks.push_back(nColumn); }
};

class GridTest : public ::testing::Test
{
protected:
    GridTest()
    {
        m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
        m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_host, 7);
        m_grid.InsertColumn(-1, "A", 50);
        m_grid.InsertColumn(-1, "B", 50);
        m_grid.SetCellReader(
            [](int nColumn, int nRow, std::string& strText)
            {
                if (nRow >= 2)
                    return false; // the reader's rows end here
                strText = std::to_string(nColumn) + ":" + std::to_string(nRow);
                return true;
            });
        m_grid.SetRowCount(3);
        ui::ShowAndActivate(m_host);
    }
    ~GridTest() override { m_host.DestroyWindow(); }

    std::string Text(int nColumn, int nRow)
    {
        std::string strText;
        m_grid.GetItemText(nColumn, nRow, strText);
        return strText;
    }
    QAbstractItemModel* Model() { return qobject_cast<QTableView*>(m_grid.GetWidget())->model(); }

    CWnd m_host;
    CRecordingGrid m_grid;
};
} // namespace

TEST_F(GridTest, TextsComeFromTheReaderUnlessSet)
{
    EXPECT_EQ(Text(1, 0), "1:0");
    EXPECT_EQ(Text(0, 2), "") << "a row the reader lacks is empty";
    std::string strText = "x";
    EXPECT_FALSE(m_grid.GetItemText(2, 0, strText));
    EXPECT_EQ(strText, "");
    EXPECT_FALSE(m_grid.SetItemText(0, 3, "x"));

    EXPECT_TRUE(m_grid.SetItemText(1, 2, "set"));
    EXPECT_EQ(Text(1, 2), "set");
    EXPECT_TRUE(m_grid.m_vecEdited.empty()) << "the program's texts are no edits";
    // A column inserted before keeps each text in its cell.
    m_grid.InsertColumn(0, "New", 40);
    EXPECT_EQ(m_grid.GetColumnName(0), "New");
    EXPECT_EQ(m_grid.GetColumnName(2), "B");
    EXPECT_EQ(Text(2, 2), "set");
    EXPECT_EQ(m_grid.GetSetCells(), (std::vector<std::pair<int, int>>{{2, 2}}));
    // Fewer rows drop the texts below them.
    m_grid.SetRowCount(2);
    EXPECT_TRUE(m_grid.GetSetCells().empty());
    EXPECT_EQ(m_grid.GetRowCount(), 2);
}

TEST_F(GridTest, EditsAreReportedUnlessReadOnly)
{
    EXPECT_TRUE(Model()->setData(Model()->index(0, 1), "typed", Qt::EditRole));
    EXPECT_EQ(Text(1, 0), "typed");
    EXPECT_EQ(m_grid.m_vecEdited, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_TRUE(Model()->setData(Model()->index(0, 1), "typed", Qt::EditRole));
    EXPECT_EQ(m_grid.m_vecEdited.size(), 1u) << "the same text is no change";

    m_grid.SetReadOnly(TRUE);
    EXPECT_FALSE(Model()->flags(Model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(Model()->setData(Model()->index(0, 0), "no", Qt::EditRole));
    EXPECT_EQ(Text(0, 0), "0:0");
}

TEST_F(GridTest, SelectionsAndHeaderClicksReachTheSubclass)
{
    m_grid.SetSelectedRange(CGridRange(0, 1, 1, 2));
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(0, 1, 1, 2));
    ASSERT_FALSE(m_grid.m_vecSelections.empty());
    EXPECT_EQ(m_grid.m_vecSelections.back(), CGridRange(0, 1, 1, 2));
    m_grid.SetSelectedRange(CGridRange());
    EXPECT_TRUE(m_grid.m_vecSelections.back().IsEmpty()) << "a cleared selection is reported as none";

    CRect rc = m_grid.GetHeaderRect(1);
    ui::ClickAt(m_grid, rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(m_grid.m_vecHeaderClicks, (std::vector<int>{1}));
    EXPECT_TRUE(m_grid.GetSelectedRange().IsEmpty()) << "the grid itself selects nothing on a header click";

    rc = m_grid.GetCellRect(0, 2);
    ui::ClickAt(m_grid, rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(0, 2, 0, 2));
}

TEST_F(GridTest, RemoveAllLeavesAnEmptyGrid)
{
    m_grid.RemoveAll();
    EXPECT_EQ(m_grid.GetColumnCount(), 0);
    EXPECT_EQ(m_grid.GetRowCount(), 0);
    EXPECT_TRUE(m_grid.GetHeaderRect(0).IsRectEmpty());
    EXPECT_GT(m_grid.GetTextExtent("wide text"), m_grid.GetTextExtent("w"));
}
