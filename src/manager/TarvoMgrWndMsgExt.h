#pragma once

#include "TarvoExport.h"
#include "afx/AfxTypes.h"
#include "manager/ParamNotifyRecord.h"
#include "manager/TarvoMgrExt.h"

// Passes additions, deletions and renames on to the host's notify window as
// the registered message TARVO_NOTIFY_MESSAGE, synchronously.
class TARVO_API CTarvoMgrWndMsgExt : public CTarvoMgrExt
{
public:
    CTarvoMgrWndMsgExt(CTarvoMgr* pMgr, HWND hNotifyWnd);

    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    HWND m_hNotifyWnd;
};
