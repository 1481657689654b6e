// CWnd: sending and posting messages, the message map search and the
// default processing of messages.

#include "Wnd.h"

#include "WinMessageEvent.h"
#include "WndEventBridge.h"
#include "WndRegistry.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <map>

namespace
{
AFX_WND_ENTRY* EntryOf(HWND hWnd)
{
    return CWndRegistry::Get().Find(hWnd);
}
} // namespace

namespace afxmap
{
AFX_PMSG WndAndPoint(std::function<void(CWnd*, CWnd*, CPoint)> call)
{
    return [call](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT
    {
        call(w, CWnd::FromHandle(reinterpret_cast<HWND>(wp)),
             CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
        return 0;
    };
}

AFX_PMSG FocusChange(std::function<void(CWnd*, CWnd*)> call)
{
    return [call](CWnd* w, WPARAM wp, LPARAM) -> LRESULT
    {
        call(w, CWnd::FromHandle(reinterpret_cast<HWND>(wp)));
        return 0;
    };
}
} // namespace afxmap

// Messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* item = GetDlgItem(nID);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A handler may delete this object (a dialog closed from its own button):
    // the frame learns it, and nothing of the object is touched afterwards.
    DISPATCH_FRAME frame;
    frame.msgPrevious = m_msgCurrent;
    frame.pOuter = m_pDispatchFrame;
    m_pDispatchFrame = &frame;
    m_msgCurrent.hwnd = m_hWnd;
    m_msgCurrent.message = message;
    m_msgCurrent.wParam = wParam;
    m_msgCurrent.lParam = lParam;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result) && !frame.bDeleted)
        result = DefWindowProc(message, wParam, lParam);
    if (frame.bDeleted)
        return result;
    m_msgCurrent = frame.msgPrevious;
    m_pDispatchFrame = frame.pOuter;
    return result;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}
UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CONTEXTMENU:
        // An unhandled context-menu request goes on to the parent.
        if (CWnd* parent = GetParent(); parent && (GetStyle() & WS_CHILD))
            return parent->SendMessage(message, wParam, lParam);
        return 0;
    case WM_HELP:
        // A request nobody here answers goes to the parent, or a top-level
        // window's owner, still naming the window it is about.
        if (QWidget* widget = GetWidget())
            if (HWND hParent = CWndRegistry::Get().FindEnclosing(widget->parentWidget()))
                ::SendMessage(hParent, message, wParam, lParam);
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        SetWindowText(reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return GetWindowText(reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_KEYDOWN:
        // The widget's own handling of the key being processed.
        return CWndEventBridge::DispatchKey(&m_msgCurrent);
    default:
        return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd;)
    {
        CWnd* pWnd = FromHandle(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
        QWidget* widget = AfxWidgetFromHandle(hWnd);
        if (!widget || widget->isWindow())
            break;
        hWnd = CWndRegistry::Get().FindEnclosing(widget->parentWidget());
    }
    return FALSE;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT message, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e)
        {
            if (e->pRegistered)
            {
                if (*e->pRegistered == message)
                    return e;
                continue;
            }
            if (e->nMessage != message)
                continue;
            bool bReflected = message == WM_REFLECT_BASE + WM_COMMAND || message == WM_REFLECT_BASE + WM_NOTIFY;
            if (bReflected ? e->nCode == nCode : (message != WM_COMMAND && message != WM_NOTIFY))
                return e;
            if (!bReflected && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return lParam && OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    *pResult = entry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* child = FromHandle(reinterpret_cast<HWND>(lParam));
    if (const AFX_MSGMAP_ENTRY* entry =
            child ? child->FindEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0) : nullptr)
    {
        entry->pfn(child, wParam, lParam);
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!entry)
        return FALSE;
    entry->pfn(this, MAKEWPARAM(nID, nCode), 0);
    return TRUE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    CWnd* child = FromHandle(header->hwndFrom);
    if (const AFX_MSGMAP_ENTRY* reflected =
            child ? child->FindEntry(WM_REFLECT_BASE + WM_NOTIFY, header->code, 0) : nullptr)
    {
        *pResult = reflected->pfn(child, wParam, lParam);
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    if (!entry)
        return FALSE;
    *pResult = entry->pfn(this, header->idFrom, lParam);
    return TRUE;
}

// Win32 calls on handles

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    if (!entry || !entry->widget)
        return 0;
    if (entry->pWnd)
        return entry->pWnd->WindowProc(message, wParam, lParam);
    CWinMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(entry->widget, &event);
    return event.m_lResult;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hWnd) || !QCoreApplication::instance())
        return FALSE;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [hWnd, message, wParam, lParam]
        {
            if (IsWindow(hWnd))
                ::SendMessage(hWnd, message, wParam, lParam);
        },
        Qt::QueuedConnection);
    return TRUE;
}

UINT RegisterWindowMessageA(LPCSTR lpString)
{
    static std::map<std::string, UINT> ids;
    static UINT next = 0xC000;
    if (!lpString || !*lpString)
        return 0;
    std::string key(lpString);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    auto it = ids.find(key);
    if (it != ids.end())
        return it->second;
    ids[key] = next;
    return next++;
}
