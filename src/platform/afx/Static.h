#pragma once

#include "Wnd.h"

// Static text, a frame or rectangle, or a picture, by its SS_ style.
class CStatic : public CWnd
{
public:
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
};
