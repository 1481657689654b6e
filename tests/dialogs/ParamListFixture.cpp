#include "ParamListFixture.h"

#include "UiDriver.h"

#include "afx/DebugOutput.h"
#include "afx/Edit.h"

namespace
{
const UINT s_nDeleteParamMsg = RegisterWindowMessageA(TARVO_DELETE_PARAM_MESSAGE);

} // namespace

std::string ParamListFixture::DefaultTypes(bool bHideDataFileType)
{
    return std::string(R"([ParameterTypes]
Table=TypeTable
TTable=TypeTTable
Random=TypeRandom
Custom=TypeCustom
XML=TypeXML
Spreadsheet=TypeSpreadsheet

[TypeTable]
TypeName=File
DisplayUI=FileTab
Hidden=)") +
           (bHideDataFileType ? "True" : "False") + R"(

[TypeTTable]
TypeName=Table
DisplayUI=TableTab

[TypeRandom]
TypeName=Random Number
DisplayUI=RandomTab

[TypeCustom]
TypeName=Custom
DisplayUI=CustomTab

[TypeXML]
TypeName=XML
DisplayUI=FileTab
Hidden=True

[TypeSpreadsheet]
TypeName=Spreadsheet
DisplayUI=filetab

[EngineTypes]
Table=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow,GenerateNewVal
TTable=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow
Random=OriginalValue,MinValue,MaxValue
Custom=OriginalValue,CurrentValue
XML=OriginalValue
Spreadsheet=OriginalValue
Odd=OriginalValue
)";
}

namespace
{
const char* const PRM_TEXT = R"([Hidden1]
Type=XML
OriginalValue=h

[CustomerName]
Type=Table
Table=customers.dat
ColumnName=Col 1
Delimiter=,
OriginalValue=Smith

[City]
Type=Table
Table=customers.dat
OriginalValue=Oslo

[Street]
Type=TTable
Table=customers.dat

[Amount]
Type=Random
MinValue=5
OriginalValue=42

[Odd]
Type=Odd

[Blank]
Type=Custom

[Sheet]
Type=Spreadsheet
)";
} // namespace

BEGIN_MESSAGE_MAP(CListHostWnd, CWnd)
ON_REGISTERED_MESSAGE(s_nDeleteParamMsg, &CListHostWnd::OnDeleteParameterMsg)
END_MESSAGE_MAP()

LRESULT CListHostWnd::OnDeleteParameterMsg(WPARAM wParam, LPARAM)
{
    m_arrDeleteStates.push_back(wParam);
    return 0;
}

int CListenerExt::OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData)
{
    m_arrHeard.push_back(std::to_string(nCode) + ":" + (pszData ? pszData : "<null>"));
    m_arrSenders.push_back(pSender);
    return nCode == UPD_BEFORE_ACTIVE_CHANGE ? m_nAnswerBeforeChange : 1;
}

ParamListFixture::ParamListFixture()
{
    m_strDataFile = m_dir.Write("script/customers.dat", "Col 1,Col 2\nSmith,Oslo\nJones,Bergen\n");
    AfxSetDebugOutputSink([](const std::string&) {});
}

ParamListFixture::~ParamListFixture()
{
    AfxSetDebugOutputSink(nullptr);
    EXPECT_TRUE(m_modals.AllUsed()) << "a scripted dialog never opened";
    EXPECT_TRUE(m_menus.AllUsed()) << "a scripted menu never opened";
}

void ParamListFixture::LoadManager(const std::string& strPrm, const std::string& strTypes)
{
    std::string strTypesPath = m_dir.Write("param.dat", strTypes.empty() ? DefaultTypes() : strTypes);
    m_strPrmPath = m_dir.Write("script/script.prm", strPrm.empty() ? PRM_TEXT : strPrm);
    m_pMgr = std::make_unique<CTarvoMgr>(strTypesPath.c_str());
    m_pMgr->AddParamFile(m_strPrmPath.c_str(), "script");
}

ParamListWindowFixture::~ParamListWindowFixture()
{
    if (m_pList)
    {
        m_pList->DestroyWindow();
        delete m_pList;
    }
    m_host.DestroyWindow();
}

void ParamListWindowFixture::CreateList(const std::string& strPrm, const std::string& strTypes)
{
    LoadManager(strPrm, strTypes);
    ASSERT_TRUE(m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 260, 400), nullptr, 0));
    m_pList = static_cast<CParamListDlg*>(m_pMgr->CreateParamListWnd(&m_host));
    ASSERT_NE(m_pList, nullptr);
    m_pList->ShowWindow(SW_SHOW);
    m_pList->MoveWindow(0, 0, 240, 380);
    m_pListener = std::make_unique<CListenerExt>(m_pMgr.get());
    ui::ShowAndActivate(m_host);
}

std::vector<std::string> ParamListWindowFixture::Names()
{
    std::vector<std::string> arrNames;
    for (HTREEITEM hItem = Tree().GetRootItem(); hItem; hItem = Tree().GetNextSiblingItem(hItem))
        arrNames.push_back(Tree().GetItemText(hItem));
    return arrNames;
}

HTREEITEM ParamListWindowFixture::Item(const std::string& strName)
{
    for (HTREEITEM hItem = Tree().GetRootItem(); hItem; hItem = Tree().GetNextSiblingItem(hItem))
        if (Tree().GetItemText(hItem) == strName)
            return hItem;
    ADD_FAILURE() << "no item " << strName;
    return nullptr;
}

std::string ParamListWindowFixture::Selected()
{
    HTREEITEM hItem = Tree().GetSelectedItem();
    return hItem ? Tree().GetItemText(hItem) : "<none>";
}

int ParamListWindowFixture::Image(const std::string& strName)
{
    int nImage = -2;
    int nSelected = -2;
    Tree().GetItemImage(Item(strName), nImage, nSelected);
    EXPECT_EQ(nImage, nSelected) << strName;
    return nImage;
}

void ParamListWindowFixture::ClickLabel(const std::string& strName)
{
    CRect rcLabel;
    ASSERT_TRUE(Tree().GetItemRect(Item(strName), &rcLabel, TRUE)) << strName;
    CPoint pt = rcLabel.CenterPoint();
    ui::ClickAt(Tree(), pt.x, pt.y);
}

void ParamListWindowFixture::RenameSelected(const std::string& strText)
{
    ui::PressKey(Tree(), Qt::Key_F2);
    CEdit* pEdit = Tree().GetEditControl();
    ASSERT_NE(pEdit, nullptr) << "F2 opens the label editor";
    ui::ReplaceText(*pEdit, strText);
    ui::PressKeyOnFocus(Qt::Key_Return);
}
