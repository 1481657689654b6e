#pragma once

#include "afx/PropertySheet.h"
#include "manager/TarvoMgrExt.h"

#include <QPointer>
#include <string>
#include <vector>

class QObject;

// The properties of the active parameter: a child property sheet whose pages
// are the tabs of the parameter's type. It builds them anew whenever the
// active parameter, its type or the list changes, and asks the tab on show
// whether the parameter may be left or the dialog closed.
class CParamPropertiesDlg : public CPropertySheet, public CTarvoMgrExt
{
public:
    explicit CParamPropertiesDlg(CTarvoMgr* pMgr);
    ~CParamPropertiesDlg() override;

    // A placeholder page until the first rebuild.
    BOOL Create(CWnd* pParentWnd);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()

private:
    // Where the sheet's window sat, so that a rebuild puts it back there.
    struct SHEET_PLACE
    {
        HWND hParent = nullptr;
        CRect rect;
        int nID = 0;
        DWORD dwStyle = 0;
        DWORD dwExStyle = 0;
    };

    void Rebuild();
    void RetirePages();
    void AddTabPages();
    BOOL AddNamedTab(const std::string& strTabName);
    BOOL AddPluginTab(const std::string& strLibrary);
    BOOL RecreateWindow();
    void UnselectComboTexts();
    void LayoutPages();
    int ApplyDefaults();
    int AskActivePage(BOOL (CPropertyPage::*pfnAsk)());

    SHEET_PLACE m_place;
    // Pages of earlier builds: one of them may be running the handler that
    // caused the rebuild, so they go once control is back in the event loop.
    std::vector<QPointer<QObject>> m_arrRetired;
};
