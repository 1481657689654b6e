#pragma once

// Message maps: each window class declares, in one table, which messages and
// notifications it handles and with which member. Dispatch searches the most
// derived class's table first, then its bases'.

#include "AfxTypes.h"
#include "Point.h"

#include <functional>

class CWnd;

// Calls a member of the window with the message's parameters; returns the
// message result.
typedef std::function<LRESULT(CWnd*, WPARAM, LPARAM)> AFX_PMSG;

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;           // window message; 0 ends the table
    UINT nCode;              // notification code for WM_COMMAND and WM_NOTIFY
    UINT nID;                // first control or command id
    UINT nLastID;            // last id of a range
    const UINT* pRegistered; // registered message: the variable holding its id
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afxmap
{
template <class T> AFX_PMSG Void(void (T::*f)())
{
    return [f](CWnd* w, WPARAM, LPARAM) -> LRESULT
    {
        (static_cast<T*>(w)->*f)();
        return 0;
    };
}
template <class T> AFX_PMSG Range(void (T::*f)(UINT))
{
    return [f](CWnd* w, WPARAM wp, LPARAM) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(LOWORD(wp));
        return 0;
    };
}
template <class T> AFX_PMSG Message(LRESULT (T::*f)(WPARAM, LPARAM))
{
    return [f](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT { return (static_cast<T*>(w)->*f)(wp, lp); };
}
template <class T> AFX_PMSG Notify(void (T::*f)(NMHDR*, LRESULT*))
{
    return [f](CWnd* w, WPARAM, LPARAM lp) -> LRESULT
    {
        LRESULT result = 0;
        (static_cast<T*>(w)->*f)(reinterpret_cast<NMHDR*>(lp), &result);
        return result;
    };
}
template <class T> AFX_PMSG Size(void (T::*f)(UINT, int, int))
{
    return [f](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return 0;
    };
}
template <class T> AFX_PMSG Create(int (T::*f)(LPCREATESTRUCT))
{
    return [f](CWnd* w, WPARAM, LPARAM lp) -> LRESULT
    { return (static_cast<T*>(w)->*f)(reinterpret_cast<LPCREATESTRUCT>(lp)); };
}
template <class T> AFX_PMSG Timer(void (T::*f)(UINT_PTR))
{
    return [f](CWnd* w, WPARAM wp, LPARAM) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(static_cast<UINT_PTR>(wp));
        return 0;
    };
}
template <class T> AFX_PMSG Key(void (T::*f)(UINT, UINT, UINT))
{
    return [f](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    };
}
template <class T> AFX_PMSG Mouse(void (T::*f)(UINT, CPoint))
{
    return [f](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(static_cast<UINT>(wp),
                                 CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
        return 0;
    };
}
template <class T, class P> AFX_PMSG BoolPtr(BOOL (T::*f)(P*))
{
    return [f](CWnd* w, WPARAM, LPARAM lp) -> LRESULT { return (static_cast<T*>(w)->*f)(reinterpret_cast<P*>(lp)); };
}
template <class T, class P> AFX_PMSG VoidPtr(void (T::*f)(P*))
{
    return [f](CWnd* w, WPARAM, LPARAM lp) -> LRESULT
    {
        (static_cast<T*>(w)->*f)(reinterpret_cast<P*>(lp));
        return 0;
    };
}
template <class T> AFX_PMSG Uint(UINT (T::*f)())
{
    return [f](CWnd* w, WPARAM, LPARAM) -> LRESULT { return (static_cast<T*>(w)->*f)(); };
}
// Defined in Wnd.cpp: they need the window registry.
AFX_PMSG WndAndPoint(std::function<void(CWnd*, CWnd*, CPoint)> call);
AFX_PMSG FocusChange(std::function<void(CWnd*, CWnd*)> call);
template <class T> AFX_PMSG ContextMenu(void (T::*f)(CWnd*, CPoint))
{
    return WndAndPoint([f](CWnd* w, CWnd* target, CPoint pt) { (static_cast<T*>(w)->*f)(target, pt); });
}
template <class T> AFX_PMSG Focus(void (T::*f)(CWnd*))
{
    return FocusChange([f](CWnd* w, CWnd* other) { (static_cast<T*>(w)->*f)(other); });
}
} // namespace afxmap

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, nullptr, nullptr                                                                                   \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// Commands and control notifications (WM_COMMAND)
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, (UINT)(id), (UINT)(id), nullptr, afxmap::Void<ThisClass>(fn)},
#define ON_CONTROL(code, id, fn)                                                                                       \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, afxmap::Void<ThisClass>(fn)},
#define ON_CONTROL_RANGE(code, id, idLast, fn)                                                                         \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), nullptr, afxmap::Range<ThisClass>(fn)},
#define ON_COMMAND_RANGE(id, idLast, fn) ON_CONTROL_RANGE(0, id, idLast, fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)

// Notifications reflected to the control that sent them: the control handles
// them before its parent sees them, and then the parent does not.
#define WM_REFLECT_BASE 0xBC00
#define ON_NOTIFY_REFLECT(code, fn)                                                                                    \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, nullptr, afxmap::Notify<ThisClass>(fn)},
#define ON_CONTROL_REFLECT(code, fn)                                                                                   \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, nullptr, afxmap::Void<ThisClass>(fn)},

// Common-control notifications (WM_NOTIFY)
#define ON_NOTIFY(code, id, fn)                                                                                        \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, afxmap::Notify<ThisClass>(fn)},

// Window messages
#define ON_MESSAGE(msg, fn) {(UINT)(msg), 0, 0, 0, nullptr, afxmap::Message<ThisClass>(fn)},
#define ON_REGISTERED_MESSAGE(var, fn) {0xC000, 0, 0, 0, &(var), afxmap::Message<ThisClass>(fn)},
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, nullptr, afxmap::Create<ThisClass>(&ThisClass::OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, nullptr, afxmap::Void<ThisClass>(&ThisClass::OnDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, nullptr, afxmap::Void<ThisClass>(&ThisClass::OnClose)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, nullptr, afxmap::Void<ThisClass>(&ThisClass::OnPaint)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, nullptr, afxmap::Size<ThisClass>(&ThisClass::OnSize)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, nullptr, afxmap::Timer<ThisClass>(&ThisClass::OnTimer)},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, nullptr, afxmap::Key<ThisClass>(&ThisClass::OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, nullptr, afxmap::Key<ThisClass>(&ThisClass::OnKeyUp)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, nullptr, afxmap::Key<ThisClass>(&ThisClass::OnChar)},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, nullptr, afxmap::Mouse<ThisClass>(&ThisClass::OnRButtonDown)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, nullptr, afxmap::Mouse<ThisClass>(&ThisClass::OnLButtonDown)},
#define ON_WM_LBUTTONDBLCLK()                                                                                          \
    {WM_LBUTTONDBLCLK, 0, 0, 0, nullptr, afxmap::Mouse<ThisClass>(&ThisClass::OnLButtonDblClk)},
#define ON_WM_CONTEXTMENU()                                                                                            \
    {WM_CONTEXTMENU, 0, 0, 0, nullptr, afxmap::ContextMenu<ThisClass>(&ThisClass::OnContextMenu)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, nullptr, afxmap::Focus<ThisClass>(&ThisClass::OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, nullptr, afxmap::Focus<ThisClass>(&ThisClass::OnKillFocus)},
#define ON_WM_HELPINFO() {WM_HELP, 0, 0, 0, nullptr, afxmap::BoolPtr<ThisClass, HELPINFO>(&ThisClass::OnHelpInfo)},
#define ON_WM_GETMINMAXINFO()                                                                                          \
    {WM_GETMINMAXINFO, 0, 0, 0, nullptr, afxmap::VoidPtr<ThisClass, MINMAXINFO>(&ThisClass::OnGetMinMaxInfo)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, nullptr, afxmap::Uint<ThisClass>(&ThisClass::OnGetDlgCode)},
