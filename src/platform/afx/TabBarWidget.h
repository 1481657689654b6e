#pragma once

// The tabs of a tab control. A user's change of tab is asked for first
// (TCN_SELCHANGING may refuse it) and reported after (TCN_SELCHANGE); the
// program's changes are not reported, as in Win32.

#include <QTabBar>

class CTabBarWidget : public QTabBar
{
    Q_OBJECT

public:
    explicit CTabBarWidget(QWidget* pParent);

    // The program's changes: no notifications.
    void SetCurrentQuietly(int nIndex);
    int InsertQuietly(int nIndex, const QString& strText);
    void RemoveQuietly(int nIndex);
    // A user's choice of tab, with both notifications.
    void ChooseAsUser(int nIndex);

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    bool m_bQuiet = false;
};
