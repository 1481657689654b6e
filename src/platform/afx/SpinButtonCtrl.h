#pragma once

#include "Wnd.h"

class CUpDownWidget;

// An up-down control (msctls_updown32): arrows that step a position within
// a range. With UDS_SETBUDDYINT the buddy window shows the position (with
// thousands separators unless UDS_NOTHOUSANDS) and what the user types
// there is the position. The parent hears UDN_DELTAPOS before a step (a
// non-zero answer refuses it) and WM_VSCROLL (SB_THUMBPOSITION) after.
class CSpinButtonCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The 16-bit range; lower may exceed upper (Up then counts down).
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    // MAKELONG(upper, lower) of the 16-bit range.
    DWORD GetRange() const;
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const;

    // The old position; the new one is kept within the range.
    int SetPos(int nPos);
    int SetPos32(int nPos);
    // MAKELONG(position, error): the error word is 1 when the buddy's text is
    // no number within the range.
    int GetPos() const;
    int GetPos32(LPBOOL lpbError = nullptr) const;

    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    // 10 or 16 (the buddy then shows "0x" and four hex digits); 0 for another base.
    int SetBase(int nBase);
    UINT GetBase() const;

private:
    CUpDownWidget* UpDown() const;
};
