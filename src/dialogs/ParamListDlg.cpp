#include "dialogs/ParamListDlg.h"

#include "afx/DataExchange.h"
#include "afx/Menu.h"
#include "afx/MessageBox.h"
#include "dialogs/DeleteParamDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/Images.h"
#include "resources/ListDialogs.h"
#include "resources/Menus.h"
#include "resources/StringIds.h"
#include "resources/TarvoResources.h"
#include "turb/TurbAccess.h"

#include <strings.h>

#ifndef DLGC_BUTTON
#define DLGC_BUTTON 0x2000 // Win32's value
#endif

namespace
{
// Registered once, when the library loads.
const UINT s_nDeleteParamMsg = RegisterWindowMessageA(TARVO_DELETE_PARAM_MESSAGE);
} // namespace

BEGIN_MESSAGE_MAP(CParamListDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, IDC_PARAM_LIST_TREE, &CParamListDlg::OnSelChanged)
ON_NOTIFY(TVN_ENDLABELEDIT, IDC_PARAM_LIST_TREE, &CParamListDlg::OnEndLabelEdit)
ON_NOTIFY(TVN_SELCHANGING, IDC_PARAM_LIST_TREE, &CParamListDlg::OnSelChanging)
ON_NOTIFY(TVN_KEYDOWN, IDC_PARAM_LIST_TREE, &CParamListDlg::OnKeyDownTree)
ON_WM_GETDLGCODE()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_RENAME_PARAMETER, &CParamListDlg::OnRename)
ON_COMMAND(ID_NEW_PARAMETER, &CParamListDlg::OnNewParameter)
ON_COMMAND(ID_DELETE_PARAMETER, &CParamListDlg::OnDeleteParameter)
END_MESSAGE_MAP()

CParamListDlg::CParamListDlg(CTarvoMgr* pMgr) : CTarvoMgrExt(pMgr) {}

CParamListDlg::~CParamListDlg() = default;

BOOL CParamListDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_PARAM_LIST_WND, pParentWnd);
}

void CParamListDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PARAM_LIST_TREE, m_tree);
}

BOOL CParamListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_imageList.Create(IDB_PARAM_TYPES, 16, 1, RGB(255, 255, 255));
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    return TRUE;
}

// Ctrl+Tab in the tree is left to the host's frames.
BOOL CParamListDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && pMsg->hwnd == m_tree.GetSafeHwnd() &&
        (GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

// Manager updates

int CParamListDlg::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char* pszData)
{
    // Before the window exists there is nothing to show; a nested update
    // comes from this window's own reaction and is ignored.
    if (m_bUpdating || !m_tree.GetSafeHwnd() || !m_pMgr)
        return 1;
    m_bUpdating = 1;
    switch (nCode)
    {
    case UPD_RELOAD:
        ReloadTree();
        SelectActiveParam();
        break;
    case UPD_ACTIVE_CHANGED:
        SelectActiveParam();
        break;
    case UPD_TYPE_CHANGED:
        if (HTREEITEM hItem = m_tree.GetSelectedItem())
        {
            int nImage = GetParamImage(m_pMgr->GetActiveParamName());
            m_tree.SetItemImage(hItem, nImage, nImage);
        }
        break;
    case UPD_RENAMED:
        if (HTREEITEM hItem = m_tree.GetSelectedItem(); hItem && pszData)
            m_tree.SetItemText(hItem, pszData);
        break;
    case UPD_ADDED:
        if (pszData)
        {
            int nImage = GetParamImage(pszData);
            m_tree.SelectItem(m_tree.InsertItem(pszData, nImage, nImage, TVI_ROOT, TVI_LAST));
        }
        break;
    default:
        break;
    }
    m_bUpdating = 0;
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(s_nDeleteParamMsg, m_tree.GetCount() > 0 ? 1 : 0, 0);
    return 1;
}

// Every visible parameter of the engine, sorted by name ignoring case. One
// sort after appending orders them as inserting each one sorted would, but
// stays fast for scripts with thousands of parameters.
void CParamListDlg::ReloadTree()
{
    m_tree.DeleteAllItems();
    void* hTurbine = GetTurbine();
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(hTurbine))
    {
        std::string strName = CTurbAccess::ReadAttrib(hTurbine, id, "ParamName").value_or("");
        std::string strType = CTurbAccess::ReadAttrib(hTurbine, id, "Type").value_or("");
        if (strName.empty() || strType.empty() || m_pMgr->IsParameterTypeHidden(strType))
            continue;
        int nImage = GetTypeImage(strType);
        m_tree.InsertItem(strName.c_str(), nImage, nImage, TVI_ROOT, TVI_LAST);
    }
    m_tree.SortChildren(TVI_ROOT);
}

// An empty or unknown active name leaves the selection as it is.
void CParamListDlg::SelectActiveParam()
{
    std::string strActive = m_pMgr->GetActiveParamName();
    HTREEITEM hFound = nullptr;
    for (HTREEITEM hItem = m_tree.GetRootItem(); hItem; hItem = m_tree.GetNextSiblingItem(hItem))
        if (m_tree.GetItemText(hItem) == strActive)
            hFound = hItem;
    if (hFound)
        m_tree.SelectItem(hFound);
}

int CParamListDlg::GetParamImage(const char* pszName)
{
    std::optional<std::string> strType = CTurbAccess::ReadAttrib(GetTurbine(), pszName, "Type");
    return strType ? GetTypeImage(*strType) : -1;
}

int CParamListDlg::GetTypeImage(const std::string& strType)
{
    if (strType.empty())
        return -1;
    std::string strTab = m_pMgr->GetTypeDisplayUI(strType);
    return strcasecmp(strTab.c_str(), "FileTab") == 0 || strTab == "TableTab" ? 0 : 1;
}

// Tree notifications

void CParamListDlg::OnSelChanged(NMHDR*, LRESULT*)
{
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (m_bUpdating || !m_pMgr || !hItem)
        return;
    std::string strName = m_tree.GetItemText(hItem);
    m_pMgr->SetActiveParamName(strName.c_str());
    UpdateAllUIExt(UPD_ACTIVE_CHANGED, strName.c_str());
}

// The other windows may keep the author on the current parameter (a tab
// with invalid input answers 0).
void CParamListDlg::OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bUpdating || !m_tree.GetSelectedItem())
        return;
    std::string strNext = m_tree.GetItemText(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem);
    if (!UpdateAllUIExt(UPD_BEFORE_ACTIVE_CHANGE, strNext.c_str()))
        *pResult = 1;
}

// A label committed unchanged is no rename: it is taken as it is, silently.
void CParamListDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const TVITEM& item = reinterpret_cast<NMTVDISPINFO*>(pNMHDR)->item;
    const char* pszNewName = item.pszText;
    if (pszNewName && item.hItem && m_tree.GetItemText(item.hItem) == pszNewName)
    {
        *pResult = 1;
        return;
    }
    *pResult = pszNewName && m_pMgr && CanRename(pszNewName) && m_pMgr->RenameActiveParam(pszNewName);
}

BOOL CParamListDlg::CanRename(const char* pszNewName)
{
    if (!m_pMgr->IsValidParamName(pszNewName, 1))
        return FALSE;
    if (m_pMgr->IsExistingParamName(pszNewName))
    {
        AfxMessageBox(IDS_PARAM_NAME_EXISTS, MB_OK);
        return FALSE;
    }
    if (!m_pMgr->GetMatchingParamNameNoCase(pszNewName).empty())
    {
        AfxMessageBox(IDS_NAME_EXISTS_OTHER_CASE, MB_OK);
        return FALSE;
    }
    return TRUE;
}

void CParamListDlg::OnKeyDownTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    switch (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey)
    {
    case VK_INSERT:
        OnNewParameter();
        break;
    case VK_DELETE:
        if (m_tree.GetCount() > 0)
            OnDeleteParameter();
        break;
    case VK_F2:
        OnRename();
        break;
    default:
        break;
    }
}

// Window messages

UINT CParamListDlg::OnGetDlgCode()
{
    return DLGC_BUTTON;
}

void CParamListDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd())
        m_tree.MoveWindow(0, 0, cx, cy, TRUE);
}

// From the keyboard the menu opens under the selected item's label; from the
// mouse, for the item under the pointer or, off the items, with "New" only.
void CParamListDlg::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (pWnd != &m_tree)
        return;
    bool bOnItem = false;
    if (point.x < 0 && point.y < 0)
    {
        HTREEITEM hItem = m_tree.GetSelectedItem();
        bOnItem = hItem != nullptr;
        CRect rcLabel;
        if (hItem && m_tree.GetItemRect(hItem, &rcLabel, TRUE))
        {
            point = CPoint(rcLabel.left, rcLabel.bottom);
            m_tree.ClientToScreen(&point);
        }
    }
    else
    {
        CPoint ptTree = point;
        m_tree.ScreenToClient(&ptTree);
        UINT nFlags = 0;
        HTREEITEM hItem = m_tree.HitTest(ptTree, &nFlags);
        // The commands act on the selected item: an item that could not be
        // selected (the active tab refused to let go) is no target.
        bOnItem = hItem && (nFlags & TVHT_ONITEM) && hItem == m_tree.GetSelectedItem();
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_PARAM_LIST_POPUP))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(bOnItem ? 1 : 0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

// Commands

void CParamListDlg::OnRename()
{
    if (HTREEITEM hItem = m_tree.GetSelectedItem())
        m_tree.EditLabel(hItem);
}

// The manager's broadcasts append and select the new item; its label is then
// edited so that the author types the intended name at once.
void CParamListDlg::OnNewParameter()
{
    if (!m_pMgr)
        return;
    std::string strName = m_pMgr->MangleParamName(AfxLoadString(IDS_NEW_PARAM_NAME).c_str());
    m_pMgr->m_bForceDataFileDefaults = 0;
    BOOL bCreated = m_pMgr->CreateNewParameter(strName.c_str(), m_pMgr->GetDefaultParameterType().c_str(), "");
    m_pMgr->m_bForceDataFileDefaults = 1;
    // A failed creation selected nothing new: no other parameter's label is opened.
    if (bCreated)
        OnRename();
}

// After the deletion the neighbour below, or above for the last item, becomes
// active.
void CParamListDlg::OnDeleteParameter()
{
    if (!m_pMgr)
        return;
    CDeleteParamDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    std::string strNeighbour;
    if (HTREEITEM hItem = m_tree.GetSelectedItem())
    {
        HTREEITEM hNext = m_tree.GetNextSiblingItem(hItem);
        if (!hNext)
            hNext = m_tree.GetPrevSiblingItem(hItem);
        if (hNext)
            strNeighbour = m_tree.GetItemText(hNext);
    }
    std::string strName = m_pMgr->GetActiveParamName();
    if (!m_pMgr->DeleteParameter(strName.c_str(), dlg.m_bDeleteDataFile, 1) || strNeighbour.empty())
        return;
    m_pMgr->SetActiveParamName(strNeighbour.c_str());
    m_pMgr->UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, strNeighbour.c_str());
}
