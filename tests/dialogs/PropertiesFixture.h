#pragma once

#include "TempDir.h"
#include "UiSeams.h"

#include "afx/Dialog.h"
#include "dialogs/ParamPropertiesDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/FormatDialogs.h"
#include "resources/PropertiesDialogs.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The window a host embeds the type window and the properties sheet in: an
// edit above them and a button below, so that Tab has somewhere to go.
class CPropsHostDlg : public CDialog
{
public:
    CPropsHostDlg();
};

// Stands in for the list window: selects parameters as the list does, after
// asking whether the active one may be left, and records what it hears.
class CListStandIn : public CTarvoMgrExt
{
public:
    using CTarvoMgrExt::CTarvoMgrExt;
    BOOL Select(const std::string& strName);
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    // "code:data" per broadcast, "<null>" for no data.
    std::vector<std::string> m_arrHeard;
};

// A script with a parameter of each kind the properties host tells apart:
//   VuserNo (Vuser ID, "%03s"), Station (Load Generator Name, no format),
//   Team (Group Name), Loop (Iteration Number, "%05d"), Amount (Random
//   Number, its own tab), Level1 (a plug-in tab, level 4),
//   NoLevel (the plug-in makes no page for it), Flaky (a plug-in library
//   that does not exist), Barely (a library without "CreateTab"), Mystery
//   (Custom, a tab name nobody knows), Odd (a type without any definition),
//   Hidden1 (XML, hidden).
class PropertiesFixture : public ::testing::Test
{
protected:
    PropertiesFixture();
    ~PropertiesFixture() override;

    void LoadManager(const std::string& strPrm = std::string());
    // The host shown with the type window above the properties sheet.
    void CreateWindows(const std::string& strPrm = std::string());

    CParamPropertiesDlg& Sheet() { return *static_cast<CParamPropertiesDlg*>(m_pPropsWnd); }
    CPropertyPage* ActivePage() { return Sheet().GetActivePage(); }
    std::vector<std::string> TabCaptions();
    bool TabStripShown();
    std::string Attrib(const std::string& strName, const char* pszKey);
    // The active parameter's type by its display name, as the engine holds it.
    std::string ActiveTypeName();

    CTempDir m_dir;
    std::string m_strTypesPath;
    std::string m_strPrmPath;
    std::string m_strDebug;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
    CPropsHostDlg m_host;
    CWnd* m_pTypeWnd = nullptr;
    CWnd* m_pPropsWnd = nullptr;
    std::unique_ptr<CListStandIn> m_pList;
};

typedef std::vector<std::string> Strings;

// Control ids of the windows under test.
const int IDC_HOST_EDIT = 1301;
const int IDC_PLUGIN_LEVEL = 1201;
