#pragma once

// The table of live window handles: which widget and which CWnd each handle
// names, with the Win32 attributes the widget itself does not keep.

#include "AfxTypes.h"

#include <QPointer>
#include <QWidget>
#include <string>
#include <unordered_map>

class CWnd;

struct AFX_WND_ENTRY
{
    QPointer<QWidget> widget;
    CWnd* pWnd = nullptr; // null for a host's plain Qt widget
    std::string strClass; // window class: "EDIT", "BUTTON", "#32770" for dialogs, ...
    UINT nID = 0;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    bool bOwnsWidget = false; // the widget goes when the window is destroyed
    bool bDestroying = false;
};

class CWndRegistry
{
public:
    static CWndRegistry& Get();

    HWND Register(QWidget* pWidget, CWnd* pWnd, const std::string& strClass, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                  bool bOwnsWidget);
    AFX_WND_ENTRY* Find(HWND hWnd);
    HWND FindHandle(const QWidget* pWidget) const;
    // Nearest registered window at or above the widget.
    HWND FindEnclosing(const QWidget* pWidget) const;
    // The same within the widget's own top-level window: input in a window the
    // layer does not know (a message box, a list's pop-up) is not its windows'.
    HWND FindInputTarget(const QWidget* pWidget) const;
    // Removes the handle and every handle of its descendants, telling each
    // window WM_DESTROY first, then detaching and finally releasing its object.
    void DestroyTree(HWND hWnd);

private:
    void OnWidgetDestroyed(HWND hWnd);
    void Unregister(HWND hWnd);

    std::unordered_map<HWND, AFX_WND_ENTRY> m_mapEntries;
    uintptr_t m_nNextHandle = 0x10000;
};
