#include "dialogs/DatasetNameDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "manager/TarvoMgr.h"
#include "resources/DatasetDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstdio>

namespace
{
// A file name of at most 255 bytes, ".prm" included.
const int DATASET_NAME_MAX = 251;

const char* const NOT_A_FILE_NAME =
    "A dataset name is a file name: it cannot be empty, \".\" or \"..\", or hold \"/\" or \"\\\".";
} // namespace

std::string FormatDatasetMessage(unsigned int nIDPrompt, const std::string& strName)
{
    std::string strFormat = AfxLoadString(nIDPrompt);
    int nLength = std::snprintf(nullptr, 0, strFormat.c_str(), strName.c_str());
    if (nLength < 0)
        return strFormat;
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    std::snprintf(&strText[0], strText.size(), strFormat.c_str(), strName.c_str());
    strText.resize(static_cast<size_t>(nLength));
    return strText;
}

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
    std::string strCaption;
    GetWindowText(strCaption);
    if (!CTarvoMgr::IsPlainDatasetName(m_strName))
        Refuse(NOT_A_FILE_NAME, strCaption);
    else if (IsExisting() && m_nMode != DATASET_NAME_CREATE)
        Refuse("The dataset '" + m_strName + "' already exists.\r\nPlease enter another name.", strCaption);
    else if (!IsExisting() || MessageBox(FormatDatasetMessage(IDS_REPLACE_DATASET, m_strName).c_str(),
                                         strCaption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        EndDialog(IDOK);
}

// The dialog stays open with the name ready to be typed over.
void CDatasetNameDlg::Refuse(const std::string& strText, const std::string& strCaption)
{
    MessageBox(strText.c_str(), strCaption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_DATASET_NAME));
}
