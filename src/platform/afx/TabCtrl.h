#pragma once

#include "Wnd.h"

class CTabBarWidget;

// A tab control: a row of tabs above a display area that the program fills.
class CTabCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    LONG InsertItem(int nItem, LPCSTR lpszItem);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    // Selects the tab; no notification, as in Win32.
    int SetCurSel(int nItem);
    int GetRowCount() const;
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger FALSE: the display area of a control with this window rectangle;
    // TRUE: the window rectangle whose display area is the rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) const;

private:
    CTabBarWidget* Bar() const;
};
