#pragma once

// Lets the editor hear the manager's update codes like a window of the
// library does, so it notices what the dataset bar changes.

#include "manager/TarvoMgrExt.h"

#include <functional>

class CManagerObserver : public CTarvoMgrExt
{
public:
    CManagerObserver(CTarvoMgr* pMgr, std::function<void(unsigned)> fnUpdate);

    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

private:
    std::function<void(unsigned)> m_fnUpdate;
};
