#include "Param.h"

const std::string* CParam::Find(const std::string& key) const
{
    for (const SEntry& entry : m_arrEntries)
        if (!entry.bKeptLine && entry.strKey == key)
            return &entry.strValue;
    return nullptr;
}

void CParam::Set(const std::string& key, std::string value)
{
    for (SEntry& entry : m_arrEntries)
        if (!entry.bKeptLine && entry.strKey == key)
        {
            entry.strValue = std::move(value);
            return;
        }
    m_arrEntries.push_back({key, std::move(value), false});
}

void CParam::AddKeptLine(std::string line)
{
    m_arrEntries.push_back({std::string(), std::move(line), true});
}

bool CParam::HasValuesOf(const CParam& other) const
{
    for (const SEntry& entry : m_arrEntries)
    {
        const std::string* value = other.Find(entry.strKey);
        if (!entry.bKeptLine && entry.strValue != (value ? *value : std::string()))
            return false;
    }
    return true;
}
