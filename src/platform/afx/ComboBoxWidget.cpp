#include "ComboBoxWidget.h"

#include "Notify.h"
#include "WndRegistry.h"

#include <QKeyEvent>
#include <QWheelEvent>

void CComboBoxWidget::showPopup()
{
    if (HWND hWnd = CWndRegistry::Get().FindHandle(this))
        AfxSendCommandNotify(hWnd, CBN_DROPDOWN);
    m_bDropped = true;
    QComboBox::showPopup();
}

void CComboBoxWidget::hidePopup()
{
    QComboBox::hidePopup();
    bool bWasDropped = m_bDropped;
    m_bDropped = false;
    if (HWND hWnd = CWndRegistry::Get().FindHandle(this); hWnd && bWasDropped)
        AfxSendCommandNotify(hWnd, CBN_CLOSEUP);
}

// Up or Down on the closed box of the extended user interface opens the list;
// the selection moves only inside it.
void CComboBoxWidget::keyPressEvent(QKeyEvent* pEvent)
{
    bool bArrow = pEvent->key() == Qt::Key_Up || pEvent->key() == Qt::Key_Down;
    if (m_bExtendedUI && !m_bDropped && bArrow && !(pEvent->modifiers() & ~Qt::KeypadModifier))
    {
        showPopup();
        pEvent->accept();
        return;
    }
    QComboBox::keyPressEvent(pEvent);
}

void CComboBoxWidget::wheelEvent(QWheelEvent* pEvent)
{
    if (m_bExtendedUI && !m_bDropped)
    {
        pEvent->ignore();
        return;
    }
    QComboBox::wheelEvent(pEvent);
}
