#pragma once

// A property sheet: pages under a row of tabs, either a child window of a
// dialog (Create with WS_CHILD) or a dialog of its own (DoModal). Moving to
// another page, by tab, Ctrl+Tab or program, first asks the page on show.

#include "PropertyPage.h"
#include "TabCtrl.h"

#include <vector>

class CPropertySheet : public CWnd
{
public:
    CPropertySheet();
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* pPage);
    // Takes the page out (its window goes); the object stays the caller's.
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_arrPages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_nActivePage; }
    // FALSE when the page on show refuses to be left.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CTabCtrl* GetTabControl() const;
    void SetTitle(LPCSTR lpszText);

    // A modeless sheet; its standard buttons exist but stay hidden and disabled.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
    virtual INT_PTR DoModal();
    // PSBTN_OK, PSBTN_CANCEL or PSBTN_APPLYNOW, as if the user pressed it.
    BOOL PressButton(int nButton);
    void EndDialog(int nEndID);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // Moves the active page into the tab control's display area.
    void LayoutActivePage();

private:
    BOOL CreateSheetWindow(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle);
    void CreateButtons(int nTop, int nRight, bool bVisible);
    BOOL ActivatePage(int nPage);
    bool AskActivePageToLeave();
    CSize LargestPageSize() const;

    std::vector<CPropertyPage*> m_arrPages;
    std::string m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    int m_nActivePage = -1;
    int m_nStartPage = 0;
    bool m_bModeless = true;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
    CTabCtrl m_tabCtrl;
};
