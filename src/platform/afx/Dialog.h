#pragma once

// CDialog: a window built from a dialog template, modeless (Create) or modal
// (DoModal), with the dialog keyboard: Enter presses the default button,
// Escape cancels, Tab moves between tab stops.

#include "Resource.h"
#include "Wnd.h"

#include <functional>

class CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void SetDefID(UINT nID) { m_nDefID = nID; }
    DWORD GetDefID() const { return m_nDefID; }
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // Dialog units to pixels with the dialog font's metrics.
    void MapDialogRect(LPRECT lpRect) const;

    UINT m_nIDHelp = 0;
    UINT m_lpszTemplateName = 0; // the template id
    CWnd* m_pParentWnd = nullptr;

    // Pixel size of a template's dialog, as its window would have it.
    static CSize TemplatePixelSize(UINT nIDTemplate);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window style a template's style becomes (pages turn into child windows).
    virtual DWORD AdjustTemplateStyle(DWORD dwStyle) const { return dwStyle; }
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(CWnd* pParentWnd, bool bModal);
    bool HandleDialogKey(MSG* pMsg);
    void PressDefaultButton();
    bool IsNestedDialog();

    int m_nBaseUnitX = 0;
    int m_nBaseUnitY = 0;
    UINT m_nDefID = IDOK;
    bool m_bModal = false;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};

// A modal dialog in a test or a headless host: the handler gets the
// initialised dialog, drives it as a user would and must end it.
typedef std::function<void(CWnd& dialog)> AFX_MODAL_HANDLER;
void AfxSetModalHandler(AFX_MODAL_HANDLER handler);
const AFX_MODAL_HANDLER& AfxGetModalHandler();
