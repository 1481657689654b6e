#pragma once

// A frame around one pane of the window that lights up while the focus is
// anywhere inside it, so the author always sees which pane takes the keys.

#include <QWidget>

class CPaneFrame : public QWidget
{
public:
    explicit CPaneFrame(QWidget* pContent);

    // True while the focus is inside the pane.
    bool HasFocusInside() const { return m_bFocused; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void FollowFocus(QWidget* pNow);

    bool m_bFocused = false;
};
