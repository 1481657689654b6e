#pragma once

#include "Wnd.h"

// A push button, check box, radio button or group box, by its BS_ style.
class CButton : public CWnd
{
public:
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    // Clicks the button as the user would: BN_CLICKED reaches the parent.
    void Click();
};
