#include "controls/MoveControlBy.h"

void MoveControlBy(CWnd* pControl, CWnd* pParent, int dx, int dy, int nAnchor)
{
    if (!pControl || !pControl->m_hWnd || !pParent)
        return;
    CRect rect;
    pControl->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    if (nAnchor & ANCHOR_RIGHT)
        rect.right += dx;
    if (nAnchor & ANCHOR_BOTTOM)
        rect.bottom += dy;
    if (nAnchor & ANCHOR_MOVE_RIGHT)
        rect.OffsetRect(dx, 0);
    if (nAnchor & ANCHOR_MOVE_DOWN)
        rect.OffsetRect(0, dy);
    pControl->MoveWindow(&rect, FALSE);
}
