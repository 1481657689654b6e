#pragma once

// CWnd: one window of the layer, wrapping one QWidget. It knows its control
// id and parent, finds its children by id and dispatches Win32-style messages
// through its message map.

#include "AfxTypes.h"
#include "MessageMap.h"
#include "Rect.h"

#include <QPointer>
#include <map>
#include <string>

class QWidget;
class QTimer;
class CDataExchange;

class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window handle; null while no window is attached.
    HWND m_hWnd = nullptr;
    // The object deletes itself when its window goes (wrappers the layer makes).
    bool m_bAutoDelete = false;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    QWidget* GetWidget() const;

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromWidget(const QWidget* pWidget);

    // Creates a plain child window (a container) with the given styles.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID);
    // Makes this object the window of an existing control or widget.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Called once this object is the window of the control it subclassed.
    virtual void PreSubclassWindow();
    HWND Detach();
    virtual BOOL DestroyWindow();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCmdMsg(UINT nID, int nCode);
    // Calls PreTranslateMessage of this window and each parent up to the top.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Identity and relations
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pNewParent);
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    BOOL IsChild(const CWnd* pWnd) const;
    // GW_HWNDNEXT, GW_HWNDPREV, GW_CHILD, GW_HWNDFIRST, GW_HWNDLAST among registered windows.
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // Text
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(std::string& rString) const;
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, std::string& rString) const;
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;

    // State
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetRedraw(BOOL bRedraw = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();

    // Geometry: window rectangles in screen coordinates, client rectangles
    // relative to the window's own client area.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Focus and timers
    CWnd* SetFocus();
    static CWnd* GetFocus();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Dialog data
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Default handlers of the messages the layer's windows commonly map; each
    // runs the default processing of the message being handled.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    UINT OnGetDlgCode();
    // Default processing of the message being handled.
    LRESULT Default();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window and its handle are gone; auto-deleting windows delete themselves here.
    virtual void PostNcDestroy();
    // Attaches a widget to this object: registers a handle for it.
    BOOL AttachWidget(QWidget* pWidget, UINT nID, DWORD dwStyle, DWORD dwExStyle, bool bOwnsWidget);
    int RunModalLoop(DWORD dwFlags = 0);
    void EndModalLoop(int nResult);

    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT nCode, UINT nID) const;

    friend class CWndRegistry;
    friend class CWndEventBridge;
    friend BOOL AfxCreateControlWindow(CWnd&, const char*, LPCSTR, DWORD, const RECT&, CWnd*, UINT);

    // Sends WM_SIZE when the client size differs from the one last reported.
    static void NotifySizeChanged(HWND hWnd);

private:
    // WM_SETFOCUS / WM_KILLFOCUS to the window, and the control's notification to its parent.
    static void NotifyFocus(HWND hWnd, bool bGained);
    // WM_HELP about the window (F1 while it has the focus).
    static void SendHelpRequest(HWND hWnd);
    void ReleaseWindowResources();
    static CWnd* s_pLastFocus;

    // One per WindowProc call on the stack, innermost first.
    struct DISPATCH_FRAME
    {
        MSG msgPrevious;
        DISPATCH_FRAME* pOuter = nullptr;
        bool bDeleted = false;
    };

    std::map<UINT_PTR, QTimer*> m_mapTimers;
    MSG m_msgCurrent; // the message WindowProc is handling
    DISPATCH_FRAME* m_pDispatchFrame = nullptr;
    CSize m_sizeReported{-1, -1};
    int m_nModalResult = -1;
    bool m_bInModalLoop = false;
};

// Win32 calls on handles
BOOL IsWindow(HWND hWnd);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
UINT RegisterWindowMessageA(LPCSTR lpString);
HWND GetFocus();
short GetKeyState(int nVirtKey);
// The handle of a plain Qt widget of the host (registered on first use), so
// it can be a parent or receive messages as CWinMessageEvent events.
HWND AfxHandleFromWidget(QWidget* pWidget);
QWidget* AfxWidgetFromHandle(HWND hWnd);
