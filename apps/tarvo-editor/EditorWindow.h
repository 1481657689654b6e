#pragma once

// The editor's main window: the script's text on the left, the library's
// Parameter List dialog embedded on the right. It is the notify window of the
// manager and keeps the script text in step with every rename and deletion.
// Without a script it stays open and empty, so File > Open can find one.

#include "ParamSnapshot.h"
#include "RecentScripts.h"
#include "ScriptLocation.h"
#include "ScriptText.h"

#include "manager/TarvoMgr.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QSplitter;
class CFindBar;
class CManagerObserver;
class CPaneFrame;
class CScriptTabs;

class CEditorWindow : public QMainWindow
{
public:
    // Help topics of the editor's own pages (the library has its own).
    static constexpr unsigned long kEditorHelp = 180100;
    static constexpr unsigned long kAllTopics = 4294967295UL;

    CEditorWindow(const std::string& strDatFile, long lOptions);
    ~CEditorWindow() override;

    // False with a message when the script cannot be opened; the script open
    // before stays.
    bool OpenScript(const CScriptLocation& script, std::string& strError);
    // Opens what the author named (a ".usr" file, a script directory or a
    // ".prm" file); when that fails, says why and offers to choose another.
    bool OpenPath(const std::string& strPath);
    bool HasScript() const { return m_bHasScript; }
    const CScriptLocation& Script() const { return m_script; }
    // The pane that holds the Parameter List dialog.
    QWidget* ParameterPane() const { return m_pPane; }
    CScriptTabs* ScriptTabs() const { return m_pTabs; }
    CTarvoMgr& Manager() { return *m_pMgr; }
    // The menu command of that name ("&Save", "&Undo", ...); null when there is none.
    QAction* Action(const QString& strText) const;
    // What the status line describes when no message is on show.
    QString StateText() const;

    // The options the author chose last time (datasets on at first).
    static long SavedOptions();

    // The author's commands, also reachable from the menus.
    void OpenDialog();
    void OpenRecent(const std::string& strPath);
    bool Save();
    void RevertToSaved();
    void ReplaceWithParameter();
    void FindText();
    void FindNext();
    void SetOption(long lOption, bool bOn);
    // The help of the pane that has the focus.
    void ShowFocusHelp();
    void ShowAbout();
    // Moves the focus to the next pane (the script text, the parameters).
    void FocusNextPane(bool bForward);
    // Shows the next (1) or previous (-1) file of the script text.
    void ShowNextFile(int nStep);
    // True when closing may go on (saved, discarded, or nothing to save).
    bool ConfirmClose();
    // True when saving would write something other than the files hold.
    bool IsModified();

protected:
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void BuildPanes();
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildViewAndOptionsMenus();
    void BuildHelpMenu();
    QAction* AddAction(QMenu* pMenu, const QString& strText, const QKeySequence& keys, std::function<void()> fn);
    void FillRecentMenu();
    void RememberRecent();
    // The controls of the parameter pane that Tab stops at, in Tab order.
    std::vector<QWidget*> PaneControls() const;
    void FocusScript();
    bool HandleTab(QKeyEvent* pKey);
    void RestoreWindowState();
    void SaveWindowState();

    bool LoadScript(const CScriptLocation& script, const std::string& strParamFile, std::string& strError);
    void NewManager();
    void DropManager();
    void LoadParameters(const std::string& strParamFile);
    void WarnAboutKeptContent();
    void WarnAboutReadOnlyFiles();
    void OpenParameterPane();
    void CloseParameterPane();
    void FitParameterPane();
    void OnManagerUpdate(unsigned nCode);
    void OnDatasetSwitched();
    void OnParamNotify(long nKind, const ParamNotifyRecord& record);
    bool SaveAll();
    void RememberSavedParameters();

    void RefreshState();
    void RefreshEditActions();
    void ShowMessage(const QString& strText);
    // A message box of the editor, titled like the window.
    int Ask(const std::string& strText, UINT nType);

    std::string m_strDatFile;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    std::unique_ptr<CManagerObserver> m_pObserver;
    long m_lOptions;
    bool m_bHasScript = false;
    bool m_bLoading = false;
    CScriptLocation m_script;
    CScriptText m_text;
    // The parameter file on show and the parameters as it holds them.
    std::string m_strShownParamFile;
    CParamSnapshot m_savedParams;
    CRecentScripts m_recent;

    QSplitter* m_pSplitter = nullptr;
    CScriptTabs* m_pTabs = nullptr;
    CFindBar* m_pFindBar = nullptr;
    CPaneFrame* m_pScriptFrame = nullptr;
    QWidget* m_pPane = nullptr;
    QLabel* m_pState = nullptr;
    QMenu* m_pRecentMenu = nullptr;
    std::map<QString, QAction*> m_mapActions;
    CWnd m_paneWnd;
    UINT m_nNotifyMsg;
};
