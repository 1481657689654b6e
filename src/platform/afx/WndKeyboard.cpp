// CWnd: the focus, help requests, window order and dialog keyboard navigation.

#include "Wnd.h"

#include "Resource.h"
#include "WndRegistry.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace
{
AFX_WND_ENTRY* EntryOf(HWND hWnd)
{
    return CWndRegistry::Get().Find(hWnd);
}
} // namespace

CWnd* CWnd::s_pLastFocus = nullptr;

// Focus

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (QWidget* widget = GetWidget())
    {
        if (QWidget* proxy = widget->focusProxy())
            widget = proxy;
        widget->setFocus(Qt::OtherFocusReason);
        // A window that is not shown keeps the request until it is.
        if (!widget->isVisible())
            s_pLastFocus = this;
    }
    return previous;
}

CWnd* CWnd::GetFocus()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus)
        return FromHandle(CWndRegistry::Get().FindEnclosing(focus));
    return s_pLastFocus && s_pLastFocus->m_hWnd ? s_pLastFocus : nullptr;
}

void CWnd::NotifyFocus(HWND hWnd, bool bGained)
{
    CWnd* pWnd = FromHandle(hWnd);
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    if (!pWnd || !entry)
        return;
    // Copied: the entry may move while the messages below are handled.
    const std::string cls = entry->strClass;
    const UINT id = entry->nID;
    if (bGained)
        s_pLastFocus = pWnd;
    pWnd->SendMessage(bGained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    CWnd* parent = IsWindow(hWnd) ? pWnd->GetParent() : nullptr;
    if (!parent)
        return;
    LPARAM from = reinterpret_cast<LPARAM>(hWnd);
    if (cls == AFX_WC_EDIT)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(id, bGained ? EN_SETFOCUS : EN_KILLFOCUS), from);
    else if (cls == AFX_WC_COMBOBOX)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(id, bGained ? CBN_SETFOCUS : CBN_KILLFOCUS), from);
    else if (cls == AFX_WC_TREEVIEW || cls == AFX_WC_LISTVIEW)
    {
        NMHDR header;
        header.hwndFrom = hWnd;
        header.idFrom = id;
        header.code = bGained ? NM_SETFOCUS : NM_KILLFOCUS;
        parent->SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }
}

void CWnd::SendHelpRequest(HWND hWnd)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (!pWnd)
        return;
    HELPINFO info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = pWnd->GetDlgCtrlID();
    info.hItemHandle = hWnd;
    QPoint pos = QCursor::pos();
    info.MousePos = POINT{pos.x(), pos.y()};
    pWnd->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

HWND GetFocus()
{
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus->m_hWnd : nullptr;
}

// Window order and dialog navigation

namespace
{
std::vector<CWnd*> RegisteredChildren(const QWidget* parent)
{
    std::vector<CWnd*> result;
    if (!parent)
        return result;
    CWndRegistry& registry = CWndRegistry::Get();
    for (QObject* child : parent->children())
    {
        auto* w = qobject_cast<QWidget*>(child);
        HWND h = w ? registry.FindHandle(w) : nullptr;
        AFX_WND_ENTRY* entry = h ? registry.Find(h) : nullptr;
        if (entry && entry->pWnd && !entry->bDestroying)
            result.push_back(entry->pWnd);
    }
    return result;
}

bool IsControlParent(CWnd* pWnd)
{
    AFX_WND_ENTRY* entry = EntryOf(pWnd->m_hWnd);
    return entry &&
           (entry->strClass == "#32770" || (entry->dwExStyle & WS_EX_CONTROLPARENT) || (entry->dwStyle & DS_CONTROL));
}

// Controls that Tab can reach, in order, entering nested dialogs.
void CollectTabStops(const QWidget* root, const QWidget* parent, std::vector<CWnd*>& out)
{
    for (CWnd* child : RegisteredChildren(parent))
    {
        QWidget* w = child->GetWidget();
        if (!w->isVisibleTo(const_cast<QWidget*>(root)) || !w->isEnabledTo(const_cast<QWidget*>(root)))
            continue;
        if (IsControlParent(child))
            CollectTabStops(root, w, out);
        else if (child->GetStyle() & WS_TABSTOP)
            out.push_back(child);
    }
}
} // namespace

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    QWidget* widget = GetWidget();
    if (!widget)
        return nullptr;
    if (nCmd == GW_CHILD)
    {
        std::vector<CWnd*> children = RegisteredChildren(widget);
        return children.empty() ? nullptr : children.front();
    }
    std::vector<CWnd*> siblings = RegisteredChildren(widget->parentWidget());
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end())
        return nullptr;
    switch (nCmd)
    {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == siblings.begin() ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    std::vector<CWnd*> stops;
    CollectTabStops(GetWidget(), GetWidget(), stops);
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), pWndCtl);
    if (it == stops.end())
        return bPrevious ? stops.back() : stops.front();
    size_t i = static_cast<size_t>(it - stops.begin());
    size_t n = stops.size();
    return stops[bPrevious ? (i + n - 1) % n : (i + 1) % n];
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    if (!pWndCtl)
        return nullptr;
    // The group runs from a WS_GROUP control to the control before the next one.
    std::vector<CWnd*> siblings = RegisteredChildren(GetWidget());
    auto it = std::find(siblings.begin(), siblings.end(), pWndCtl);
    if (it == siblings.end())
        return nullptr;
    auto first = it;
    while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP))
        --first;
    auto last = it + 1;
    while (last != siblings.end() && !((*last)->GetStyle() & WS_GROUP))
        ++last;
    std::vector<CWnd*> group;
    for (auto g = first; g != last; ++g)
        if ((*g)->IsWindowVisible() && (*g)->IsWindowEnabled())
            group.push_back(*g);
    auto pos = std::find(group.begin(), group.end(), pWndCtl);
    if (group.empty() || pos == group.end())
        return pWndCtl;
    size_t i = static_cast<size_t>(pos - group.begin());
    size_t n = group.size();
    return group[bPrevious ? (i + n - 1) % n : (i + 1) % n];
}
