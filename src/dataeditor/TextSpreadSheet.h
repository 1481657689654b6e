#pragma once

#include "TarvoExport.h"
#include "afx/GridCtrl.h"
#include "afx/GridCtrlNotification.h"

#include <string>

// The data table editor's grid: numbered rows, a header click selects the
// column, Ctrl+C (or Ctrl+Insert) copies the selection as tab-separated lines,
// Ctrl+V pastes such lines into the cells from the selection's top-left on.
// Edits and selections are passed on to the owner.
class TARVO_API CTextSpreadSheet : public CGridCtrl
{
public:
    CTextSpreadSheet() = default;
    explicit CTextSpreadSheet(IGridCtrlNotification* pNotifyTarget) : m_pNotifyTarget(pNotifyTarget) {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Each selected cell's text and a tab, each row ended by "\r\n".
    std::string GetSelectionText() const;
    // Fills cells from the selection's top-left with tab-separated lines,
    // never beyond the last row or column; FALSE when nothing was filled.
    BOOL PasteText(const std::string& strText);

    const CGridRange& GetLastSelection() const { return m_selection; }

protected:
    void OnItemChanged(int nRow, int nColumn) override;
    void OnSelChanged(const CGridRange& range, BOOL bSelect) override;
    void OnHeaderClick(int nColumn) override;

private:
    IGridCtrlNotification* m_pNotifyTarget = nullptr; // not owned
    CGridRange m_selection;
};
