#include "ScriptTabs.h"

#include "ScriptText.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace
{
QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// Whether the text comes back from the editor as the same bytes.
bool KeepsItsBytes(const std::string& text)
{
    return ToQ(text).toStdString() == text;
}
} // namespace

CScriptTabs::CScriptTabs()
{
    setDocumentMode(true);
    setMinimumWidth(kMinWidth);
}

void CScriptTabs::Show(const CScriptText& text, std::function<void(size_t, const std::string&)> fnChanged)
{
    Clear();
    for (size_t i = 0; i < text.GetFileCount(); ++i)
    {
        auto* editor = new QPlainTextEdit(ToQ(text.GetText(i)));
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        editor->setTabStopDistance(4 * editor->fontMetrics().horizontalAdvance(' '));
        // Loading is no edit: Undo starts from the text as it was read.
        editor->document()->clearUndoRedoStacks();
        // Bytes that are no UTF-8 would be saved as replacement characters:
        // such a file is only shown.
        editor->setReadOnly(!KeepsItsBytes(text.GetText(i)));
        connect(editor, &QPlainTextEdit::textChanged, this,
                [editor, i, fnChanged] { fnChanged(i, editor->toPlainText().toStdString()); });
        m_arrEditors.push_back(editor);
        addTab(editor, QFileInfo(ToQ(text.GetPath(i))).fileName());
    }
}

void CScriptTabs::Clear()
{
    m_arrEditors.clear();
    while (count() > 0)
    {
        QWidget* page = widget(0);
        removeTab(0);
        delete page;
    }
}

QPlainTextEdit* CScriptTabs::GetCurrent() const
{
    return qobject_cast<QPlainTextEdit*>(currentWidget());
}

std::vector<std::string> CScriptTabs::GetReadOnlyFiles() const
{
    std::vector<std::string> arrNames;
    for (size_t i = 0; i < m_arrEditors.size(); ++i)
        if (m_arrEditors[i]->isReadOnly())
            arrNames.push_back(tabText(static_cast<int>(i)).toStdString());
    return arrNames;
}

int CScriptTabs::ReplaceEverywhere(const QString& strFrom, const QString& strTo)
{
    int nCount = 0;
    for (QPlainTextEdit* editor : m_arrEditors)
    {
        if (editor->isReadOnly())
            continue;
        QTextDocument* document = editor->document();
        QTextCursor block(document);
        block.beginEditBlock();
        for (QTextCursor found = document->find(strFrom, 0, QTextDocument::FindCaseSensitively); !found.isNull();
             found = document->find(strFrom, found, QTextDocument::FindCaseSensitively))
        {
            found.insertText(strTo);
            ++nCount;
        }
        block.endEditBlock();
    }
    return nCount;
}

bool CScriptTabs::FindNext(const QString& strText)
{
    QPlainTextEdit* editor = GetCurrent();
    if (!editor || strText.isEmpty())
        return false;
    QTextDocument* document = editor->document();
    QTextCursor found = document->find(strText, editor->textCursor());
    if (found.isNull())
        found = document->find(strText, 0);
    if (found.isNull())
        return false;
    editor->setTextCursor(found);
    return true;
}
