#include "Dialog.h"

#include "Button.h"
#include "Clipboard.h"
#include "ComboBox.h"
#include "ControlFactory.h"
#include "DebugOutput.h"
#include "Edit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

namespace
{
AFX_MODAL_HANDLER& ModalHandler()
{
    static AFX_MODAL_HANDLER handler;
    return handler;
}

int MulDiv(int value, int numerator, int denominator)
{
    long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) / denominator);
}

Qt::WindowFlags FlagsOf(DWORD style)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

QFont DialogFont(const AFX_DIALOG_TEMPLATE& tmpl)
{
    QFont font = QApplication::font();
    font.setPointSize(tmpl.nPointSize);
    return font;
}

// Dialog base units: the font's average character width and its height.
void BaseUnits(const QFont& font, int& nUnitX, int& nUnitY)
{
    QFontMetrics metrics(font);
    nUnitX = (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    nUnitY = metrics.height();
}

bool IsPushButton(CWnd* pWnd)
{
    auto* button = dynamic_cast<CButton*>(pWnd);
    if (!button)
        return false;
    UINT type = button->GetButtonStyle();
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool WantsReturn(CWnd* pWnd)
{
    return qobject_cast<QPlainTextEdit*>(pWnd->GetWidget()) && (pWnd->GetStyle() & ES_WANTRETURN);
}

bool IsDroppedCombo(CWnd* pWnd)
{
    auto* combo = dynamic_cast<CComboBox*>(pWnd);
    return combo && combo->GetDroppedState();
}

// The control Tab moves from: a combo box's edit field counts as its combo box.
CWnd* FocusControl()
{
    CWnd* focus = CWnd::GetFocus();
    if (focus && focus->GetDlgCtrlID() == 1001)
        if (auto* combo = dynamic_cast<CComboBox*>(focus->GetParent()))
            return combo;
    return focus;
}
} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_lpszTemplateName(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = nIDTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = false;
    if (!CreateFromTemplate(m_pParentWnd, false))
        return FALSE;
    const AFX_DIALOG_TEMPLATE* tmpl = AfxFindDialogTemplate(nIDTemplate);
    if (tmpl && (tmpl->dwStyle & WS_VISIBLE))
        GetWidget()->show();
    return TRUE;
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd, bool bModal)
{
    const AFX_DIALOG_TEMPLATE* tmpl = AfxFindDialogTemplate(m_lpszTemplateName);
    if (!tmpl || m_hWnd)
    {
        OutputDebugStringA(("CDialog: no dialog template " + std::to_string(m_lpszTemplateName) + "\n").c_str());
        return FALSE;
    }
    QWidget* parent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    DWORD style = AdjustTemplateStyle(tmpl->dwStyle);
    bool bChild = (style & WS_CHILD) && !bModal;
    auto* widget = bChild ? new QWidget(parent) : new QWidget(parent, FlagsOf(style));
    widget->setProperty("afxClass", "#32770");
    QFont font = DialogFont(*tmpl);
    widget->setFont(font);
    BaseUnits(font, m_nBaseUnitX, m_nBaseUnitY);
    widget->setWindowTitle(QString::fromStdString(tmpl->strCaption));
    CRect rect(tmpl->x, tmpl->y, tmpl->x + tmpl->cx, tmpl->y + tmpl->cy);
    MapDialogRect(&rect);
    widget->resize(rect.Width(), rect.Height());
    if (bChild)
        widget->move(rect.left, rect.top);
    style &= ~WS_VISIBLE;
    if (!AttachWidget(widget, 0, bChild ? style : style & ~WS_CHILD, 0, true))
        return FALSE;
    HWND hWnd = m_hWnd;
    SendMessage(WM_CREATE, 0, 0);
    NotifySizeChanged(hWnd);

    QWidget* previous = nullptr;
    for (const AFX_CONTROL_TEMPLATE& control : tmpl->controls)
    {
        CRect place(control.x, control.y, control.x + control.cx, control.y + control.cy);
        MapDialogRect(&place);
        CWnd* wrapper = AfxCreateTemplateControl(control, place, this);
        if (!wrapper)
            continue;
        QWidget* controlWidget = wrapper->GetWidget();
        // A label's mnemonic moves the focus to the control after it.
        if (auto* label = qobject_cast<QLabel*>(previous))
            label->setBuddy(controlWidget);
        if (previous && controlWidget->focusPolicy() != Qt::NoFocus)
            QWidget::setTabOrder(previous, controlWidget);
        previous = controlWidget;
        if (control.strClass == AFX_WC_BUTTON && (control.dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            m_nDefID = static_cast<UINT>(control.nID);
    }
    if (OnInitDialog() && IsWindow(hWnd))
        if (CWnd* first = GetNextDlgTabItem(nullptr))
            first->SetFocus();
    return IsWindow(hWnd);
}

CSize CDialog::TemplatePixelSize(UINT nIDTemplate)
{
    const AFX_DIALOG_TEMPLATE* tmpl = AfxFindDialogTemplate(nIDTemplate);
    if (!tmpl)
        return CSize();
    int unitX = 0;
    int unitY = 0;
    BaseUnits(DialogFont(*tmpl), unitX, unitY);
    return CSize(MulDiv(tmpl->cx, unitX, 4), MulDiv(tmpl->cy, unitY, 8));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    lpRect->left = MulDiv(lpRect->left, m_nBaseUnitX, 4);
    lpRect->right = MulDiv(lpRect->right, m_nBaseUnitX, 4);
    lpRect->top = MulDiv(lpRect->top, m_nBaseUnitY, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, m_nBaseUnitY, 8);
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    m_bEnded = false;
    m_nResult = IDCANCEL;
    if (!CreateFromTemplate(m_pParentWnd, true))
        return -1;
    HWND hWnd = m_hWnd;
    QWidget* widget = GetWidget();
    widget->setWindowModality(Qt::ApplicationModal);
    if (!m_bEnded)
    {
        if (const AFX_MODAL_HANDLER& handler = ModalHandler())
        {
            widget->show();
            handler(*this);
            if (!m_bEnded)
            {
                OutputDebugStringA("CDialog::DoModal: the modal handler left the dialog open\n");
                m_nResult = -1;
            }
        }
        else
        {
            widget->show();
            RunModalLoop();
        }
    }
    int result = m_nResult;
    if (IsWindow(hWnd))
        DestroyWindow();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = true;
    if (QWidget* widget = GetWidget())
        widget->hide();
    if (m_bModal)
        EndModalLoop(nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
    {
        CWnd* cancel = GetDlgItem(IDCANCEL);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    cancel ? reinterpret_cast<LPARAM>(cancel->m_hWnd) : 0);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && HandleDialogKey(pMsg);
}

bool CDialog::HandleDialogKey(MSG* pMsg)
{
    if (GetKeyState(VK_MENU) & 0x8000)
        return false;
    CWnd* focus = FocusControl();
    if (focus && (focus->SendMessage(WM_GETDLGCODE, pMsg->wParam, reinterpret_cast<LPARAM>(pMsg)) & DLGC_WANTALLKEYS))
        return false;
    switch (pMsg->wParam)
    {
    case VK_TAB:
    {
        if (GetKeyState(VK_CONTROL) & 0x8000)
            return false;
        // Tab runs through every dialog nested in the outermost one.
        CWnd* root = this;
        while ((root->GetStyle() & WS_CHILD) && dynamic_cast<CDialog*>(root->GetParent()))
            root = root->GetParent();
        CWnd* next = root->GetNextDlgTabItem(focus, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
        if (next)
        {
            next->SetFocus();
            if (auto* edit = dynamic_cast<CEdit*>(next))
                edit->SetSel(0, -1);
        }
        return true;
    }
    case VK_RETURN:
        if (focus && (WantsReturn(focus) || IsDroppedCombo(focus)))
            return false;
        if (IsNestedDialog())
            return false;
        if (focus && IsPushButton(focus) && IsChild(focus))
            static_cast<CButton*>(focus)->Click();
        else
            PressDefaultButton();
        return true;
    case VK_ESCAPE:
    {
        if ((focus && IsDroppedCombo(focus)) || IsNestedDialog())
            return false;
        CWnd* cancel = GetDlgItem(IDCANCEL);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    cancel ? reinterpret_cast<LPARAM>(cancel->m_hWnd) : 0);
        return true;
    }
    default:
        return false;
    }
}

// A dialog inside another is part of it, as a control: Return and Escape
// are the outer dialog's to answer, not a reason for the inner one to end.
bool CDialog::IsNestedDialog()
{
    return (GetStyle() & WS_CHILD) && dynamic_cast<CDialog*>(GetParent());
}

void CDialog::PressDefaultButton()
{
    CWnd* button = GetDlgItem(static_cast<int>(m_nDefID));
    if (button && !button->IsWindowEnabled())
    {
        MessageBeep(0);
        return;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(m_nDefID, BN_CLICKED), button ? reinterpret_cast<LPARAM>(button->m_hWnd) : 0);
}

void CDialog::NextDlgCtrl() const
{
    if (CWnd* next = GetNextDlgTabItem(CWnd::GetFocus()))
        next->SetFocus();
}

void CDialog::PrevDlgCtrl() const
{
    if (CWnd* previous = GetNextDlgTabItem(CWnd::GetFocus(), TRUE))
        previous->SetFocus();
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (!pWndCtrl)
        return;
    pWndCtrl->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(pWndCtrl))
        edit->SetSel(0, -1);
}

void AfxSetModalHandler(AFX_MODAL_HANDLER handler)
{
    ModalHandler() = std::move(handler);
}

const AFX_MODAL_HANDLER& AfxGetModalHandler()
{
    return ModalHandler();
}
