#include "manager/TarvoMgrExt.h"

#include "manager/TarvoMgr.h"

CTarvoMgrExt::CTarvoMgrExt(CTarvoMgr* pMgr) : m_pMgr(pMgr)
{
    if (m_pMgr)
        m_pMgr->AddExt(this);
}

CTarvoMgrExt::CTarvoMgrExt(const CTarvoMgrExt& other) : m_pMgr(other.m_pMgr)
{
    if (m_pMgr)
        m_pMgr->m_arrUnlistedExts.push_back(this);
}

CTarvoMgrExt& CTarvoMgrExt::operator=(const CTarvoMgrExt& other)
{
    // The target leaves its own manager's list first: were it to stay there
    // under another manager's pointer, its destructor would unregister it from
    // the wrong one and leave a dangling entry behind.
    if (this != &other)
    {
        if (m_pMgr)
            m_pMgr->RemoveExt(this);
        m_pMgr = other.m_pMgr;
        if (m_pMgr)
            m_pMgr->m_arrUnlistedExts.push_back(this);
    }
    return *this;
}

CTarvoMgrExt::~CTarvoMgrExt()
{
    if (m_pMgr)
        m_pMgr->RemoveExt(this);
}

void* CTarvoMgrExt::GetTurbine() const
{
    return m_pMgr ? m_pMgr->GetTurbine() : nullptr;
}

int CTarvoMgrExt::UpdateAllUIExt(unsigned nCode, const char* pszData)
{
    return m_pMgr ? m_pMgr->UpdateAllUIExt(this, nCode, pszData) : 1;
}

int CTarvoMgrExt::OnUpdateUIMgr(CTarvoMgrExt*, unsigned, const char*)
{
    return 1;
}
