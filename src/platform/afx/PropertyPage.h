#pragma once

// A page of a property sheet: a child dialog shown under its tab. The sheet
// asks it before leaving it (OnKillActive) and tells it when it shows
// (OnSetActive); FALSE from OnKillActive keeps the page.

#include "Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog
{
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }
    // The tab text: the caption string, else the template's caption.
    std::string GetCaption() const;
    CPropertySheet* GetParentSheet() const { return m_pSheet; }

    UINT m_nIDCaption = 0;
    BOOL m_bFirstSetActive = TRUE;

protected:
    DWORD AdjustTemplateStyle(DWORD dwStyle) const override;

private:
    friend class CPropertySheet;
    // Creates the page window inside the sheet, hidden.
    BOOL CreatePage(CPropertySheet* pSheet);

    CPropertySheet* m_pSheet = nullptr;
    BOOL m_bModified = FALSE;
};
