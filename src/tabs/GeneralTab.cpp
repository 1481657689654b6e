#include "tabs/GeneralTab.h"

#include "resources/PropertiesDialogs.h"

BEGIN_MESSAGE_MAP(CGeneralTab, CResizePropertyPage)
ON_WM_SIZE()
END_MESSAGE_MAP()

CGeneralTab::CGeneralTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_GENERAL_TAB), CTarvoMgrExt(pMgr) {}

CGeneralTab::~CGeneralTab() = default;

void CGeneralTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({});
}
