#include "dataeditor/AddNewColumnDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "ketrin/Ketrin.h"
#include "resources/DataEditorDialogs.h"
#include "resources/StringIds.h"

namespace
{
const int MAX_COLUMN_NAME = 32;
const DWORD ALL_OPTIONS = 0xFFFFFFFF;
} // namespace

CAddNewColumnDlg::CAddNewColumnDlg(const std::string& strFilePath, const std::string& strDefaultName, CWnd* pParentWnd)
    : CBaseDialog(IDD_ADD_COLUMN, pParentWnd, FALSE, ALL_OPTIONS), m_strColumnName(strDefaultName),
      m_strFilePath(strFilePath)
{
}

CAddNewColumnDlg::~CAddNewColumnDlg() = default;

void CAddNewColumnDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ADD_COLUMN_PATH, m_strFilePath);
    DDX_Text(pDX, IDC_ADD_COLUMN_NAME, m_strColumnName);
    DDV_MaxChars(pDX, m_strColumnName, MAX_COLUMN_NAME);
}

void CAddNewColumnDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (os_is_qz_identifier(m_strColumnName.c_str(), static_cast<int>(m_strColumnName.size())) != OS_QZ_IDENTIFIER)
    {
        AfxMessageBox(IDS_INVALID_COLUMN_NAME);
        return;
    }
    EndDialog(IDOK);
}
