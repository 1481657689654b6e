#include "Wnd.h"

#include "DataExchange.h"
#include "MessageBox.h"
#include "Resource.h"
#include "WidgetText.h"
#include "WinMessageEvent.h"
#include "WndEventBridge.h"
#include "WndRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

namespace
{
AFX_WND_ENTRY* EntryOf(HWND hWnd)
{
    return CWndRegistry::Get().Find(hWnd);
}

QPoint ToQ(const POINT& pt)
{
    return QPoint(pt.x, pt.y);
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

CWnd* CWnd::s_pLastFocus = nullptr;

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

// Text

void CWnd::SetWindowText(LPCSTR lpszString)
{
    AfxSetWidgetText(GetWidget(), lpszString ? lpszString : "");
}

void CWnd::GetWindowText(std::string& rString) const
{
    rString = AfxGetWidgetText(GetWidget());
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (!lpszStringBuf || nMaxCount <= 0)
        return 0;
    std::string text = AfxGetWidgetText(GetWidget());
    size_t n = std::min(text.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpszStringBuf, text.data(), n);
    lpszStringBuf[n] = '\0';
    return static_cast<int>(n);
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(AfxGetWidgetText(GetWidget()).size());
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, std::string& rString) const
{
    rString.clear();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return static_cast<int>(rString.size());
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    std::string text;
    GetDlgItemText(nID, text);
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    char* end = nullptr;
    long long value = std::strtoll(p, &end, 10);
    bool bOk = end != p && *end == '\0' && (bSigned || value >= 0);
    if (lpTrans)
        *lpTrans = bOk ? TRUE : FALSE;
    return bOk ? static_cast<UINT>(value) : 0;
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    std::string text = bSigned ? std::to_string(static_cast<int>(nValue)) : std::to_string(nValue);
    SetDlgItemText(nID, text.c_str());
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (CWnd* item = GetDlgItem(nIDButton))
        if (auto* button = qobject_cast<QAbstractButton*>(item->GetWidget()))
            button->setChecked(nCheck == BST_CHECKED);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    CWnd* item = GetDlgItem(nIDButton);
    auto* button = item ? qobject_cast<QAbstractButton*>(item->GetWidget()) : nullptr;
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (IsDlgButtonChecked(id))
            return id;
    return 0;
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

// Focus and timers

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

HWND GetFocus()
{
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus->m_hWnd : nullptr;
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
