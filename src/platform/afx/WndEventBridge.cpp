#include "WndEventBridge.h"

#include "Wnd.h"
#include "WndRegistry.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace
{
Qt::KeyboardModifiers g_modifiers;
bool g_bDispatching = false;
QKeyEvent* g_pCurrentKey = nullptr;

struct KEYMAP
{
    int nQtKey;
    UINT nVirtualKey;
};
const KEYMAP kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},     {Qt::Key_Backtab, VK_TAB},     {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Escape, VK_ESCAPE},  {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},   {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},   {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Menu, VK_APPS},
};

LPARAM PointParam(const QPoint& pt)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(pt.x())), static_cast<WORD>(static_cast<short>(pt.y())));
}

LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessage(hWnd, message, wParam, lParam);
}
} // namespace

void CWndEventBridge::Install()
{
    static CWndEventBridge* bridge = nullptr;
    if (bridge || !QCoreApplication::instance())
        return;
    bridge = new CWndEventBridge;
    bridge->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(bridge);
}

UINT CWndEventBridge::VirtualKey(int nQtKey)
{
    if ((nQtKey >= Qt::Key_A && nQtKey <= Qt::Key_Z) || (nQtKey >= Qt::Key_0 && nQtKey <= Qt::Key_9))
        return static_cast<UINT>(nQtKey);
    if (nQtKey >= Qt::Key_F1 && nQtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(nQtKey - Qt::Key_F1);
    for (const KEYMAP& k : kKeys)
        if (k.nQtKey == nQtKey)
            return k.nVirtualKey;
    return 0;
}

bool CWndEventBridge::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (!pObject->isWidgetType())
        return false;
    auto* pWidget = static_cast<QWidget*>(pObject);
    switch (pEvent->type())
    {
    case QEvent::KeyPress:
        return OnKeyPress(pWidget, static_cast<QKeyEvent*>(pEvent));
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        g_modifiers = static_cast<QInputEvent*>(pEvent)->modifiers();
        return OnWindowEvent(pWidget, pEvent);
    default:
        return OnWindowEvent(pWidget, pEvent);
    }
}

bool CWndEventBridge::OnKeyPress(QWidget* pWidget, QKeyEvent* pEvent)
{
    g_modifiers = pEvent->modifiers();
    if (g_bDispatching)
        return false;
    HWND hWnd = CWndRegistry::Get().FindInputTarget(pWidget);
    UINT vk = VirtualKey(pEvent->key());
    if (!hWnd || !vk)
        return false;
    MSG msg;
    msg.hwnd = hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = MAKELPARAM(pEvent->isAutoRepeat() ? 2 : 1, 0);
    QKeyEvent* pPrevious = g_pCurrentKey;
    g_pCurrentKey = pEvent;
    const bool bPreTranslated = CWnd::WalkPreTranslateTree(nullptr, &msg);
    bool bHandled = bPreTranslated;
    // A window that handles WM_KEYDOWN itself takes the key from its widget.
    if (!bHandled)
        if (CWnd* pWnd = CWnd::FromHandle(hWnd); pWnd && pWnd->FindEntry(WM_KEYDOWN, 0, 0))
        {
            pWnd->WindowProc(WM_KEYDOWN, msg.wParam, msg.lParam);
            bHandled = true;
        }
    // After its key-down, F1 asks the focused window for help, as on Win32;
    // a key taken by pre-translation (an accelerator) asks nothing.
    if (!bPreTranslated && vk == VK_F1 && !(pEvent->modifiers() & Qt::AltModifier) && CWnd::FromHandle(hWnd))
    {
        CWnd::SendHelpRequest(hWnd);
        bHandled = true;
    }
    g_pCurrentKey = pPrevious;
    return bHandled;
}

bool CWndEventBridge::OnWindowEvent(QWidget* pWidget, QEvent* pEvent)
{
    CWndRegistry& registry = CWndRegistry::Get();
    HWND hWnd = registry.FindHandle(pWidget);
    switch (pEvent->type())
    {
    case QEvent::Resize:
        if (hWnd)
            CWnd::NotifySizeChanged(hWnd);
        return false;
    case QEvent::Close:
        if (!hWnd || !CWnd::FromHandle(hWnd))
            return false;
        Send(hWnd, WM_CLOSE);
        pEvent->ignore();
        return true;
    case QEvent::FocusIn:
        if (hWnd)
            CWnd::NotifyFocus(hWnd, true);
        return false;
    case QEvent::FocusOut:
        if (hWnd)
            CWnd::NotifyFocus(hWnd, false);
        return false;
    case QEvent::ContextMenu:
    {
        HWND hTarget = hWnd ? hWnd : registry.FindInputTarget(pWidget);
        if (!hTarget || !CWnd::FromHandle(hTarget))
            return false;
        auto* pMenuEvent = static_cast<QContextMenuEvent*>(pEvent);
        // A keyboard request carries (-1, -1), as in Win32.
        LPARAM pos = pMenuEvent->reason() == QContextMenuEvent::Keyboard ? MAKELPARAM(0xFFFF, 0xFFFF)
                                                                         : PointParam(pMenuEvent->globalPos());
        Send(hTarget, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hTarget), pos);
        return true;
    }
    case QEvent::MouseButtonPress:
    {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        HWND hTarget = registry.FindInputTarget(pWidget);
        if (!hTarget || pMouse->button() != Qt::RightButton)
            return false;
        QWidget* pTargetWidget = AfxWidgetFromHandle(hTarget);
        QPoint pt = pTargetWidget->mapFromGlobal(pMouse->globalPosition().toPoint());
        Send(hTarget, WM_RBUTTONDOWN, 0, PointParam(pt));
        return false;
    }
    default:
        return false;
    }
}

int CWndEventBridge::QtKey(UINT nVirtualKey)
{
    if ((nVirtualKey >= 'A' && nVirtualKey <= 'Z') || (nVirtualKey >= '0' && nVirtualKey <= '9'))
        return static_cast<int>(nVirtualKey);
    if (nVirtualKey >= VK_F1 && nVirtualKey < VK_F1 + 24)
        return Qt::Key_F1 + static_cast<int>(nVirtualKey - VK_F1);
    for (const KEYMAP& k : kKeys)
        if (k.nVirtualKey == nVirtualKey)
            return k.nQtKey;
    return 0;
}

bool CWndEventBridge::DispatchKey(const MSG* pMsg)
{
    QWidget* pWidget = AfxWidgetFromHandle(pMsg->hwnd);
    if (!pWidget)
        return false;
    // The key being handled goes on to where it was going; one that a program
    // sent goes to the window it was sent to.
    QWidget* pFocus = QApplication::focusWidget();
    QWidget* pTarget = g_pCurrentKey && pFocus && pWidget->isAncestorOf(pFocus) ? pFocus : pWidget;
    int key = g_pCurrentKey ? g_pCurrentKey->key() : QtKey(static_cast<UINT>(pMsg->wParam));
    if (!key)
        return false;
    QKeyEvent copy(QEvent::KeyPress, key, g_pCurrentKey ? g_pCurrentKey->modifiers() : g_modifiers,
                   g_pCurrentKey ? g_pCurrentKey->text() : QString());
    bool bPrevious = g_bDispatching;
    g_bDispatching = true;
    QApplication::sendEvent(pTarget, &copy);
    g_bDispatching = bPrevious;
    return true;
}

short GetKeyState(int nVirtKey)
{
    Qt::KeyboardModifier modifier = Qt::NoModifier;
    switch (nVirtKey)
    {
    case VK_SHIFT:
        modifier = Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        modifier = Qt::ControlModifier;
        break;
    case VK_MENU:
        modifier = Qt::AltModifier;
        break;
    default:
        return 0;
    }
    return (g_modifiers & modifier) ? static_cast<short>(0x8000) : 0;
}

BOOL TranslateMessage(const MSG* pMsg)
{
    return pMsg && pMsg->message == WM_KEYDOWN;
}

LRESULT DispatchMessage(const MSG* pMsg)
{
    if (!pMsg)
        return 0;
    if (pMsg->message == WM_KEYDOWN)
        return CWndEventBridge::DispatchKey(pMsg);
    return ::SendMessage(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
}
