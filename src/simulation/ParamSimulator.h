#pragma once

#include "TarvoExport.h"

#include <string>
#include <vector>

// The settings of a simulation as the script's ".usr" file keeps them.
struct SIM_SETTINGS
{
    int nVusers = 1;
    int nRunMode = 0; // 0 run until completion, 1 run indefinitely
    int nIterationsToRun = 1;
    int nIterationsToShow = 1;
    int bIterationsFromRTS = 0;

    // The iterations the simulation shows in the current run mode.
    int GetColumns() const { return nRunMode ? nIterationsToShow : nIterationsToRun; }
};

// One cell: the value a Vuser receives in one iteration, or none ("-").
struct SIM_CELL
{
    std::string strText;
    std::string strTip;
    bool bValue = false;
};

// One simulated Vuser: its name, its row tip and a cell per iteration.
struct SIM_ROW
{
    std::string strName;
    std::string strTip;
    std::vector<SIM_CELL> arrCells;
    bool bFailed = false; // a cell shows no value
};

// Runs one parameter's value generation for simulated Vusers in an engine
// instance of its own, loaded from the saved parameter file, so the editing
// instance is never disturbed. Unique parameters get each Vuser's block of
// rows from the allocation library, as a load test would. The simulation
// dialog and the command line share it.
class TARVO_API CParamSimulator
{
public:
    static constexpr int MIN_COUNT = 1;
    static constexpr int MAX_COUNT = 256;
    static const char* const NO_VALUE;

    CParamSimulator();
    ~CParamSimulator();
    CParamSimulator(const CParamSimulator&) = delete;
    CParamSimulator& operator=(const CParamSimulator&) = delete;

    // The refusal message id (10299, 10292) for a parameter the simulation
    // cannot show, from its "SelectNextRow" and "GenerateNewVal"; 0 when none.
    static unsigned int GetRefusal(const std::string& strSelectNextRow, const std::string& strGenerateNewVal);

    // Opens the engine on the parameter file and finds the script's files.
    // FALSE with the author's message when that fails (10283 for no ".usr").
    bool Open(const std::string& strDatFile, const std::string& strParamFile, const std::string& strParamName,
              std::string& strError);
    // Draws of a random parameter come from this seed instead of the clock.
    void SetSeed(unsigned int nSeed);
    // Ends an allocation still open; Open again to simulate more.
    void Close();

    // The ".usr" file names no parameter file: it names this one.
    void RecordParamFile();
    SIM_SETTINGS LoadSettings() const;
    bool SaveSettings(const SIM_SETTINGS& settings) const;
    // "RunLogicNumOfIterations" of the run-logic file (1 when unreadable).
    int ReadRunLogicIterations() const;

    // Corrects counts outside 1 to 256 and gives the message id (10285,
    // 10286) and its text; 0 when the counts are fine.
    static unsigned int Validate(SIM_SETTINGS& settings, std::string& strMessage);
    // Simulates every Vuser; FALSE with message 10287 when the parameter
    // definition is invalid.
    bool Run(const SIM_SETTINGS& settings, std::vector<SIM_ROW>& arrRows, std::string& strError);

    // The parameter's attribute in the simulation's engine; FALSE when the
    // parameter or the attribute does not exist.
    bool ReadParamAttrib(const char* pszAttrib, std::string& strValue) const;
    // The refusal message id for the opened parameter, 0 when it can be simulated.
    unsigned int GetRefusal() const;

    bool IsUnique() const { return m_bUnique; }
    bool IsRandom() const { return m_bRandom; }
    const std::string& GetParamName() const { return m_strParamName; }
    const std::string& GetUsrPath() const { return m_strUsrPath; }

private:
    bool SimulateVuser(const SIM_SETTINGS& settings, int nVuser, SIM_ROW& row);
    int Allocate(const SIM_SETTINGS& settings, std::string& strMessage);
    std::string ReadValue(int& nStatus) const;
    std::string ReadAttrib(const char* pszAttrib) const;
    void WriteAttrib(const char* pszName, const char* pszAttrib, const std::string& strValue) const;
    void Advance(int nTimes, int nFlag) const;
    std::string RowTip() const;

    void* m_hSimEngine = nullptr;
    std::string m_strParamName;
    std::string m_strParamFile;
    std::string m_strDirectory;
    std::string m_strUsrPath;
    std::string m_strCfgPath;
    std::string m_strRunLogicPath;
    std::string m_strAllocatedRange;
    bool m_bUnique = false;
    bool m_bRandom = false;
    bool m_bAllocationOpen = false;
};
