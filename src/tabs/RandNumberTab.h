#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Random-Number properties": the closed range a random value is drawn from
// (unsigned 32-bit bounds), its integer format with the lower bound as the
// sample, and when a new value is drawn. An empty or inverted range keeps
// the author on the tab; a rejected format writes nothing.
class TARVO_API CRandNumberTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CRandNumberTab(CTarvoMgr* pMgr);
    ~CRandNumberTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnChangeRange();
    void OnEditChangeFormat();
    void OnSelChangeFormat();
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbFormats;
    CComboBox m_cbPolicy;
    CEdit m_edSample;
    std::string m_strMin;
    std::string m_strMax;
    std::string m_strFormat;
    int m_nPolicy = -1;
    BOOL m_bFormatAccepted = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    // Fills the controls without their change handlers reading them half-filled.
    void PushControls();
    void RefreshSample();
    // Shows the message and puts the focus on the field with its text selected.
    BOOL Refuse(int nID, UINT nIDPrompt);

    bool m_bPushing = false;
};
