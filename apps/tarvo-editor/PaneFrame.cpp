#include "PaneFrame.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>

namespace
{
const int kBorder = 2;
}

CPaneFrame::CPaneFrame(QWidget* pContent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->setSpacing(0);
    layout->addWidget(pContent);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* pNow) { FollowFocus(pNow); });
}

void CPaneFrame::FollowFocus(QWidget* pNow)
{
    bool bFocused = pNow && isAncestorOf(pNow);
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    update();
}

void CPaneFrame::paintEvent(QPaintEvent*)
{
    if (!m_bFocused)
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kBorder);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(kBorder / 2, kBorder / 2, -kBorder / 2, -kBorder / 2));
}
