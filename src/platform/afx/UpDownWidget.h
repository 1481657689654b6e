#pragma once

// The up-down control's window: two arrow buttons that step a position
// within a range, optionally shown in a buddy window's text.

#include "AfxTypes.h"

#include <QWidget>

class QToolButton;

class CUpDownWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CUpDownWidget(QWidget* pParent);

    // UDS_AUTOBUDDY: takes the window created before it as buddy.
    void AttachAutoBuddy();
    HWND SetBuddy(HWND hBuddy);
    HWND Buddy() const;

    // Lower may exceed upper: Up then moves towards upper all the same.
    void SetRange(int nLower, int nUpper);
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    // Moves the position into the range and shows it in the buddy; returns the old one.
    int SetPos(int nPos);
    // The position, read from the buddy first with UDS_SETBUDDYINT; bError
    // when the text is no number of the range (the position is then clamped).
    int Pos(bool& bError);
    int SetBase(int nBase);
    int Base() const { return m_nBase; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    DWORD Style() const;
    bool InRange(long long nValue) const;
    int Clamp(long long nValue) const;
    bool ReadBuddy();
    void WriteBuddy();
    void AlignWithBuddy();
    // One step as the user takes it: UDN_DELTAPOS (non-zero refuses), then WM_VSCROLL.
    void Step(bool bUp);
    void StepClicked(bool bUp);

    QToolButton* m_pUp;
    QToolButton* m_pDown;
    HWND m_hBuddy = nullptr;
    // Win32's range of a new control: Up counts down from 100 to 0.
    int m_nLower = 100;
    int m_nUpper = 0;
    int m_nPos = 0;
    int m_nBase = 10;
};
