#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Unique-Number properties": where numbering starts, how many numbers each
// Vuser gets, their integer format with the start as the sample, when a new
// value is taken and what a Vuser does once its block is used up. A block
// size that is not positive keeps the author on the parameter and in the
// dialog; a rejected format writes nothing.
class TARVO_API CUniqueNumberTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CUniqueNumberTab(CTarvoMgr* pMgr);
    ~CUniqueNumberTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnChangeNumber();
    void OnEditChangeFormat();
    void OnSelChangeFormat();
    void OnSelChangePolicy();
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbFormats;
    CComboBox m_cbPolicy;
    CComboBox m_cbOutOfValues;
    CEdit m_edSample;
    CEdit m_edStart;
    CEdit m_edBlockSize;
    std::string m_strStart;
    std::string m_strBlockSize = "100";
    std::string m_strFormat;
    int m_nPolicy = -1;
    BOOL m_bFormatAccepted = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    void PushControls();
    void RefreshSample();
    // The out-of-values list matters only while values are taken repeatedly.
    void EnableOutOfValues();

    bool m_bPushing = false;
};
