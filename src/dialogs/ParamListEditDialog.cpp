#include "dialogs/ParamListEditDialog.h"

#include "controls/MoveControlBy.h"
#include "dialogs/ParamListDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/ListDialogs.h"
#include "resources/ListEditDialogs.h"

namespace
{
const unsigned long HELP_TOPIC = 141306;
// The dataset band's bottom less this much is what the windows move up by
// when there is no dataset bar.
const int DATASET_BAND_OVERLAP = 3;

// Registered once, when the library loads.
const UINT s_nDeleteParamMsg = RegisterWindowMessageA(TARVO_DELETE_PARAM_MESSAGE);

void PlaceWindow(CWnd* pWnd, const CRect& rect)
{
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
}
} // namespace

BEGIN_MESSAGE_MAP(CParamListEditDialog, CParamHostDialog)
ON_BN_CLICKED(IDC_PARAM_LIST_NEW, &CParamListEditDialog::OnNewParameter)
ON_BN_CLICKED(IDC_PARAM_LIST_DELETE, &CParamListEditDialog::OnDeleteParameter)
ON_REGISTERED_MESSAGE(s_nDeleteParamMsg, &CParamListEditDialog::OnDeleteParameterState)
END_MESSAGE_MAP()

CParamListEditDialog::CParamListEditDialog(CTarvoMgr* pMgr, unsigned nOptions, CWnd* pParentWnd)
    : CParamHostDialog(IDD_PARAM_LIST_EDIT, HELP_TOPIC, pMgr, pParentWnd), m_lOptions(nOptions)
{
}

// The list's first update posts "OnDeleteParameter", which sets the Delete
// button. A window that cannot be created leaves its frame empty.
void CParamListEditDialog::CreateWindows()
{
    if (!m_pMgr)
        return;
    m_pListWnd.reset(m_pMgr->CreateParamListWnd(this));
    m_pTypeWnd.reset(m_pMgr->CreateParamTypeWnd(this));
    m_pPropertiesWnd.reset(m_pMgr->CreateParamPropertiesWnd(this));
    for (CWnd* pWnd : {m_pListWnd.get(), m_pTypeWnd.get(), m_pPropertiesWnd.get()})
        ShowHostedWindow(pWnd);
    if (!(m_lOptions & OPT_DATASETS))
        return;
    m_pDataSetWnd.reset(m_pMgr->CreateDataSetWnd(this));
    if (m_pDataSetWnd)
        m_pDataSetWnd->ShowWindow(SW_SHOW);
}

// Each window takes the place of its frame. Without datasets the band of
// the dataset bar goes to the windows below it.
void CParamListEditDialog::LayoutWindows()
{
    CRect rcList = FrameRect(IDC_PARAM_LIST_FRAME);
    CRect rcType = FrameRect(IDC_PARAM_TYPE_FRAME);
    CRect rcProperties = FrameRect(IDC_PARAM_PROPERTIES_FRAME);
    if (m_lOptions & OPT_DATASETS)
        PlaceWindow(m_pDataSetWnd.get(), FrameRect(IDC_DATASET_FRAME));
    else
    {
        if (CWnd* pFrame = GetDlgItem(IDC_DATASET_FRAME))
            pFrame->ShowWindow(SW_HIDE);
        int d = FrameRect(IDC_DATASET_FRAME).bottom - DATASET_BAND_OVERLAP;
        rcList.top -= d;
        rcType.OffsetRect(0, -d);
        rcProperties.top -= d;
    }
    PlaceWindow(m_pListWnd.get(), rcList);
    PlaceWindow(m_pTypeWnd.get(), rcType);
    PlaceWindow(m_pPropertiesWnd.get(), rcProperties);
}

CRect CParamListEditDialog::FrameRect(int nID) const
{
    CRect rect;
    if (CWnd* pFrame = GetDlgItem(nID))
    {
        pFrame->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CParamListEditDialog::AnchorControls(int dx, int dy)
{
    MoveControlBy(GetDlgItem(IDC_PARAM_LIST_FRAME), this, dx, dy, ANCHOR_BOTTOM);
    MoveControlBy(GetDlgItem(IDC_PARAM_PROPERTIES_FRAME), this, dx, dy, ANCHOR_RIGHT | ANCHOR_BOTTOM);
    MoveControlBy(GetDlgItem(IDC_PARAM_TYPE_FRAME), this, dx, dy, ANCHOR_RIGHT);
    MoveControlBy(GetDlgItem(IDC_PARAM_LIST_NEW), this, dx, dy, ANCHOR_MOVE_DOWN);
    MoveControlBy(GetDlgItem(IDC_PARAM_LIST_DELETE), this, dx, dy, ANCHOR_MOVE_DOWN);
}

// New and Delete act exactly as the Insert and Delete keys in the list.
void CParamListEditDialog::OnNewParameter()
{
    PostKeyToTree(VK_INSERT);
}

void CParamListEditDialog::OnDeleteParameter()
{
    PostKeyToTree(VK_DELETE);
}

void CParamListEditDialog::PostKeyToTree(UINT nVirtualKey)
{
    if (CWnd* pTree = m_pListWnd ? m_pListWnd->GetDlgItem(IDC_PARAM_LIST_TREE) : nullptr)
        pTree->PostMessage(WM_KEYDOWN, nVirtualKey, MAKELPARAM(1, 0));
}

LRESULT CParamListEditDialog::OnDeleteParameterState(WPARAM wParam, LPARAM)
{
    if (CWnd* pDelete = GetDlgItem(IDC_PARAM_LIST_DELETE))
        pDelete->EnableWindow(wParam != 0);
    return 0;
}

// Ctrl+Tab switches the property tabs from anywhere in the dialog.
BOOL CParamListEditDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) &&
        m_pPropertiesWnd && m_pPropertiesWnd->GetSafeHwnd() && m_pPropertiesWnd->PreTranslateMessage(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
