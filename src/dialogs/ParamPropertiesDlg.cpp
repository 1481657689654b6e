#include "dialogs/ParamPropertiesDlg.h"

#include "afx/ComboBox.h"
#include "afx/Module.h"
#include "controls/ResizePropertyPage.h"
#include "dialogs/NoPropertiesTab.h"
#include "manager/TarvoMgr.h"
#include "tabs/Customize.h"
#include "tabs/DateTimeTab.h"
#include "tabs/FileInfoTab.h"
#include "tabs/FormatIntTab.h"
#include "tabs/FormatTab.h"
#include "tabs/GeneralTab.h"
#include "tabs/RandNumberTab.h"
#include "tabs/TableInfoTab.h"
#include "tabs/UniqueNumberTab.h"
#include "tabs/UserFuncDLG.h"

#include <QObject>
#include <algorithm>
#include <cstring>
#include <strings.h>

namespace
{
const char* const DLL_PREFIX = "dll:";

// What a tab library exports: a new page for the manager, or null.
typedef CPropertyPage* (*PFN_CREATE_TAB)(CTarvoMgr* pMgr);

template <class TTab> CPropertyPage* NewTab(CTarvoMgr* pMgr)
{
    return new TTab(pMgr);
}

template <class TTab> CPropertyPage* NewFormatTab(CTarvoMgr* pMgr, const char* pszSample)
{
    auto* pTab = new TTab(pMgr);
    pTab->m_strSampleValue = pszSample;
    return pTab;
}

// The tabs by the name a type's "DisplayUI" gives, compared ignoring case.
// A name without a row here gets the fallback pages.
const struct
{
    const char* pszTabName;
    CPropertyPage* (*pfnCreate)(CTarvoMgr* pMgr);
} TAB_TABLE[] = {
    {"FileTab", NewTab<CFileInfoTab>},
    {"TableTab", NewTab<CTableInfoTab>},
    {"RandomTab", NewTab<CRandNumberTab>},
    {"TimeTab", NewTab<CDateTimeTab>},
    {"VuserIDTab", [](CTarvoMgr* pMgr) { return NewFormatTab<CFormatTab>(pMgr, "1"); }},
    {"HostTab", [](CTarvoMgr* pMgr) { return NewFormatTab<CFormatTab>(pMgr, "LoadGeneratorName"); }},
    {"GroupNameTab", [](CTarvoMgr* pMgr) { return NewFormatTab<CFormatTab>(pMgr, "GroupName"); }},
    {"UniqueTab", NewTab<CUniqueNumberTab>},
    {"IterationTab", [](CTarvoMgr* pMgr) { return NewFormatTab<CFormatIntTab>(pMgr, "1"); }},
    {"UserDefinedFunctionTab", NewTab<CUserFuncDLG>},
    {"CustomTab", NewTab<CCustomize>},
};
} // namespace

BEGIN_MESSAGE_MAP(CParamPropertiesDlg, CPropertySheet)
ON_WM_SIZE()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CParamPropertiesDlg::CParamPropertiesDlg(CTarvoMgr* pMgr) : CPropertySheet(""), CTarvoMgrExt(pMgr) {}

CParamPropertiesDlg::~CParamPropertiesDlg()
{
    if (m_hWnd)
        DestroyWindow();
    while (GetPageCount() > 0)
    {
        CPropertyPage* pPage = GetPage(0);
        RemovePage(0);
        delete pPage;
    }
    for (QPointer<QObject>& pRetired : m_arrRetired)
        delete pRetired.data();
}

BOOL CParamPropertiesDlg::Create(CWnd* pParentWnd)
{
    if (GetPageCount() == 0)
        AddPage(new CGeneralTab(m_pMgr));
    return CPropertySheet::Create(pParentWnd, WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL, WS_EX_TRANSPARENT);
}

// Plain Tab moves on in the window around the sheet; Ctrl+Tab switches tabs.
BOOL CParamPropertiesDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

int CParamPropertiesDlg::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*)
{
    switch (nCode)
    {
    case UPD_RELOAD:
    case UPD_ACTIVE_CHANGED:
    case UPD_TYPE_CHANGED:
    case UPD_ADDED:
        Rebuild();
        return 1;
    case UPD_BEFORE_ACTIVE_CHANGE:
    case UPD_BEFORE_TYPE_CHANGE:
    case UPD_COMMIT:
        return AskActivePage(&CPropertyPage::OnKillActive);
    case UPD_APPLY_DEFAULTS:
        return ApplyDefaults();
    case UPD_QUERY_CANCEL:
        return AskActivePage(&CPropertyPage::OnQueryCancel);
    default:
        return 1;
    }
}

int CParamPropertiesDlg::AskActivePage(BOOL (CPropertyPage::*pfnAsk)())
{
    CPropertyPage* pPage = GetActivePage();
    return pPage && pPage->m_hWnd ? (pPage->*pfnAsk)() : 1;
}

// Every page in turn shows, takes its type's defaults and writes them.
int CParamPropertiesDlg::ApplyDefaults()
{
    Rebuild();
    if (!m_hWnd)
        return 0;
    int nResult = 1;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (GetActiveIndex() != i)
            SetActivePage(i);
        CPropertyPage* pPage = GetPage(i);
        if (!pPage->m_hWnd)
            continue;
        if (auto* pTab = dynamic_cast<CResizePropertyPage*>(pPage))
            pTab->UseDefaults();
        nResult = pPage->OnKillActive();
    }
    return nResult;
}

void CParamPropertiesDlg::Rebuild()
{
    if (m_hWnd)
    {
        CWnd* pParent = GetParent();
        m_place.hParent = pParent ? pParent->m_hWnd : nullptr;
        GetWindowRect(&m_place.rect);
        if (pParent)
            pParent->ScreenToClient(&m_place.rect);
        m_place.nID = GetDlgCtrlID();
        m_place.dwStyle = GetStyle();
        m_place.dwExStyle = GetExStyle();
        DestroyWindow();
    }
    RetirePages();
    AddTabPages();
    if (!RecreateWindow())
        return;
    // No default button in the sheet: Enter belongs to the window around it.
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->DestroyWindow();
    UnselectComboTexts();
    GetTabControl()->ShowWindow(GetPageCount() == 1 ? SW_HIDE : SW_SHOW);
    MoveWindow(&m_place.rect);
    LayoutPages();
    if (auto* pTab = dynamic_cast<CResizePropertyPage*>(GetActivePage()))
        pTab->SaveSize();
}

// The pages leave the manager at once, so that they hear no more broadcasts,
// but are deleted only once control is back in the event loop.
void CParamPropertiesDlg::RetirePages()
{
    m_arrRetired.erase(std::remove(m_arrRetired.begin(), m_arrRetired.end(), nullptr), m_arrRetired.end());
    while (GetPageCount() > 0)
    {
        CPropertyPage* pPage = GetPage(0);
        RemovePage(0);
        if (auto* pExt = dynamic_cast<CTarvoMgrExt*>(pPage))
            *pExt = CTarvoMgrExt(nullptr);
        auto* pCarrier = new QObject;
        QObject::connect(pCarrier, &QObject::destroyed, [pPage] { delete pPage; });
        pCarrier->deleteLater();
        m_arrRetired.emplace_back(pCarrier);
    }
}

void CParamPropertiesDlg::AddTabPages()
{
    std::string strType = m_pMgr ? m_pMgr->GetActiveParamType() : std::string();
    if (strType.empty())
    {
        AddPage(new CNoPropertiesTab(m_pMgr));
        return;
    }
    if (AddNamedTab(m_pMgr->GetTypeDisplayUI(strType)))
        return;
    auto* pFormat = new CFormatTab(m_pMgr);
    pFormat->m_strSampleValue = strType;
    AddPage(pFormat);
    AddPage(new CGeneralTab(m_pMgr));
}

BOOL CParamPropertiesDlg::AddNamedTab(const std::string& strTabName)
{
    size_t nPrefix = std::strlen(DLL_PREFIX);
    if (strncasecmp(strTabName.c_str(), DLL_PREFIX, nPrefix) == 0)
        return AddPluginTab(strTabName.substr(nPrefix));
    for (const auto& row : TAB_TABLE)
    {
        if (strcasecmp(row.pszTabName, strTabName.c_str()) == 0)
        {
            AddPage(row.pfnCreate(m_pMgr));
            return TRUE;
        }
    }
    return FALSE;
}

// Tab libraries stay loaded: their pages' code must outlive every page.
BOOL CParamPropertiesDlg::AddPluginTab(const std::string& strLibrary)
{
    HMODULE hLibrary = LoadLibraryA(strLibrary.c_str());
    auto pfnCreateTab = reinterpret_cast<PFN_CREATE_TAB>(GetProcAddress(hLibrary, "CreateTab"));
    CPropertyPage* pPage = pfnCreateTab ? pfnCreateTab(m_pMgr) : nullptr;
    if (!pPage)
        return FALSE;
    AddPage(pPage);
    return TRUE;
}

// Created disabled and enabled once its id is back, so that no one sees the
// sheet under another id.
BOOL CParamPropertiesDlg::RecreateWindow()
{
    CWnd* pParent = IsWindow(m_place.hParent) ? CWnd::FromHandle(m_place.hParent) : nullptr;
    if (!pParent || !CPropertySheet::Create(pParent, m_place.dwStyle | WS_DISABLED, m_place.dwExStyle))
        return FALSE;
    SetDlgCtrlID(m_place.nID);
    EnableWindow(TRUE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

// A combo box would otherwise show its text selected when the tab appears.
void CParamPropertiesDlg::UnselectComboTexts()
{
    CPropertyPage* pPage = GetActivePage();
    if (!pPage || !pPage->m_hWnd)
        return;
    for (CWnd* pChild = pPage->GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        CWnd* pEdit = dynamic_cast<CComboBox*>(pChild) ? pChild->GetDlgItem(IDC_COMBO_EDIT) : nullptr;
        if (!pEdit)
            continue;
        pEdit->ModifyStyle(ES_NOHIDESEL, 0);
        pEdit->PostMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    }
}

// With one page the page fills the sheet and no tab shows.
void CParamPropertiesDlg::LayoutPages()
{
    CPropertyPage* pPage = GetActivePage();
    CTabCtrl* pTabs = GetTabControl();
    if (!pPage || !pPage->m_hWnd || !pTabs)
        return;
    CRect rect;
    GetClientRect(&rect);
    pTabs->MoveWindow(&rect);
    // The strip sits at the sheet's origin: its display area needs no conversion.
    if (GetPageCount() > 1)
        pTabs->AdjustRect(FALSE, &rect);
    pPage->MoveWindow(&rect);
}

void CParamPropertiesDlg::OnSize(UINT nType, int cx, int cy)
{
    CPropertySheet::OnSize(nType, cx, cy);
    LayoutPages();
}

UINT CParamPropertiesDlg::OnGetDlgCode()
{
    return 0;
}
