#pragma once

#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

// "All properties": the second page for a type without a tab of its own, so
// that such a type shows two tabs. It has no controls and writes nothing.
class CGeneralTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CGeneralTab(CTarvoMgr* pMgr);
    ~CGeneralTab() override;

protected:
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
