#include "ParamList.h"

CParam* CParamList::Find(const std::string& name) const
{
    auto it = m_mapByName.find(name);
    return it == m_mapByName.end() ? nullptr : it->second->pParam.get();
}

CParam* CParamList::Find(TURB_PARAM_ID id) const
{
    auto it = m_mapById.find(id);
    return it == m_mapById.end() ? nullptr : it->second->pParam.get();
}

CParam* CParamList::Add(const std::string& name, size_t nPlace)
{
    if (name.empty() || m_mapByName.count(name))
        return nullptr;
    TURB_PARAM_ID id = m_nNextId++;
    Iter where = m_listItems.end();
    if (nPlace < m_listItems.size())
        where = std::next(m_listItems.begin(), static_cast<std::ptrdiff_t>(nPlace));
    Iter it = m_listItems.insert(where, SItem{std::make_unique<CParam>(id, name), {}});
    m_mapByName.emplace(name, it);
    m_mapById.emplace(id, it);
    return it->pParam.get();
}

bool CParamList::Remove(const std::string& name)
{
    auto found = m_mapByName.find(name);
    if (found == m_mapByName.end())
        return false;
    Iter it = found->second;
    m_mapById.erase(it->pParam->GetId());
    m_mapByName.erase(found);
    m_listItems.erase(it);
    return true;
}

size_t CParamList::PlaceOf(const std::string& name) const
{
    auto found = m_mapByName.find(name);
    if (found == m_mapByName.end())
        return SIZE_MAX;
    return static_cast<size_t>(std::distance(m_listItems.begin(), std::list<SItem>::const_iterator(found->second)));
}

bool CParamList::Replace(const std::string& name, TURB_PARAM_ID newcomer)
{
    auto found = m_mapByName.find(name);
    auto moved = m_mapById.find(newcomer);
    if (found == m_mapByName.end() || moved == m_mapById.end() || found->second == moved->second)
        return false;
    // Splicing keeps the newcomer's node, so its indexes stay true.
    m_listItems.splice(found->second, m_listItems, moved->second);
    return Remove(name);
}

void CParamList::AddKeptBlock(std::string lines)
{
    m_listItems.push_back(SItem{nullptr, std::move(lines)});
}

void CParamList::Clear()
{
    m_mapByName.clear();
    m_mapById.clear();
    m_listItems.clear();
}

std::vector<TURB_PARAM_ID> CParamList::GetIds() const
{
    std::vector<TURB_PARAM_ID> ids;
    ids.reserve(m_mapById.size());
    for (const SItem& item : m_listItems)
        if (item.pParam)
            ids.push_back(item.pParam->GetId());
    return ids;
}
