// The manager's members that create windows: defined here, beside the
// windows, so the manager itself includes no window class.

#include "manager/TarvoMgr.h"

#include "afx/MessageBox.h"
#include "controls/StringParam.h"
#include "dialogs/DatasetDlg.h"
#include "dialogs/NewParamDialog.h"
#include "dialogs/ParamFileDlg.h"
#include "dialogs/ParamListDlg.h"
#include "dialogs/ParamListEditDialog.h"
#include "dialogs/ParamPropertiesDlg.h"
#include "dialogs/ParamPropertiesEditDlg.h"
#include "dialogs/ParamTypeDlg.h"
#include "resources/ListEditDialogs.h"
#include "resources/StringIds.h"

#include <memory>

// Win32's values
#ifndef WS_EX_WINDOWEDGE
#define WS_EX_WINDOWEDGE 0x100L
#endif
#ifndef SWP_FRAMECHANGED
#define SWP_FRAMECHANGED 0x20
#endif

namespace
{
// A window of the manager's factories under the parent, brought up to date
// with the manager; null when its window cannot be created.
template <class TWnd>
CWnd* CreateUpdatedWnd(CTarvoMgr* pMgr, CWnd* pParentWnd, unsigned nCode, const char* pszData = nullptr)
{
    auto pWnd = std::make_unique<TWnd>(pMgr);
    if (!pWnd->Create(pParentWnd))
        return nullptr;
    pWnd->OnUpdateUIMgr(nullptr, nCode, pszData);
    return pWnd.release();
}
} // namespace

CWnd* CTarvoMgr::CreateDataSetWnd(CWnd* pParentWnd)
{
    return CreateUpdatedWnd<CDatasetDlg>(this, pParentWnd, UPD_DATASET_CHANGED,
                                         DatasetNameOf(m_strActiveParamFilePath).c_str());
}

CWnd* CTarvoMgr::CreateParamListWnd(CWnd* pParentWnd)
{
    return CreateUpdatedWnd<CParamListDlg>(this, pParentWnd, UPD_RELOAD);
}

BOOL CTarvoMgr::OpenParamSelectDialog(std::string& strName, std::string& strTypeName, long* pResult,
                                      const char* pszValueText, CWnd* pParentWnd)
{
    std::string strValue = pszValueText ? pszValueText : "";
    if (strValue == "\\")
    {
        std::string strMessage;
        FormatResourcePrintf(strMessage, IDS_ESCAPE_CHARACTER, strValue);
        AfxMessageBox(strMessage.c_str(), MB_OK);
        return FALSE;
    }
    if (strName.empty())
        strName = MangleParamName(AfxLoadString(IDS_NEW_PARAM_NAME).c_str());
    CNewParamDialog dlg(this, pParentWnd);
    dlg.m_strName = strName;
    dlg.m_strTypeName = strTypeName;
    dlg.m_strValue = strValue;
    INT_PTR nResult = dlg.DoModal();
    strName = dlg.m_strName;
    strTypeName = dlg.m_strTypeName;
    if (pResult)
        *pResult = static_cast<long>(nResult);
    return TRUE;
}

CWnd* CTarvoMgr::CreateParamTypeWnd(CWnd* pParentWnd)
{
    return CreateUpdatedWnd<CParamTypeDlg>(this, pParentWnd, UPD_RELOAD);
}

CWnd* CTarvoMgr::CreateParamFilesWnd(CWnd* pParentWnd)
{
    return CreateUpdatedWnd<CParamFileDlg>(this, pParentWnd, UPD_RELOAD);
}

CWnd* CTarvoMgr::CreateParamPropertiesWnd(CWnd* pParentWnd)
{
    return CreateUpdatedWnd<CParamPropertiesDlg>(this, pParentWnd, UPD_RELOAD);
}

int CTarvoMgr::OpenParameterPropertiesDialog(CWnd* pParentWnd)
{
    CParamPropertiesEditDlg dlg(this, pParentWnd);
    return static_cast<int>(dlg.DoModal());
}

// The tabs know their type's defaults: an invisible sheet under the
// manager's own window has each of them apply and write them.
BOOL CTarvoMgr::SetActiveParamAttribsToDefault()
{
    HWND hFocus = ::GetFocus();
    auto pSheet = std::make_unique<CParamPropertiesDlg>(this);
    if (!m_hWnd || !pSheet->Create(this))
        return FALSE;
    pSheet->OnUpdateUIMgr(nullptr, UPD_APPLY_DEFAULTS, nullptr);
    pSheet->DestroyWindow();
    pSheet.reset();
    if (CWnd* pFocus = CWnd::FromHandle(hFocus))
        pFocus->SetFocus();
    return TRUE;
}

int CTarvoMgr::OpenParameterEditDialog(CWnd* pParentWnd)
{
    CParamListEditDialog dlg(this, static_cast<unsigned>(m_lOptions), pParentWnd);
    return static_cast<int>(dlg.DoModal());
}

BOOL CTarvoMgr::OpenParamEditDialogAsChildWnd(CWnd* pParentWnd)
{
    // An open one stays as it is; one whose window went with its host window
    // is replaced.
    if (m_pChildEditDlg && m_pChildEditDlg->GetSafeHwnd())
        return FALSE;
    delete m_pChildEditDlg;
    m_pChildEditDlg = new CParamListEditDialog(this, static_cast<unsigned>(m_lOptions), pParentWnd);
    if (!m_pChildEditDlg->Create(IDD_PARAM_LIST_EDIT, pParentWnd))
    {
        delete m_pChildEditDlg;
        m_pChildEditDlg = nullptr;
        return FALSE;
    }
    // The child style first: re-parented with it, the window becomes part of
    // the host's window instead of a pop-up it owns.
    m_pChildEditDlg->ModifyStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_CHILD, SWP_FRAMECHANGED);
    m_pChildEditDlg->ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, 0, SWP_FRAMECHANGED);
    m_pChildEditDlg->SetParent(pParentWnd);
    CRect rect;
    m_pChildEditDlg->GetWindowRect(&rect);
    m_pChildEditDlg->MoveWindow(0, 0, rect.Width(), rect.Height());
    if (CWnd* pClose = m_pChildEditDlg->GetDlgItem(IDOK))
        pClose->ShowWindow(SW_HIDE);
    m_pChildEditDlg->ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CTarvoMgr::CloseParamEditDialogChildWnd()
{
    if (!m_pChildEditDlg)
        return FALSE;
    m_pChildEditDlg->DestroyWindow();
    delete m_pChildEditDlg;
    m_pChildEditDlg = nullptr;
    return TRUE;
}
