#pragma once

// Seams for UI tests: message boxes are recorded and answered by the test,
// modal dialogs run the test's scripts instead of a modal loop.

#include "afx/Dialog.h"
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

// What the test main installs: unexpected boxes and modal dialogs fail the test.
void InstallStrictUiSeams();
