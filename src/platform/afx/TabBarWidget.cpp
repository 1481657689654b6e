#include "TabBarWidget.h"

#include "Notify.h"
#include "WndRegistry.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace
{
HWND ControlOf(const QWidget* pBar)
{
    return CWndRegistry::Get().FindEnclosing(pBar);
}

LRESULT Notify(const QWidget* pBar, UINT nCode)
{
    NMHDR header;
    return AfxSendNotify(ControlOf(pBar), nCode, &header);
}
} // namespace

CTabBarWidget::CTabBarWidget(QWidget* pParent) : QTabBar(pParent)
{
    setDrawBase(false);
    connect(this, &QTabBar::currentChanged, this,
            [this]
            {
                if (!m_bQuiet)
                    Notify(this, TCN_SELCHANGE);
            });
}

void CTabBarWidget::SetCurrentQuietly(int nIndex)
{
    m_bQuiet = true;
    setCurrentIndex(nIndex);
    m_bQuiet = false;
}

int CTabBarWidget::InsertQuietly(int nIndex, const QString& strText)
{
    m_bQuiet = true;
    int index = insertTab(nIndex, strText);
    m_bQuiet = false;
    return index;
}

void CTabBarWidget::RemoveQuietly(int nIndex)
{
    m_bQuiet = true;
    removeTab(nIndex);
    m_bQuiet = false;
}

void CTabBarWidget::ChooseAsUser(int nIndex)
{
    if (nIndex < 0 || nIndex >= count() || nIndex == currentIndex())
        return;
    if (Notify(this, TCN_SELCHANGING))
        return;
    setCurrentIndex(nIndex);
}

void CTabBarWidget::mousePressEvent(QMouseEvent* pEvent)
{
    int index = tabAt(pEvent->position().toPoint());
    if (pEvent->button() == Qt::LeftButton && index >= 0)
        ChooseAsUser(index);
    pEvent->accept();
}

void CTabBarWidget::keyPressEvent(QKeyEvent* pEvent)
{
    int step = pEvent->key() == Qt::Key_Right ? 1 : pEvent->key() == Qt::Key_Left ? -1 : 0;
    if (!step)
    {
        QTabBar::keyPressEvent(pEvent);
        return;
    }
    ChooseAsUser(currentIndex() + step);
    pEvent->accept();
}
