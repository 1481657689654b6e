#pragma once

// How a message reaches a host's plain Qt widget: an event carrying the
// message, its parameters and a result the widget may set.

#include "AfxTypes.h"

#include <QEvent>

class CWinMessageEvent : public QEvent
{
public:
    CWinMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);

    static QEvent::Type EventType();

    UINT m_nMessage;
    WPARAM m_wParam;
    LPARAM m_lParam;
    LRESULT m_lResult = 0;
};
