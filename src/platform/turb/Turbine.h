#pragma once

#include "ParamList.h"
#include "TypeCatalog.h"
#include "ValueSession.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// One engine instance: the type catalogue, the parameters of its file, the
// instance-wide attributes and the value-generation state.
class CTurbine
{
public:
    CTurbine();
    ~CTurbine();
    CTurbine(const CTurbine&) = delete;
    CTurbine& operator=(const CTurbine&) = delete;

    // Null when the handle is not a live instance.
    static CTurbine* FromHandle(void* handle);

    bool Open(const std::string& typeDefFile);

    int AddParamFile(const std::string& path);
    void ClearParams();
    int Save(const char* path);
    bool NewParam(const std::string& name, const std::string& type, const char* prmPath);
    int DeleteParam(const std::string& name);

    const CParamList& GetParams() const { return m_params; }
    const CTypeCatalog& GetTypes() const { return m_types; }
    CParam* FindParam(const std::string& name) const { return m_params.Find(name); }
    CParam* FindParam(TURB_PARAM_ID id) const { return m_params.Find(id); }

    // Attributes of a parameter, or instance-wide ones when param is null.
    int GetAttrib(const CParam* param, const std::string& key, std::string& value) const;
    int SetAttrib(CParam* param, const std::string& key, std::string value);
    // An instance-wide attribute, empty when unset.
    std::string GetInstanceAttrib(const std::string& key) const;

    // The parameter's data file resolved against the given local directory.
    std::string ResolveDataFile(const CParam& param, const std::string& localDir) const;
    std::string GetLocalDataDir(const CParam* param) const;

    CValueSession& GetValues() { return m_values; }

private:
    // The lines kept without being understood, comments and blank lines left out.
    std::string GetKeptContent() const;
    static bool IsDerived(const std::string& key);

    uint32_t m_nMagic;
    CTypeCatalog m_types;
    CParamList m_params;
    std::string m_strFilePath;
    // The file exists but could not be read: saving over it would lose it.
    bool m_bFileUnread = false;
    // The parameter NewParam appended last, until the next delete, load or save.
    TURB_PARAM_ID m_nNewcomer = 0;
    // The name and place of the parameter deleted last, until the next new
    // parameter, load or save: created again at once, it takes its place back.
    std::string m_strVacated;
    size_t m_nVacatedPlace = 0;
    std::unordered_map<std::string, std::string> m_mapInstanceAttribs;
    CValueSession m_values;
};
