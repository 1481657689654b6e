// The manager's members that create windows: defined here, beside the
// windows, so the manager itself includes no window class.

#include "manager/TarvoMgr.h"

#include "dialogs/DatasetDlg.h"
#include "dialogs/ParamFileDlg.h"
#include "dialogs/ParamPropertiesDlg.h"
#include "dialogs/ParamPropertiesEditDlg.h"
#include "dialogs/ParamTypeDlg.h"

CWnd* CTarvoMgr::CreateDataSetWnd(CWnd* pParentWnd)
{
    auto* pWnd = new CDatasetDlg(this);
    if (!pWnd->Create(pParentWnd))
    {
        delete pWnd;
        return nullptr;
    }
    pWnd->OnUpdateUIMgr(nullptr, UPD_DATASET_CHANGED, DatasetNameOf(m_strActiveParamFilePath).c_str());
    return pWnd;
}

CWnd* CTarvoMgr::CreateParamTypeWnd(CWnd* pParentWnd)
{
    auto* pWnd = new CParamTypeDlg(this);
    if (!pWnd->Create(pParentWnd))
    {
        delete pWnd;
        return nullptr;
    }
    pWnd->OnUpdateUIMgr(nullptr, UPD_RELOAD, nullptr);
    return pWnd;
}

CWnd* CTarvoMgr::CreateParamFilesWnd(CWnd* pParentWnd)
{
    auto* pWnd = new CParamFileDlg(this);
    if (!pWnd->Create(pParentWnd))
    {
        delete pWnd;
        return nullptr;
    }
    pWnd->OnUpdateUIMgr(nullptr, UPD_RELOAD, nullptr);
    return pWnd;
}

CWnd* CTarvoMgr::CreateParamPropertiesWnd(CWnd* pParentWnd)
{
    auto* pWnd = new CParamPropertiesDlg(this);
    if (!pWnd->Create(pParentWnd))
    {
        delete pWnd;
        return nullptr;
    }
    pWnd->OnUpdateUIMgr(nullptr, UPD_RELOAD, nullptr);
    return pWnd;
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
    auto* pSheet = new CParamPropertiesDlg(this);
    if (!m_hWnd || !pSheet->Create(this))
    {
        delete pSheet;
        return FALSE;
    }
    pSheet->OnUpdateUIMgr(nullptr, UPD_APPLY_DEFAULTS, nullptr);
    pSheet->DestroyWindow();
    delete pSheet;
    if (CWnd* pFocus = CWnd::FromHandle(hFocus))
        pFocus->SetFocus();
    return TRUE;
}
