#include "dialogs/ParamPropertiesEditDlg.h"

#include "controls/MoveControlBy.h"
#include "help/HelpLauncher.h"
#include "manager/TarvoMgr.h"
#include "resources/TarvoResources.h"

#include <QPixmap>
#include <QWidget>

namespace
{
const UINT IDD_PARAM_PROPERTIES = 10237;
const UINT ID_HELP = 57670;
const unsigned long HELP_TOPIC = 141309;
// Room kept free around the embedded windows.
const int MARGIN = 4;
} // namespace

BEGIN_MESSAGE_MAP(CParamPropertiesEditDlg, CDialog)
ON_WM_SIZE()
ON_WM_HELPINFO()
ON_COMMAND(ID_HELP, &CParamPropertiesEditDlg::OnHelp)
END_MESSAGE_MAP()

CParamPropertiesEditDlg::CParamPropertiesEditDlg(CTarvoMgr* pMgr, CWnd* pParentWnd)
    : CDialog(IDD_PARAM_PROPERTIES, pParentWnd), CTarvoMgrExt(pMgr)
{
}

CParamPropertiesEditDlg::~CParamPropertiesEditDlg()
{
    m_pPropertiesWnd.reset();
    m_pTypeWnd.reset();
}

BOOL CParamPropertiesEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hIcon.isNull())
        if (const QImage* pImage = AfxFindImage(IDI_TARVO))
            m_hIcon = QIcon(QPixmap::fromImage(*pImage));
    GetWidget()->setWindowIcon(m_hIcon);
    GetClientRect(&m_rcLastClient);
    std::string strTitle;
    GetWindowText(strTitle);
    if (m_pMgr)
    {
        SetWindowText((strTitle + " - [" + m_pMgr->GetActiveParamName() + "]").c_str());
        m_pPropertiesWnd.reset(m_pMgr->CreateParamPropertiesWnd(this));
        m_pTypeWnd.reset(m_pMgr->CreateParamTypeWnd(this));
    }
    for (CWnd* pWnd : {m_pPropertiesWnd.get(), m_pTypeWnd.get()})
    {
        if (!pWnd)
            continue;
        pWnd->ModifyStyleEx(0, WS_EX_DLGMODALFRAME);
        pWnd->ShowWindow(SW_SHOW);
    }
    LayoutWindows();
    m_bInitialized = TRUE;
    return TRUE;
}

// The type window keeps its height at the top; the sheet fills the rest down
// to the buttons.
void CParamPropertiesEditDlg::LayoutWindows()
{
    CRect rcArea;
    GetClientRect(&rcArea);
    if (CWnd* pClose = GetDlgItem(IDOK))
    {
        CRect rcClose;
        pClose->GetWindowRect(&rcClose);
        ScreenToClient(&rcClose);
        rcArea.bottom = rcClose.top;
    }
    rcArea.DeflateRect(MARGIN, MARGIN);
    int nTop = rcArea.top;
    if (m_pTypeWnd && m_pTypeWnd->m_hWnd)
    {
        CRect rcType;
        m_pTypeWnd->GetWindowRect(&rcType);
        m_pTypeWnd->MoveWindow(rcArea.left, nTop, rcArea.Width(), rcType.Height());
        nTop += rcType.Height();
    }
    if (m_pPropertiesWnd && m_pPropertiesWnd->m_hWnd)
        m_pPropertiesWnd->MoveWindow(rcArea.left, nTop, rcArea.Width(), rcArea.bottom - nTop);
}

void CParamPropertiesEditDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    int dx = cx - m_rcLastClient.Width();
    int dy = cy - m_rcLastClient.Height();
    MoveControlBy(GetDlgItem(IDOK), this, dx, dy, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN);
    MoveControlBy(GetDlgItem(IDCANCEL), this, dx, dy, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN);
    if (m_bInitialized)
        LayoutWindows();
    Invalidate();
    m_rcLastClient = CRect(0, 0, cx, cy);
}

// Closes only when the tab on show accepts its input.
void CParamPropertiesEditDlg::OnOK()
{
    if (UpdateAllUIExt(UPD_COMMIT, nullptr))
        EndDialog(IDOK);
}

void CParamPropertiesEditDlg::OnCancel()
{
    if (UpdateAllUIExt(UPD_QUERY_CANCEL, nullptr))
        EndDialog(IDCANCEL);
}

BOOL CParamPropertiesEditDlg::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}

void CParamPropertiesEditDlg::OnHelp()
{
    ShowContextHelp(m_hWnd, HELP_TOPIC, 0);
}

BOOL CParamPropertiesEditDlg::DestroyWindow()
{
    m_pPropertiesWnd.reset();
    m_pTypeWnd.reset();
    m_bInitialized = FALSE;
    return CDialog::DestroyWindow();
}
