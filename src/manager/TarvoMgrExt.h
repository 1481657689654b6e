#pragma once

#include "TarvoExport.h"
#include "manager/UpdateCodes.h"

class CTarvoMgr;

// The observer side of the manager: every window of the library derives from
// it beside its window class, is registered with its manager from
// construction to destruction and hears every update code broadcast by the
// manager or by another window.
class TARVO_API CTarvoMgrExt
{
public:
    explicit CTarvoMgrExt(CTarvoMgr* pMgr);
    // A copy shares the manager but is not registered.
    CTarvoMgrExt(const CTarvoMgrExt& other);
    CTarvoMgrExt& operator=(const CTarvoMgrExt& other);
    virtual ~CTarvoMgrExt();

    // Null once the manager is gone.
    CTarvoMgr* GetTarvoManager() const { return m_pMgr; }
    void* GetTurbine() const;

    // Broadcasts to every other registered extension; 0 when one refused.
    int UpdateAllUIExt(unsigned nCode, const char* pszData);
    // Answers 1 unless the receiver refuses a change it can refuse.
    virtual int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData);

protected:
    CTarvoMgr* m_pMgr;

    friend class CTarvoMgr;
};
