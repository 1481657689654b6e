#pragma once

// A progress window for long work done on the user-interface thread: it
// appears only once the work has lasted a moment, keeps the application
// painting, and offers Cancel. Without a GUI application it shows nothing.
// A test (or a headless host) installs a handler that sees every step and
// answers for the author.

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>

class QProgressDialog;

// Called on every step with the count done so far; false cancels.
typedef std::function<bool(long long nDone)> AFX_PROGRESS_HANDLER;

// Installs the handler; a null handler restores the real window.
void AfxSetProgressHandler(AFX_PROGRESS_HANDLER handler);

class CProgressDialog
{
public:
    // strLabel shows the count done in place of "%d"; the caption is the
    // application's name, as on message boxes.
    explicit CProgressDialog(std::string strLabel);
    ~CProgressDialog();
    CProgressDialog(const CProgressDialog&) = delete;
    CProgressDialog& operator=(const CProgressDialog&) = delete;

    // One more unit done; false once the work is to stop.
    bool Step();

private:
    bool Update();
    void Show();

    std::string m_strLabel;
    long long m_nDone = 0;
    qint64 m_nNextUpdate;
    QElapsedTimer m_timer;
    std::unique_ptr<QProgressDialog> m_pDialog;
};
