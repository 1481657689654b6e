#pragma once

#include "ParamValue.h"

#include <memory>
#include <random>
#include <string>
#include <unordered_map>

class CParam;
class CTurbine;

// Value generation of one instance: the generators of the parameters in use,
// the Vuser being simulated and the random generator they share.
//
// A parameter is simulated while its "InSimMode" (or the instance-wide one)
// is "TRUE". Prepare builds the generators of simulated parameters from their
// attributes as they are then ("SimScriptPath" stands in for the local data
// directory); StartVuser starts the next Vuser on every generator and marks a
// simulated parameter that cannot produce values with "SimParamNotValid"
// "TRUE". Other parameters get a generator when first used.
class CValueSession
{
public:
    explicit CValueSession(CTurbine& turbine) : m_turbine(turbine) {}

    int Prepare();
    int StartVuser();
    int Advance(const std::string& name, bool bForce);
    int GetValue(const std::string& name, std::string& value);
    void Forget(const std::string& name);
    void Reset();

private:
    struct SEntry
    {
        std::unique_ptr<CParamValue> pValue;
        int nStartedFor = 0; // the Vuser it was last started for
    };

    // The parameter's generator, built and started for the current Vuser
    // when needed; null when no such parameter exists.
    CParamValue* Find(const std::string& name);
    SEntry& Build(const CParam& param);
    void Start(const CParam& param, SEntry& entry);
    bool IsSimulated(const CParam& param) const;
    void Seed();
    int CurrentVuser() const { return m_nVuser > 0 ? m_nVuser : 1; }

    CTurbine& m_turbine;
    std::unordered_map<std::string, SEntry> m_mapValues;
    std::mt19937_64 m_random;
    bool m_bSeeded = false;
    int m_nVuser = 0;
};
