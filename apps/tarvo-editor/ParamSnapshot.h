#pragma once

// Every parameter of an engine instance with every attribute of its type, in
// order: two snapshots differ exactly when saving would write something else.

#include <string>
#include <vector>

class CParamSnapshot
{
public:
    void Take(void* hTurbine);
    // What the parameter file holds on disk, read with those type definitions.
    void TakeFromFile(const std::string& strDatFile, const std::string& strPath);
    bool operator==(const CParamSnapshot& other) const { return m_arrLines == other.m_arrLines; }
    bool operator!=(const CParamSnapshot& other) const { return !(*this == other); }

private:
    std::vector<std::string> m_arrLines;
};
