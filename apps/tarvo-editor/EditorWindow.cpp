#include "EditorWindow.h"

#include "FindBar.h"
#include "ManagerObserver.h"
#include "PaneFrame.h"
#include "ScriptTabs.h"

#include "afx/MessageBox.h"
#include "afx/SettingsFile.h"
#include "afx/WinMessageEvent.h"
#include "help/HelpLauncher.h"
#include "resources/StringIds.h"
#include "resources/TarvoResources.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace
{
const unsigned long kParameterListHelp = 141306;
const char* const kDatasetsKey = "Options/Datasets";
const char* const kServerEncryptKey = "Options/ServerEncrypt";
const char* const kGeometryKey = "Window/Geometry";
const char* const kSplitterKey = "Window/Splitter";
const int kMessageMs = 8000;

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
    : m_strDatFile(strDatFile), m_lOptions(lOptions), m_nNotifyMsg(RegisterWindowMessageA(TARVO_NOTIFY_MESSAGE))
{
    BuildPanes();
    BuildMenus();
    NewManager();
    RestoreWindowState();
    RefreshState();
    qApp->installEventFilter(this);
    // Help that cannot open says why, instead of doing nothing.
    SetHelpFailureHandler([this](const std::string& strReason) { Ask(strReason, MB_OK | MB_ICONEXCLAMATION); });
}

CEditorWindow::~CEditorWindow()
{
    SetHelpFailureHandler(nullptr);
    DropManager();
    // The pane widget belongs to this window, not to its CWnd.
    m_paneWnd.Detach();
}

void CEditorWindow::BuildPanes()
{
    m_pTabs = new CScriptTabs;
    m_pFindBar = new CFindBar([this](const QString& text) { return m_pTabs->FindNext(text); },
                              [this]
                              {
                                  if (m_pTabs->GetCurrent())
                                      m_pTabs->GetCurrent()->setFocus(Qt::OtherFocusReason);
                              });
    auto* script = new QWidget;
    auto* column = new QVBoxLayout(script);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_pTabs, 1);
    column->addWidget(m_pFindBar);
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this] { RefreshEditActions(); });

    m_pPane = new CPaneWidget([this] { FitParameterPane(); });
    m_pPane->setFocusPolicy(Qt::NoFocus);
    m_pScriptFrame = new CPaneFrame(script);
    m_pSplitter = new QSplitter(this);
    m_pSplitter->addWidget(m_pScriptFrame);
    m_pSplitter->addWidget(new CPaneFrame(m_pPane));
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->setStretchFactor(0, 1);
    m_pSplitter->setStretchFactor(1, 1);
    setCentralWidget(m_pSplitter);
    m_paneWnd.SubclassWindow(AfxHandleFromWidget(m_pPane));

    m_pState = new QLabel;
    statusBar()->addWidget(m_pState, 1);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { RefreshEditActions(); });
}

QAction* CEditorWindow::AddAction(QMenu* pMenu, const QString& strText, const QKeySequence& keys,
                                  std::function<void()> fn)
{
    QAction* action = pMenu->addAction(strText, this, std::move(fn));
    action->setShortcut(keys);
    m_mapActions[strText] = action;
    return action;
}

QAction* CEditorWindow::Action(const QString& strText) const
{
    auto it = m_mapActions.find(strText);
    return it == m_mapActions.end() ? nullptr : it->second;
}

void CEditorWindow::BuildMenus()
{
    BuildFileMenu();
    BuildEditMenu();
    BuildViewAndOptionsMenus();
    BuildHelpMenu();
}

void CEditorWindow::BuildFileMenu()
{
    QMenu* file = menuBar()->addMenu("&File");
    AddAction(file, "&Open...", QKeySequence::Open, [this] { OpenDialog(); });
    m_pRecentMenu = file->addMenu("Open &Recent");
    connect(m_pRecentMenu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    FillRecentMenu();
    file->addSeparator();
    AddAction(file, "&Save", QKeySequence::Save, [this] { Save(); });
    AddAction(file, "Re&vert to Saved", QKeySequence(), [this] { RevertToSaved(); });
    file->addSeparator();
    AddAction(file, "&Quit", QKeySequence::Quit, [this] { close(); });
}

void CEditorWindow::FillRecentMenu()
{
    m_pRecentMenu->clear();
    std::vector<std::string> arrPaths = m_recent.Get();
    for (size_t i = 0; i < arrPaths.size(); ++i)
    {
        std::string strPath = arrPaths[i];
        // A "&" of the path is shown, not taken for a mnemonic.
        QString text = QString("&%1 %2").arg((i + 1) % 10).arg(ToQ(strPath).replace('&', "&&"));
        m_pRecentMenu->addAction(text, this, [this, strPath] { OpenRecent(strPath); });
    }
    if (!arrPaths.empty())
        m_pRecentMenu->addSeparator();
    QAction* clear = m_pRecentMenu->addAction("&Clear Menu", this,
                                              [this]
                                              {
                                                  m_recent.Clear();
                                                  FillRecentMenu();
                                              });
    clear->setEnabled(!arrPaths.empty());
    m_pRecentMenu->setEnabled(!arrPaths.empty());
}

void CEditorWindow::BuildEditMenu()
{
    QMenu* edit = menuBar()->addMenu("&Edit");
    auto onEditor = [this](void (QPlainTextEdit::*pfn)())
    {
        return [this, pfn]
        {
            if (QPlainTextEdit* editor = m_pTabs->GetCurrent())
                (editor->*pfn)();
        };
    };
    AddAction(edit, "&Undo", QKeySequence::Undo, onEditor(&QPlainTextEdit::undo));
    AddAction(edit, "&Redo", QKeySequence::Redo, onEditor(&QPlainTextEdit::redo));
    edit->addSeparator();
    AddAction(edit, "Cu&t", QKeySequence::Cut, onEditor(&QPlainTextEdit::cut));
    AddAction(edit, "&Copy", QKeySequence::Copy, onEditor(&QPlainTextEdit::copy));
    AddAction(edit, "&Paste", QKeySequence::Paste, onEditor(&QPlainTextEdit::paste));
    AddAction(edit, "Select &All", QKeySequence::SelectAll, onEditor(&QPlainTextEdit::selectAll));
    edit->addSeparator();
    AddAction(edit, "&Find...", QKeySequence::Find, [this] { FindText(); });
    AddAction(edit, "Find &Next", QKeySequence::FindNext, [this] { FindNext(); });
    edit->addSeparator();
    AddAction(edit, "R&eplace with Parameter...", QKeySequence(Qt::CTRL | Qt::Key_R),
              [this] { ReplaceWithParameter(); });
    // The text's keys act in the script pane only; in the parameter pane
    // they belong to its fields.
    for (const char* text : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Select &All"})
    {
        m_pScriptFrame->addAction(Action(text));
        Action(text)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
}

void CEditorWindow::BuildViewAndOptionsMenus()
{
    QMenu* view = menuBar()->addMenu("&View");
    AddAction(view, "&Next Pane", QKeySequence(Qt::Key_F6), [this] { FocusNextPane(true); });
    AddAction(view, "&Previous Pane", QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { FocusNextPane(false); });
    view->addSeparator();
    AddAction(view, "Next &File", QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { ShowNextFile(1); });
    AddAction(view, "Previous F&ile", QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { ShowNextFile(-1); });

    QMenu* options = menuBar()->addMenu("&Options");
    const struct
    {
        const char* text;
        long lOption;
    } switches[] = {{"&Datasets", OPT_DATASETS}, {"&Server and Encrypted attributes", OPT_SERVER_ENCRYPT}};
    for (const auto& s : switches)
    {
        QAction* action = options->addAction(s.text);
        m_mapActions[s.text] = action;
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
}

void CEditorWindow::BuildHelpMenu()
{
    QMenu* help = menuBar()->addMenu("&Help");
    AddAction(help, "&Contents", QKeySequence(), [this] { m_pMgr->ShowHelp(kAllTopics); });
    AddAction(help, "Help on This &Pane", QKeySequence::HelpContents, [this] { ShowFocusHelp(); });
    help->addSeparator();
    AddAction(help, "&About Tarvo Editor", QKeySequence(), [this] { ShowAbout(); });
}

void CEditorWindow::ShowFocusHelp()
{
    QWidget* focus = QApplication::focusWidget();
    bool bParameters = focus && m_pPane->isAncestorOf(focus);
    m_pMgr->ShowHelp(bParameters ? kParameterListHelp : kEditorHelp);
}

void CEditorWindow::ShowAbout()
{
    std::string strText = QGuiApplication::applicationDisplayName().toStdString() + " " +
                          QCoreApplication::applicationVersion().toStdString() +
                          "\n\nEdits the parameters of load-test scripts: the script's text, its parameters "
                          "and their datasets, side by side.";
    Ask(strText, MB_OK | MB_ICONASTERISK);
}

void CEditorWindow::FocusNextPane(bool bForward)
{
    QWidget* focus = QApplication::focusWidget();
    std::vector<QWidget*> arrControls = PaneControls();
    if ((focus && m_pPane->isAncestorOf(focus)) || arrControls.empty())
        FocusScript();
    else
        (bForward ? arrControls.front() : arrControls.back())->setFocus(Qt::TabFocusReason);
}

void CEditorWindow::ShowNextFile(int nStep)
{
    int nCount = m_pTabs->count();
    if (nCount == 0)
        return;
    bool bFocused = QApplication::focusWidget() == m_pTabs->GetCurrent();
    m_pTabs->setCurrentIndex((m_pTabs->currentIndex() + nStep + nCount) % nCount);
    if (bFocused)
        FocusScript();
}

void CEditorWindow::FocusScript()
{
    if (QPlainTextEdit* editor = m_pTabs->GetCurrent())
        editor->setFocus(Qt::TabFocusReason);
}

std::vector<QWidget*> CEditorWindow::PaneControls() const
{
    std::vector<QWidget*> arrControls;
    for (QWidget* child = m_pPane->nextInFocusChain(); child && child != m_pPane; child = child->nextInFocusChain())
        if (m_pPane->isAncestorOf(child) && child->isVisible() && child->isEnabled() &&
            (child->focusPolicy() & Qt::TabFocus))
            arrControls.push_back(child);
    return arrControls;
}

// The embedded dialog keeps Tab among its own controls, as dialogs do: past
// its last control (or before its first) Tab goes on to the script text. In
// the text Tab types a tab; Ctrl+Tab goes on to the parameters.
bool CEditorWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress && isActiveWindow() && HandleTab(static_cast<QKeyEvent*>(pEvent)))
        return true;
    return QMainWindow::eventFilter(pWatched, pEvent);
}

bool CEditorWindow::HandleTab(QKeyEvent* pKey)
{
    if (pKey->key() != Qt::Key_Tab && pKey->key() != Qt::Key_Backtab)
        return false;
    bool bBack = pKey->key() == Qt::Key_Backtab || (pKey->modifiers() & Qt::ShiftModifier);
    bool bControl = pKey->modifiers() & Qt::ControlModifier;
    QWidget* focus = QApplication::focusWidget();
    if (focus && m_pTabs->GetCurrent() == focus && bControl)
    {
        FocusNextPane(!bBack);
        return true;
    }
    std::vector<QWidget*> arrControls = PaneControls();
    if (!focus || bControl || arrControls.empty() || focus != (bBack ? arrControls.front() : arrControls.back()))
        return false;
    FocusScript();
    return true;
}

void CEditorWindow::RestoreWindowState()
{
    QSettings settings;
    // At first the script gets as much room as the parameters need, where the screen allows.
    QSize size(1500, 900);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
    m_pSplitter->setSizes({size.width() / 2, size.width() / 2});
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    m_pSplitter->restoreState(settings.value(kSplitterKey).toByteArray());
}

void CEditorWindow::SaveWindowState()
{
    AfxWriteHostSettings(
        [this](QSettings& settings)
        {
            settings.setValue(kGeometryKey, saveGeometry());
            settings.setValue(kSplitterKey, m_pSplitter->saveState());
        });
}

void CEditorWindow::ReplaceWithParameter()
{
    QPlainTextEdit* editor = m_pTabs->GetCurrent();
    std::string strText = editor ? SelectedText(*editor) : std::string();
    if (strText.empty())
    {
        ShowMessage("Select the text to turn into a parameter first.");
        return;
    }
    if (editor->isReadOnly())
    {
        ShowMessage("This file is shown read-only: its bytes are no UTF-8 text.");
        return;
    }
    if (m_pMgr->IsNestedParameterization(strText, "{", "}"))
    {
        Ask("The selected text already holds a parameter reference.", MB_ICONEXCLAMATION);
        return;
    }
    std::string strName;
    std::string strType;
    long lResult = IDCANCEL;
    if (!m_pMgr->OpenParamSelectDialog(strName, strType, &lResult, strText.c_str(), &m_paneWnd) || lResult != IDOK)
    {
        ShowMessage("No parameter was created.");
        return;
    }
    if (!m_pMgr->IsExistingParamName(strName.c_str()) &&
        !m_pMgr->CreateNewParameter(strName.c_str(), strType.c_str(), strText.c_str()))
    {
        AfxMessageBox(IDS_CREATE_PARAM_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    editor->textCursor().insertText(ToQ(CScriptText::Reference(strName)));
    ShowMessage("Replaced the selection with {" + ToQ(strName) + "}");
}

void CEditorWindow::FindText()
{
    QPlainTextEdit* editor = m_pTabs->GetCurrent();
    if (!editor)
        return;
    QString selected = editor->textCursor().selectedText();
    m_pFindBar->Open(selected.contains(QChar(0x2029)) ? QString() : selected);
}

void CEditorWindow::FindNext()
{
    if (m_pFindBar->Text().isEmpty())
        return FindText();
    if (!m_pFindBar->FindNext())
        ShowMessage("\"" + m_pFindBar->Text() + "\" is not in " + m_pTabs->tabText(m_pTabs->currentIndex()));
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
        ShowMessage("Parameter " + ToQ(strName) + " added");
    else if (nKind == NOTIFY_RENAMED && record.pszNewName)
    {
        int nCount = m_pTabs->ReplaceEverywhere(ToQ(CScriptText::Reference(strName)),
                                                ToQ(CScriptText::Reference(record.pszNewName)));
        ShowMessage(QString("Parameter %1 renamed to %2; %3 reference(s) updated")
                        .arg(ToQ(strName), ToQ(record.pszNewName))
                        .arg(nCount));
    }
    else if (nKind == NOTIFY_DELETED)
    {
        int nCount = m_pTabs->ReplaceEverywhere(ToQ(CScriptText::Reference(strName)),
                                                ToQ(record.pszOriginalValue ? record.pszOriginalValue : ""));
        ShowMessage(QString("Parameter %1 deleted; its value is back in %2 place(s)").arg(ToQ(strName)).arg(nCount));
    }
    RefreshState();
}

void CEditorWindow::SetOption(long lOption, bool bOn)
{
    if (((m_lOptions & lOption) != 0) == bOn)
        return;
    // Datasets change what is loaded: the parameters are read again from disk.
    if (lOption == OPT_DATASETS && !ConfirmClose())
        return;
    // The pane is built again: the tab on show writes its input back first.
    if (lOption != OPT_DATASETS && !m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr))
        return;
    m_lOptions = bOn ? (m_lOptions | lOption) : (m_lOptions & ~lOption);
    if (bOn)
        m_pMgr->Custom_AddOptions(lOption);
    else
        m_pMgr->Custom_RemoveOptions(lOption);
    AfxWriteHostSettings([&](QSettings& settings)
                         { settings.setValue(lOption == OPT_DATASETS ? kDatasetsKey : kServerEncryptKey, bOn); });
    if (!m_bHasScript)
        return;
    // The dataset the author is on stays the one shown.
    if (lOption == OPT_DATASETS)
        LoadParameters(m_pMgr->GetActiveParamFilePath());
    else
    {
        CloseParameterPane();
        OpenParameterPane();
    }
    RefreshState();
}

void CEditorWindow::RefreshState()
{
    QString title = "Tarvo Editor";
    if (m_bHasScript)
    {
        std::string strDataset = QFileInfo(ToQ(m_pMgr->GetActiveParamFilePath())).completeBaseName().toStdString();
        title = ToQ(m_script.GetName()) + " [" + ToQ(strDataset) + "][*]";
    }
    setWindowTitle(title);
    setWindowModified(m_bHasScript && IsModified());
    m_pState->setText(StateText());
    for (const char* text : {"&Save", "Re&vert to Saved"})
        Action(text)->setEnabled(m_bHasScript && isWindowModified());
    RefreshEditActions();
}

QString CEditorWindow::StateText() const
{
    if (!m_bHasScript)
        return "No script is open. Choose File > Open to open one.";
    std::vector<std::string> arrNames;
    const_cast<CTarvoMgr&>(*m_pMgr).EnumParamNames(&arrNames);
    QString dataset = QFileInfo(ToQ(m_pMgr->GetActiveParamFilePath())).completeBaseName();
    return QString("%1: dataset %2, %3 parameter(s)%4")
        .arg(ToQ(m_script.GetName()), dataset)
        .arg(arrNames.size())
        .arg(isWindowModified() ? ", unsaved changes" : ", saved");
}

void CEditorWindow::RefreshEditActions()
{
    QPlainTextEdit* editor = m_pTabs->GetCurrent();
    bool bSelection = editor && editor->textCursor().hasSelection();
    Action("&Undo")->setEnabled(editor && editor->document()->isUndoAvailable());
    Action("&Redo")->setEnabled(editor && editor->document()->isRedoAvailable());
    Action("Cu&t")->setEnabled(bSelection);
    Action("&Copy")->setEnabled(bSelection);
    Action("&Paste")->setEnabled(editor && editor->canPaste());
    for (const char* text : {"Select &All", "&Find...", "Find &Next", "Next &File", "Previous F&ile"})
        Action(text)->setEnabled(editor != nullptr);
    Action("R&eplace with Parameter...")->setEnabled(bSelection);
}

void CEditorWindow::ShowMessage(const QString& strText)
{
    statusBar()->showMessage(strText, kMessageMs);
}

int CEditorWindow::Ask(const std::string& strText, UINT nType)
{
    return MessageBoxA(AfxHandleFromWidget(this), strText.c_str(),
                       QGuiApplication::applicationDisplayName().toStdString().c_str(), nType);
}
