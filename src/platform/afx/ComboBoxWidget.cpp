#include "ComboBoxWidget.h"

#include "Notify.h"
#include "WndRegistry.h"

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
