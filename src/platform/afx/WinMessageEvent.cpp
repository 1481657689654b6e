#include "WinMessageEvent.h"

CWinMessageEvent::CWinMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
    : QEvent(EventType()), m_nMessage(message), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type CWinMessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
