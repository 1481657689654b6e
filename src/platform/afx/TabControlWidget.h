#pragma once

// A tab control's window: the tab row on top of a framed display area.

#include <QWidget>

class CTabBarWidget;

class CTabControlWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CTabControlWidget(QWidget* pParent);

    CTabBarWidget* Bar() const { return m_pBar; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    CTabBarWidget* m_pBar;
};
