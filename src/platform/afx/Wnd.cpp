// CWnd's life, identity, state, timers and modal loop. Its message dispatch,
// texts, geometry and keyboard handling live in the Wnd*.cpp files beside.

#include "Wnd.h"

#include "DataExchange.h"
#include "MessageBox.h"
#include "WidgetText.h"
#include "WndRegistry.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace
{
AFX_WND_ENTRY* EntryOf(HWND hWnd)
{
    return CWndRegistry::Get().Find(hWnd);
}

// A window may go inside one of its own widget's signals (a button that closes
// its dialog): the widget leaves the screen and its parent now, and Qt deletes
// it once control is back in the event loop.
void DeleteWidgetLater(QWidget* pWidget)
{
    if (!pWidget)
        return;
    pWidget->hide();
    pWidget->setParent(nullptr);
    pWidget->deleteLater();
}
} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    for (DISPATCH_FRAME* frame = m_pDispatchFrame; frame; frame = frame->pOuter)
        frame->bDeleted = true;
    if (s_pLastFocus == this)
        s_pLastFocus = nullptr;
    if (!m_hWnd)
        return;
    // The derived parts are gone: detach without dispatching to this object.
    HWND hWnd = m_hWnd;
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    QPointer<QWidget> widget = entry ? entry->widget : nullptr;
    if (entry)
        entry->pWnd = nullptr;
    m_hWnd = nullptr;
    ReleaseWindowResources();
    CWndRegistry::Get().DestroyTree(hWnd);
    DeleteWidgetLater(widget);
}

QWidget* CWnd::GetWidget() const
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    return entry ? entry->widget.data() : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    return entry ? entry->pWnd : nullptr;
}

CWnd* CWnd::FromWidget(const QWidget* pWidget)
{
    return FromHandle(CWndRegistry::Get().FindHandle(pWidget));
}

BOOL CWnd::Create(LPCSTR, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    QWidget* parent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    auto* widget = new QWidget(parent);
    if (!(dwStyle & WS_CHILD) && parent)
        widget->setWindowFlags(Qt::Dialog);
    if (lpszWindowName)
        AfxSetWidgetText(widget, lpszWindowName);
    widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (!AttachWidget(widget, nID, dwStyle, 0, true))
        return FALSE;
    SendMessage(WM_CREATE, 0, 0);
    if (dwStyle & WS_VISIBLE)
        widget->show();
    return TRUE;
}

BOOL CWnd::AttachWidget(QWidget* pWidget, UINT nID, DWORD dwStyle, DWORD dwExStyle, bool bOwnsWidget)
{
    if (!pWidget || m_hWnd)
        return FALSE;
    m_hWnd = CWndRegistry::Get().Register(pWidget, this, pWidget->property("afxClass").toString().toStdString(), nID,
                                          dwStyle, dwExStyle, bOwnsWidget);
    if (dwStyle & WS_DISABLED)
        pWidget->setEnabled(false);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    if (!entry || m_hWnd)
        return FALSE;
    CWnd* previous = entry->pWnd;
    entry->pWnd = this;
    m_hWnd = hWnd;
    // A wrapper the layer made for the control is not needed any more.
    if (previous && previous != this)
    {
        previous->m_hWnd = nullptr;
        if (previous->m_bAutoDelete)
            delete previous;
    }
    PreSubclassWindow();
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* item = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (AFX_WND_ENTRY* entry = EntryOf(hWnd))
        entry->pWnd = nullptr;
    ReleaseWindowResources();
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    if (!entry)
        return FALSE;
    QPointer<QWidget> widget = entry->widget;
    bool bOwns = entry->pWnd != nullptr;
    CWndRegistry::Get().DestroyTree(hWnd);
    if (bOwns)
        DeleteWidgetLater(widget);
    return TRUE;
}

void CWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CWnd::ReleaseWindowResources()
{
    for (auto& timer : m_mapTimers)
        delete timer.second;
    m_mapTimers.clear();
    m_sizeReported = CSize(-1, -1);
}

// Identity and relations

int CWnd::GetDlgCtrlID() const
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    return entry ? static_cast<int>(entry->nID) : 0;
}

int CWnd::SetDlgCtrlID(int nID)
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    if (!entry)
        return 0;
    int previous = static_cast<int>(entry->nID);
    entry->nID = static_cast<UINT>(nID);
    return previous;
}

CWnd* CWnd::GetParent() const
{
    QWidget* widget = GetWidget();
    return widget ? FromHandle(CWndRegistry::Get().FindEnclosing(widget->parentWidget())) : nullptr;
}

CWnd* CWnd::SetParent(CWnd* pNewParent)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return nullptr;
    CWnd* previous = GetParent();
    bool bVisible = !widget->isHidden();
    widget->setParent(pNewParent ? pNewParent->GetWidget() : nullptr,
                      (GetStyle() & WS_CHILD) ? Qt::Widget : Qt::Dialog);
    widget->setVisible(bVisible);
    return previous;
}

CWnd* CWnd::GetTopLevelParent() const
{
    QWidget* widget = GetWidget();
    return widget ? FromHandle(CWndRegistry::Get().FindEnclosing(widget->window())) : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    QWidget* widget = GetWidget();
    if (!widget)
        return nullptr;
    CWndRegistry& registry = CWndRegistry::Get();
    // Direct children only, as in Win32; windows being torn down do not count.
    for (QObject* child : widget->children())
    {
        auto* w = qobject_cast<QWidget*>(child);
        HWND h = w ? registry.FindHandle(w) : nullptr;
        AFX_WND_ENTRY* entry = h ? registry.Find(h) : nullptr;
        if (entry && !entry->bDestroying && static_cast<int>(entry->nID) == nID && entry->pWnd)
            return entry->pWnd;
    }
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    QWidget* widget = GetWidget();
    QWidget* other = pWnd ? pWnd->GetWidget() : nullptr;
    return widget && other && other != widget && widget->isAncestorOf(other);
}

// State

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return FALSE;
    BOOL bWasDisabled = widget->testAttribute(Qt::WA_ForceDisabled) ? TRUE : FALSE;
    widget->setEnabled(bEnable != FALSE);
    return bWasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* widget = GetWidget();
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    QWidget* widget = GetWidget();
    if (!widget)
        return FALSE;
    BOOL bWasVisible = widget->isHidden() ? FALSE : TRUE;
    widget->setVisible(nCmdShow != SW_HIDE);
    return bWasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* widget = GetWidget();
    return widget && widget->isVisible();
}

DWORD CWnd::GetStyle() const
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    if (!entry || !entry->widget)
        return 0;
    DWORD style = entry->dwStyle;
    if (!entry->widget->isHidden())
        style |= WS_VISIBLE;
    if (entry->widget->testAttribute(Qt::WA_ForceDisabled))
        style |= WS_DISABLED;
    return style;
}

DWORD CWnd::GetExStyle() const
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    return entry ? entry->dwExStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    if (!entry)
        return FALSE;
    DWORD style = (GetStyle() & ~dwRemove) | dwAdd;
    entry->dwStyle = style & ~(WS_VISIBLE | WS_DISABLED);
    if ((dwRemove | dwAdd) & WS_DISABLED)
        EnableWindow(!(style & WS_DISABLED));
    if ((dwRemove | dwAdd) & WS_VISIBLE)
        ShowWindow((style & WS_VISIBLE) ? SW_SHOW : SW_HIDE);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT)
{
    AFX_WND_ENTRY* entry = EntryOf(m_hWnd);
    if (!entry)
        return FALSE;
    entry->dwExStyle = (entry->dwExStyle & ~dwRemove) | dwAdd;
    return TRUE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    if (QWidget* widget = GetWidget())
        widget->setUpdatesEnabled(bRedraw != FALSE);
}

void CWnd::Invalidate(BOOL)
{
    if (QWidget* widget = GetWidget())
        widget->update();
}

void CWnd::UpdateWindow()
{
    if (QWidget* widget = GetWidget())
        widget->repaint();
}

// Timers

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (!m_hWnd)
        return 0;
    KillTimer(nIDEvent);
    auto* timer = new QTimer;
    HWND hWnd = m_hWnd;
    QObject::connect(timer, &QTimer::timeout, [hWnd, nIDEvent] { ::SendMessage(hWnd, WM_TIMER, nIDEvent, 0); });
    timer->start(static_cast<int>(nElapse));
    m_mapTimers[nIDEvent] = timer;
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_mapTimers.find(nIDEvent);
    if (it == m_mapTimers.end())
        return FALSE;
    it->second->deleteLater();
    m_mapTimers.erase(it);
    return TRUE;
}

// Dialog data

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CUserException&)
    {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

int CWnd::RunModalLoop(DWORD)
{
    m_bInModalLoop = true;
    m_nModalResult = -1;
    QEventLoop loop;
    HWND hWnd = m_hWnd;
    while (m_bInModalLoop && IsWindow(hWnd))
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    m_bInModalLoop = false;
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    m_bInModalLoop = false;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->postEvent(QCoreApplication::instance(), new QEvent(QEvent::User));
}

// Win32 calls on handles

BOOL IsWindow(HWND hWnd)
{
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    return entry && entry->widget && !entry->bDestroying;
}

HWND AfxHandleFromWidget(QWidget* pWidget)
{
    CWndRegistry& registry = CWndRegistry::Get();
    if (!pWidget)
        return nullptr;
    if (HWND h = registry.FindHandle(pWidget))
        return h;
    return registry.Register(pWidget, nullptr, "QWidget", 0, pWidget->isWindow() ? 0 : WS_CHILD, 0, false);
}

QWidget* AfxWidgetFromHandle(HWND hWnd)
{
    AFX_WND_ENTRY* entry = EntryOf(hWnd);
    return entry ? entry->widget.data() : nullptr;
}
