// CWnd: window and client rectangles, moving and coordinate mapping.

#include "Wnd.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace
{
QPoint ToQ(const POINT& pt)
{
    return QPoint(pt.x, pt.y);
}
} // namespace

// Geometry

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    nWidth = std::max(0, nWidth);
    nHeight = std::max(0, nHeight);
    if (widget->isWindow())
    {
        widget->move(x, y);
        widget->resize(nWidth, nHeight);
    }
    else
        widget->setGeometry(x, y, nWidth, nHeight);
    // Win32 reports the new size at once, shown or not.
    NotifySizeChanged(m_hWnd);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    if (!widget->isWindow())
        if (CWnd* parent = GetParent())
            parent->ScreenToClient(&rect);
    if (nFlags & SWP_NOMOVE)
        x = rect.left, y = rect.top;
    if (nFlags & SWP_NOSIZE)
        cx = rect.Width(), cy = rect.Height();
    MoveWindow(x, y, cx, cy, !(nFlags & SWP_NOREDRAW));
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow(SW_SHOW);
    if (nFlags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    QWidget* widget = GetWidget();
    if (!widget)
    {
        *lpRect = RECT();
        return;
    }
    QPoint origin = widget->isWindow() ? widget->pos() : widget->mapToGlobal(QPoint(0, 0));
    *lpRect = CRect(origin.x(), origin.y(), origin.x() + widget->width(), origin.y() + widget->height());
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    QWidget* widget = GetWidget();
    *lpRect = widget ? CRect(0, 0, widget->width(), widget->height()) : CRect();
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (QWidget* widget = GetWidget())
    {
        QPoint pt = widget->mapFromGlobal(ToQ(*lpPoint));
        lpPoint->x = pt.x();
        lpPoint->y = pt.y();
    }
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    POINT topLeft{lpRect->left, lpRect->top};
    POINT bottomRight{lpRect->right, lpRect->bottom};
    ScreenToClient(&topLeft);
    ScreenToClient(&bottomRight);
    *lpRect = CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (QWidget* widget = GetWidget())
    {
        QPoint pt = widget->mapToGlobal(ToQ(*lpPoint));
        lpPoint->x = pt.x();
        lpPoint->y = pt.y();
    }
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    POINT topLeft{lpRect->left, lpRect->top};
    POINT bottomRight{lpRect->right, lpRect->bottom};
    ClientToScreen(&topLeft);
    ClientToScreen(&bottomRight);
    *lpRect = CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    CWnd* owner = pAlternateOwner ? pAlternateOwner : GetParent();
    QRect area = owner && owner->GetWidget()
                     ? QRect(owner->GetWidget()->mapToGlobal(QPoint(0, 0)), owner->GetWidget()->size())
                     : widget->screen()->availableGeometry();
    QPoint topLeft = area.center() - QPoint(widget->width() / 2, widget->height() / 2);
    if (!widget->isWindow() && widget->parentWidget())
        topLeft = widget->parentWidget()->mapFromGlobal(topLeft);
    MoveWindow(topLeft.x(), topLeft.y(), widget->width(), widget->height());
}

void CWnd::NotifySizeChanged(HWND hWnd)
{
    CWnd* pWnd = FromHandle(hWnd);
    QWidget* widget = pWnd ? pWnd->GetWidget() : nullptr;
    if (!widget)
        return;
    CSize size(widget->width(), widget->height());
    if (size == pWnd->m_sizeReported)
        return;
    pWnd->m_sizeReported = size;
    pWnd->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
}
