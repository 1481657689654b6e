#include "ProgressDialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace
{
// The window waits this long, so that short work never flashes it, and then
// refreshes at this interval; the clock is read every so many steps only.
const qint64 SHOW_AFTER_MS = 500;
const qint64 UPDATE_EVERY_MS = 100;
const long long STEPS_PER_CHECK = 256;

AFX_PROGRESS_HANDLER& Handler()
{
    static AFX_PROGRESS_HANDLER handler;
    return handler;
}
} // namespace

void AfxSetProgressHandler(AFX_PROGRESS_HANDLER handler)
{
    Handler() = std::move(handler);
}

CProgressDialog::CProgressDialog(std::string strLabel) : m_strLabel(std::move(strLabel)), m_nNextUpdate(SHOW_AFTER_MS)
{
    m_timer.start();
}

CProgressDialog::~CProgressDialog() = default;

bool CProgressDialog::Step()
{
    ++m_nDone;
    if (Handler())
        return Handler()(m_nDone);
    return m_nDone % STEPS_PER_CHECK != 0 || Update();
}

bool CProgressDialog::Update()
{
    if (m_timer.elapsed() < m_nNextUpdate || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    m_nNextUpdate = m_timer.elapsed() + UPDATE_EVERY_MS;
    if (!m_pDialog)
        Show();
    std::string strLabel = m_strLabel;
    size_t nAt = strLabel.find("%d");
    if (nAt != std::string::npos)
        strLabel.replace(nAt, 2, std::to_string(m_nDone));
    m_pDialog->setLabelText(QString::fromStdString(strLabel));
    QCoreApplication::processEvents();
    return !m_pDialog->wasCanceled();
}

// A busy bar: the work's length is not known ahead. Application-modal, so
// nothing else can start while the work goes on.
void CProgressDialog::Show()
{
    m_pDialog = std::make_unique<QProgressDialog>();
    QString strName = QGuiApplication::applicationDisplayName();
    m_pDialog->setWindowTitle(strName.isEmpty() ? QString("Tarvo") : strName);
    m_pDialog->setCancelButtonText("Cancel");
    m_pDialog->setRange(0, 0);
    m_pDialog->setMinimumDuration(0);
    m_pDialog->setAutoClose(false);
    m_pDialog->setAutoReset(false);
    m_pDialog->setWindowModality(Qt::ApplicationModal);
    m_pDialog->show();
}
