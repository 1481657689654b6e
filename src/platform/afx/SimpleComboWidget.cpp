#include "SimpleComboWidget.h"

#include <QResizeEvent>

CSimpleComboWidget::CSimpleComboWidget(QWidget* pParent)
    : QWidget(pParent), m_pEdit(new QLineEdit(this)), m_pList(new QListWidget(this))
{
    setFocusProxy(m_pEdit);
    m_pList->setFocusPolicy(Qt::ClickFocus);
}

void CSimpleComboWidget::resizeEvent(QResizeEvent* pEvent)
{
    int editHeight = m_pEdit->sizeHint().height();
    m_pEdit->setGeometry(0, 0, pEvent->size().width(), editHeight);
    m_pList->setGeometry(0, editHeight, pEvent->size().width(), std::max(0, pEvent->size().height() - editHeight));
}
