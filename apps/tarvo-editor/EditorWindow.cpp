#include "EditorWindow.h"

#include "ParamSnapshot.h"

#include "afx/MessageBox.h"
#include "afx/WinMessageEvent.h"
#include "manager/UpdateCodes.h"
#include "resources/StringIds.h"
#include "resources/TarvoResources.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeySequence>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>

namespace
{
const unsigned long kParameterListHelp = 141306;
const char* const kDatasetsKey = "Options/Datasets";
const char* const kServerEncryptKey = "Options/ServerEncrypt";

// A pane that tells its owner when its size changes.
class CPaneWidget : public QWidget
{
public:
    explicit CPaneWidget(std::function<void()> fnResized) : m_fnResized(std::move(fnResized)) {}

protected:
    void resizeEvent(QResizeEvent*) override { m_fnResized(); }

private:
    std::function<void()> m_fnResized;
};

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string SelectedText(const QPlainTextEdit& editor)
{
    // Selections mark line breaks with the paragraph separator.
    return editor.textCursor().selectedText().replace(QChar(0x2029), '\n').toStdString();
}
} // namespace

long CEditorWindow::SavedOptions()
{
    QSettings settings;
    long lOptions = 0;
    if (settings.value(kDatasetsKey, true).toBool())
        lOptions |= OPT_DATASETS;
    if (settings.value(kServerEncryptKey, false).toBool())
        lOptions |= OPT_SERVER_ENCRYPT;
    return lOptions;
}

CEditorWindow::CEditorWindow(const std::string& strDatFile, long lOptions)
    : m_mgr(strDatFile.c_str()), m_lOptions(lOptions), m_nNotifyMsg(RegisterWindowMessageA(TARVO_NOTIFY_MESSAGE))
{
    m_mgr.Custom_AddOptions(lOptions);
    m_mgr.Create(nullptr);
    BuildPanes();
    BuildMenus();
    m_mgr.RegisterNotifyWindow(AfxHandleFromWidget(this));
    resize(1280, 860);
}

CEditorWindow::~CEditorWindow()
{
    CloseParameterPane();
    m_mgr.UnRegisterNotifyWindow(AfxHandleFromWidget(this));
    // The pane widget belongs to this window, not to its CWnd.
    m_paneWnd.Detach();
}

void CEditorWindow::BuildPanes()
{
    auto* splitter = new QSplitter(this);
    m_pTabs = new QTabWidget(splitter);
    m_pPane = new CPaneWidget([this] { FitParameterPane(); });
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pPane);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    m_paneWnd.SubclassWindow(AfxHandleFromWidget(m_pPane));
}

void CEditorWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Save", QKeySequence::Save, this, [this] { Save(); });
    file->addSeparator();
    file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction("&Replace with Parameter...", QKeySequence(Qt::CTRL | Qt::Key_R), this,
                    [this] { ReplaceWithParameter(); });

    QMenu* options = menuBar()->addMenu("&Options");
    const struct
    {
        const char* text;
        long lOption;
    } switches[] = {{"&Datasets", OPT_DATASETS}, {"&Server and Encrypted attributes", OPT_SERVER_ENCRYPT}};
    for (const auto& s : switches)
    {
        QAction* action = options->addAction(s.text);
        action->setCheckable(true);
        action->setChecked(m_lOptions & s.lOption);
        long lOption = s.lOption;
        connect(action, &QAction::toggled, this,
                [this, lOption, action](bool bOn)
                {
                    SetOption(lOption, bOn);
                    // A switch the author did not confirm stays as it was.
                    QSignalBlocker block(action);
                    action->setChecked(m_lOptions & lOption);
                });
    }

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&Parameter List Help", QKeySequence::HelpContents, this,
                    [this] { m_mgr.ShowHelp(kParameterListHelp); });
}

bool CEditorWindow::OpenScript(const CScriptLocation& script, std::string& strError)
{
    CScriptText text;
    if (!text.Load(script.GetActionFiles(), strError))
        return false;
    m_script = script;
    m_text = std::move(text);
    m_pTabs->clear();
    m_arrEditors.clear();
    for (size_t i = 0; i < m_text.GetFileCount(); ++i)
    {
        auto* editor = new QPlainTextEdit(ToQ(m_text.GetText(i)));
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        editor->setTabStopDistance(4 * editor->fontMetrics().horizontalAdvance(' '));
        connect(editor, &QPlainTextEdit::textChanged, this,
                [this, editor, i] { m_text.SetText(i, editor->toPlainText().toStdString()); });
        m_arrEditors.push_back(editor);
        m_pTabs->addTab(editor, QFileInfo(ToQ(m_text.GetPath(i))).fileName());
    }
    LoadParameters(script.GetParamFile());
    setWindowTitle(ToQ(script.GetName()) + " - Tarvo");
    ShowStatus("Opened " + ToQ(script.GetParamFile()));
    return true;
}

void CEditorWindow::LoadParameters(const std::string& strParamFile)
{
    CloseParameterPane();
    // The manager names a file after the dataset it holds.
    std::string strName = QFileInfo(ToQ(strParamFile)).completeBaseName().toStdString();
    m_mgr.AddParamFile(strParamFile.c_str(), strName.c_str());
    OpenParameterPane();
}

void CEditorWindow::OpenParameterPane()
{
    if (!m_mgr.OpenParamEditDialogAsChildWnd(&m_paneWnd))
        return;
    // The pane never gets smaller than the dialog's own layout.
    if (CWnd* dialog = m_paneWnd.GetWindow(GW_CHILD))
    {
        CRect rect;
        dialog->GetWindowRect(&rect);
        m_pPane->setMinimumSize(rect.Width(), rect.Height());
    }
    FitParameterPane();
}

void CEditorWindow::CloseParameterPane()
{
    m_mgr.CloseParamEditDialogChildWnd();
}

void CEditorWindow::FitParameterPane()
{
    if (CWnd* dialog = m_paneWnd.GetWindow(GW_CHILD))
        dialog->MoveWindow(0, 0, m_pPane->width(), m_pPane->height());
}

void CEditorWindow::ReplaceWithParameter()
{
    auto* editor = qobject_cast<QPlainTextEdit*>(m_pTabs->currentWidget());
    std::string strText = editor ? SelectedText(*editor) : std::string();
    if (strText.empty())
    {
        ShowStatus("Select the text to turn into a parameter first.");
        return;
    }
    if (m_mgr.IsNestedParameterization(strText, "{", "}"))
    {
        AfxMessageBox("The selected text already holds a parameter reference.", MB_ICONEXCLAMATION);
        return;
    }
    std::string strName;
    std::string strType;
    long lResult = IDCANCEL;
    if (!m_mgr.OpenParamSelectDialog(strName, strType, &lResult, strText.c_str(), &m_paneWnd) || lResult != IDOK)
        return;
    if (!m_mgr.IsExistingParamName(strName.c_str()) &&
        !m_mgr.CreateNewParameter(strName.c_str(), strType.c_str(), strText.c_str()))
    {
        AfxMessageBox(IDS_CREATE_PARAM_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    editor->textCursor().insertText(ToQ(CScriptText::Reference(strName)));
    ShowStatus("Replaced the selection with {" + ToQ(strName) + "}");
}

bool CEditorWindow::event(QEvent* pEvent)
{
    if (pEvent->type() != CWinMessageEvent::EventType())
        return QMainWindow::event(pEvent);
    auto* message = static_cast<CWinMessageEvent*>(pEvent);
    if (message->m_nMessage == m_nNotifyMsg && message->m_lParam)
        OnParamNotify(static_cast<long>(message->m_wParam),
                      *reinterpret_cast<const ParamNotifyRecord*>(message->m_lParam));
    return true;
}

void CEditorWindow::OnParamNotify(long nKind, const ParamNotifyRecord& record)
{
    std::string strName = record.pszName ? record.pszName : "";
    if (nKind == NOTIFY_ADDED)
        ShowStatus("Parameter " + ToQ(strName) + " added");
    else if (nKind == NOTIFY_RENAMED && record.pszNewName)
    {
        int nCount = ReplaceInEditors(CScriptText::Reference(strName), CScriptText::Reference(record.pszNewName));
        ShowStatus(QString("Parameter %1 renamed to %2; %3 reference(s) updated")
                       .arg(ToQ(strName), ToQ(record.pszNewName))
                       .arg(nCount));
    }
    else if (nKind == NOTIFY_DELETED)
    {
        int nCount =
            ReplaceInEditors(CScriptText::Reference(strName), record.pszOriginalValue ? record.pszOriginalValue : "");
        ShowStatus(QString("Parameter %1 deleted; its value is back in %2 place(s)").arg(ToQ(strName)).arg(nCount));
    }
}

// Edits the documents in place, so the author's cursor stays where it was and
// one Undo per file takes the change back; the script text follows the edits.
int CEditorWindow::ReplaceInEditors(const std::string& strFrom, const std::string& strTo)
{
    const QString from = ToQ(strFrom);
    const QString to = ToQ(strTo);
    int nCount = 0;
    for (QPlainTextEdit* editor : m_arrEditors)
    {
        QTextDocument* document = editor->document();
        QTextCursor block(document);
        block.beginEditBlock();
        for (QTextCursor found = document->find(from, 0, QTextDocument::FindCaseSensitively); !found.isNull();
             found = document->find(from, found, QTextDocument::FindCaseSensitively))
        {
            found.insertText(to);
            ++nCount;
        }
        block.endEditBlock();
    }
    return nCount;
}

bool CEditorWindow::Save()
{
    // The tab on show writes its input back first, or keeps the author on it.
    if (!m_mgr.UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr))
        return false;
    // Every dataset that changed is written; the library names any file it
    // could not write.
    if (!m_mgr.SaveChanges())
        return false;
    std::string strError;
    if (!m_text.Save(strError))
    {
        AfxMessageBox(("The script was not saved: " + strError).c_str(), MB_ICONERROR);
        return false;
    }
    ShowStatus("Saved " + ToQ(m_script.GetName()));
    return true;
}

// Unsaved exactly when saving would write something other than the file holds,
// also after the dataset bar switched to another dataset.
bool CEditorWindow::HasUnsavedParameters()
{
    CParamSnapshot current;
    current.Take(m_mgr.GetTurbine());
    CParamSnapshot saved;
    saved.TakeFromFile(m_mgr.GetDatFile(), m_mgr.GetActiveParamFilePath());
    return current != saved;
}

bool CEditorWindow::ConfirmClose()
{
    if (!m_mgr.UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr))
        return false;
    if (!m_text.IsModified() && !HasUnsavedParameters())
        return true;
    std::string strQuestion = "Save the changes to " + m_script.GetName() + "?";
    switch (AfxMessageBox(strQuestion.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        return Save();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CEditorWindow::SetOption(long lOption, bool bOn)
{
    if (((m_lOptions & lOption) != 0) == bOn)
        return;
    // Datasets change what is loaded: the parameters are read again from disk.
    if (lOption == OPT_DATASETS && !ConfirmClose())
        return;
    // The pane is built again: the tab on show writes its input back first.
    if (lOption != OPT_DATASETS && !m_mgr.UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr))
        return;
    m_lOptions = bOn ? (m_lOptions | lOption) : (m_lOptions & ~lOption);
    if (bOn)
        m_mgr.Custom_AddOptions(lOption);
    else
        m_mgr.Custom_RemoveOptions(lOption);
    QSettings().setValue(lOption == OPT_DATASETS ? kDatasetsKey : kServerEncryptKey, bOn);
    // The dataset the author is on stays the one shown.
    if (lOption == OPT_DATASETS)
        LoadParameters(m_mgr.GetActiveParamFilePath());
    else
    {
        CloseParameterPane();
        OpenParameterPane();
    }
}

void CEditorWindow::closeEvent(QCloseEvent* pEvent)
{
    if (ConfirmClose())
        pEvent->accept();
    else
        pEvent->ignore();
}

void CEditorWindow::ShowStatus(const QString& strText)
{
    statusBar()->showMessage(strText);
}
