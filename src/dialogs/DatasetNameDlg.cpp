#include "dialogs/DatasetNameDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "manager/TarvoMgr.h"
#include "resources/DatasetDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>

namespace
{
// A file name of at most 255 bytes, ".prm" included.
const int DATASET_NAME_MAX = 251;
} // namespace

CDatasetNameDlg::CDatasetNameDlg(int nMode, const std::vector<std::string>& arrExisting, const std::string& strProposed,
                                 CWnd* pParentWnd)
    : CDialog(IDD_DATASET_NAME, pParentWnd), m_strName(strProposed), m_nMode(nMode), m_arrExisting(arrExisting)
{
}

CDatasetNameDlg::~CDatasetNameDlg() = default;

void CDatasetNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DATASET_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, DATASET_NAME_MAX);
}

BOOL CDatasetNameDlg::OnInitDialog()
{
    SetWindowText(AfxLoadString(m_nMode == DATASET_NAME_CREATE ? IDS_CREATE_DATASET : IDS_RENAME_DATASET).c_str());
    return CDialog::OnInitDialog();
}

// Names are compared exactly: "Data" and "data" are two files here.
BOOL CDatasetNameDlg::IsExisting() const
{
    return std::find(m_arrExisting.begin(), m_arrExisting.end(), m_strName) != m_arrExisting.end();
}

void CDatasetNameDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    std::string strCaption, strText;
    GetWindowText(strCaption);
    if (!CTarvoMgr::IsPlainDatasetName(m_strName))
        Refuse(AfxLoadString(IDS_DATASET_NAME_NOT_FILE), strCaption);
    else if (!IsExisting())
        EndDialog(IDOK);
    else if (m_nMode != DATASET_NAME_CREATE)
    {
        FormatResourceString(strText, IDS_DATASET_NAME_TAKEN, m_strName);
        Refuse(strText, strCaption);
    }
    else if (FormatResourcePrintf(strText, IDS_REPLACE_DATASET, m_strName) &&
             MessageBox(strText.c_str(), strCaption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        EndDialog(IDOK);
}

// The dialog stays open with the name ready to be typed over.
void CDatasetNameDlg::Refuse(const std::string& strText, const std::string& strCaption)
{
    MessageBox(strText.c_str(), strCaption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_DATASET_NAME));
}
