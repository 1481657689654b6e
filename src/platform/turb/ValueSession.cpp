#include "ValueSession.h"

#include "Turbine.h"

#include <cstdlib>
#include <strings.h>

namespace
{
bool IsTrue(const std::string& text)
{
    return strcasecmp(text.c_str(), "TRUE") == 0;
}
} // namespace

int CValueSession::Prepare()
{
    Reset();
    Seed();
    m_turbine.GetParams().Walk(
        [this](const CParam& param)
        {
            if (IsSimulated(param))
                Build(param);
        },
        [](const std::string&) {});
    return TURB_OK;
}

int CValueSession::StartVuser()
{
    if (!m_bSeeded)
        Seed();
    ++m_nVuser;
    m_turbine.GetParams().Walk(
        [this](const CParam& param)
        {
            auto it = m_mapValues.find(param.GetName());
            if (it != m_mapValues.end())
                Start(param, it->second);
            else if (IsSimulated(param))
                Start(param, Build(param));
        },
        [](const std::string&) {});
    return TURB_OK;
}

int CValueSession::Advance(const std::string& name, bool bForce)
{
    CParamValue* value = Find(name);
    return value ? value->Advance(bForce) : TURB_E_NOT_FOUND;
}

int CValueSession::GetValue(const std::string& name, std::string& value)
{
    CParamValue* generator = Find(name);
    if (!generator)
    {
        value.clear();
        return TURB_E_NOT_FOUND;
    }
    return generator->GetValue(value);
}

void CValueSession::Forget(const std::string& name)
{
    m_mapValues.erase(name);
}

void CValueSession::Reset()
{
    m_mapValues.clear();
    m_nVuser = 0;
}

CParamValue* CValueSession::Find(const std::string& name)
{
    CParam* param = m_turbine.FindParam(name);
    if (!param)
    {
        m_mapValues.erase(name);
        return nullptr;
    }
    if (!m_bSeeded)
        Seed();
    auto it = m_mapValues.find(name);
    SEntry& entry = it != m_mapValues.end() ? it->second : Build(*param);
    if (entry.nStartedFor != CurrentVuser())
        Start(*param, entry);
    return entry.pValue.get();
}

CValueSession::SEntry& CValueSession::Build(const CParam& param)
{
    auto attrib = [&param](const std::string& key)
    {
        const std::string* value = param.Find(key);
        return value ? *value : std::string();
    };
    SValueSetup setup;
    setup.strType = attrib("Type");
    setup.fnAttrib = attrib;
    setup.fnInstanceAttrib = [this](const std::string& key) { return m_turbine.GetInstanceAttrib(key); };
    setup.fnFindValue = [this](const std::string& name) { return Find(name); };
    std::string scriptDir = attrib("SimScriptPath");
    setup.strDataFile =
        m_turbine.ResolveDataFile(param, scriptDir.empty() ? m_turbine.GetLocalDataDir(&param) : scriptDir);
    setup.pRandom = &m_random;
    SEntry& entry = m_mapValues[param.GetName()];
    entry.pValue = CParamValue::Create(setup);
    entry.nStartedFor = 0;
    return entry;
}

void CValueSession::Start(const CParam& param, SEntry& entry)
{
    SVuserStart start;
    start.nVuser = CurrentVuser();
    const std::string* range = param.Find("SimAllocatedRange");
    start.strAllocatedRange = range ? *range : std::string();
    entry.pValue->StartVuser(start);
    entry.nStartedFor = start.nVuser;
    if (!IsSimulated(param))
        return;
    const std::string* flag = param.Find("SimParamNotValid");
    CParam& writable = *m_turbine.FindParam(param.GetId());
    if (!entry.pValue->IsValid())
        writable.Set("SimParamNotValid", "TRUE");
    else if (flag && IsTrue(*flag))
        writable.Set("SimParamNotValid", std::string());
}

bool CValueSession::IsSimulated(const CParam& param) const
{
    const std::string* own = param.Find("InSimMode");
    return (own && IsTrue(*own)) || IsTrue(m_turbine.GetInstanceAttrib("InSimMode"));
}

void CValueSession::Seed()
{
    // A caller's seed makes runs repeatable; otherwise the C library's
    // generator decides, so a host that seeds it with srand steers this too.
    std::string seed = m_turbine.GetInstanceAttrib("RandomSeed");
    m_random.seed(seed.empty() ? static_cast<unsigned long long>(std::rand())
                               : std::strtoull(seed.c_str(), nullptr, 10));
    m_bSeeded = true;
}
