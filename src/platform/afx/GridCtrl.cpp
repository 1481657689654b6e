#include "GridCtrl.h"

#include "GridView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace
{
CRect ToCRect(const QRect& rect)
{
    return rect.isEmpty() ? CRect() : CRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
}
} // namespace

CGridCtrl::CGridCtrl() = default;

// The window may outlive this object; it must not call back into it.
CGridCtrl::~CGridCtrl()
{
    if (CGridView* pView = View())
    {
        pView->m_onSelectionChanged = nullptr;
        pView->m_onHeaderClicked = nullptr;
        pView->Model()->m_onEdited = nullptr;
    }
}

BOOL CGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    QWidget* pParent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    if (!pParent || m_hWnd)
        return FALSE;
    m_pModel = new CGridModel(nullptr);
    auto* pView = new CGridView(m_pModel, pParent);
    pView->setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    pView->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    pView->setProperty("afxClass", QString("GridCtrl"));
    m_pModel->m_onEdited = [this](int nRow, int nColumn) { OnItemChanged(nRow, nColumn); };
    pView->m_onSelectionChanged = [this] { NotifySelection(); };
    pView->m_onHeaderClicked = [this](int nColumn) { OnHeaderClick(nColumn); };
    if (!AttachWidget(pView, nID, dwStyle, 0, true))
    {
        delete pView;
        m_pModel = nullptr;
        return FALSE;
    }
    pView->setVisible(dwStyle & WS_VISIBLE);
    return TRUE;
}

CGridView* CGridCtrl::View() const
{
    return dynamic_cast<CGridView*>(GetWidget());
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
    if (CGridView* pView = View(); pView && nColumn >= 0 && nColumn < GetColumnCount())
        pView->ColumnHeader()->resizeSection(nColumn, nWidth);
}

int CGridCtrl::GetColumnWidth(int nColumn) const
{
    CGridView* pView = View();
    return pView && nColumn >= 0 && nColumn < GetColumnCount() ? pView->ColumnHeader()->sectionSize(nColumn) : 0;
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
    if (CGridView* pView = View())
        pView->SetEditFirstClick(bFirstClick);
}

void CGridCtrl::SetWholeRowSel(BOOL bWholeRow)
{
    if (CGridView* pView = View())
        pView->SetWholeRows(bWholeRow);
}

void CGridCtrl::EnableHeader(BOOL bColumnHeader)
{
    if (CGridView* pView = View())
        pView->SetColumnHeaderVisible(bColumnHeader);
}

void CGridCtrl::SetRowNumbers(BOOL bRowNumbers)
{
    if (m_pModel)
        m_pModel->SetRowNumbers(bRowNumbers);
}

BOOL CGridCtrl::IsEditing() const
{
    CGridView* pView = View();
    return pView && pView->IsEditing();
}

int CGridCtrl::GetTextExtent(const std::string& strText) const
{
    CGridView* pView = View();
    if (!pView)
        return 0;
    return pView->fontMetrics().horizontalAdvance(QString::fromStdString(strText)) + 2 * pView->TextMargin();
}

int CGridCtrl::GetHeaderTextExtent(const std::string& strText) const
{
    CGridView* pView = View();
    if (!pView)
        return 0;
    QHeaderView* pHeader = pView->ColumnHeader();
    int nMargin = pHeader->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, pHeader) * 2;
    // Headers may draw their text bold; measure it so.
    QFont font = pHeader->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(QString::fromStdString(strText)) + nMargin;
}

CGridRange CGridCtrl::GetSelectedRange() const
{
    CGridView* pView = View();
    return pView ? pView->Selection() : CGridRange();
}

void CGridCtrl::SetSelectedRange(const CGridRange& range)
{
    if (CGridView* pView = View())
        pView->Select(range);
}

void CGridCtrl::EnsureVisible(int nColumn, int nRow)
{
    if (CGridView* pView = View())
        pView->ScrollTo(nColumn, nRow);
}

CRect CGridCtrl::GetCellRect(int nColumn, int nRow) const
{
    CGridView* pView = View();
    return pView ? ToCRect(pView->CellRect(nColumn, nRow)) : CRect();
}

CRect CGridCtrl::GetHeaderRect(int nColumn) const
{
    CGridView* pView = View();
    return pView ? ToCRect(pView->HeaderRect(nColumn)) : CRect();
}

// While a cell is edited every key is the editor's: Return, Escape and Tab
// end the edit, not the dialogs around the grid.
LRESULT CGridCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE && IsEditing())
        return DLGC_WANTALLKEYS;
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CGridCtrl::OnItemChanged(int, int) {}

void CGridCtrl::OnSelChanged(const CGridRange&, BOOL) {}

void CGridCtrl::OnHeaderClick(int) {}

void CGridCtrl::NotifySelection()
{
    CGridRange range = GetSelectedRange();
    OnSelChanged(range, range.IsEmpty() ? FALSE : TRUE);
}
