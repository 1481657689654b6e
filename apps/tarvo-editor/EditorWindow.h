#pragma once

// The editor's main window: the script's text on the left, the library's
// Parameter List dialog embedded on the right. It is the notify window of the
// manager and keeps the script text in step with every rename and deletion.

#include "ScriptLocation.h"
#include "ScriptText.h"

#include "manager/TarvoMgr.h"

#include <QMainWindow>
#include <vector>

class QPlainTextEdit;
class QTabWidget;
class QAction;

class CEditorWindow : public QMainWindow
{
public:
    CEditorWindow(const std::string& strDatFile, long lOptions);
    ~CEditorWindow() override;

    // False with a message when the script cannot be opened.
    bool OpenScript(const CScriptLocation& script, std::string& strError);
    // The pane that holds the Parameter List dialog.
    QWidget* ParameterPane() const { return m_pPane; }
    CTarvoMgr& Manager() { return m_mgr; }

    // The options the author chose last time (datasets on at first).
    static long SavedOptions();

    // The author's commands, also reachable from the menus.
    void ReplaceWithParameter();
    bool Save();
    void SetOption(long lOption, bool bOn);
    // True when closing may go on (saved, discarded, or nothing to save).
    bool ConfirmClose();

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void BuildMenus();
    void BuildPanes();
    void LoadParameters(const std::string& strParamFile);
    void OpenParameterPane();
    void CloseParameterPane();
    void FitParameterPane();
    void OnParamNotify(long nKind, const ParamNotifyRecord& record);
    int ReplaceInEditors(const std::string& strFrom, const std::string& strTo);
    bool HasUnsavedParameters();
    void ShowStatus(const QString& strText);

    CTarvoMgr m_mgr;
    long m_lOptions;
    CScriptLocation m_script;
    CScriptText m_text;
    QTabWidget* m_pTabs = nullptr;
    QWidget* m_pPane = nullptr;
    CWnd m_paneWnd;
    std::vector<QPlainTextEdit*> m_arrEditors;
    UINT m_nNotifyMsg;
};
