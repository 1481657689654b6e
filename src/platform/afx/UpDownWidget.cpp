#include "UpDownWidget.h"

#include "Notify.h"
#include "WidgetText.h"
#include "Wnd.h"
#include "WndRegistry.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace
{
std::string GroupSeparator()
{
    return QLocale().groupSeparator().toStdString();
}

std::string FormatPos(int nValue, int nBase, bool bThousands)
{
    char buffer[32];
    if (nBase == 16)
    {
        std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(nValue));
        return buffer;
    }
    std::string digits = std::to_string(std::llabs(static_cast<long long>(nValue)));
    if (bThousands)
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(static_cast<size_t>(i), GroupSeparator());
    return (nValue < 0 ? "-" : "") + digits;
}

// The number in a buddy's text: separators are ignored, an empty text is 0.
bool ParsePos(std::string text, int nBase, long long& nValue)
{
    std::string separator = GroupSeparator();
    for (size_t at = text.find(separator); !separator.empty() && at != std::string::npos; at = text.find(separator))
        text.erase(at, separator.size());
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text.c_str(), &end, nBase);
    if (*end || errno == ERANGE)
        return false;
    nValue = value;
    return true;
}

QToolButton* ArrowButton(QWidget* pParent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(pParent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

CUpDownWidget::CUpDownWidget(QWidget* pParent)
    : QWidget(pParent), m_pUp(ArrowButton(this, Qt::UpArrow)), m_pDown(ArrowButton(this, Qt::DownArrow))
{
    connect(m_pUp, &QToolButton::clicked, this, [this] { StepClicked(true); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { StepClicked(false); });
}

// Buddy

void CUpDownWidget::AttachAutoBuddy()
{
    CWnd* self = CWnd::FromWidget(this);
    CWnd* previous = self && (Style() & UDS_AUTOBUDDY) ? self->GetWindow(GW_HWNDPREV) : nullptr;
    if (previous)
        SetBuddy(previous->m_hWnd);
}

HWND CUpDownWidget::SetBuddy(HWND hBuddy)
{
    HWND previous = Buddy();
    if (QWidget* old = AfxWidgetFromHandle(previous))
        old->removeEventFilter(this);
    m_hBuddy = IsWindow(hBuddy) ? hBuddy : nullptr;
    if (QWidget* buddy = AfxWidgetFromHandle(m_hBuddy))
    {
        buddy->installEventFilter(this);
        AlignWithBuddy();
        WriteBuddy();
    }
    return previous;
}

HWND CUpDownWidget::Buddy() const
{
    return IsWindow(m_hBuddy) ? m_hBuddy : nullptr;
}

void CUpDownWidget::AlignWithBuddy()
{
    DWORD style = Style();
    QWidget* buddy = AfxWidgetFromHandle(Buddy());
    if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !buddy || buddy->parentWidget() != parentWidget())
        return;
    // The buddy gives up the arrows' width on that side.
    QRect place = buddy->geometry();
    int cx = width();
    if (style & UDS_ALIGNLEFT)
    {
        buddy->setGeometry(place.adjusted(cx, 0, 0, 0));
        setGeometry(place.left(), place.top(), cx, place.height());
    }
    else
    {
        buddy->setGeometry(place.adjusted(0, 0, -cx, 0));
        setGeometry(place.right() - cx + 1, place.top(), cx, place.height());
    }
}

bool CUpDownWidget::ReadBuddy()
{
    QWidget* buddy = AfxWidgetFromHandle(Buddy());
    if (!(Style() & UDS_SETBUDDYINT) || !buddy)
        return true;
    long long value = 0;
    if (!ParsePos(AfxGetWidgetText(buddy), m_nBase, value) || !InRange(value))
        return false;
    m_nPos = static_cast<int>(value);
    return true;
}

void CUpDownWidget::WriteBuddy()
{
    DWORD style = Style();
    QWidget* buddy = AfxWidgetFromHandle(Buddy());
    if (!(style & UDS_SETBUDDYINT) || !buddy)
        return;
    std::string text = FormatPos(m_nPos, m_nBase, !(style & UDS_NOTHOUSANDS));
    // An unchanged text is left alone: no EN_CHANGE for nothing.
    if (QString::fromStdString(text).compare(QString::fromStdString(AfxGetWidgetText(buddy)), Qt::CaseInsensitive))
        AfxSetWidgetText(buddy, text);
}

// Range and position

bool CUpDownWidget::InRange(long long nValue) const
{
    return nValue >= std::min(m_nLower, m_nUpper) && nValue <= std::max(m_nLower, m_nUpper);
}

int CUpDownWidget::Clamp(long long nValue) const
{
    return static_cast<int>(std::clamp<long long>(nValue, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper)));
}

void CUpDownWidget::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
}

int CUpDownWidget::SetPos(int nPos)
{
    int previous = m_nPos;
    m_nPos = Clamp(nPos);
    WriteBuddy();
    return previous;
}

int CUpDownWidget::Pos(bool& bError)
{
    bError = !ReadBuddy();
    if (InRange(m_nPos))
        return m_nPos;
    bError = true;
    return Clamp(m_nPos);
}

int CUpDownWidget::SetBase(int nBase)
{
    if (nBase != 10 && nBase != 16)
        return 0;
    int previous = m_nBase;
    m_nBase = nBase;
    WriteBuddy();
    return previous;
}

// User actions

void CUpDownWidget::StepClicked(bool bUp)
{
    // As in Win32, a click on the arrows puts the caret into the buddy edit.
    CWnd* buddy = CWnd::FromHandle(Buddy());
    if (buddy && qobject_cast<QLineEdit*>(buddy->GetWidget()))
        buddy->SetFocus();
    Step(bUp);
}

void CUpDownWidget::Step(bool bUp)
{
    HWND hWnd = CWndRegistry::Get().FindHandle(this);
    CWnd* self = CWnd::FromHandle(hWnd);
    if (!self || !isEnabled())
        return;
    ReadBuddy();
    NMUPDOWN info;
    info.iPos = m_nPos;
    info.iDelta = (bUp ? 1 : -1) * (m_nUpper < m_nLower ? -1 : 1);
    if (AfxSendNotify(hWnd, UDN_DELTAPOS, &info.hdr) == 0)
    {
        long long value = static_cast<long long>(m_nPos) + info.iDelta;
        bool bWrap = Style() & UDS_WRAP;
        if (value > std::max(m_nLower, m_nUpper))
            value = bWrap ? std::min(m_nLower, m_nUpper) : std::max(m_nLower, m_nUpper);
        else if (value < std::min(m_nLower, m_nUpper))
            value = bWrap ? std::max(m_nLower, m_nUpper) : std::min(m_nLower, m_nUpper);
        m_nPos = static_cast<int>(value);
        WriteBuddy();
    }
    // Sent whether the step was taken or refused.
    if (CWnd* parent = IsWindow(hWnd) ? self->GetParent() : nullptr)
        parent->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_nPos), reinterpret_cast<LPARAM>(hWnd));
}

void CUpDownWidget::resizeEvent(QResizeEvent*)
{
    m_pUp->setGeometry(0, 0, width(), height() / 2);
    m_pDown->setGeometry(0, height() / 2, width(), height() - height() / 2);
}

void CUpDownWidget::keyPressEvent(QKeyEvent* pEvent)
{
    int key = pEvent->key();
    if ((Style() & UDS_ARROWKEYS) && (key == Qt::Key_Up || key == Qt::Key_Down))
        Step(key == Qt::Key_Up);
    else
        QWidget::keyPressEvent(pEvent);
}

bool CUpDownWidget::eventFilter(QObject* pObject, QEvent* pEvent)
{
    // UDS_ARROWKEYS: Up and Down in the buddy step as the arrows do.
    if (pEvent->type() != QEvent::KeyPress || pObject != AfxWidgetFromHandle(Buddy()) || !(Style() & UDS_ARROWKEYS) ||
        !isEnabled())
        return false;
    int key = static_cast<QKeyEvent*>(pEvent)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    Step(key == Qt::Key_Up);
    return true;
}

DWORD CUpDownWidget::Style() const
{
    AFX_WND_ENTRY* entry = CWndRegistry::Get().Find(CWndRegistry::Get().FindHandle(this));
    return entry ? entry->dwStyle : 0;
}
