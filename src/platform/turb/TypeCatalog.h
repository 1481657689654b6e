#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// The engine's parameter types and the attributes of each, read from the
// section "EngineTypes" of the type-definition file: one key per type, in
// order, whose value lists the type's attribute names separated by commas.
class CTypeCatalog
{
public:
    // False when the file cannot be read.
    bool Load(const std::string& path);

    const std::vector<std::string>& GetTypes() const { return m_arrTypes; }
    bool HasType(const std::string& type) const;
    // The type's attribute names, or null for an unknown type.
    const std::vector<std::string>* GetAttributes(const std::string& type) const;
    // The same as one comma-separated text, or null.
    const char* GetKeyList(const std::string& type) const;
    // Absolute directory of the type-definition file.
    const std::string& GetDirectory() const { return m_strDirectory; }

private:
    struct SType
    {
        std::vector<std::string> arrAttributes;
        std::string strKeyList;
    };

    void AddType(const std::string& type, const std::string& list);

    std::vector<std::string> m_arrTypes;
    std::unordered_map<std::string, SType> m_mapTypes;
    std::string m_strDirectory;
};
