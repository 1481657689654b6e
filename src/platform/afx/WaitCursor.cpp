#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace
{
bool HasGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
} // namespace

CWaitCursor::CWaitCursor()
{
    if (!HasGuiApplication())
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_bShown = true;
}

CWaitCursor::~CWaitCursor()
{
    if (m_bShown && HasGuiApplication())
        QGuiApplication::restoreOverrideCursor();
}

void CWaitCursor::Restore()
{
    if (m_bShown && HasGuiApplication())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}
