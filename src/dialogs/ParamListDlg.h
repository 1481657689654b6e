#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"
#include "afx/ImageList.h"
#include "dialogs/TreeControlEx.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// Posted to the list window's parent after every update: wParam 1 while the
// list holds a parameter, 0 when it is empty.
#define TARVO_DELETE_PARAM_MESSAGE "OnDeleteParameter"

// The parameter list: a borderless child window showing the script's visible
// parameters as a one-level tree. The selected item follows the manager's
// active parameter and the other way round; new, rename and delete go through
// the manager, and the tree learns of every change from its broadcasts.
class TARVO_API CParamListDlg : public CDialog, public CTarvoMgrExt
{
public:
    explicit CParamListDlg(CTarvoMgr* pMgr);
    ~CParamListDlg() override;

    virtual BOOL Create(CWnd* pParentWnd);
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    // The embedded window never closes on Enter or Escape.
    void OnOK() override {}
    void OnCancel() override {}

    CTreeControlEx m_tree;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDownTree(NMHDR* pNMHDR, LRESULT* pResult);
    UINT OnGetDlgCode();
    void OnSize(UINT nType, int cx, int cy);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnRename();
    void OnNewParameter();
    void OnDeleteParameter();

    DECLARE_MESSAGE_MAP()

private:
    // Image 0 for parameters shown on the data-file tabs, 1 for the others,
    // -1 when the type cannot be read.
    int GetParamImage(const char* pszName);
    int GetTypeImage(const std::string& strType);
    void ReloadTree();
    void SelectActiveParam();
    BOOL CanRename(const char* pszNewName);

    CImageList m_imageList;
    // Set while the tree follows a manager update: the tree's own selection
    // notifications then neither change the active parameter nor broadcast.
    int m_bUpdating = 0;
};
