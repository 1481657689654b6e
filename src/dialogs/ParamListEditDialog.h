#pragma once

#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

#include <QIcon>

#include <memory>

// "Parameter List": the whole parameter editor in one window. The list sits
// on the left with New and Delete under it, the type window and the
// properties sheet on the right and, with datasets, the dataset bar across
// the top. It edits nothing itself: its buttons act through the list, and
// Close and Escape close it only when every window agrees.
class CParamListEditDialog : public CDialog, public CTarvoMgrExt
{
public:
    // nOptions: the manager's custom options; OPT_DATASETS shows the dataset bar.
    CParamListEditDialog(CTarvoMgr* pMgr, unsigned nOptions, CWnd* pParentWnd);
    ~CParamListEditDialog() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT nType, int cx, int cy);
    void OnNewParameter();
    void OnDeleteParameter();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnHelp();
    LRESULT OnDeleteParameterState(WPARAM wParam, LPARAM lParam);

    QIcon m_hIcon;
    BOOL m_bInitialized = FALSE;
    std::unique_ptr<CWnd> m_pListWnd;
    std::unique_ptr<CWnd> m_pPropertiesWnd;
    std::unique_ptr<CWnd> m_pTypeWnd;
    std::unique_ptr<CWnd> m_pDataSetWnd;
    CRect m_rcLastClient;
    unsigned m_lOptions = 0;

    DECLARE_MESSAGE_MAP()

private:
    void CreateWindows();
    void LayoutWindows();
    CRect FrameRect(int nID) const;
    void PostKeyToTree(UINT nVirtualKey);
    void DeleteWindows();
    // Embedded in a host window the dialog never ends itself: the host closes it.
    BOOL IsChildMode() const { return (GetStyle() & WS_CHILD) != 0; }
};
