#include "Static.h"

#include "ControlFactory.h"

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}
