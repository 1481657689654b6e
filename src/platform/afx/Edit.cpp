#include "Edit.h"

#include "ControlFactory.h"
#include "EditValidator.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_EDIT, "", dwStyle, rect, pParentWnd, nID);
}

QLineEdit* CEdit::Line() const
{
    return qobject_cast<QLineEdit*>(GetWidget());
}

QPlainTextEdit* CEdit::Multi() const
{
    return qobject_cast<QPlainTextEdit*>(GetWidget());
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL)
{
    if (QLineEdit* line = Line())
    {
        int length = static_cast<int>(line->text().size());
        if (nStartChar < 0)
        {
            line->deselect();
            return;
        }
        int end = nEndChar < 0 ? length : std::min(nEndChar, length);
        int start = std::min(nStartChar, length);
        line->setSelection(start, end - start);
    }
    else if (QPlainTextEdit* multi = Multi())
    {
        QTextCursor cursor = multi->textCursor();
        int length = multi->document()->characterCount() - 1;
        if (nStartChar < 0)
            cursor.clearSelection();
        else
        {
            cursor.setPosition(std::min(nStartChar, length));
            cursor.setPosition(nEndChar < 0 ? length : std::min(nEndChar, length), QTextCursor::KeepAnchor);
        }
        multi->setTextCursor(cursor);
    }
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    nStartChar = nEndChar = 0;
    if (QLineEdit* line = Line())
    {
        if (line->hasSelectedText())
        {
            nStartChar = line->selectionStart();
            nEndChar = line->selectionEnd();
        }
        else
            nStartChar = nEndChar = line->cursorPosition();
    }
    else if (QPlainTextEdit* multi = Multi())
    {
        QTextCursor cursor = multi->textCursor();
        nStartChar = cursor.selectionStart();
        nEndChar = cursor.selectionEnd();
    }
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL)
{
    QString text = QString::fromUtf8(lpszNewText ? lpszNewText : "");
    if (QLineEdit* line = Line())
        line->insert(text);
    else if (QPlainTextEdit* multi = Multi())
        multi->insertPlainText(text.replace("\r\n", "\n"));
}

void CEdit::LimitText(int nChars)
{
    QWidget* widget = GetWidget();
    auto* validator = widget ? widget->findChild<CEditValidator*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (validator)
        validator->SetLimit(nChars);
}

UINT CEdit::GetLimitText() const
{
    QWidget* widget = GetWidget();
    auto* validator = widget ? widget->findChild<CEditValidator*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return validator ? static_cast<UINT>(validator->GetLimit()) : 0;
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    if (QLineEdit* line = Line())
        line->setReadOnly(bReadOnly);
    else if (QPlainTextEdit* multi = Multi())
        multi->setReadOnly(bReadOnly);
    else
        return FALSE;
    ModifyStyle(bReadOnly ? 0 : ES_READONLY, bReadOnly ? ES_READONLY : 0);
    return TRUE;
}

int CEdit::GetLineCount() const
{
    if (QPlainTextEdit* multi = Multi())
        return multi->document()->blockCount();
    return Line() ? 1 : 0;
}

void CEdit::Clear()
{
    if (QLineEdit* line = Line())
        line->del();
    else if (QPlainTextEdit* multi = Multi())
        multi->textCursor().removeSelectedText();
}

void CEdit::Copy()
{
    if (QLineEdit* line = Line())
        line->copy();
    else if (QPlainTextEdit* multi = Multi())
        multi->copy();
}

void CEdit::Cut()
{
    if (QLineEdit* line = Line())
        line->cut();
    else if (QPlainTextEdit* multi = Multi())
        multi->cut();
}

void CEdit::Paste()
{
    if (QLineEdit* line = Line())
        line->paste();
    else if (QPlainTextEdit* multi = Multi())
        multi->paste();
}

BOOL CEdit::Undo()
{
    if (QLineEdit* line = Line())
        line->undo();
    else if (QPlainTextEdit* multi = Multi())
        multi->undo();
    else
        return FALSE;
    return TRUE;
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == EM_SETSEL)
    {
        SetSel(static_cast<int>(static_cast<intptr_t>(wParam)), static_cast<int>(lParam));
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
