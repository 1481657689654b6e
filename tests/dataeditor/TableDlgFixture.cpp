#include "TableDlgFixture.h"

#include "UiDriver.h"

#include "afx/DebugOutput.h"
#include "afx/PrivateProfile.h"

namespace
{
const UINT s_nAddColumnMsg = RegisterWindowMessageA(TARVO_ADD_COLUMN_MESSAGE);
const UINT s_nDeleteColumnMsg = RegisterWindowMessageA(TARVO_DELETE_COLUMN_MESSAGE);

const char* const TYPES_TEXT = R"([ParameterTypes]
Table=TypeTable
TTable=TypeTTable

[TypeTable]
TypeName=File
DisplayUI=FileTab

[TypeTTable]
TypeName=Table
DisplayUI=TableTab

[EngineTypes]
Table=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow,GenerateNewVal
TTable=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow
)";
} // namespace

BEGIN_MESSAGE_MAP(CTableHostWnd, CWnd)
ON_REGISTERED_MESSAGE(s_nAddColumnMsg, &CTableHostWnd::OnAddColumn)
ON_REGISTERED_MESSAGE(s_nDeleteColumnMsg, &CTableHostWnd::OnDeleteColumn)
END_MESSAGE_MAP()

BOOL CTableHostWnd::OnCommand(WPARAM wParam, LPARAM)
{
    m_vecHeard.push_back("command:" + std::to_string(LOWORD(wParam)));
    return TRUE;
}

LRESULT CTableHostWnd::OnAddColumn(WPARAM wParam, LPARAM lParam)
{
    m_vecHeard.push_back("add:" + std::to_string(wParam) + ":" + reinterpret_cast<const char*>(lParam));
    return 0;
}

LRESULT CTableHostWnd::OnDeleteColumn(WPARAM, LPARAM)
{
    m_vecHeard.push_back("delete");
    return 0;
}

TableDlgFixture::TableDlgFixture()
{
    m_strDataFile = m_dir.File("script/customers.dat");
    m_strIniPath = m_dir.File("mirrel.ini");
    AfxSetDebugOutputSink([](const std::string&) {});
}

TableDlgFixture::~TableDlgFixture()
{
    if (m_pDlg)
    {
        m_pDlg->DestroyWindow();
        delete m_pDlg;
    }
    m_host.DestroyWindow();
    AfxSetDebugOutputSink(nullptr);
    EXPECT_TRUE(m_modals.AllUsed()) << "a scripted dialog never opened";
}

void TableDlgFixture::CreateEditor(const std::string& strAttributes, int nMaxVisibleLines)
{
    std::string strTypes = m_dir.Write("param.dat", TYPES_TEXT);
    std::string strPrm = m_dir.Write("script/script.prm", "[CustomerName]\nType=Table\nTable=customers.dat\n"
                                                          "OriginalValue=Smith\n" +
                                                              strAttributes);
    if (nMaxVisibleLines > 0)
        WritePrivateProfileStringA("ParamTable", "MaxVisibleLines", std::to_string(nMaxVisibleLines).c_str(),
                                   m_strIniPath.c_str());
    m_pMgr = std::make_unique<CTarvoMgr>(strTypes.c_str());
    m_pMgr->AddParamFile(strPrm.c_str(), "script");
    ASSERT_TRUE(m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 520, 360), nullptr, 0));
    m_pDlg = new CTableDlg(m_pMgr.get(), m_strIniPath, &m_host);
    ASSERT_TRUE(m_pDlg->Create(&m_host));
    m_pDlg->ShowWindow(SW_SHOW);
    m_pDlg->MoveWindow(0, 0, 500, 340);
    ui::ShowAndActivate(m_host);
}

void TableDlgFixture::Load(const std::string& strContent, int nFirstLine, const std::string& strDelimiter)
{
    m_dir.Write(m_strDataFile.substr(m_dir.Path().size() + 1), strContent);
    ASSERT_EQ(m_pDlg->LoadFile(m_strDataFile, nFirstLine, strDelimiter), 1);
}

std::string TableDlgFixture::Cell(int nColumn, int nRow)
{
    std::string strText;
    m_pDlg->GetGrid().GetItemText(nColumn, nRow, strText);
    return strText;
}

void TableDlgFixture::ClickButton(int nID)
{
    CWnd* pButton = m_pDlg->GetDlgItem(nID);
    ASSERT_TRUE(pButton && pButton->IsWindowEnabled()) << "button " << nID;
    ui::Click(*pButton);
}

void TableDlgFixture::ClickHeader(int nColumn)
{
    CRect rc = m_pDlg->GetGrid().GetHeaderRect(nColumn);
    ASSERT_FALSE(rc.IsRectEmpty()) << "header " << nColumn;
    ui::ClickAt(m_pDlg->GetGrid(), rc.CenterPoint().x, rc.CenterPoint().y);
}
