#include "dialogs/ParamHostDialog.h"

#include "controls/MoveControlBy.h"
#include "help/HelpLauncher.h"
#include "resources/Images.h"
#include "resources/TarvoResources.h"

#include <QPixmap>
#include <QWidget>

BEGIN_MESSAGE_MAP(CParamHostDialog, CDialog)
ON_WM_SIZE()
ON_WM_HELPINFO()
ON_COMMAND(ID_HELP, &CParamHostDialog::OnHelp)
END_MESSAGE_MAP()

CParamHostDialog::CParamHostDialog(UINT nIDTemplate, unsigned long nHelpTopic, CTarvoMgr* pMgr, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), CTarvoMgrExt(pMgr), m_nHelpTopic(nHelpTopic)
{
}

// A host window destroyed around the dialog takes the windows but leaves
// their objects.
CParamHostDialog::~CParamHostDialog()
{
    DeleteWindows();
}

BOOL CParamHostDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hIcon.isNull())
        if (const QImage* pImage = AfxFindImage(IDI_TARVO))
            m_hIcon = QIcon(QPixmap::fromImage(*pImage));
    GetWidget()->setWindowIcon(m_hIcon);
    GetClientRect(&m_rcLastClient);
    CreateWindows();
    LayoutWindows();
    m_bInitialized = TRUE;
    return TRUE;
}

void CParamHostDialog::ShowHostedWindow(CWnd* pWnd)
{
    if (!pWnd)
        return;
    pWnd->ModifyStyleEx(0, WS_EX_DLGMODALFRAME);
    pWnd->ShowWindow(SW_SHOW);
}

void CParamHostDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    int dx = cx - m_rcLastClient.Width();
    int dy = cy - m_rcLastClient.Height();
    MoveControlBy(GetDlgItem(IDOK), this, dx, dy, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN);
    MoveControlBy(GetDlgItem(IDCANCEL), this, dx, dy, ANCHOR_MOVE_RIGHT | ANCHOR_MOVE_DOWN);
    AnchorControls(dx, dy);
    if (m_bInitialized)
        LayoutWindows();
    Invalidate();
    m_rcLastClient = CRect(0, 0, cx, cy);
}

// Closes only when the tab on show accepts its input and writes it back.
// Nothing goes to the parameter file: saving is the host's call.
void CParamHostDialog::OnOK()
{
    if (UpdateAllUIExt(UPD_COMMIT, nullptr) && CanEndDialog())
        EndDialog(IDOK);
}

void CParamHostDialog::OnCancel()
{
    if (UpdateAllUIExt(UPD_QUERY_CANCEL, nullptr) && CanEndDialog())
        EndDialog(IDCANCEL);
}

BOOL CParamHostDialog::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}

void CParamHostDialog::OnHelp()
{
    ShowContextHelp(m_hWnd, m_nHelpTopic, 0);
}

BOOL CParamHostDialog::DestroyWindow()
{
    DeleteWindows();
    m_bInitialized = FALSE;
    return CDialog::DestroyWindow();
}

// Deleting the windows unregisters them from the manager.
void CParamHostDialog::DeleteWindows()
{
    for (std::unique_ptr<CWnd>* ppWnd : {&m_pListWnd, &m_pPropertiesWnd, &m_pTypeWnd, &m_pDataSetWnd})
        ppWnd->reset();
}
