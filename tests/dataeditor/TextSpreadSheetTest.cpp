#include "UiDriver.h"

#include "afx/Clipboard.h"
#include "afx/GridView.h"
#include "dataeditor/TextSpreadSheet.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace
{
// Records what the grid tells its owner.
class CRecordingTarget : public IGridCtrlNotification
{
public:
    void OnGridItemChanged(int nRow, int nColumn) override { m_vecChanged.push_back({nRow, nColumn}); }
    void OnGridSelChanged(const CGridRange& range, BOOL bSelect) override
    {
        if (bSelect)
            m_lastRange = range;
    }

    std::vector<std::pair<int, int>> m_vecChanged;
    CGridRange m_lastRange;
};

class TextSpreadSheetTest : public ::testing::Test
{
protected:
    TextSpreadSheetTest()
    {
        m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 300), nullptr, 0);
        m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 400, 280), &m_host, 1033);
        ui::ShowAndActivate(m_host);
    }
    ~TextSpreadSheetTest() override { m_host.DestroyWindow(); }

    // Columns A, B, C; cell (c, r) reads "<column letter><row>".
    void Fill(int nRows)
    {
        for (const char* pszName : {"A", "B", "C"})
            m_grid.InsertColumn(-1, pszName, 60);
        m_grid.SetCellReader(
            [](int nColumn, int nRow, std::string& strText)
            {
                strText = std::string(1, static_cast<char>('a' + nColumn)) + std::to_string(nRow);
                return true;
            });
        m_grid.SetRowCount(nRows);
    }
    std::string Text(int nColumn, int nRow)
    {
        std::string strText;
        m_grid.GetItemText(nColumn, nRow, strText);
        return strText;
    }

    CWnd m_host;
    CRecordingTarget m_target;
    CTextSpreadSheet m_grid{&m_target};
};
} // namespace

TEST_F(TextSpreadSheetTest, CopiesTheSelectionAsTabbedLines)
{
    Fill(3);
    m_grid.SetSelectedRange(CGridRange(1, 0, 2, 1));
    AfxSetClipboardText("before");
    ui::PressKey(m_grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(AfxGetClipboardText(), "b0\tc0\t\r\nb1\tc1\t\r\n");
    m_grid.SetSelectedRange(CGridRange(0, 2, 0, 2));
    ui::PressKey(m_grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(AfxGetClipboardText(), "a2\t\r\n");
}

TEST_F(TextSpreadSheetTest, PasteFillsFromTheTopLeftAndStopsAtTheEdges)
{
    const struct
    {
        const char* pszClipboard;
        CGridRange at;
        std::vector<std::string> expected; // rows 0..2, columns joined by '|'
    } cases[] = {
        {"x\ty\r\nz\tw\r\n", CGridRange(0, 0, 0, 0), {"x|y|c0", "z|w|c1", "a2|b2|c2"}},
        // Three lines below a selection with two rows under it: two rows filled.
        {"1\r\n2\r\n3\r\n", CGridRange(2, 1, 2, 1), {"a0|b0|c0", "a1|b1|1", "a2|b2|2"}},
        // More values than columns to the right: the extra ones are dropped.
        {"p\tq\tr\ts\r\n", CGridRange(1, 0, 2, 0), {"a0|p|q", "a1|b1|c1", "a2|b2|c2"}},
        // Lines ended by a bare line feed count too.
        {"m\nn", CGridRange(0, 1, 0, 1), {"a0|b0|c0", "m|b1|c1", "n|b2|c2"}},
    };
    for (const auto& test : cases)
    {
        m_grid.RemoveAll();
        Fill(3);
        m_target.m_vecChanged.clear();
        m_grid.SetSelectedRange(test.at);
        AfxSetClipboardText(test.pszClipboard);
        ui::PressKey(m_grid, Qt::Key_V, Qt::ControlModifier);
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(Text(0, r) + "|" + Text(1, r) + "|" + Text(2, r), test.expected[static_cast<size_t>(r)])
                << test.pszClipboard << " row " << r;
        ASSERT_EQ(m_target.m_vecChanged.size(), 1u) << test.pszClipboard;
        EXPECT_EQ(m_target.m_vecChanged[0], std::make_pair(test.at.m_nTop, test.at.m_nLeft));
        EXPECT_EQ(m_grid.GetRowCount(), 3) << "no rows are added";
    }
}

TEST_F(TextSpreadSheetTest, ReadOnlyGridTakesNoPaste)
{
    Fill(2);
    m_grid.SetReadOnly(TRUE);
    m_grid.SetSelectedRange(CGridRange(0, 0, 0, 0));
    EXPECT_FALSE(m_grid.PasteText("x\r\n"));
    EXPECT_EQ(Text(0, 0), "a0");
    EXPECT_TRUE(m_target.m_vecChanged.empty());
}

TEST_F(TextSpreadSheetTest, HeaderClickSelectsTheColumnAndRowsAreNumbered)
{
    Fill(4);
    CRect rcHeader = m_grid.GetHeaderRect(1);
    ASSERT_FALSE(rcHeader.IsRectEmpty());
    ui::ClickAt(m_grid, rcHeader.CenterPoint().x, rcHeader.CenterPoint().y);
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(1, 0, 1, 3));
    EXPECT_EQ(m_target.m_lastRange, CGridRange(1, 0, 1, 3));
    EXPECT_EQ(m_grid.GetLastSelection(), CGridRange(1, 0, 1, 3));

    auto* pView = dynamic_cast<CGridView*>(m_grid.GetWidget());
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->Model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(pView->Model()->headerData(3, Qt::Vertical, Qt::DisplayRole).toString(), "4");

    m_grid.SetRowCount(0);
    m_grid.SetSelectedRange(CGridRange());
    ui::ClickAt(m_grid, rcHeader.CenterPoint().x, rcHeader.CenterPoint().y);
    EXPECT_TRUE(m_grid.GetSelectedRange().IsEmpty()) << "without rows a header click selects nothing";
}

TEST_F(TextSpreadSheetTest, TypedEditIsReportedAndKept)
{
    Fill(2);
    CRect rcCell = m_grid.GetCellRect(1, 1);
    ASSERT_FALSE(rcCell.IsRectEmpty());
    ui::ClickAt(m_grid, rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    ui::DoubleClickAt(m_grid, rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    ASSERT_TRUE(m_grid.IsEditing());
    auto* pEditor = m_grid.GetWidget()->findChild<QLineEdit*>();
    ASSERT_NE(pEditor, nullptr);
    pEditor->selectAll();
    QTest::keyClicks(pEditor, "z");
    EXPECT_EQ(pEditor->text().toStdString(), "z");
    QTest::keyClick(pEditor, Qt::Key_Return);
    ui::ProcessEvents();
    EXPECT_EQ(Text(1, 1), "z");
    ASSERT_EQ(m_target.m_vecChanged.size(), 1u);
    EXPECT_EQ(m_target.m_vecChanged[0], std::make_pair(1, 1));
    EXPECT_EQ(m_grid.GetSetCells(), (std::vector<std::pair<int, int>>{{1, 1}}));
}

// Millions of rows: only the rows on show are ever read.
TEST_F(TextSpreadSheetTest, RowsAreReadOnlyWhenShown)
{
    std::map<int, int> mapReads;
    m_grid.InsertColumn(-1, "A", 60);
    m_grid.SetCellReader(
        [&](int, int nRow, std::string& strText)
        {
            ++mapReads[nRow];
            strText = std::to_string(nRow);
            return true;
        });
    m_grid.SetRowCount(5000000);
    ui::ProcessEvents();
    m_grid.GetWidget()->repaint();
    EXPECT_FALSE(mapReads.empty());
    EXPECT_LT(mapReads.rbegin()->first, 100) << "rows below the screen were read";
    mapReads.clear();
    m_grid.EnsureVisible(0, 4999999);
    m_grid.GetWidget()->repaint();
    EXPECT_TRUE(mapReads.count(4999999));
    EXPECT_GT(mapReads.begin()->first, 4999000);
}
