#include "Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

namespace
{
std::function<void(UINT)>& BeepHandler()
{
    static std::function<void(UINT)> handler;
    return handler;
}

QClipboard* Clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}
} // namespace

BOOL AfxSetClipboardText(const std::string& strText)
{
    QClipboard* pClipboard = Clipboard();
    if (!pClipboard)
        return FALSE;
    pClipboard->setText(QString::fromStdString(strText));
    return TRUE;
}

std::string AfxGetClipboardText()
{
    QClipboard* pClipboard = Clipboard();
    return pClipboard ? pClipboard->text().toStdString() : std::string();
}

void AfxSetBeepHandler(std::function<void(UINT)> handler)
{
    BeepHandler() = std::move(handler);
}

BOOL MessageBeep(UINT uType)
{
    if (BeepHandler())
    {
        BeepHandler()(uType);
        return TRUE;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return FALSE;
    QApplication::beep();
    return TRUE;
}
