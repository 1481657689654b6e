#include "controls/QzTimeEditControl.h"

BEGIN_MESSAGE_MAP(CQzTimeEditControl, CQzTimeEdit)
ON_MESSAGE(WM_VSCROLL, &CQzTimeEditControl::OnVScroll)
ON_WM_KEYUP()
END_MESSAGE_MAP()

CQzTimeEditControl::CQzTimeEditControl(PFN_TIME_CHANGED pfnChanged, int nMaxHours, int nHourWidth)
    : CQzTimeEdit(nMaxHours, nHourWidth), m_pfnChanged(pfnChanged)
{
}

CQzTimeEditControl::~CQzTimeEditControl() = default;

LRESULT CQzTimeEditControl::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    CQzTimeEdit::OnVScroll(wParam, lParam);
    if (LOWORD(wParam) == SB_LINEUP || LOWORD(wParam) == SB_LINEDOWN)
        NotifyChanged();
    return 0;
}

void CQzTimeEditControl::OnKeyUp(UINT, UINT, UINT)
{
    Default();
    NotifyChanged();
}

void CQzTimeEditControl::NotifyChanged()
{
    if (m_pfnChanged)
        m_pfnChanged(GetParent());
}
