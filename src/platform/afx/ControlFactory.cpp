#include "ControlFactory.h"

#include "Button.h"
#include "ComboBox.h"
#include "ComboBoxWidget.h"
#include "Edit.h"
#include "EditValidator.h"
#include "Notify.h"
#include "SimpleComboWidget.h"
#include "SpinButtonCtrl.h"
#include "Static.h"
#include "TabControlWidget.h"
#include "TabCtrl.h"
#include "TreeCtrl.h"
#include "TreeWidget.h"
#include "UpDownWidget.h"
#include "WidgetText.h"
#include "WndRegistry.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <climits>

namespace
{
const int kComboEditId = 1001;

QString ToQ(LPCSTR s)
{
    return QString::fromUtf8(s ? s : "");
}

// Buttons that do not check themselves leave that to the program.
class CCheckBoxWidget : public QCheckBox
{
public:
    CCheckBoxWidget(QWidget* pParent, bool bAuto) : QCheckBox(pParent), m_bAuto(bAuto) {}

protected:
    void nextCheckState() override
    {
        if (m_bAuto)
            QCheckBox::nextCheckState();
    }

private:
    bool m_bAuto;
};

class CRadioButtonWidget : public QRadioButton
{
public:
    CRadioButtonWidget(QWidget* pParent, bool bAuto) : QRadioButton(pParent), m_bAuto(bAuto)
    {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override
    {
        if (m_bAuto)
            setChecked(true);
    }

private:
    bool m_bAuto;
};

// An automatic radio button clears the others of its group.
void UncheckGroupSiblings(HWND hButton)
{
    CWnd* button = CWnd::FromHandle(hButton);
    CWnd* parent = button ? button->GetParent() : nullptr;
    if (!parent)
        return;
    for (CWnd* other = parent->GetNextDlgGroupItem(button); other && other != button;
         other = parent->GetNextDlgGroupItem(other))
        if (auto* radio = qobject_cast<QRadioButton*>(other->GetWidget()))
            radio->setChecked(false);
}

HWND HandleOf(const QWidget* widget)
{
    return CWndRegistry::Get().FindHandle(widget);
}

QWidget* CreateEdit(QWidget* parent, DWORD style)
{
    if (style & ES_MULTILINE)
    {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly(style & ES_READONLY);
        edit->setLineWrapMode((style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
                                                                      : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        QObject::connect(edit, &QPlainTextEdit::textChanged,
                         [edit] { AfxSendCommandNotify(HandleOf(edit), EN_CHANGE); });
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    // Text set by the program is never cut; the limit applies to typing only.
    edit->setMaxLength(INT_MAX);
    edit->setValidator(new CEditValidator(edit, style & ES_NUMBER));
    edit->setReadOnly(style & ES_READONLY);
    if (style & ES_PASSWORD)
        edit->setEchoMode(QLineEdit::Password);
    if (style & ES_RIGHT)
        edit->setAlignment(Qt::AlignRight);
    else if (style & ES_CENTER)
        edit->setAlignment(Qt::AlignHCenter);
    edit->setFrame(style & WS_BORDER);
    QObject::connect(edit, &QLineEdit::textChanged, [edit] { AfxSendCommandNotify(HandleOf(edit), EN_CHANGE); });
    return edit;
}

QWidget* CreateButton(QWidget* parent, DWORD style, const QString& text)
{
    QAbstractButton* button = nullptr;
    switch (style & BS_TYPEMASK)
    {
    case BS_GROUPBOX:
        return new QGroupBox(text, parent);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    {
        auto* check = new CCheckBoxWidget(parent, (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                                                      (style & BS_TYPEMASK) == BS_AUTO3STATE);
        check->setTristate((style & BS_TYPEMASK) == BS_3STATE || (style & BS_TYPEMASK) == BS_AUTO3STATE);
        button = check;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    {
        bool bAuto = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        auto* radio = new CRadioButtonWidget(parent, bAuto);
        if (bAuto)
            QObject::connect(radio, &QAbstractButton::clicked, [radio] { UncheckGroupSiblings(HandleOf(radio)); });
        button = radio;
        break;
    }
    default:
    {
        auto* push = new QPushButton(parent);
        push->setAutoDefault(false);
        push->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        button = push;
        break;
    }
    }
    button->setText(text);
    QObject::connect(button, &QAbstractButton::clicked,
                     [button] { AfxSendCommandNotify(HandleOf(button), BN_CLICKED); });
    return button;
}

QWidget* CreateStatic(QWidget* parent, DWORD style, const QString& text)
{
    switch (style & SS_TYPEMASK)
    {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_ETCHEDFRAME:
    case SS_ETCHEDHORZ:
    {
        auto* frame = new QFrame(parent);
        frame->setFrameShape((style & SS_TYPEMASK) == SS_ETCHEDHORZ ? QFrame::HLine : QFrame::Box);
        frame->setFrameShadow((style & SS_TYPEMASK) == SS_ETCHEDFRAME ? QFrame::Sunken : QFrame::Plain);
        return frame;
    }
    case SS_ICON:
    case SS_BITMAP:
    {
        // The text names the picture's resource: "#160" or "160".
        auto* label = new QLabel(parent);
        QString id = text.startsWith('#') ? text.mid(1) : text;
        if (const QImage* image = AfxFindImage(id.toUInt()))
            label->setPixmap(QPixmap::fromImage(*image));
        return label;
    }
    default:
    {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        Qt::Alignment align = Qt::AlignTop;
        align |= (style & SS_TYPEMASK) == SS_CENTER  ? Qt::AlignHCenter
                 : (style & SS_TYPEMASK) == SS_RIGHT ? Qt::AlignRight
                                                     : Qt::AlignLeft;
        label->setAlignment(align);
        label->setWordWrap((style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP);
        if (style & SS_SUNKEN)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    }
}

QWidget* CreateCombo(QWidget* parent, DWORD style)
{
    if ((style & 0x3) == CBS_SIMPLE)
    {
        auto* simple = new CSimpleComboWidget(parent);
        simple->Edit()->setMaxLength(INT_MAX);
        simple->Edit()->setValidator(new CEditValidator(simple->Edit(), false));
        QObject::connect(simple->List(), &QListWidget::itemClicked,
                         [simple](QListWidgetItem* item)
                         {
                             simple->Edit()->setText(item->text());
                             AfxSendCommandNotify(HandleOf(simple), CBN_SELCHANGE);
                         });
        QObject::connect(simple->Edit(), &QLineEdit::textEdited,
                         [simple]
                         {
                             AfxSendCommandNotify(HandleOf(simple), CBN_EDITUPDATE);
                             AfxSendCommandNotify(HandleOf(simple), CBN_EDITCHANGE);
                         });
        return simple;
    }
    auto* combo = new CComboBoxWidget(parent);
    combo->setMaxVisibleItems(30);
    if ((style & 0x3) == CBS_DROPDOWN)
    {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->lineEdit()->setMaxLength(INT_MAX);
        combo->lineEdit()->setValidator(new CEditValidator(combo->lineEdit(), false));
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited,
                         [combo]
                         {
                             AfxSendCommandNotify(HandleOf(combo), CBN_EDITUPDATE);
                             AfxSendCommandNotify(HandleOf(combo), CBN_EDITCHANGE);
                         });
    }
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated),
                     [combo] { AfxSendCommandNotify(HandleOf(combo), CBN_SELCHANGE); });
    return combo;
}

QWidget* CreateWidget(const std::string& cls, QWidget* parent, DWORD style, const QString& text)
{
    if (cls == AFX_WC_EDIT)
        return CreateEdit(parent, style);
    if (cls == AFX_WC_BUTTON)
        return CreateButton(parent, style, text);
    if (cls == AFX_WC_STATIC)
        return CreateStatic(parent, style, text);
    if (cls == AFX_WC_COMBOBOX)
        return CreateCombo(parent, style);
    if (cls == AFX_WC_TABCONTROL)
        return new CTabControlWidget(parent);
    if (cls == AFX_WC_TREEVIEW)
        return new CTreeWidget(parent, style);
    if (cls == AFX_WC_UPDOWN)
        return new CUpDownWidget(parent);
    return new QWidget(parent);
}

CWnd* NewWrapper(const std::string& cls)
{
    if (cls == AFX_WC_EDIT)
        return new CEdit;
    if (cls == AFX_WC_BUTTON)
        return new CButton;
    if (cls == AFX_WC_STATIC)
        return new CStatic;
    if (cls == AFX_WC_COMBOBOX)
        return new CComboBox;
    if (cls == AFX_WC_TABCONTROL)
        return new CTabCtrl;
    if (cls == AFX_WC_TREEVIEW)
        return new CTreeCtrl;
    if (cls == AFX_WC_UPDOWN)
        return new CSpinButtonCtrl;
    return new CWnd;
}

Qt::FocusPolicy FocusPolicyOf(const std::string& cls, DWORD style)
{
    if (cls == AFX_WC_STATIC || (cls == AFX_WC_BUTTON && (style & BS_TYPEMASK) == BS_GROUPBOX))
        return Qt::NoFocus;
    // A click on up-down arrows leaves the focus to the buddy.
    if (cls == AFX_WC_UPDOWN && !(style & WS_TABSTOP))
        return Qt::NoFocus;
    return (style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

// The edit field of an editable combo box is a child window of its own, as in Win32.
void AttachComboEdit(QWidget* widget)
{
    QLineEdit* edit = nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        edit = combo->lineEdit();
    else if (auto* simple = qobject_cast<CSimpleComboWidget*>(widget))
        edit = simple->Edit();
    if (!edit)
        return;
    edit->setProperty("afxClass", AFX_WC_EDIT);
    auto* wrapper = new CEdit;
    wrapper->m_bAutoDelete = true;
    wrapper->m_hWnd = CWndRegistry::Get().Register(edit, wrapper, AFX_WC_EDIT, kComboEditId,
                                                   WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, false);
}
} // namespace

BOOL AfxCreateControlWindow(CWnd& wnd, const char* lpszClass, LPCSTR lpszText, DWORD dwStyle, const RECT& rect,
                            CWnd* pParentWnd, UINT nID)
{
    QWidget* parent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    if (!parent)
        return FALSE;
    std::string cls(lpszClass);
    QWidget* widget = CreateWidget(cls, parent, dwStyle, ToQ(lpszText));
    widget->setProperty("afxClass", QString::fromStdString(cls));
    if (cls == AFX_WC_EDIT)
        AfxSetWidgetText(widget, lpszText ? lpszText : "");
    int height = rect.bottom - rect.top;
    // A drop-down combo box's template height includes its list.
    if (cls == AFX_WC_COMBOBOX && (dwStyle & 0x3) != CBS_SIMPLE)
        height = std::min(height, widget->sizeHint().height());
    widget->setGeometry(rect.left, rect.top, rect.right - rect.left, height);
    widget->setFocusPolicy(FocusPolicyOf(cls, dwStyle));
    if (!wnd.AttachWidget(widget, nID, dwStyle, 0, true))
    {
        delete widget;
        return FALSE;
    }
    AttachComboEdit(widget);
    if (auto* updown = qobject_cast<CUpDownWidget*>(widget))
        updown->AttachAutoBuddy();
    widget->setVisible(dwStyle & WS_VISIBLE);
    return TRUE;
}

CWnd* AfxCreateTemplateControl(const AFX_CONTROL_TEMPLATE& tmpl, const RECT& rect, CWnd* pParentWnd)
{
    CWnd* wrapper = NewWrapper(tmpl.strClass);
    wrapper->m_bAutoDelete = true;
    if (!AfxCreateControlWindow(*wrapper, tmpl.strClass.c_str(), tmpl.strText.c_str(), tmpl.dwStyle, rect, pParentWnd,
                                static_cast<UINT>(tmpl.nID)))
    {
        delete wrapper;
        return nullptr;
    }
    wrapper->ModifyStyleEx(0, tmpl.dwExStyle);
    return wrapper;
}
