#pragma once

#include "TarvoExport.h"
#include "afx/TreeCtrl.h"

// The parameter list's tree: the label editor keeps its keys inside a
// dialog, labels hold at most 255 characters, and the right button selects
// the item under it.
class TARVO_API CTreeControlEx : public CTreeCtrl
{
public:
    ~CTreeControlEx() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
