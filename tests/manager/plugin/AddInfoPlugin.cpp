// A tiny additional-information plug-in: it describes the active parameter
// under the key "PluginInfo".

#include "PluginInfo.h"

#include "manager/TarvoMgr.h"

#include <cstring>
#include <string>

namespace
{
class CPluginInfo final : public IPluginInfo
{
public:
    explicit CPluginInfo(const char* pszParamName) : m_strParamName(pszParamName) {}

    HRESULT QueryInterface(const char* pszInterface, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        bool bKnown = std::strcmp(pszInterface, IID_IUnknown) == 0 || std::strcmp(pszInterface, IID_IPluginInfo) == 0;
        *ppvObject = bKnown ? static_cast<IPluginInfo*>(this) : nullptr;
        if (!bKnown)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    unsigned long AddRef() override { return ++m_nRefs; }
    unsigned long Release() override
    {
        unsigned long nRefs = --m_nRefs;
        if (!nRefs)
            delete this;
        return nRefs;
    }
    const char* GetParamName() override { return m_strParamName.c_str(); }

private:
    ~CPluginInfo() = default;

    unsigned long m_nRefs = 1;
    std::string m_strParamName;
};
} // namespace

extern "C" void CreateAddInfoDllParam(CTarvoMgr* pMgr)
{
    IPluginInfo* pInfo = new CPluginInfo(pMgr->GetActiveParamName());
    pMgr->SetAdditionalInfo("PluginInfo", pInfo);
    pInfo->Release();
}
