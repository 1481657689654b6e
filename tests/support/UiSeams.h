#pragma once

// Seams for UI tests: message boxes are recorded and answered by the test,
// modal dialogs, pop-up menus and file dialogs run the test's scripts
// instead of waiting for a user.

#include "afx/Dialog.h"
#include "afx/FileDialog.h"
#include "afx/Menu.h"
#include "afx/MessageBox.h"

#include <deque>
#include <functional>
#include <vector>

// Records every message box while it lives; answers from a queue, else with
// the first button of the box (IDOK or IDYES, ...).
class CMessageBoxRecorder
{
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();

    void Answer(int nResult) { m_answers.push_back(nResult); }
    const std::vector<AFX_MESSAGEBOX>& Calls() const { return m_calls; }
    std::string LastText() const { return m_calls.empty() ? std::string() : m_calls.back().strText; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<AFX_MESSAGEBOX> m_calls;
    std::deque<int> m_answers;
};

// Runs one queued script per modal dialog, in order. A dialog without a
// script fails the test and is cancelled.
class CModalScripts
{
public:
    CModalScripts();
    ~CModalScripts();

    void Add(std::function<void(CWnd&)> script) { m_scripts.push_back(std::move(script)); }
    bool AllUsed() const { return m_scripts.empty(); }

private:
    std::deque<std::function<void(CWnd&)>> m_scripts;
};

// Answers pop-up menus in order: each script sees the menu and where it
// opens and returns the command chosen (0 dismisses the menu). A menu
// without a script fails the test and is dismissed.
class CPopupMenuScripts
{
public:
    CPopupMenuScripts();
    ~CPopupMenuScripts();

    void Add(AFX_POPUPMENU_HANDLER script) { m_scripts.push_back(std::move(script)); }
    void Choose(UINT nCommand)
    {
        Add([nCommand](const CMenu&, int, int) { return nCommand; });
    }
    bool AllUsed() const { return m_scripts.empty(); }

private:
    std::deque<AFX_POPUPMENU_HANDLER> m_scripts;
};

// Answers file dialogs in order: each script sees the dialog and returns the
// path chosen, or an empty text for Cancel. A dialog without a script fails
// the test and is cancelled.
class CFileDialogScripts
{
public:
    CFileDialogScripts();
    ~CFileDialogScripts();

    void Add(AFX_FILEDIALOG_HANDLER script) { m_scripts.push_back(std::move(script)); }
    void Choose(const std::string& strPath)
    {
        Add([strPath](const CFileDialog&) { return strPath; });
    }
    void Cancel() { Choose(std::string()); }
    bool AllUsed() const { return m_scripts.empty(); }

private:
    std::deque<AFX_FILEDIALOG_HANDLER> m_scripts;
};

// What the test main installs: unexpected boxes, modal dialogs, pop-up menus
// and file dialogs fail the test.
void InstallStrictUiSeams();
