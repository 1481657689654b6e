#include "dialogs/NoPropertiesTab.h"

#include "controls/MoveControlBy.h"
#include "resources/PropertiesDialogs.h"

BEGIN_MESSAGE_MAP(CNoPropertiesTab, CResizePropertyPage)
ON_WM_SIZE()
END_MESSAGE_MAP()

CNoPropertiesTab::CNoPropertiesTab(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_NO_PROPERTIES), CTarvoMgrExt(pMgr) {}

CNoPropertiesTab::~CNoPropertiesTab() = default;

void CNoPropertiesTab::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls(
        {{IDC_NO_PROPERTIES_AREA, ANCHOR_RIGHT | ANCHOR_BOTTOM}, {IDC_NO_PARAMETER, ANCHOR_RIGHT | ANCHOR_BOTTOM}});
}
