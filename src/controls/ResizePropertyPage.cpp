#include "controls/ResizePropertyPage.h"

#include "afx/WinApp.h"

#include <cstdlib>

namespace
{
UINT TemplateIdOfName(LPCSTR lpszTemplateName)
{
    if (!lpszTemplateName)
        return 0;
    return static_cast<UINT>(std::strtoul(lpszTemplateName + (*lpszTemplateName == '#' ? 1 : 0), nullptr, 10));
}

bool IsModifierDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
}
} // namespace

BEGIN_MESSAGE_MAP(CResizePropertyPage, CPropertyPage)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CResizePropertyPage::CResizePropertyPage()
{
    CommonConstruct();
}

CResizePropertyPage::CResizePropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
    CommonConstruct();
}

CResizePropertyPage::CResizePropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(TemplateIdOfName(lpszTemplateName), nIDCaption)
{
    CommonConstruct();
}

CResizePropertyPage::~CResizePropertyPage() = default;

void CResizePropertyPage::CommonConstruct()
{
    m_sizeSaved = CSize(0, 0);
}

void CResizePropertyPage::SaveSize()
{
    CRect rect;
    GetWindowRect(&rect);
    m_sizeSaved = CSize(rect.Width(), rect.Height());
}

void CResizePropertyPage::UseDefaults() {}

void CResizePropertyPage::AnchorControls(std::initializer_list<TAB_ANCHOR> anchors)
{
    CSize sizeOld = m_sizeSaved;
    SaveSize();
    int dx = m_sizeSaved.cx - sizeOld.cx;
    int dy = m_sizeSaved.cy - sizeOld.cy;
    for (const TAB_ANCHOR& anchor : anchors)
        MoveControlBy(GetDlgItem(anchor.nID), this, dx, dy, anchor.nAnchor);
    Invalidate();
}

// The host's main window shows the help of the window around the tab.
BOOL CResizePropertyPage::OnHelpInfo(HELPINFO* pHelpInfo)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pMainWnd || IsModifierDown())
        return CPropertyPage::OnHelpInfo(pHelpInfo);
    pApp->m_pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
    return TRUE;
}
