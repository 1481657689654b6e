#include "WndRegistry.h"

#include "Wnd.h"
#include "WndEventBridge.h"

#include <vector>

namespace
{
const char* const kHandleProperty = "afxHwnd";

void CollectTree(const QWidget* pWidget, const CWndRegistry& registry, std::vector<HWND>& handles)
{
    for (QObject* child : pWidget->children())
    {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w)
            continue;
        if (HWND h = registry.FindHandle(w))
            handles.push_back(h);
        CollectTree(w, registry, handles);
    }
}
} // namespace

CWndRegistry& CWndRegistry::Get()
{
    static CWndRegistry registry;
    return registry;
}

HWND CWndRegistry::Register(QWidget* pWidget, CWnd* pWnd, const std::string& strClass, UINT nID, DWORD dwStyle,
                            DWORD dwExStyle, bool bOwnsWidget)
{
    HWND hWnd = reinterpret_cast<HWND>(m_nNextHandle);
    m_nNextHandle += 4;
    AFX_WND_ENTRY& entry = m_mapEntries[hWnd];
    entry.widget = pWidget;
    entry.pWnd = pWnd;
    entry.strClass = strClass;
    entry.nID = nID;
    entry.dwStyle = dwStyle & ~(WS_VISIBLE | WS_DISABLED);
    entry.dwExStyle = dwExStyle;
    entry.bOwnsWidget = bOwnsWidget;
    pWidget->setProperty(kHandleProperty, QVariant::fromValue<qulonglong>(reinterpret_cast<uintptr_t>(hWnd)));
    QObject::connect(pWidget, &QObject::destroyed, [hWnd] { CWndRegistry::Get().OnWidgetDestroyed(hWnd); });
    CWndEventBridge::Install();
    return hWnd;
}

AFX_WND_ENTRY* CWndRegistry::Find(HWND hWnd)
{
    auto it = m_mapEntries.find(hWnd);
    return it == m_mapEntries.end() ? nullptr : &it->second;
}

HWND CWndRegistry::FindHandle(const QWidget* pWidget) const
{
    if (!pWidget)
        return nullptr;
    QVariant v = pWidget->property(kHandleProperty);
    if (!v.isValid())
        return nullptr;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(v.toULongLong()));
    auto it = m_mapEntries.find(hWnd);
    return it != m_mapEntries.end() && it->second.widget == pWidget ? hWnd : nullptr;
}

HWND CWndRegistry::FindEnclosing(const QWidget* pWidget) const
{
    for (const QWidget* w = pWidget; w; w = w->parentWidget())
        if (HWND h = FindHandle(w))
            return h;
    return nullptr;
}

HWND CWndRegistry::FindInputTarget(const QWidget* pWidget) const
{
    for (const QWidget* w = pWidget; w; w = w->parentWidget())
    {
        if (HWND h = FindHandle(w))
            return h;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

void CWndRegistry::DestroyTree(HWND hWnd)
{
    AFX_WND_ENTRY* entry = Find(hWnd);
    if (!entry || entry->bDestroying)
        return;
    std::vector<HWND> handles{hWnd};
    if (entry->widget)
        CollectTree(entry->widget, *this, handles);
    // Parents hear WM_DESTROY before their children, as in Win32.
    for (HWND h : handles)
        if (AFX_WND_ENTRY* e = Find(h))
            e->bDestroying = true;
    for (HWND h : handles)
        if (AFX_WND_ENTRY* e = Find(h); e && e->pWnd)
            e->pWnd->WindowProc(WM_DESTROY, 0, 0);
    for (auto it = handles.rbegin(); it != handles.rend(); ++it)
        Unregister(*it);
}

void CWndRegistry::OnWidgetDestroyed(HWND hWnd)
{
    AFX_WND_ENTRY* entry = Find(hWnd);
    if (!entry || entry->bDestroying)
        return;
    entry->bDestroying = true;
    if (entry->pWnd)
        entry->pWnd->WindowProc(WM_DESTROY, 0, 0);
    Unregister(hWnd);
}

void CWndRegistry::Unregister(HWND hWnd)
{
    AFX_WND_ENTRY* entry = Find(hWnd);
    if (!entry)
        return;
    CWnd* pWnd = entry->pWnd;
    if (entry->widget)
        entry->widget->setProperty(kHandleProperty, QVariant());
    m_mapEntries.erase(hWnd);
    if (pWnd && pWnd->m_hWnd == hWnd)
    {
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
    }
}
