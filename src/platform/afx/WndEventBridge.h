#pragma once

// Turns Qt input and window events into the Win32 messages the layer's
// windows expect: keys walk the PreTranslateMessage chain first, sizes become
// WM_SIZE, closing a window becomes WM_CLOSE, and so on.

#include "AfxTypes.h"

#include <QObject>

class QKeyEvent;
class QWidget;

class CWndEventBridge : public QObject
{
public:
    // Installs the one bridge on the application (once, when it exists).
    static void Install();
    // Virtual-key code of a Qt key (0 when there is none).
    static UINT VirtualKey(int nQtKey);
    // Qt key of a virtual-key code (0 when there is none).
    static int QtKey(UINT nVirtualKey);
    // Sends a key to its widget without pre-translation (DispatchMessage), the
    // key being handled or, for a program's WM_KEYDOWN, one made from it.
    static bool DispatchKey(const MSG* pMsg);

    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    bool OnKeyPress(QWidget* pWidget, QKeyEvent* pEvent);
    bool OnWindowEvent(QWidget* pWidget, QEvent* pEvent);
};

BOOL TranslateMessage(const MSG* pMsg);
LRESULT DispatchMessage(const MSG* pMsg);
