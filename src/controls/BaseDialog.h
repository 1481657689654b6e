#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"
#include "controls/DlgExt.h"

// A dialog with the fonts of CDlgExt whose help goes to the main window: F1
// (or the Help command) asks the top-level window for the dialog's topic,
// unless Shift, Ctrl or Alt is held down.
class TARVO_API CBaseDialog : public CDialog, public CDlgExt
{
public:
    CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bReadOnly, DWORD dwOptions);
    ~CBaseDialog() override;

    BOOL OnInitDialog() override;

protected:
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    // TRUE when the help request went to the top-level window.
    BOOL ForwardHelp();
};
