#pragma once

#include "turb/Turb.h"

#include <string>
#include <vector>

// One parameter: its name, id, file and its attributes in file order. Lines of
// its section that the engine does not understand are kept in their places.
class CParam
{
public:
    struct SEntry
    {
        std::string strKey;
        std::string strValue; // the whole line for a kept line
        bool bKeptLine = false;
    };

    CParam(TURB_PARAM_ID id, std::string name) : m_nId(id), m_strName(std::move(name)) {}

    TURB_PARAM_ID GetId() const { return m_nId; }
    const std::string& GetName() const { return m_strName; }
    const std::string& GetFilePath() const { return m_strFilePath; }
    void SetFilePath(std::string path) { m_strFilePath = std::move(path); }

    // The attribute's value, or null when the parameter lacks it.
    const std::string* Find(const std::string& key) const;
    // Sets the value, adding the attribute at the end when it is new.
    void Set(const std::string& key, std::string value);
    void AddKeptLine(std::string line);
    // True when every attribute of this parameter holds what the other holds
    // (an attribute the other lacks counts as empty).
    bool HasValuesOf(const CParam& other) const;
    // Takes the other's attributes and kept lines in their order.
    void TakeEntriesOf(const CParam& other) { m_arrEntries = other.m_arrEntries; }

    const std::vector<SEntry>& GetEntries() const { return m_arrEntries; }

private:
    TURB_PARAM_ID m_nId;
    std::string m_strName;
    std::string m_strFilePath;
    std::vector<SEntry> m_arrEntries;
};
