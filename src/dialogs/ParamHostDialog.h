#pragma once

#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

#include <QIcon>
#include <memory>

// The base of the dialogs that host the manager's windows (Parameter List,
// Parameter Properties): the library's icon, Close and Cancel that end the
// dialog only when every window agrees, help at the dialog's topic, the
// Close and Cancel buttons kept in the bottom-right corner, and the hosted
// windows deleted with the dialog's window.
class CParamHostDialog : public CDialog, public CTarvoMgrExt
{
public:
    CParamHostDialog(UINT nIDTemplate, unsigned long nHelpTopic, CTarvoMgr* pMgr, CWnd* pParentWnd);
    ~CParamHostDialog() override;

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnHelp();

    // The derived dialog's own part of the work.
    virtual void CreateWindows() = 0;
    virtual void LayoutWindows() = 0;
    // Moves the derived dialog's own controls by the change of client size.
    virtual void AnchorControls(int dx, int dy) {}
    // Embedded in a host window the dialog never ends itself: the host closes it.
    virtual BOOL CanEndDialog() const { return TRUE; }

    // Shows a created window with the frame of an embedded pane.
    static void ShowHostedWindow(CWnd* pWnd);

    QIcon m_hIcon;
    CRect m_rcLastClient;
    BOOL m_bInitialized = FALSE;
    // The hosted windows, those the dialog has; deleted with its window.
    std::unique_ptr<CWnd> m_pListWnd;
    std::unique_ptr<CWnd> m_pTypeWnd;
    std::unique_ptr<CWnd> m_pPropertiesWnd;
    std::unique_ptr<CWnd> m_pDataSetWnd;

    DECLARE_MESSAGE_MAP()

private:
    void DeleteWindows();

    unsigned long m_nHelpTopic;
};
