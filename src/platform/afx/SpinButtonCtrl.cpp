#include "SpinButtonCtrl.h"

#include "ControlFactory.h"
#include "UpDownWidget.h"

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_UPDOWN, "", dwStyle, rect, pParentWnd, nID);
}

CUpDownWidget* CSpinButtonCtrl::UpDown() const
{
    return qobject_cast<CUpDownWidget*>(GetWidget());
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    SetRange32(nLower, nUpper);
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    if (CUpDownWidget* updown = UpDown())
        updown->SetRange(nLower, nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const
{
    int lower = 0;
    int upper = 0;
    GetRange32(lower, upper);
    return static_cast<DWORD>(MAKELONG(upper, lower));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    GetRange32(lower, upper);
    lower = static_cast<short>(lower);
    upper = static_cast<short>(upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    CUpDownWidget* updown = UpDown();
    lower = updown ? updown->Lower() : 0;
    upper = updown ? updown->Upper() : 0;
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    return static_cast<short>(SetPos32(static_cast<short>(nPos)));
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    CUpDownWidget* updown = UpDown();
    return updown ? updown->SetPos(nPos) : 0;
}

int CSpinButtonCtrl::GetPos() const
{
    BOOL bError = FALSE;
    int pos = GetPos32(&bError);
    return MAKELONG(pos, bError ? 1 : 0);
}

int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const
{
    CUpDownWidget* updown = UpDown();
    bool bError = !updown;
    int pos = updown ? updown->Pos(bError) : 0;
    if (lpbError)
        *lpbError = bError ? TRUE : FALSE;
    return pos;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    CUpDownWidget* updown = UpDown();
    return updown ? CWnd::FromHandle(updown->SetBuddy(pWndBuddy ? pWndBuddy->m_hWnd : nullptr)) : nullptr;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    CUpDownWidget* updown = UpDown();
    return updown ? CWnd::FromHandle(updown->Buddy()) : nullptr;
}

int CSpinButtonCtrl::SetBase(int nBase)
{
    CUpDownWidget* updown = UpDown();
    return updown ? updown->SetBase(nBase) : 0;
}

UINT CSpinButtonCtrl::GetBase() const
{
    CUpDownWidget* updown = UpDown();
    return updown ? static_cast<UINT>(updown->Base()) : 0;
}
