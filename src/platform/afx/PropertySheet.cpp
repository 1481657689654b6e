#include "PropertySheet.h"

#include "Button.h"
#include "ControlFactory.h"
#include "Edit.h"

#include <QApplication>
#include <QWidget>

namespace
{
const int kMargin = 7;
const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kButtonGap = 6;
const DWORD kPopupSheetStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;

struct STANDARD_BUTTON
{
    UINT nID;
    const char* text;
    DWORD dwStyle;
};
const STANDARD_BUTTON kButtons[] = {{IDOK, "OK", BS_DEFPUSHBUTTON},
                                    {IDCANCEL, "Cancel", BS_PUSHBUTTON},
                                    {ID_APPLY_NOW, "&Apply", BS_PUSHBUTTON},
                                    {IDHELP, "Help", BS_PUSHBUTTON}};
} // namespace

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : ""), m_pParentWnd(pParentWnd), m_nStartPage(static_cast<int>(iSelectPage))
{
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_arrPages.push_back(pPage);
    pPage->m_pSheet = this;
    if (!m_hWnd)
        return;
    int index = GetPageCount() - 1;
    m_tabCtrl.InsertItem(index, pPage->GetCaption().c_str());
    if (m_nActivePage < 0)
        ActivatePage(index);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int index = GetPageIndex(pPage);
    if (index >= 0)
        RemovePage(index);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* page = m_arrPages[static_cast<size_t>(nPage)];
    if (page->m_hWnd)
        page->DestroyWindow();
    page->m_pSheet = nullptr;
    m_arrPages.erase(m_arrPages.begin() + nPage);
    if (m_tabCtrl.m_hWnd)
        m_tabCtrl.DeleteItem(nPage);
    if (nPage < m_nActivePage)
        --m_nActivePage;
    else if (nPage == m_nActivePage)
    {
        m_nActivePage = -1;
        if (m_hWnd && !m_arrPages.empty())
            ActivatePage(std::min(nPage, GetPageCount() - 1));
    }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_arrPages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_arrPages[static_cast<size_t>(i)] == pPage)
            return i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(m_hWnd ? m_nActivePage : m_nStartPage);
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd)
    {
        m_nStartPage = nPage;
        return TRUE;
    }
    if (nPage == m_nActivePage)
        return TRUE;
    return AskActivePageToLeave() && ActivatePage(nPage);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_tabCtrl.m_hWnd ? const_cast<CTabCtrl*>(&m_tabCtrl) : nullptr;
}

void CPropertySheet::SetTitle(LPCSTR lpszText)
{
    m_strCaption = lpszText ? lpszText : "";
    if (m_hWnd)
        SetWindowText(m_strCaption.c_str());
}

bool CPropertySheet::AskActivePageToLeave()
{
    CPropertyPage* page = GetPage(m_nActivePage);
    return !page || !page->m_hWnd || page->OnKillActive();
}

BOOL CPropertySheet::ActivatePage(int nPage)
{
    CPropertyPage* previous = GetPage(m_nActivePage);
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return FALSE;
    if (!page->m_hWnd && !page->CreatePage(this))
        return FALSE;
    if (previous && previous != page && previous->m_hWnd)
        previous->ShowWindow(SW_HIDE);
    m_nActivePage = nPage;
    m_tabCtrl.SetCurSel(nPage);
    LayoutActivePage();
    page->OnSetActive();
    page->ShowWindow(SW_SHOW);
    return TRUE;
}

void CPropertySheet::LayoutActivePage()
{
    CPropertyPage* page = GetPage(m_nActivePage);
    if (!page || !page->m_hWnd || !m_tabCtrl.m_hWnd)
        return;
    CRect area;
    m_tabCtrl.GetWindowRect(&area);
    ScreenToClient(&area);
    m_tabCtrl.AdjustRect(FALSE, &area);
    page->MoveWindow(&area);
}

CSize CPropertySheet::LargestPageSize() const
{
    CSize largest;
    for (CPropertyPage* page : m_arrPages)
    {
        CSize size = CDialog::TemplatePixelSize(page->m_lpszTemplateName);
        largest.cx = std::max(largest.cx, size.cx);
        largest.cy = std::max(largest.cy, size.cy);
    }
    return largest;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    m_bModeless = true;
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = kPopupSheetStyle;
    if (!CreateSheetWindow(pParentWnd ? pParentWnd : m_pParentWnd, dwStyle, dwExStyle))
        return FALSE;
    if (dwStyle & WS_VISIBLE)
        GetWidget()->show();
    return TRUE;
}

BOOL CPropertySheet::CreateSheetWindow(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd)
        return FALSE;
    QWidget* parent = pParentWnd ? pParentWnd->GetWidget() : nullptr;
    bool bChild = (dwStyle & WS_CHILD) && m_bModeless;
    auto* widget = bChild ? new QWidget(parent) : new QWidget(parent, Qt::Dialog);
    widget->setProperty("afxClass", "#32770");
    QFont font = QApplication::font();
    font.setPointSize(8);
    widget->setFont(font);
    widget->setWindowTitle(QString::fromStdString(m_strCaption));
    if (!AttachWidget(widget, 0, (dwStyle & ~WS_VISIBLE) & (bChild ? ~0u : ~static_cast<DWORD>(WS_CHILD)),
                      dwExStyle | WS_EX_CONTROLPARENT, true))
        return FALSE;
    HWND hWnd = m_hWnd;
    SendMessage(WM_CREATE, 0, 0);

    if (!m_tabCtrl.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, CRect(), this, AFX_IDC_TAB_CONTROL))
        return FALSE;
    for (int i = 0; i < GetPageCount(); ++i)
        m_tabCtrl.InsertItem(i, m_arrPages[static_cast<size_t>(i)]->GetCaption().c_str());
    // Room for the largest page, measured once the tabs give the strip its height.
    CRect adjusted(CPoint(0, 0), LargestPageSize());
    m_tabCtrl.AdjustRect(TRUE, &adjusted);
    adjusted.OffsetRect(kMargin - adjusted.left, kMargin - adjusted.top);
    m_tabCtrl.MoveWindow(&adjusted);

    int buttonsTop = adjusted.bottom + kMargin;
    CreateButtons(buttonsTop, adjusted.right, !m_bModeless);
    int height = m_bModeless ? adjusted.bottom + kMargin : buttonsTop + kButtonHeight + kMargin;
    MoveWindow(widget->x(), widget->y(), adjusted.right + kMargin, height);

    if (!m_arrPages.empty())
        ActivatePage(std::min(std::max(m_nStartPage, 0), GetPageCount() - 1));
    return IsWindow(hWnd);
}

void CPropertySheet::CreateButtons(int nTop, int nRight, bool bVisible)
{
    int right = nRight;
    for (auto it = std::rbegin(kButtons); it != std::rend(kButtons); ++it)
    {
        AFX_CONTROL_TEMPLATE button{AFX_WC_BUTTON, it->text, static_cast<int>(it->nID)};
        button.dwStyle = WS_CHILD | WS_TABSTOP | it->dwStyle | (bVisible ? WS_VISIBLE : WS_DISABLED);
        CRect rect(right - kButtonWidth, nTop, right, nTop + kButtonHeight);
        AfxCreateTemplateControl(button, rect, this);
        right -= kButtonWidth + kButtonGap;
    }
}

INT_PTR CPropertySheet::DoModal()
{
    m_bModeless = false;
    m_bEnded = false;
    m_nResult = IDCANCEL;
    if (!CreateSheetWindow(m_pParentWnd, kPopupSheetStyle, 0))
        return -1;
    HWND hWnd = m_hWnd;
    QWidget* widget = GetWidget();
    widget->setWindowModality(Qt::ApplicationModal);
    widget->show();
    if (const AFX_MODAL_HANDLER& handler = AfxGetModalHandler())
    {
        handler(*this);
        if (!m_bEnded)
            m_nResult = -1;
    }
    else
        RunModalLoop();
    int result = m_nResult;
    if (IsWindow(hWnd))
        DestroyWindow();
    m_nActivePage = -1;
    return result;
}

BOOL CPropertySheet::PressButton(int nButton)
{
    switch (nButton)
    {
    case PSBTN_OK:
    case PSBTN_APPLYNOW:
        if (!AskActivePageToLeave())
            return FALSE;
        for (CPropertyPage* page : m_arrPages)
            if (page->m_hWnd)
                page->OnApply();
        if (nButton == PSBTN_OK)
            EndDialog(IDOK);
        return TRUE;
    case PSBTN_CANCEL:
    {
        CPropertyPage* active = GetPage(m_nActivePage);
        if (active && active->m_hWnd && !active->OnQueryCancel())
            return FALSE;
        for (CPropertyPage* page : m_arrPages)
            if (page->m_hWnd)
                page->OnReset();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nResult = nEndID;
    m_bEnded = true;
    if (m_bModeless)
        return;
    if (QWidget* widget = GetWidget())
        widget->hide();
    EndModalLoop(nEndID);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    switch (LOWORD(wParam))
    {
    case IDOK:
        PressButton(PSBTN_OK);
        return TRUE;
    case IDCANCEL:
        PressButton(PSBTN_CANCEL);
        return TRUE;
    case ID_APPLY_NOW:
        PressButton(PSBTN_APPLYNOW);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom == m_tabCtrl.m_hWnd)
    {
        if (header->code == TCN_SELCHANGING)
        {
            *pResult = AskActivePageToLeave() ? FALSE : TRUE;
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE)
        {
            ActivatePage(m_tabCtrl.GetCurSel());
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return FALSE;
    bool bControl = GetKeyState(VK_CONTROL) & 0x8000;
    bool bShift = GetKeyState(VK_SHIFT) & 0x8000;
    WPARAM key = pMsg->wParam;
    if (bControl && (key == VK_TAB || key == VK_PRIOR || key == VK_NEXT))
    {
        int step = (key == VK_PRIOR || (key == VK_TAB && bShift)) ? -1 : 1;
        int count = GetPageCount();
        if (count > 1)
            SetActivePage((m_nActivePage + step + count) % count);
        return TRUE;
    }
    // A sheet inside a dialog leaves the other keys to that dialog.
    if (m_bModeless)
        return FALSE;
    CWnd* focus = CWnd::GetFocus();
    if (focus && (focus->SendMessage(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(pMsg)) & DLGC_WANTALLKEYS))
        return FALSE;
    switch (key)
    {
    case VK_RETURN:
        if (auto* button = dynamic_cast<CButton*>(focus); button && button->GetButtonStyle() <= BS_DEFPUSHBUTTON)
            button->Click();
        else
            PressButton(PSBTN_OK);
        return TRUE;
    case VK_ESCAPE:
        PressButton(PSBTN_CANCEL);
        return TRUE;
    case VK_TAB:
        if (CWnd* next = GetNextDlgTabItem(focus, bShift))
        {
            next->SetFocus();
            if (auto* edit = dynamic_cast<CEdit*>(next))
                edit->SetSel(0, -1);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
