#include "TypeCatalog.h"

#include "ketrin/Ketrin.h"

#include <filesystem>
#include <fstream>
#include <strings.h>

namespace
{
const char* const SECTION = "EngineTypes";

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool IsSectionLine(const std::string& line, std::string& name)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    name = Trim(line.substr(1, line.size() - 2));
    return true;
}
} // namespace

bool CTypeCatalog::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || !std::filesystem::is_regular_file(path, ec))
        return false;
    m_strDirectory = ketrin::PathDir(std::filesystem::absolute(path, ec).lexically_normal().string());

    bool bInSection = false;
    std::string line;
    while (std::getline(in, line))
    {
        line = Trim(line);
        std::string section;
        if (IsSectionLine(line, section))
        {
            bInSection = strcasecmp(section.c_str(), SECTION) == 0;
            continue;
        }
        size_t eq = line.find('=');
        if (!bInSection || line.empty() || line[0] == ';' || eq == std::string::npos)
            continue;
        std::string type = Trim(line.substr(0, eq));
        if (!type.empty() && !HasType(type))
            AddType(type, line.substr(eq + 1));
    }
    return !in.bad();
}

bool CTypeCatalog::HasType(const std::string& type) const
{
    return m_mapTypes.count(type) != 0;
}

const std::vector<std::string>* CTypeCatalog::GetAttributes(const std::string& type) const
{
    auto it = m_mapTypes.find(type);
    return it == m_mapTypes.end() ? nullptr : &it->second.arrAttributes;
}

const char* CTypeCatalog::GetKeyList(const std::string& type) const
{
    auto it = m_mapTypes.find(type);
    return it == m_mapTypes.end() ? nullptr : it->second.strKeyList.c_str();
}

void CTypeCatalog::AddType(const std::string& type, const std::string& list)
{
    SType entry;
    size_t start = 0;
    while (start <= list.size())
    {
        size_t comma = list.find(',', start);
        std::string name = Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        bool bKnown = false;
        for (const std::string& existing : entry.arrAttributes)
            bKnown = bKnown || existing == name;
        if (!name.empty() && !bKnown)
        {
            entry.strKeyList += (entry.arrAttributes.empty() ? "" : ",") + name;
            entry.arrAttributes.push_back(name);
        }
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    m_arrTypes.push_back(type);
    m_mapTypes.emplace(type, std::move(entry));
}
