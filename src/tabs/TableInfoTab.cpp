#include "tabs/TableInfoTab.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "afx/PrivateProfile.h"
#include "dataeditor/TableDlg.h"
#include "dataeditor/TableTestDlg.h"
#include "datafiles/ColumnList.h"
#include "resources/DataFileTabDialogs.h"
#include "tabs/ParamAttribs.h"

#include <cstdlib>
#include <strings.h>

namespace
{
const int SPIN_MAX = 32000;
const char* const NOT_ENOUGH_ROWS_SHOWN[] = {"Parameter will get less rows than required",
                                             "Use behavior of \"Select Next Row\" "};
const char* const NOT_ENOUGH_ROWS_STORED[] = {"OnlyExistingRows", "NotValidInstance"};
} // namespace

BEGIN_MESSAGE_MAP(CTableInfoTab, CDataFileTab)
ON_WM_SIZE()
ON_EN_CHANGE(IDC_TABLE_ROWS_PER_ITERATION, &CTableInfoTab::OnChangeRows)
ON_BN_CLICKED(IDC_TABLE_ALL_COLUMNS, &CTableInfoTab::OnClickedColumnMode)
ON_BN_CLICKED(IDC_TABLE_COLUMNS_BY_NUMBER, &CTableInfoTab::OnClickedColumnMode)
ON_BN_CLICKED(IDC_TABLE_INFORMATION, &CTableInfoTab::OnTableInformation)
END_MESSAGE_MAP()

CTableInfoTab::CTableInfoTab(CTarvoMgr* pMgr) : CDataFileTab(pMgr, IDD_TABLE_INFO_TAB, 1)
{
    m_bNetworkNames = GetPrivateProfileIntA("ParamTable", "ConvertToUNC", 1, m_strIniPath.c_str()) != 0;
}

CTableInfoTab::~CTableInfoTab() = default;

void CTableInfoTab::DoDataExchange(CDataExchange* pDX)
{
    CDataFileTab::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_PATH, m_cbPath);
    DDX_Control(pDX, IDC_FILE_DELIMITER, m_cbDelimiter);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE, m_edFirstLine);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE_SPIN, m_spinFirstLine);
    DDX_Control(pDX, IDC_TABLE_ROWS_PER_ITERATION, m_edRows);
    DDX_Control(pDX, IDC_TABLE_ROWS_SPIN, m_spinRows);
    DDX_Control(pDX, IDC_TABLE_NOT_ENOUGH_ROWS, m_cbNotEnoughRows);
    DDX_CBString(pDX, IDC_FILE_PATH, m_strFilePath);
    DDX_CBString(pDX, IDC_FILE_DELIMITER, m_strDelimiterName);
    DDX_Text(pDX, IDC_FILE_FIRST_LINE, m_nFirstDataLine);
    DDV_MinMaxUInt(pDX, m_nFirstDataLine, 0, SPIN_MAX);
    DDX_Radio(pDX, IDC_TABLE_ALL_COLUMNS, m_nColumnMode);
    DDX_Text(pDX, IDC_TABLE_COLUMN_LIST, m_strColumnList);
    DDX_Text(pDX, IDC_TABLE_ROWS_PER_ITERATION, m_strRowsPerIteration);
    DDX_Text(pDX, IDC_TABLE_ROW_DELIMITER, m_strRowDelimiter);
    DDX_CBIndex(pDX, IDC_TABLE_NOT_ENOUGH_ROWS, m_nNotEnoughRows);
}

BOOL CTableInfoTab::OnInitDialog()
{
    CDataFileTab::OnInitDialog();
    for (const char* pszShown : NOT_ENOUGH_ROWS_SHOWN)
        m_cbNotEnoughRows.AddString(pszShown);
    m_spinRows.SetRange32(1, SPIN_MAX);
    return TRUE;
}

BOOL CTableInfoTab::OnKillActive()
{
    if (!UpdateData(TRUE) || !KillActiveCommon())
        return FALSE;
    std::string strExpanded;
    CWnd* pList = GetDlgItem(IDC_TABLE_COLUMN_LIST);
    if (int nMessage = ExpandColumns(strExpanded); nMessage != 0 && pList && pList->IsWindowEnabled())
    {
        AfxMessageBox(nMessage);
        pList->SetFocus();
        return FALSE;
    }
    return CResizePropertyPage::OnKillActive();
}

int CTableInfoTab::OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData)
{
    if (nCode == UPD_ACTIVE_CHANGED && m_hWnd)
        RefreshSpinRanges();
    return CDataFileTab::OnUpdateUIMgr(pSender, nCode, pszData);
}

int CTableInfoTab::ExpandColumns(std::string& strExpanded)
{
    if (!m_pTableDlg)
    {
        strExpanded.clear();
        return 0;
    }
    return ExpandColumnList(m_strColumnList, m_pTableDlg->GetFileColumnCount(), strExpanded);
}

void CTableInfoTab::LoadOwnAttribs(const char* pszName)
{
    void* hTurbine = GetTurbine();
    m_strRowsPerIteration = ReadParamAttrib(hTurbine, pszName, "RowsInInstance");
    m_strColumnList = ReadParamAttrib(hTurbine, pszName, "ColumnsListUI");
    m_nColumnMode = ReadParamAttrib(hTurbine, pszName, "ColumnIndexesList").empty() ? 0 : 1;
    m_strRowDelimiter = ReadParamAttrib(hTurbine, pszName, "RowDelimiter");
    m_nNotEnoughRows =
        strcasecmp(ReadParamAttrib(hTurbine, pszName, "NotEnoughRowsPolicy").c_str(), NOT_ENOUGH_ROWS_STORED[0]) == 0
            ? 0
            : 1;
}

void CTableInfoTab::SaveOwnAttribs(const char* pszName)
{
    void* hTurbine = GetTurbine();
    WriteParamAttrib(hTurbine, pszName, "NotEnoughRowsPolicy", NOT_ENOUGH_ROWS_STORED[m_nNotEnoughRows == 0 ? 0 : 1]);
    WriteParamAttrib(hTurbine, pszName, "RowsInInstance", m_strRowsPerIteration);
    WriteParamAttrib(hTurbine, pszName, "RowDelimiter", m_strRowDelimiter);
    if (m_nColumnMode == 0)
    {
        WriteParamAttrib(hTurbine, pszName, "ColumnIndexesList", "");
        WriteParamAttrib(hTurbine, pszName, "ColumnsListUI", m_strColumnList);
        return;
    }
    // A list that does not expand leaves both attributes as they were.
    std::string strExpanded;
    if (ExpandColumns(strExpanded) != 0)
        return;
    WriteParamAttrib(hTurbine, pszName, "ColumnIndexesList", strExpanded);
    WriteParamAttrib(hTurbine, pszName, "ColumnsListUI", m_strColumnList);
}

std::vector<int> CTableInfoTab::FileControls() const
{
    return {IDC_FILE_COLUMN_GROUP,       IDC_TABLE_ROW_DELIMITER_LABEL,   IDC_TABLE_ALL_COLUMNS,
            IDC_TABLE_COLUMNS_BY_NUMBER, IDC_TABLE_COLUMN_LIST,           IDC_TABLE_ROWS_PER_ITERATION,
            IDC_FILE_FORMAT_GROUP,       IDC_FILE_DELIMITER_LABEL,        IDC_FILE_DELIMITER,
            IDC_FILE_FIRST_LINE,         IDC_FILE_FIRST_LINE_LABEL,       IDC_FILE_FIRST_LINE_SPIN,
            IDC_TABLE_NOT_ENOUGH_ROWS,   IDC_TABLE_NOT_ENOUGH_ROWS_LABEL, IDC_TABLE_ROW_DELIMITER,
            IDC_TABLE_ROWS_SPIN};
}

void CTableInfoTab::ResetFileFormat()
{
    CDataFileTab::ResetFileFormat();
    m_nColumnMode = 0;
    m_strRowsPerIteration = "1";
}

void CTableInfoTab::RefreshSpinRanges()
{
    int nLines = RefreshFirstLineRange();
    if (nLines < 0)
        return;
    int nUpper = nLines > 0 ? nLines : 1;
    m_spinRows.SetRange32(1, nUpper);
    if (nLines < std::atoi(m_strRowsPerIteration.c_str()))
        m_strRowsPerIteration = std::to_string(nUpper);
}

void CTableInfoTab::UpdateColumnChoice()
{
    UpdateData(TRUE);
    if (CWnd* pList = GetDlgItem(IDC_TABLE_COLUMN_LIST))
        pList->EnableWindow(m_nColumnMode == 1);
}

void CTableInfoTab::OnChangeRows()
{
    OnChangeSpinEdit(m_edRows, m_spinRows, false);
}

void CTableInfoTab::OnClickedColumnMode()
{
    UpdateColumnChoice();
}

void CTableInfoTab::OnTableInformation()
{
    UpdateData(TRUE);
    CTableTestDlg dlg(m_pTableDlg ? m_pTableDlg->GetFileLineCount() : 0, std::atoi(m_strRowsPerIteration.c_str()),
                      static_cast<int>(m_nFirstDataLine), this);
    dlg.DoModal();
}

void CTableInfoTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    const int CORNER = ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN;
    AnchorControls({{IDC_FILE_PATH, ANCHOR_RIGHT},
                    {IDC_FILE_BROWSE, ANCHOR_MOVE_RIGHT},
                    {IDC_FILE_TABLE_AREA, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_TOO_LARGE, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_COLUMN_GROUP, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_ALL_COLUMNS, ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_COLUMNS_BY_NUMBER, ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_COLUMN_LIST, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FORMAT_GROUP, CORNER},
                    {IDC_TABLE_ROWS_LABEL, CORNER},
                    {IDC_TABLE_ROWS_PER_ITERATION, CORNER},
                    {IDC_TABLE_ROWS_SPIN, CORNER},
                    {IDC_FILE_FIRST_LINE_LABEL, CORNER},
                    {IDC_FILE_FIRST_LINE, CORNER},
                    {IDC_FILE_FIRST_LINE_SPIN, CORNER},
                    {IDC_TABLE_INFORMATION, CORNER},
                    {IDC_TABLE_ROW_DELIMITER_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_ROW_DELIMITER, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_NOT_ENOUGH_ROWS_LABEL, ANCHOR_MOVE_DOWN},
                    {IDC_TABLE_NOT_ENOUGH_ROWS, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_CONDITIONS_AREA, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN}});
    PlaceChildren();
}
