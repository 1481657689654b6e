#include "TabControlWidget.h"

#include "TabBarWidget.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

CTabControlWidget::CTabControlWidget(QWidget* pParent) : QWidget(pParent), m_pBar(new CTabBarWidget(this))
{
    setFocusProxy(m_pBar);
}

void CTabControlWidget::resizeEvent(QResizeEvent*)
{
    m_pBar->setGeometry(0, 0, width(), m_pBar->sizeHint().height());
}

void CTabControlWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, m_pBar->sizeHint().height(), 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}
