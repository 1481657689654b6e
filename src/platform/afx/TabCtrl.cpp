#include "TabCtrl.h"

#include "ControlFactory.h"
#include "TabBarWidget.h"
#include "TabControlWidget.h"

#include <cstring>

namespace
{
// Margin between the frame of the display area and the page inside it.
const int kFrameMargin = 4;
} // namespace

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_TABCONTROL, "", dwStyle, rect, pParentWnd, nID);
}

CTabBarWidget* CTabCtrl::Bar() const
{
    auto* control = qobject_cast<CTabControlWidget*>(GetWidget());
    return control ? control->Bar() : nullptr;
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0)
        return -1;
    int index = bar->InsertQuietly(nItem, QString::fromUtf8(lpszItem ? lpszItem : ""));
    bar->adjustSize();
    return index;
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
{
    LONG index = InsertItem(nItem, (pTabCtrlItem->mask & TCIF_TEXT) ? pTabCtrlItem->pszText : "");
    if (index >= 0 && (pTabCtrlItem->mask & TCIF_PARAM))
        Bar()->setTabData(index, QVariant::fromValue<qlonglong>(pTabCtrlItem->lParam));
    return index;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0 || nItem >= bar->count())
        return FALSE;
    if ((pTabCtrlItem->mask & TCIF_TEXT) && pTabCtrlItem->pszText && pTabCtrlItem->cchTextMax > 0)
    {
        QByteArray text = bar->tabText(nItem).toUtf8();
        size_t n = std::min(static_cast<size_t>(text.size()), static_cast<size_t>(pTabCtrlItem->cchTextMax - 1));
        std::memcpy(pTabCtrlItem->pszText, text.constData(), n);
        pTabCtrlItem->pszText[n] = '\0';
    }
    if (pTabCtrlItem->mask & TCIF_PARAM)
        pTabCtrlItem->lParam = static_cast<LPARAM>(bar->tabData(nItem).toLongLong());
    return TRUE;
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0 || nItem >= bar->count())
        return FALSE;
    if (pTabCtrlItem->mask & TCIF_TEXT)
        bar->setTabText(nItem, QString::fromUtf8(pTabCtrlItem->pszText ? pTabCtrlItem->pszText : ""));
    if (pTabCtrlItem->mask & TCIF_PARAM)
        bar->setTabData(nItem, QVariant::fromValue<qlonglong>(pTabCtrlItem->lParam));
    return TRUE;
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0 || nItem >= bar->count())
        return FALSE;
    bar->RemoveQuietly(nItem);
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems()
{
    CTabBarWidget* bar = Bar();
    if (!bar)
        return FALSE;
    while (bar->count())
        bar->RemoveQuietly(0);
    return TRUE;
}

int CTabCtrl::GetItemCount() const
{
    CTabBarWidget* bar = Bar();
    return bar ? bar->count() : 0;
}

int CTabCtrl::GetCurSel() const
{
    CTabBarWidget* bar = Bar();
    return bar ? bar->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int nItem)
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0 || nItem >= bar->count())
        return -1;
    int previous = bar->currentIndex();
    bar->SetCurrentQuietly(nItem);
    return previous;
}

int CTabCtrl::GetRowCount() const
{
    return GetItemCount() > 0 ? 1 : 0;
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    CTabBarWidget* bar = Bar();
    if (!bar || nItem < 0 || nItem >= bar->count())
        return FALSE;
    QRect r = bar->tabRect(nItem).translated(bar->pos());
    *lpRect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) const
{
    CTabBarWidget* bar = Bar();
    int top = (bar ? bar->sizeHint().height() : 0) + kFrameMargin;
    int sign = bLarger ? -1 : 1;
    lpRect->left += sign * kFrameMargin;
    lpRect->right -= sign * kFrameMargin;
    lpRect->top += sign * top;
    lpRect->bottom -= sign * kFrameMargin;
}
