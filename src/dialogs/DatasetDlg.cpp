#include "dialogs/DatasetDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "controls/MoveControlBy.h"
#include "controls/StringParam.h"
#include "dialogs/DatasetNameDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/DatasetDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstdio>

namespace
{
const char* const NEW_DATASET_BASE = "Dataset";
// Pixels between "Rename..." and the bar's right edge.
const int RIGHT_MARGIN = 3;

// "Dataset_1", "Dataset_2", ...: the first that names no dataset yet.
std::string ProposeNewName(const std::vector<std::string>& arrNames)
{
    for (int n = 1;; ++n)
    {
        char szName[64];
        std::snprintf(szName, sizeof szName, "%s_%d", NEW_DATASET_BASE, n);
        if (std::find(arrNames.begin(), arrNames.end(), szName) == arrNames.end())
            return szName;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CDatasetDlg, CDialog)
ON_CBN_SELCHANGE(IDC_DATASET_COMBO, &CDatasetDlg::OnSelChangeDataset)
ON_BN_CLICKED(IDC_DATASET_NEW, &CDatasetDlg::OnNewDataset)
ON_BN_CLICKED(IDC_DATASET_RENAME, &CDatasetDlg::OnRenameDataset)
ON_BN_CLICKED(IDC_DATASET_DELETE, &CDatasetDlg::OnDeleteDataset)
ON_WM_SIZE()
END_MESSAGE_MAP()

CDatasetDlg::CDatasetDlg(CTarvoMgr* pMgr) : CTarvoMgrExt(pMgr) {}

CDatasetDlg::~CDatasetDlg() = default;

BOOL CDatasetDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_DATASET_BAR, pParentWnd);
}

void CDatasetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATASET_RENAME, m_btnRename);
    DDX_Control(pDX, IDC_DATASET_NEW, m_btnNew);
    DDX_Control(pDX, IDC_DATASET_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_DATASET_COMBO, m_cbDatasets);
}

BOOL CDatasetDlg::PreTranslateMessage(MSG*)
{
    return FALSE;
}

int CDatasetDlg::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char* pszData)
{
    if (nCode != UPD_DATASET_CHANGED || !IsWindow(m_hWnd) || !m_pMgr)
        return 1;
    std::vector<std::string> arrNames;
    m_pMgr->GetAllDatasets(arrNames);
    m_cbDatasets.ResetContent();
    for (const std::string& strName : arrNames)
        m_cbDatasets.AddString(strName.c_str());
    m_strCurrentDataset = pszData ? pszData : "";
    SelectDataset(m_strCurrentDataset);
    UpdateDeleteButton();
    return 1;
}

// The tab on show writes its input to the dataset being left, or keeps the
// author on that dataset.
void CDatasetDlg::OnSelChangeDataset()
{
    if (!m_pMgr)
        return;
    if (!UpdateAllUIExt(UPD_COMMIT, nullptr) || !SaveCurrentDataset())
    {
        SelectDataset(m_strCurrentDataset);
        return;
    }
    m_strCurrentDataset = SelectedDataset();
    m_pMgr->LoadDataset(m_strCurrentDataset);
}

void CDatasetDlg::OnNewDataset()
{
    if (!m_pMgr || !UpdateAllUIExt(UPD_COMMIT, nullptr))
        return;
    std::vector<std::string> arrNames;
    m_pMgr->GetAllDatasets(arrNames);
    CDatasetNameDlg dlg(DATASET_NAME_CREATE, arrNames, ProposeNewName(arrNames), this);
    if (dlg.DoModal() != IDOK || !SaveCurrentDataset())
        return;
    if (!m_pMgr->CreateNewDataset(dlg.m_strName))
    {
        ReportFailure(IDS_DATASET_CREATE_FAILED, dlg.m_strName);
        return;
    }
    SelectDataset(dlg.m_strName);
    m_strCurrentDataset = dlg.m_strName;
    UpdateDeleteButton();
}

// The other datasets go to the name dialog, which refuses them: renaming
// never replaces a dataset.
void CDatasetDlg::OnRenameDataset()
{
    if (!m_pMgr || !UpdateAllUIExt(UPD_COMMIT, nullptr))
        return;
    std::vector<std::string> arrOthers;
    m_pMgr->GetAllDatasets(arrOthers);
    arrOthers.erase(std::remove(arrOthers.begin(), arrOthers.end(), m_strCurrentDataset), arrOthers.end());
    CDatasetNameDlg dlg(DATASET_NAME_RENAME, arrOthers, m_strCurrentDataset, this);
    if (dlg.DoModal() != IDOK || !SaveCurrentDataset())
        return;
    if (!m_pMgr->RenameDataset(m_strCurrentDataset, dlg.m_strName))
    {
        ReportFailure(IDS_DATASET_RENAME_FAILED, m_strCurrentDataset, dlg.m_strName);
        return;
    }
    int nOld = FindDataset(m_strCurrentDataset);
    if (nOld >= 0)
        m_cbDatasets.DeleteString(static_cast<UINT>(nOld));
    SelectDataset(dlg.m_strName);
    m_strCurrentDataset = dlg.m_strName;
}

// The last dataset is never deleted: the manager needs one to work on.
void CDatasetDlg::OnDeleteDataset()
{
    int nSel = m_cbDatasets.GetCurSel();
    if (!m_pMgr || nSel < 0 || m_cbDatasets.GetCount() < 2)
        return;
    std::string strName = SelectedDataset();
    std::string strQuestion;
    FormatResourcePrintf(strQuestion, IDS_DELETE_DATASET, strName);
    if (AfxMessageBox(strQuestion.c_str(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (!m_pMgr->DeleteDataset(strName))
    {
        ReportFailure(IDS_DATASET_DELETE_FAILED, strName);
        return;
    }
    m_cbDatasets.DeleteString(static_cast<UINT>(nSel));
    m_cbDatasets.SetCurSel(std::min(nSel, m_cbDatasets.GetCount() - 1));
    m_strCurrentDataset = SelectedDataset();
    m_pMgr->LoadDataset(m_strCurrentDataset);
    UpdateDeleteButton();
}

// The buttons keep their spacing with "Rename..." at the right edge; the
// combo box takes up the width they leave.
void CDatasetDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_btnRename.m_hWnd)
        return;
    CRect rect;
    m_btnRename.GetWindowRect(&rect);
    ScreenToClient(&rect);
    int dx = cx - RIGHT_MARGIN - rect.right;
    CWnd* arrButtons[] = {&m_btnNew, &m_btnDelete, &m_btnRename};
    for (CWnd* pButton : arrButtons)
        MoveControlBy(pButton, this, dx, 0, ANCHOR_MOVE_RIGHT);
    MoveControlBy(&m_cbDatasets, this, dx, 0, ANCHOR_RIGHT);
}

// The dataset being left is saved first; the author learns of a failure and
// stays on it.
BOOL CDatasetDlg::SaveCurrentDataset()
{
    if (m_pMgr->SaveDatasetIfModified(m_strCurrentDataset))
        return TRUE;
    ReportFailure(IDS_DATASET_SAVE_FAILED, m_strCurrentDataset);
    return FALSE;
}

// The message names the dataset, the file and the system's reason.
void CDatasetDlg::ReportFailure(UINT nIDPrompt, const std::string& strName, const std::string& strNewName)
{
    std::string strText;
    FormatResourceString(strText, nIDPrompt, strName, m_pMgr->GetLastFileError(), strNewName);
    AfxMessageBox(strText.c_str(), MB_OK | MB_ICONERROR);
}

void CDatasetDlg::SelectDataset(const std::string& strName)
{
    int nIndex = FindDataset(strName);
    if (nIndex < 0)
        nIndex = m_cbDatasets.AddString(strName.c_str());
    m_cbDatasets.SetCurSel(nIndex);
}

// Exactly that name: the list's own search ignores case.
int CDatasetDlg::FindDataset(const std::string& strName) const
{
    std::string strItem;
    for (int i = 0; i < m_cbDatasets.GetCount(); ++i)
        if (m_cbDatasets.GetLBText(i, strItem) >= 0 && strItem == strName)
            return i;
    return -1;
}

std::string CDatasetDlg::SelectedDataset() const
{
    std::string strName;
    int nSel = m_cbDatasets.GetCurSel();
    if (nSel >= 0)
        m_cbDatasets.GetLBText(nSel, strName);
    return strName;
}

void CDatasetDlg::UpdateDeleteButton()
{
    m_btnDelete.EnableWindow(m_cbDatasets.GetCount() > 1);
}
