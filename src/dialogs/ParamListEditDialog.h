#pragma once

#include "dialogs/ParamHostDialog.h"

// "Parameter List": the whole parameter editor in one window. The list sits
// on the left with New and Delete under it, the type window and the
// properties sheet on the right and, with datasets, the dataset bar across
// the top. It edits nothing itself: its buttons act through the list, and
// Close and Escape close it only when every window agrees.
class CParamListEditDialog : public CParamHostDialog
{
public:
    // nOptions: the manager's custom options; OPT_DATASETS shows the dataset bar.
    CParamListEditDialog(CTarvoMgr* pMgr, unsigned nOptions, CWnd* pParentWnd);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void CreateWindows() override;
    void LayoutWindows() override;
    void AnchorControls(int dx, int dy) override;
    // Embedded in a host window the dialog never ends itself: the host closes it.
    BOOL CanEndDialog() const override { return (GetStyle() & WS_CHILD) == 0; }
    void OnNewParameter();
    void OnDeleteParameter();
    LRESULT OnDeleteParameterState(WPARAM wParam, LPARAM lParam);

    unsigned m_lOptions = 0;

    DECLARE_MESSAGE_MAP()

private:
    CRect FrameRect(int nID) const;
    void PostKeyToTree(UINT nVirtualKey);
};
