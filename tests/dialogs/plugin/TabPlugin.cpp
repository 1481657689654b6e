// A tab library as a separate product would write it: a tab derived from the
// library's exported page base, with a template of its own. Its "Level" must
// lie between 1 and 9 before the tab lets the author go. "Custom" parameters
// get a value tab instead, whose defaults empty the value, as a
// customization tab's do.

#include "afx/DataExchange.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgr.h"

#include <cstdlib>

namespace
{
const UINT IDD_LEVEL_TAB = 9901;
const UINT IDD_VALUE_TAB = 9902;
const int IDC_LEVEL = 1201;
const int IDC_VALUE = 1202;

void AddTemplates()
{
    static CResourceModule module("tab-plugin");
    static bool bAdded = false;
    if (bAdded)
        return;
    bAdded = true;
    module.AddDialog({IDD_LEVEL_TAB,
                      "Level properties",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      200,
                      100,
                      WS_CHILD | WS_CAPTION,
                      {{AFX_WC_EDIT, "", IDC_LEVEL, 7, 7, 80, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER}}});
    module.AddDialog({IDD_VALUE_TAB,
                      "Value properties",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      200,
                      100,
                      WS_CHILD | WS_CAPTION,
                      {{AFX_WC_EDIT, "", IDC_VALUE, 7, 7, 180, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER}}});
    static CDynLinkLibrary entry(module);
}

class CLevelTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CLevelTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_LEVEL_TAB), CTarvoMgrExt(pMgr) {}

    BOOL OnSetActive() override
    {
        m_nLevel = std::atoi(m_pMgr->GetActiveParamAttrib("Level").c_str());
        UpdateData(FALSE);
        return CResizePropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        if (!UpdateData(TRUE))
            return FALSE;
        m_pMgr->SetParamAttrib(m_pMgr->GetActiveParamName(), "Level", std::to_string(m_nLevel).c_str());
        return CResizePropertyPage::OnKillActive();
    }
    void UseDefaults() override
    {
        m_nLevel = 3;
        UpdateData(FALSE);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_LEVEL, m_nLevel);
        DDV_MinMaxInt(pDX, m_nLevel, 1, 9);
    }

private:
    int m_nLevel = 0;
};

class CValueTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CValueTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_VALUE_TAB), CTarvoMgrExt(pMgr) {}

    BOOL OnSetActive() override
    {
        m_strValue = m_pMgr->GetActiveParamAttrib("CurrentValue");
        UpdateData(FALSE);
        return CResizePropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        UpdateData(TRUE);
        m_pMgr->SetParamAttrib(m_pMgr->GetActiveParamName(), "CurrentValue", m_strValue.c_str());
        return CResizePropertyPage::OnKillActive();
    }
    void UseDefaults() override
    {
        m_strValue.clear();
        UpdateData(FALSE);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_VALUE, m_strValue); }

private:
    std::string m_strValue;
};
} // namespace

// No page for a parameter whose level is "none".
extern "C" CPropertyPage* CreateTab(CTarvoMgr* pMgr)
{
    AddTemplates();
    if (pMgr->GetActiveParamType() == "Custom")
        return new CValueTab(pMgr);
    if (pMgr->GetActiveParamAttrib("Level") == "none")
        return nullptr;
    return new CLevelTab(pMgr);
}
