#pragma once

#include "Wnd.h"

class QLineEdit;
class QPlainTextEdit;

// An edit control: single-line or multi-line (ES_MULTILINE), digits only
// (ES_NUMBER), read-only, with a limit on what the user may type.
class CEdit : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // nEndChar -1 selects to the end; nStartChar -1 removes the selection.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The most characters the user can enter; 0 lifts the limit. Text already
    // in the control, or set by the program, is never cut.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int GetLineCount() const;
    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL Undo();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    QLineEdit* Line() const;
    QPlainTextEdit* Multi() const;
};
