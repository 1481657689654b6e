#include "dataeditor/TextSpreadSheet.h"

#include "afx/Clipboard.h"

#include <vector>

namespace
{
std::vector<std::string> Split(const std::string& strText, char cSeparator)
{
    std::vector<std::string> vecParts;
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = strText.find(cSeparator, nStart)) != std::string::npos; nStart = nEnd + 1)
        vecParts.push_back(strText.substr(nStart, nEnd - nStart));
    vecParts.push_back(strText.substr(nStart));
    return vecParts;
}

// Lines end in "\r\n" as the copy writes them; a bare "\n" from other
// programs ends a line too, and an empty last line is no line.
std::vector<std::string> SplitLines(const std::string& strText)
{
    std::vector<std::string> vecLines = Split(strText, '\n');
    for (std::string& strLine : vecLines)
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
    if (!vecLines.empty() && vecLines.back().empty())
        vecLines.pop_back();
    return vecLines;
}
} // namespace

BOOL CTextSpreadSheet::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CGridCtrl::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetRowNumbers(TRUE);
    return TRUE;
}

BOOL CTextSpreadSheet::PreTranslateMessage(MSG* pMsg)
{
    // Keys typed into an open cell editor are the editor's own.
    if (pMsg->message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000) || IsEditing())
        return CGridCtrl::PreTranslateMessage(pMsg);
    if (pMsg->wParam == 'C' || pMsg->wParam == VK_INSERT)
    {
        AfxSetClipboardText(GetSelectionText());
        return TRUE;
    }
    if (pMsg->wParam == 'V')
    {
        PasteText(AfxGetClipboardText());
        return TRUE;
    }
    return CGridCtrl::PreTranslateMessage(pMsg);
}

std::string CTextSpreadSheet::GetSelectionText() const
{
    std::string strText;
    if (m_selection.IsEmpty())
        return strText;
    std::string strCell;
    for (int nRow = m_selection.m_nTop; nRow <= m_selection.m_nBottom; ++nRow)
    {
        for (int nColumn = m_selection.m_nLeft; nColumn <= m_selection.m_nRight; ++nColumn)
        {
            GetItemText(nColumn, nRow, strCell);
            strText += strCell + '\t';
        }
        strText += "\r\n";
    }
    return strText;
}

BOOL CTextSpreadSheet::PasteText(const std::string& strText)
{
    if (m_selection.IsEmpty() || IsReadOnly())
        return FALSE;
    std::vector<std::string> vecLines = SplitLines(strText);
    int nRow = m_selection.m_nTop;
    for (size_t i = 0; i < vecLines.size() && nRow < GetRowCount(); ++i, ++nRow)
    {
        std::vector<std::string> vecValues = Split(vecLines[i], '\t');
        int nColumn = m_selection.m_nLeft;
        for (size_t j = 0; j < vecValues.size() && nColumn < GetColumnCount(); ++j, ++nColumn)
            SetItemText(nColumn, nRow, vecValues[j]);
    }
    if (nRow == m_selection.m_nTop)
        return FALSE;
    if (m_pNotifyTarget)
        m_pNotifyTarget->OnGridItemChanged(m_selection.m_nTop, m_selection.m_nLeft);
    return TRUE;
}

void CTextSpreadSheet::OnItemChanged(int nRow, int nColumn)
{
    if (m_pNotifyTarget)
        m_pNotifyTarget->OnGridItemChanged(nRow, nColumn);
}

void CTextSpreadSheet::OnSelChanged(const CGridRange& range, BOOL bSelect)
{
    m_selection = range;
    if (m_pNotifyTarget)
        m_pNotifyTarget->OnGridSelChanged(range, bSelect);
}

void CTextSpreadSheet::OnHeaderClick(int nColumn)
{
    if (GetRowCount() > 0)
        SetSelectedRange(CGridRange(nColumn, 0, nColumn, GetRowCount() - 1));
}
