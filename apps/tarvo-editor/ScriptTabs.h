#pragma once

// The script's text, one tab per action file, in a fixed font with narrow
// tabs. Tab types a tab inside the text, as scripts are indented with them;
// the window moves between panes with F6.

#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;
class CScriptText;

class CScriptTabs : public QTabWidget
{
public:
    // Narrower, the text would no longer be usable.
    static constexpr int kMinWidth = 280;

    CScriptTabs();

    // One editor per file of the text; fnChanged hears every edit.
    void Show(const CScriptText& text, std::function<void(size_t, const std::string&)> fnChanged);
    void Clear();

    size_t GetCount() const { return m_arrEditors.size(); }
    QPlainTextEdit* GetEditor(size_t nFile) const { return m_arrEditors[nFile]; }
    // The editor on show; null without a script.
    QPlainTextEdit* GetCurrent() const;

    // Tab names of the files that are only shown: their bytes are no UTF-8
    // text, so an edit could not write them back as they were.
    std::vector<std::string> GetReadOnlyFiles() const;

    // Replaces every whole occurrence in every editable file as one undo step per file;
    // the caret stays where it was. Answers the count.
    int ReplaceEverywhere(const QString& strFrom, const QString& strTo);
    // Selects the next place of the text after the caret of the editor on
    // show, going on from the top; false when the text is nowhere.
    bool FindNext(const QString& strText);

private:
    std::vector<QPlainTextEdit*> m_arrEditors;
};
