#pragma once

#include "controls/QzTimeEdit.h"

// The time edit that tells its parent about every spin and released key
// through a callback, when it has one.
class TARVO_API CQzTimeEditControl : public CQzTimeEdit
{
public:
    typedef void (*PFN_TIME_CHANGED)(CWnd* pParent);

    explicit CQzTimeEditControl(PFN_TIME_CHANGED pfnChanged = nullptr, int nMaxHours = 23, int nHourWidth = 2);
    ~CQzTimeEditControl() override;

protected:
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    void NotifyChanged();

    PFN_TIME_CHANGED m_pfnChanged;
};
