#include "MessageBox.h"

#include "Resource.h"
#include "Wnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace
{
AFX_MESSAGEBOX_HANDLER& Handler()
{
    static AFX_MESSAGEBOX_HANDLER handler;
    return handler;
}

struct BUTTONDEF
{
    int nResult;
    const char* text;
    QMessageBox::ButtonRole role;
};

std::vector<BUTTONDEF> ButtonsOf(UINT nType)
{
    switch (nType & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        return {{IDOK, "OK", QMessageBox::AcceptRole}, {IDCANCEL, "Cancel", QMessageBox::RejectRole}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort", QMessageBox::RejectRole},
                {IDRETRY, "&Retry", QMessageBox::AcceptRole},
                {IDIGNORE, "&Ignore", QMessageBox::AcceptRole}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes", QMessageBox::YesRole},
                {IDNO, "&No", QMessageBox::NoRole},
                {IDCANCEL, "Cancel", QMessageBox::RejectRole}};
    case MB_YESNO:
        return {{IDYES, "&Yes", QMessageBox::YesRole}, {IDNO, "&No", QMessageBox::NoRole}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry", QMessageBox::AcceptRole}, {IDCANCEL, "Cancel", QMessageBox::RejectRole}};
    default:
        return {{IDOK, "OK", QMessageBox::AcceptRole}};
    }
}

QMessageBox::Icon IconOf(UINT nType)
{
    switch (nType & MB_ICONMASK)
    {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowRealBox(const AFX_MESSAGEBOX& request)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return IDCANCEL;
    QMessageBox box(IconOf(request.nType), QString::fromStdString(request.strCaption),
                    QString::fromStdString(request.strText), QMessageBox::NoButton,
                    AfxWidgetFromHandle(request.hWndOwner));
    std::vector<BUTTONDEF> defs = ButtonsOf(request.nType);
    std::vector<QPushButton*> buttons;
    for (const BUTTONDEF& def : defs)
        buttons.push_back(box.addButton(QString::fromUtf8(def.text), def.role));
    size_t nDefault = ((request.nType & MB_DEFMASK) >> 8);
    if (nDefault < buttons.size())
        box.setDefaultButton(buttons[nDefault]);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return defs[i].nResult;
    return (request.nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

int Show(HWND hWnd, const std::string& text, const std::string& caption, UINT nType)
{
    AFX_MESSAGEBOX request{text, caption, nType, hWnd};
    return Handler() ? Handler()(request) : ShowRealBox(request);
}

std::string AppCaption()
{
    QString name = QCoreApplication::instance() ? QGuiApplication::applicationDisplayName() : QString();
    return name.isEmpty() ? std::string("Tarvo") : name.toStdString();
}
} // namespace

void AfxSetMessageBoxHandler(AFX_MESSAGEBOX_HANDLER handler)
{
    Handler() = std::move(handler);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return Show(hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    CWnd* focus = CWnd::GetFocus();
    CWnd* owner = focus ? focus->GetTopLevelParent() : nullptr;
    return Show(owner ? owner->m_hWnd : nullptr, lpszText ? lpszText : "", AppCaption(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    return AfxMessageBox(AfxLoadString(nIDPrompt).c_str(), nType, nIDHelp);
}
