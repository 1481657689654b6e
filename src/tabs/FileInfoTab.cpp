#include "tabs/FileInfoTab.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "dataeditor/TableDlg.h"
#include "resources/DataFileTabDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace
{
const UINT s_nAddColumnMsg = RegisterWindowMessageA(TARVO_ADD_COLUMN_MESSAGE);
const UINT s_nDeleteColumnMsg = RegisterWindowMessageA(TARVO_DELETE_COLUMN_MESSAGE);

const int SPIN_MAX = 32000;
const char* const COLUMN_PREFIX = "Col ";
} // namespace

BEGIN_MESSAGE_MAP(CFileInfoTab, CDataFileTab)
ON_WM_SIZE()
ON_EN_CHANGE(IDC_FILE_COLUMN_NUMBER, &CFileInfoTab::OnChangeColumnNumber)
ON_BN_CLICKED(IDC_FILE_BY_NUMBER, &CFileInfoTab::OnClickedColumnBy)
ON_BN_CLICKED(IDC_FILE_BY_NAME, &CFileInfoTab::OnClickedColumnBy)
ON_REGISTERED_MESSAGE(s_nAddColumnMsg, &CFileInfoTab::OnAddColumn)
ON_REGISTERED_MESSAGE(s_nDeleteColumnMsg, &CFileInfoTab::OnDeleteColumn)
END_MESSAGE_MAP()

CFileInfoTab::CFileInfoTab(CTarvoMgr* pMgr) : CDataFileTab(pMgr, IDD_FILE_INFO_TAB, 0) {}

CFileInfoTab::~CFileInfoTab() = default;

void CFileInfoTab::DoDataExchange(CDataExchange* pDX)
{
    CDataFileTab::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_PATH, m_cbPath);
    DDX_Control(pDX, IDC_FILE_DELIMITER, m_cbDelimiter);
    DDX_Control(pDX, IDC_FILE_COLUMN_NAME, m_cbColumnName);
    DDX_Control(pDX, IDC_FILE_COLUMN_NUMBER, m_edColumnNumber);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE, m_edFirstLine);
    DDX_Control(pDX, IDC_FILE_COLUMN_SPIN, m_spinColumn);
    DDX_Control(pDX, IDC_FILE_FIRST_LINE_SPIN, m_spinFirstLine);
    DDX_Radio(pDX, IDC_FILE_BY_NUMBER, m_nColumnBy);
    DDX_CBString(pDX, IDC_FILE_PATH, m_strFilePath);
    DDX_Text(pDX, IDC_FILE_COLUMN_NUMBER, m_strColumnNumber);
    DDX_CBString(pDX, IDC_FILE_COLUMN_NAME, m_strColumnName);
    DDX_CBString(pDX, IDC_FILE_DELIMITER, m_strDelimiterName);
    DDX_Text(pDX, IDC_FILE_FIRST_LINE, m_nFirstDataLine);
    DDV_MinMaxUInt(pDX, m_nFirstDataLine, 0, SPIN_MAX);
}

BOOL CFileInfoTab::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_strColumnNumber == "0")
    {
        std::string strMessage;
        FormatResourceString(strMessage, IDS_INTEGER_RANGE, "1", std::to_string(SPIN_MAX).c_str());
        AfxMessageBox(strMessage.c_str());
        return FALSE;
    }
    if (!KillActiveCommon())
        return FALSE;
    return CResizePropertyPage::OnKillActive();
}

void CFileInfoTab::LoadOwnAttribs(const char*)
{
    if (m_strColumnAttrib.size() > 4 && strncasecmp(m_strColumnAttrib.c_str(), COLUMN_PREFIX, 4) == 0)
    {
        m_nColumnBy = 0;
        m_strColumnNumber = m_strColumnAttrib.substr(4);
        m_strColumnName.clear();
    }
    else
    {
        m_nColumnBy = 1;
        m_strColumnNumber = "1";
        m_strColumnName = m_strColumnAttrib;
    }
}

void CFileInfoTab::SaveOwnAttribs(const char*)
{
    m_strColumnAttrib = m_nColumnBy == 0 ? COLUMN_PREFIX + m_strColumnNumber : m_strColumnName;
}

std::vector<int> CFileInfoTab::FileControls() const
{
    return {IDC_FILE_BY_NUMBER,       IDC_FILE_COLUMN_NUMBER, IDC_FILE_BY_NAME,          IDC_FILE_COLUMN_NAME,
            IDC_FILE_DELIMITER_LABEL, IDC_FILE_DELIMITER,     IDC_FILE_FIRST_LINE_LABEL, IDC_FILE_FIRST_LINE,
            IDC_FILE_COLUMN_GROUP,    IDC_FILE_COLUMN_SPIN,   IDC_FILE_FIRST_LINE_SPIN};
}

void CFileInfoTab::OnFileLoaded()
{
    FillColumnNames();
}

void CFileInfoTab::ResetFileFormat()
{
    CDataFileTab::ResetFileFormat();
    m_nColumnBy = 0;
    m_strColumnNumber = "1";
    m_strColumnName.clear();
}

void CFileInfoTab::RefreshSpinRanges()
{
    if (RefreshFirstLineRange() < 0)
        return;
    int nColumns = std::min(m_pTableDlg->GetFileColumnCount(), COUNT_MAX);
    m_spinColumn.SetRange32(nColumns > 0 ? 1 : 0, nColumns);
    if (nColumns >= 0 && nColumns < std::atoi(m_strColumnNumber.c_str()))
        m_strColumnNumber = "1";
}

void CFileInfoTab::FillColumnNames()
{
    m_cbColumnName.ResetContent();
    if (m_pTableDlg)
        for (const std::string& strName : m_pTableDlg->GetColumnNames())
            m_cbColumnName.AddString(strName.c_str());
}

void CFileInfoTab::UpdateColumnChoice()
{
    UpdateData(TRUE);
    m_cbColumnName.EnableWindow(m_nColumnBy == 1);
    m_edColumnNumber.EnableWindow(m_nColumnBy == 0);
    m_spinColumn.EnableWindow(m_nColumnBy == 0);
}

void CFileInfoTab::OnChangeColumnNumber()
{
    OnChangeSpinEdit(m_edColumnNumber, m_spinColumn, true);
}

void CFileInfoTab::OnClickedColumnBy()
{
    UpdateColumnChoice();
}

LRESULT CFileInfoTab::OnAddColumn(WPARAM wParam, LPARAM lParam)
{
    if (IsDlgButtonChecked(IDC_FILE_BY_NUMBER))
        m_edColumnNumber.SetWindowText(std::to_string(wParam).c_str());
    else
    {
        FillColumnNames();
        m_cbColumnName.SetWindowText(lParam ? reinterpret_cast<const char*>(lParam) : "");
    }
    return 1;
}

LRESULT CFileInfoTab::OnDeleteColumn(WPARAM, LPARAM)
{
    FillColumnNames();
    return 1;
}

void CFileInfoTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_FILE_PATH, ANCHOR_RIGHT},
                    {IDC_FILE_BROWSE, ANCHOR_MOVE_RIGHT},
                    {IDC_FILE_FORMAT_GROUP, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE_SPIN, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_DELIMITER_LABEL, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_FIRST_LINE_LABEL, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_SPIN, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_GROUP, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_NAME, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_COLUMN_NUMBER, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FILE_BY_NUMBER, ANCHOR_MOVE_DOWN},
                    {IDC_FILE_BY_NAME, ANCHOR_MOVE_DOWN},
                    {IDC_FILE_TABLE_AREA, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_TOO_LARGE, ANCHOR_RIGHT | ANCHOR_BOTTOM},
                    {IDC_FILE_CONDITIONS_AREA, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN}});
    PlaceChildren();
}
