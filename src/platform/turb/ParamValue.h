#pragma once

#include <functional>
#include <memory>
#include <random>
#include <string>

class CParamValue;

// What a value generator is built from.
struct SValueSetup
{
    std::string strType;
    // The parameter's attribute, empty when missing.
    std::function<std::string(const std::string&)> fnAttrib;
    // An instance-wide attribute, empty when unset.
    std::function<std::string(const std::string&)> fnInstanceAttrib;
    // The generator of another parameter (for "Same line as"), or null.
    std::function<CParamValue*(const std::string&)> fnFindValue;
    std::string strDataFile; // resolved data file of data-file parameters
    std::mt19937_64* pRandom = nullptr;
};

// What a simulated Vuser starts with.
struct SVuserStart
{
    int nVuser = 1; // 1-based
    std::string strAllocatedRange;
};

// The value state of one parameter during a simulation. The base applies the
// update policy ("GenerateNewVal") and remembers when a Vuser has run out;
// each kind of parameter says how it starts, steps and shows its value.
class CParamValue
{
public:
    enum class EUpdate
    {
        EachIteration,
        EachOccurrence,
        Once
    };
    enum class EOutOfRange
    {
        AbortVuser,
        ContinueCyclic,
        ContinueWithLast
    };

    // A generator for the parameter's type; one that produces no value for
    // types without values.
    static std::unique_ptr<CParamValue> Create(const SValueSetup& setup);
    virtual ~CParamValue() = default;

    // False when the parameter cannot produce values for the current Vuser.
    bool IsValid() const { return m_bDefinitionValid && m_bVuserValid; }
    void StartVuser(const SVuserStart& start);
    // Next iteration (bForce false) or an unconditional move (bForce true).
    int Advance(bool bForce);
    int GetValue(std::string& value);
    // The current row of a data-file parameter's own walk; -1 otherwise.
    virtual long GetRow() const { return -1; }

protected:
    explicit CParamValue(EUpdate update) : m_eUpdate(update) {}

    // False when the Vuser gets no values.
    virtual bool OnStartVuser(const SVuserStart& start) = 0;
    virtual int Step() = 0;
    virtual int Current(std::string& value) = 0;

    void InvalidateDefinition() { m_bDefinitionValid = false; }
    static EUpdate ParseUpdate(const std::string& text, EUpdate fallback);
    static EOutOfRange ParseOutOfRange(const std::string& text);
    // Moves pos by step within [first, last]; past last the policy decides.
    // False when the Vuser has run out.
    static bool StepInRange(long long& pos, long long step, long long first, long long last, EOutOfRange policy);

private:
    EUpdate m_eUpdate;
    bool m_bDefinitionValid = true;
    bool m_bVuserValid = true;
    bool m_bExhausted = false;
    bool m_bReadThisIteration = false;
};
