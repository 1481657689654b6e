#pragma once

#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

// The page shown while no parameter is active: "No parameter selected".
class CNoPropertiesTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CNoPropertiesTab(CTarvoMgr* pMgr);
    ~CNoPropertiesTab() override;

protected:
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
