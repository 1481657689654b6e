#include "PropertyPage.h"

#include "PropertySheet.h"

CPropertyPage::CPropertyPage() = default;

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
    m_pSheet = pSheet;
    m_bFirstSetActive = TRUE;
    return Create(m_lpszTemplateName, pSheet);
}

DWORD CPropertyPage::AdjustTemplateStyle(DWORD dwStyle) const
{
    const DWORD popupOnly = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE;
    return (dwStyle & ~popupOnly) | WS_CHILD | DS_CONTROL;
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which has loaded the data already.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK()
{
    m_bModified = FALSE;
}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    // The dialog keys belong to the sheet around the page.
    return FALSE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
}

std::string CPropertyPage::GetCaption() const
{
    std::string caption;
    if (m_nIDCaption && AfxLoadString(m_nIDCaption, caption))
        return caption;
    const AFX_DIALOG_TEMPLATE* tmpl = AfxFindDialogTemplate(m_lpszTemplateName);
    return tmpl ? tmpl->strCaption : std::string();
}
