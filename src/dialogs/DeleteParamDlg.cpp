#include "dialogs/DeleteParamDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "resources/ListDialogs.h"
#include "resources/StringIds.h"

CDeleteParamDlg::CDeleteParamDlg(CWnd* pParentWnd) : CDialog(IDD_DELETE_PARAM, pParentWnd) {}

void CDeleteParamDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_DELETE_PARAM_DATA_FILE, m_bDeleteDataFile);
}

// "Yes": a data file is deleted only after a second Yes; No keeps the dialog open.
void CDeleteParamDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_bDeleteDataFile && AfxMessageBox(IDS_CONFIRM_DELETE_DATA_FILE, MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    EndDialog(IDOK);
}
