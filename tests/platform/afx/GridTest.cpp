#include "UiDriver.h"

#include "afx/GridCtrl.h"
#include "afx/GridView.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
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
        m_grid.SetCellReader(Reader());
        m_grid.SetRowCount(3);
        ui::ShowAndActivate(m_host);
    }
    ~GridTest() override { m_host.DestroyWindow(); }

    static AFX_GRID_CELL_READER Reader()
    {
        return [](int nColumn, int nRow, std::string& strText)
        {
            if (nRow >= 2)
                return false; // the reader's rows end here
            strText = std::to_string(nColumn) + ":" + std::to_string(nRow);
            return true;
        };
    }

    std::string Text(int nColumn, int nRow)
    {
        std::string strText;
        m_grid.GetItemText(nColumn, nRow, strText);
        return strText;
    }
    QAbstractItemModel* Model() { return dynamic_cast<CGridView*>(m_grid.GetWidget())->Model(); }

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

TEST_F(GridTest, KeysMoveTheCurrentCellAndShiftStretchesTheSelection)
{
    m_grid.SetRowCount(100);
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const struct
    {
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        CGridRange expected;
    } cases[] = {
        {{{Qt::Key_Down, none}, {Qt::Key_Right, none}}, CGridRange(1, 1, 1, 1)},
        {{{Qt::Key_Down, shift}, {Qt::Key_Down, shift}, {Qt::Key_Right, shift}}, CGridRange(0, 0, 1, 2)},
        {{{Qt::Key_Up, none}, {Qt::Key_Left, none}}, CGridRange(0, 0, 0, 0)},
        {{{Qt::Key_End, none}}, CGridRange(1, 0, 1, 0)},
        {{{Qt::Key_End, ctrl}}, CGridRange(1, 99, 1, 99)},
        {{{Qt::Key_End, ctrl}, {Qt::Key_Home, ctrl | shift}}, CGridRange(0, 0, 1, 99)},
        {{{Qt::Key_A, ctrl}}, CGridRange(0, 0, 1, 99)},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        m_grid.SetSelectedRange(CGridRange(0, 0, 0, 0));
        for (const auto& key : cases[i].keys)
            ui::PressKey(m_grid, key.first, key.second);
        EXPECT_EQ(m_grid.GetSelectedRange(), cases[i].expected) << "case " << i;
        EXPECT_EQ(m_grid.m_vecSelections.back(), cases[i].expected) << "case " << i;
    }
    // The current cell is scrolled on show.
    ui::PressKey(m_grid, Qt::Key_End, ctrl);
    EXPECT_FALSE(m_grid.GetCellRect(1, 99).IsRectEmpty());
    EXPECT_TRUE(m_grid.GetCellRect(0, 0).IsRectEmpty());
    ui::PressKey(m_grid, Qt::Key_PageUp);
    int nTop = m_grid.GetSelectedRange().m_nTop;
    EXPECT_LT(nTop, 99 - 3) << "a page is more than a few rows";
    EXPECT_FALSE(m_grid.GetCellRect(1, nTop).IsRectEmpty());
}

TEST_F(GridTest, RowHeaderSelectsWholeRowsAndFewerRowsClipTheSelection)
{
    auto clickRowHeader = [this](int nRow, Qt::KeyboardModifiers modifiers)
    {
        QWidget* pViewport = dynamic_cast<CGridView*>(m_grid.GetWidget())->viewport();
        QPoint point(2, m_grid.GetCellRect(0, nRow).CenterPoint().y);
        QTest::mouseClick(pViewport, Qt::LeftButton, modifiers, point - pViewport->pos());
    };
    clickRowHeader(1, Qt::NoModifier);
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(0, 1, 1, 1));
    clickRowHeader(2, Qt::ShiftModifier);
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(0, 1, 1, 2));

    m_grid.SetRowCount(2);
    EXPECT_EQ(m_grid.GetSelectedRange(), CGridRange(0, 1, 1, 1));
    EXPECT_EQ(m_grid.m_vecSelections.back(), CGridRange(0, 1, 1, 1)) << "the clipped selection is reported";
    m_grid.SetRowCount(1);
    EXPECT_TRUE(m_grid.GetSelectedRange().IsEmpty());
    EXPECT_TRUE(m_grid.m_vecSelections.back().IsEmpty());
}

TEST_F(GridTest, TypingEditsTheCurrentCellAndTheEditorKeysEndIt)
{
    const struct
    {
        Qt::Key open;        // typed on the grid
        Qt::Key end;         // typed in the editor
        const char* pszText; // the cell's text after
        CGridRange after;
    } cases[] = {
        {Qt::Key_Q, Qt::Key_Escape, "0:1", CGridRange(0, 1, 0, 1)},
        {Qt::Key_Q, Qt::Key_Return, "q", CGridRange(0, 1, 0, 1)},
        {Qt::Key_W, Qt::Key_Tab, "w", CGridRange(1, 1, 1, 1)},
        {Qt::Key_E, Qt::Key_Down, "e", CGridRange(0, 2, 0, 2)},
        {Qt::Key_F2, Qt::Key_Return, "0:1", CGridRange(0, 1, 0, 1)},
    };
    for (const auto& test : cases)
    {
        m_grid.SetCellReader(Reader());
        m_grid.m_vecEdited.clear();
        m_grid.SetSelectedRange(CGridRange(0, 1, 0, 1));
        ui::PressKey(m_grid, test.open);
        ASSERT_TRUE(m_grid.IsEditing()) << test.pszText;
        ui::PressKeyOnFocus(test.end);
        EXPECT_FALSE(m_grid.IsEditing()) << test.pszText;
        EXPECT_EQ(Text(0, 1), test.pszText);
        EXPECT_EQ(m_grid.m_vecEdited.size(), Text(0, 1) == "0:1" ? 0u : 1u) << test.pszText;
        EXPECT_EQ(m_grid.GetSelectedRange(), test.after) << test.pszText;
    }
    m_grid.SetReadOnly(TRUE);
    ui::PressKey(m_grid, Qt::Key_Y);
    EXPECT_FALSE(m_grid.IsEditing()) << "a read-only grid opens no editor";
}

TEST_F(GridTest, ATextCutShortShowsWholeInATipAndFitsTheColumnOnRequest)
{
    auto* pView = dynamic_cast<CGridView*>(m_grid.GetWidget());
    const std::string strLong = "a text much wider than fifty pixels";
    m_grid.SetItemText(0, 1, strLong);
    EXPECT_EQ(pView->CellTip(0, 1).toStdString(), strLong);
    EXPECT_EQ(pView->CellTip(1, 1).toStdString(), "") << "a text that fits needs no tip";
    // Hovering shows the tip.
    CPoint center = m_grid.GetCellRect(0, 1).CenterPoint();
    QPoint point = QPoint(center.x, center.y) - pView->viewport()->pos();
    QHelpEvent event(QEvent::ToolTip, point, pView->viewport()->mapToGlobal(point));
    QCoreApplication::sendEvent(pView->viewport(), &event);
    EXPECT_EQ(QToolTip::text().toStdString(), strLong);

    emit pView->ColumnHeader()->sectionHandleDoubleClicked(0);
    EXPECT_GE(m_grid.GetColumnWidth(0), m_grid.GetTextExtent(strLong));
    EXPECT_EQ(pView->CellTip(0, 1).toStdString(), "");
}

TEST_F(GridTest, AGridGoneWhileACellIsEditedCallsNothingBack)
{
    auto pGrid = std::make_unique<CRecordingGrid>();
    pGrid->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_host, 8);
    pGrid->InsertColumn(-1, "A", 50);
    pGrid->SetRowCount(2);
    pGrid->SetSelectedRange(CGridRange(0, 0, 0, 0));
    ui::PressKey(*pGrid, Qt::Key_Z);
    ASSERT_TRUE(pGrid->IsEditing());
    pGrid.reset(); // its window goes with it, the editor's focus too
    ui::ProcessEvents();
    EXPECT_TRUE(m_host.IsWindowVisible());
}
