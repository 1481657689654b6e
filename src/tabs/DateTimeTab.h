#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "afx/SpinButtonCtrl.h"
#include "controls/QzTimeEditControl.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Date/Time properties": the strftime-style format of the current time,
// picked from the author's own list, with the current time in it as the
// sample, refreshed twice a second; an offset of days and a time of day,
// forwards or backwards, in working days only if wished; and when a new
// value is taken. The offset is stored, not shown in the sample.
class TARVO_API CDateTimeTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CDateTimeTab(CTarvoMgr* pMgr);
    ~CDateTimeTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelChangeFormat();
    void OnEditChangeFormat();
    void OnAddFormat();
    void OnDeleteFormat();
    void OnResetFormats();
    void OnChangeDays();
    void OnOffsetOn();
    void OnWorkingDays();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbFormats;
    CComboBox m_cbPolicy;
    CEdit m_edSample;
    CEdit m_edDays;
    CSpinButtonCtrl m_spinDays;
    CQzTimeEditControl m_edTime;
    std::string m_strFormat;
    std::string m_strDays;
    int m_nOffsetOn = 0;
    int m_nWorkingDays = 0;
    int m_nPrior = 0;
    int m_nPolicy = -1;
    UINT_PTR m_nTimer = 0;
    bool m_bInitialised = false;

    DECLARE_MESSAGE_MAP()

private:
    void PushControls();
    void RefreshSample();
    void EnableOffset();
    void SplitOffset(const std::string& strOffset);
    std::string AssembleOffset();
    void WriteAttributes();
    // The format joins the list the first time it is shown.
    void ShowFormatInList();

    int m_nMaxDays = 0;
    bool m_bPushing = false;
};
