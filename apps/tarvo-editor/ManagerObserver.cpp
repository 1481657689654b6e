#include "ManagerObserver.h"

CManagerObserver::CManagerObserver(CTarvoMgr* pMgr, std::function<void(unsigned)> fnUpdate)
    : CTarvoMgrExt(pMgr), m_fnUpdate(std::move(fnUpdate))
{
}

// Never refuses: the editor only follows what happens.
int CManagerObserver::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*)
{
    m_fnUpdate(nCode);
    return 1;
}
