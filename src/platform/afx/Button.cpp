#include "Button.h"

#include "ControlFactory.h"

#include <QAbstractButton>
#include <QCheckBox>

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const
{
    if (auto* check = qobject_cast<QCheckBox*>(GetWidget()); check && check->isTristate())
        return check->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                           : (check->isChecked() ? BST_CHECKED : BST_UNCHECKED);
    auto* button = qobject_cast<QAbstractButton*>(GetWidget());
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (auto* check = qobject_cast<QCheckBox*>(GetWidget()); check && nCheck == BST_INDETERMINATE)
    {
        check->setTristate(true);
        check->setCheckState(Qt::PartiallyChecked);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(GetWidget()))
        button->setChecked(nCheck == BST_CHECKED);
}

UINT CButton::GetButtonStyle() const
{
    return GetStyle() & BS_TYPEMASK;
}

void CButton::Click()
{
    if (auto* button = qobject_cast<QAbstractButton*>(GetWidget()))
        button->click();
}
