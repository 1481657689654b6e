#include "PropertiesFixture.h"

#include "UiDriver.h"

#include "afx/DebugOutput.h"
#include "afx/TabCtrl.h"

namespace
{
const UINT IDD_PROPS_HOST = 9810;

const char* const TYPES_TEXT = R"([ParameterTypes]
Table=TypeTable
Userid=TypeUserid
Host=TypeHost
Group=TypeGroup
CurrentIteration=TypeIteration
Random=TypeRandom
Custom=TypeCustom
Plugged=TypePlugged
Broken=TypeBroken
Bare=TypeBare
XML=TypeXML
Spreadsheet=TypeSpreadsheet

[TypeTable]
TypeName=File
DisplayUI=FileTab

[TypeUserid]
TypeName=Vuser ID
DisplayUI=VuserIDTab

[TypeHost]
TypeName=Load Generator Name
DisplayUI=hosttab

[TypeGroup]
TypeName=Group Name
DisplayUI=GroupNameTab

[TypeIteration]
TypeName=Iteration Number
DisplayUI=IterationTab

[TypeRandom]
TypeName=Random Number
DisplayUI=RandomTab

[TypeCustom]
TypeName=Custom
DisplayUI=MysteryTab

[TypePlugged]
TypeName=Level
DisplayUI=DLL:)" PROPS_TEST_PLUGIN_PATH R"(

[TypeBroken]
TypeName=Broken Plug-in
DisplayUI=dll:/nonexistent/libnothing.so

[TypeBare]
TypeName=Bare
DisplayUI=dll:)" TARVO_LIBRARY_PATH R"(

[TypeXML]
TypeName=XML
Hidden=True

[TypeSpreadsheet]
TypeName=Spreadsheet Data

[EngineTypes]
Table=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow
Userid=OriginalValue,Format
Host=OriginalValue,Format
Group=OriginalValue,Format
CurrentIteration=OriginalValue,Format
Random=OriginalValue,Format,MinValue,MaxValue
Unique=OriginalValue,Format,StartValue
Custom=OriginalValue,CurrentValue
Plugged=OriginalValue,Level
Broken=OriginalValue
Bare=OriginalValue
XML=OriginalValue
Spreadsheet=OriginalValue
Odd=OriginalValue
)";

const char* const PRM_TEXT = R"([VuserNo]
Type=Userid
Format=%03s
OriginalValue=vu

[Station]
Type=Host

[Team]
Type=Group
Format=%s

[Loop]
Type=CurrentIteration
Format=%05d

[Amount]
Type=Random
Format=%d
MinValue=5

[Level1]
Type=Plugged
Level=4

[NoLevel]
Type=Plugged
Level=none

[Flaky]
Type=Broken

[Barely]
Type=Bare

[Mystery]
Type=Custom

[Odd]
Type=Odd

[Hidden1]
Type=XML
)";

void AddHostTemplate()
{
    static CResourceModule module("properties-host-tests");
    static bool bAdded = false;
    if (bAdded)
        return;
    bAdded = true;
    module.AddDialog(
        {IDD_PROPS_HOST,
         "Host",
         "MS Sans Serif",
         8,
         0,
         0,
         260,
         220,
         WS_POPUP | WS_CAPTION,
         {{AFX_WC_EDIT, "", IDC_HOST_EDIT, 7, 4, 80, 12, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER},
          {AFX_WC_BUTTON, "Done", IDOK, 203, 202, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON}}});
    static CDynLinkLibrary entry(module);
}
} // namespace

CPropsHostDlg::CPropsHostDlg() : CDialog(IDD_PROPS_HOST)
{
    AddHostTemplate();
}

BOOL CListStandIn::Select(const std::string& strName)
{
    if (!UpdateAllUIExt(UPD_BEFORE_ACTIVE_CHANGE, strName.c_str()))
        return FALSE;
    GetTarvoManager()->SetActiveParamName(strName.c_str());
    UpdateAllUIExt(UPD_ACTIVE_CHANGED, strName.c_str());
    return TRUE;
}

int CListStandIn::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char* pszData)
{
    m_arrHeard.push_back(std::to_string(nCode) + ":" + (pszData ? pszData : "<null>"));
    return 1;
}

PropertiesFixture::PropertiesFixture()
{
    m_strTypesPath = m_dir.Write("param.dat", TYPES_TEXT);
    AfxSetDebugOutputSink([this](const std::string& text) { m_strDebug += text; });
}

PropertiesFixture::~PropertiesFixture()
{
    delete m_pPropsWnd;
    delete m_pTypeWnd;
    m_host.DestroyWindow();
    m_pList.reset();
    m_pMgr.reset();
    AfxSetDebugOutputSink(nullptr);
    EXPECT_TRUE(m_modals.AllUsed()) << "a scripted dialog never opened";
}

void PropertiesFixture::LoadManager(const std::string& strPrm)
{
    m_strPrmPath = m_dir.Write("script/script.prm", strPrm.empty() ? PRM_TEXT : strPrm);
    m_pMgr = std::make_unique<CTarvoMgr>(m_strTypesPath.c_str());
    ASSERT_TRUE(m_pMgr->Create(nullptr));
    m_pMgr->AddParamFile(m_strPrmPath.c_str(), "script");
    m_pList = std::make_unique<CListStandIn>(m_pMgr.get());
}

void PropertiesFixture::CreateWindows(const std::string& strPrm)
{
    LoadManager(strPrm);
    ASSERT_TRUE(m_host.Create(IDD_PROPS_HOST));
    m_pTypeWnd = m_pMgr->CreateParamTypeWnd(&m_host);
    m_pPropsWnd = m_pMgr->CreateParamPropertiesWnd(&m_host);
    ASSERT_NE(m_pTypeWnd, nullptr);
    ASSERT_NE(m_pPropsWnd, nullptr);
    m_pTypeWnd->MoveWindow(4, 26, 380, 30);
    m_pPropsWnd->MoveWindow(4, 60, 380, 260);
    ui::ShowAndActivate(m_host);
}

std::vector<std::string> PropertiesFixture::TabCaptions()
{
    std::vector<std::string> arrCaptions;
    for (int i = 0; i < Sheet().GetPageCount(); ++i)
        arrCaptions.push_back(Sheet().GetPage(i)->GetCaption());
    return arrCaptions;
}

bool PropertiesFixture::TabStripShown()
{
    CTabCtrl* pTabs = Sheet().GetTabControl();
    return pTabs && pTabs->IsWindowVisible();
}

std::string PropertiesFixture::Attrib(const std::string& strName, const char* pszKey)
{
    return m_pMgr->GetParamAttrib(strName.c_str(), pszKey);
}

std::string PropertiesFixture::ActiveTypeName()
{
    return m_pMgr->GetTypeDisplayName(m_pMgr->GetActiveParamType());
}
