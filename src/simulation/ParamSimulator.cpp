#include "simulation/ParamSimulator.h"

#include "afx/PrivateProfile.h"
#include "controls/StringParam.h"
#include "feyna/Feyna.h"
#include "resources/StringIds.h"
#include "turb/TurbAccess.h"
#include "ulmet/Ulmet.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <strings.h>

namespace
{
const char* const SAME_LINE_PREFIX = "Same line as ";
const char* const SIM_SECTION = "ParameterSimulation";
const int NO_BLOCK_STATUS = 4004;
const int INDEXES_BUFFER = 1044;
const int ERROR_BUFFER = 2048;
const int FIRST_VALUE_BUFFER = 256;
const int RANDOM_STEPS = 200;

std::string DirectoryOf(const std::string& strPath)
{
    size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? std::string(".") : strPath.substr(0, nSlash);
}

std::string FileNameOf(const std::string& strPath)
{
    size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// The first ".usr" file of the directory, by name, so every run finds the same one.
std::string FindUsrFile(const std::string& strDirectory)
{
    std::vector<std::string> arrFound;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(strDirectory, error))
        if (entry.is_regular_file(error) && strcasecmp(entry.path().extension().c_str(), ".usr") == 0)
            arrFound.push_back(entry.path().string());
    std::sort(arrFound.begin(), arrFound.end());
    return arrFound.empty() ? std::string() : arrFound.front();
}

std::string ReadProfile(const char* pszSection, const char* pszKey, const std::string& strFile)
{
    char szValue[260] = "";
    GetPrivateProfileStringA(pszSection, pszKey, "", szValue, sizeof(szValue), strFile.c_str());
    return szValue;
}

std::string Trim(const std::string& strText)
{
    size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1);
}

int Draw()
{
    return std::rand() % RANDOM_STEPS + 1;
}

// Brings a count back into 1 to 256: 0 and below become 1, larger counts 256.
int Clamp(int nCount)
{
    return nCount < CParamSimulator::MIN_COUNT ? CParamSimulator::MIN_COUNT : CParamSimulator::MAX_COUNT;
}

bool OutOfRange(int nCount)
{
    return nCount < CParamSimulator::MIN_COUNT || nCount > CParamSimulator::MAX_COUNT;
}
} // namespace

const char* const CParamSimulator::NO_VALUE = "-";

CParamSimulator::CParamSimulator() = default;

CParamSimulator::~CParamSimulator()
{
    Close();
    if (m_hSimEngine)
        delete_turbine_handle(m_hSimEngine);
}

unsigned int CParamSimulator::GetRefusal(const std::string& strSelectNextRow, const std::string& strGenerateNewVal)
{
    if (strSelectNextRow.rfind(SAME_LINE_PREFIX, 0) == 0)
        return IDS_SIM_SAME_LINE;
    if (strcasecmp(strGenerateNewVal.c_str(), "EachOccurrence") == 0)
        return IDS_SIM_EACH_OCCURRENCE;
    return 0;
}

bool CParamSimulator::ReadParamAttrib(const char* pszAttrib, std::string& strValue) const
{
    std::optional<std::string> value = CTurbAccess::ReadAttrib(m_hSimEngine, m_strParamName.c_str(), pszAttrib);
    strValue = value.value_or(std::string());
    return value.has_value();
}

unsigned int CParamSimulator::GetRefusal() const
{
    return GetRefusal(ReadAttrib("SelectNextRow"), ReadAttrib("GenerateNewVal"));
}

bool CParamSimulator::Open(const std::string& strDatFile, const std::string& strParamFile,
                           const std::string& strParamName, std::string& strError)
{
    m_hSimEngine = new_turbine_handle(strDatFile.c_str(), 1);
    if (!m_hSimEngine || Param_AddParamFile(m_hSimEngine, strParamFile.c_str(), 1) != TURB_OK)
    {
        FormatResourcePrintf(strError, IDS_SIM_FAILED);
        return false;
    }
    m_strParamName = strParamName;
    m_strParamFile = strParamFile;
    m_strDirectory = DirectoryOf(strParamFile);
    std::string strUsr = FindUsrFile(m_strDirectory);
    if (strUsr.empty())
    {
        FormatResourcePrintf(strError, IDS_USR_NOT_FOUND);
        return false;
    }
    m_strUsrPath = strUsr;
    m_strCfgPath = m_strDirectory + "/" + ReadProfile("General", "DefaultCfg", m_strUsrPath);
    m_strRunLogicPath = m_strDirectory + "/" + ReadProfile("General", "DefaultRunLogic", m_strCfgPath);

    std::string strSelectNextRow = ReadAttrib("SelectNextRow");
    m_bUnique = strcasecmp(strSelectNextRow.c_str(), "Unique") == 0;
    m_bRandom = strcasecmp(strSelectNextRow.c_str(), "Random") == 0;
    if (m_bUnique)
    {
        // The allocation reads these files: it must see what was just saved.
        qzvu_clear_cashed_file(m_strRunLogicPath.c_str());
        qzvu_clear_cashed_file(m_strParamFile.c_str());
        IS_PIPE_init("", 64);
        m_bAllocationOpen = true;
        IS_PIPE_Is_Unique_Param(m_strUsrPath.c_str(), m_strCfgPath.c_str());
    }
    else if (m_bRandom)
        std::srand(static_cast<unsigned int>(std::time(nullptr)));
    return true;
}

void CParamSimulator::SetSeed(unsigned int nSeed)
{
    std::srand(nSeed);
}

void CParamSimulator::Close()
{
    if (!m_bAllocationOpen)
        return;
    IS_PIPE_set_user_iterations(-1);
    IS_PIPE_close();
    m_bAllocationOpen = false;
}

void CParamSimulator::RecordParamFile()
{
    if (ReadProfile("General", "ParameterFile", m_strUsrPath).empty())
        WritePrivateProfileStringA("General", "ParameterFile", FileNameOf(m_strParamFile).c_str(),
                                   m_strUsrPath.c_str());
}

SIM_SETTINGS CParamSimulator::LoadSettings() const
{
    const char* pszUsr = m_strUsrPath.c_str();
    SIM_SETTINGS settings;
    settings.nVusers = static_cast<int>(GetPrivateProfileIntA(SIM_SECTION, "NumVusers", 1, pszUsr));
    settings.nRunMode = GetPrivateProfileIntA(SIM_SECTION, "IsDurationIndefinite", 0, pszUsr) ? 1 : 0;
    settings.nIterationsToShow =
        static_cast<int>(GetPrivateProfileIntA(SIM_SECTION, "NumIterationIndefinitely", 1, pszUsr));
    settings.bIterationsFromRTS = GetPrivateProfileIntA(SIM_SECTION, "IterationFromRTS", 0, pszUsr) == 1;
    settings.nIterationsToRun =
        static_cast<int>(GetPrivateProfileIntA(SIM_SECTION, "NumIterationsUntilCompletion", 1, pszUsr));
    if (settings.bIterationsFromRTS)
        settings.nIterationsToRun = ReadRunLogicIterations();
    return settings;
}

bool CParamSimulator::SaveSettings(const SIM_SETTINGS& settings) const
{
    const char* pszUsr = m_strUsrPath.c_str();
    struct
    {
        const char* pszKey;
        std::string strValue;
    } entries[] = {{"NumVusers", std::to_string(settings.nVusers)},
                   {"IsDurationIndefinite", settings.nRunMode ? "1" : "0"},
                   {"NumIterationIndefinitely", std::to_string(settings.nIterationsToShow)},
                   {"IterationFromRTS", settings.bIterationsFromRTS ? "1" : "0"},
                   {"NumIterationsUntilCompletion", std::to_string(settings.nIterationsToRun)}};
    bool bWritten = true;
    for (const auto& entry : entries)
        bWritten = WritePrivateProfileStringA(SIM_SECTION, entry.pszKey, entry.strValue.c_str(), pszUsr) && bWritten;
    return bWritten;
}

int CParamSimulator::ReadRunLogicIterations() const
{
    char szValue[128] = "";
    GetPrivateProfileStringA("RunLogicRunRoot", "RunLogicNumOfIterations", "", szValue, sizeof(szValue),
                             m_strRunLogicPath.c_str());
    return std::atoi(szValue);
}

unsigned int CParamSimulator::Validate(SIM_SETTINGS& settings, std::string& strMessage)
{
    unsigned int nId = 0;
    if (OutOfRange(settings.nVusers))
    {
        nId = IDS_SIM_VUSERS_RANGE;
        settings.nVusers = Clamp(settings.nVusers);
    }
    else if (OutOfRange(settings.GetColumns()))
    {
        nId = IDS_SIM_ITERATIONS_RANGE;
        int& nField = settings.nRunMode ? settings.nIterationsToShow : settings.nIterationsToRun;
        nField = Clamp(nField);
    }
    if (nId)
        FormatResourcePrintf(strMessage, nId, CStringParam(MIN_COUNT, 10), CStringParam(MAX_COUNT, 10));
    return nId;
}

bool CParamSimulator::Run(const SIM_SETTINGS& settings, std::vector<SIM_ROW>& arrRows, std::string& strError)
{
    arrRows.clear();
    const char* pszName = m_strParamName.c_str();
    WriteAttrib(pszName, "SimScriptPath", m_strDirectory);
    WriteAttrib(nullptr, "InSimMode", "TRUE");
    WriteAttrib(pszName, "InSimMode", "TRUE");
    Param_pp_init(m_hSimEngine);
    WriteAttrib(pszName, "InSimMode", "");
    WriteAttrib(nullptr, "InSimMode", "");
    WriteAttrib(pszName, "SimScriptPath", "");
    if (m_bUnique)
    {
        IS_PIPE_init("", 64);
        m_bAllocationOpen = true;
    }
    bool bSimulated = true;
    for (int nVuser = 0; nVuser < settings.nVusers && bSimulated; ++nVuser)
    {
        arrRows.emplace_back();
        bSimulated = SimulateVuser(settings, nVuser, arrRows.back());
    }
    Close();
    if (!bSimulated)
    {
        arrRows.clear();
        FormatResourcePrintf(strError, IDS_SIM_FAILED);
    }
    return bSimulated;
}

bool CParamSimulator::SimulateVuser(const SIM_SETTINGS& settings, int nVuser, SIM_ROW& row)
{
    const char* pszName = m_strParamName.c_str();
    m_strAllocatedRange.clear();
    bool bValid = true;
    std::string strMessage;
    if (m_bUnique)
        bValid = Allocate(settings, strMessage) == IS_PIPE_OK;
    WriteAttrib(pszName, "InSimMode", "TRUE");
    Param_pt_init(m_hSimEngine);
    if (m_bUnique)
        WriteAttrib(pszName, "SimAllocatedRange", "");
    if (strcasecmp(ReadAttrib("SimParamNotValid").c_str(), "TRUE") == 0)
    {
        WriteAttrib(pszName, "SimParamNotValid", "");
        WriteAttrib(pszName, "InSimMode", "");
        return false;
    }
    FormatResourcePrintf(row.strName, IDS_SIM_USER_ROW, CStringParam(nVuser + 1, 10));
    row.strTip = RowTip();

    bool bOnce = strcasecmp(ReadAttrib("GenerateNewVal").c_str(), "Once") == 0;
    if (m_bRandom && bOnce)
        Advance(Draw() - 1, 1);
    for (int nColumn = 1; nColumn <= settings.GetColumns(); ++nColumn)
    {
        SIM_CELL cell;
        if (bValid)
        {
            if (m_bRandom && !bOnce)
                Advance(Draw() - 1, 0);
            int nStatus = TURB_OK;
            cell.strText = ReadValue(nStatus);
            cell.bValue = nStatus == TURB_OK;
            if (Param_AdvanceParamByName(m_hSimEngine, pszName, 0) != TURB_OK)
            {
                bValid = false;
                FormatResourcePrintf(strMessage, IDS_SIM_USER_ABORTED);
            }
        }
        if (!cell.bValue)
        {
            cell.strText = NO_VALUE;
            cell.strTip = strMessage;
            row.bFailed = true;
        }
        row.arrCells.push_back(cell);
    }
    WriteAttrib(pszName, "InSimMode", "");
    return true;
}

// Asks the allocation for the next Vuser's block of this parameter's rows.
int CParamSimulator::Allocate(const SIM_SETTINGS& settings, std::string& strMessage)
{
    if (settings.nRunMode == 0 && !settings.bIterationsFromRTS)
        IS_PIPE_set_user_iterations(settings.nIterationsToRun);
    else if (settings.nRunMode == 1)
        IS_PIPE_Get_Unique_Param_Iteration_Num(m_strUsrPath.c_str(), m_strCfgPath.c_str(), settings.nVusers, -1,
                                               nullptr, nullptr, nullptr);
    // A script with many unique parameters needs more room; a refused call allocates nothing.
    std::vector<char> buffer(INDEXES_BUFFER);
    int nStatus = IS_PIPE_E_BUFFER;
    while (nStatus == IS_PIPE_E_BUFFER && buffer.size() <= (1u << 24))
    {
        nStatus = IS_PIPE_Get_Indexes("1", m_strUsrPath.c_str(), m_strCfgPath.c_str(), buffer.data(),
                                      static_cast<int>(buffer.size()));
        if (nStatus == IS_PIPE_E_BUFFER)
            buffer.resize(buffer.size() * 4);
    }
    IS_PIPE_set_user_iterations(-1);
    if (nStatus != IS_PIPE_OK)
    {
        char szError[ERROR_BUFFER] = "";
        IS_PIPE_Get_Error_String(nStatus, szError, sizeof(szError), 0);
        strMessage = szError;
        return nStatus;
    }
    std::string strIndexes(buffer.data());
    std::string strMark = "\"-" + m_strParamName + "\"";
    size_t nFound = strIndexes.find(strMark);
    if (nFound == std::string::npos)
        return NO_BLOCK_STATUS;
    size_t nStart = nFound + strMark.size();
    size_t nEnd = strIndexes.find('"', nStart);
    m_strAllocatedRange = Trim(strIndexes.substr(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart));
    WriteAttrib(m_strParamName.c_str(), "SimAllocatedRange", m_strAllocatedRange);
    return IS_PIPE_OK;
}

std::string CParamSimulator::RowTip() const
{
    std::string strTip;
    if (m_strAllocatedRange.empty())
    {
        if (m_bUnique)
            FormatResourcePrintf(strTip, IDS_SIM_NO_VALUES_TIP);
        return strTip;
    }
    size_t nMinus = m_strAllocatedRange.find('-');
    if (nMinus == std::string::npos)
        return strTip;
    std::string strFirst = Trim(m_strAllocatedRange.substr(0, nMinus));
    std::string strLast = Trim(m_strAllocatedRange.substr(nMinus + 1));
    if (strcasecmp(strFirst.c_str(), strLast.c_str()) != 0)
        FormatResourcePrintf(strTip, IDS_SIM_ROWS_TIP, m_strAllocatedRange);
    else
        FormatResourcePrintf(strTip, IDS_SIM_ROW_TIP, strFirst);
    return strTip;
}

// The whole value, however long: the buffer grows until it fits.
std::string CParamSimulator::ReadValue(int& nStatus) const
{
    std::vector<char> buffer(FIRST_VALUE_BUFFER);
    for (;;)
    {
        nStatus =
            Param_GetParamString(m_hSimEngine, m_strParamName.c_str(), buffer.data(), static_cast<int>(buffer.size()));
        if (nStatus != TURB_E_TRUNCATED)
            return nStatus == TURB_OK ? std::string(buffer.data()) : std::string();
        buffer.resize(buffer.size() * 4);
    }
}

std::string CParamSimulator::ReadAttrib(const char* pszAttrib) const
{
    return CTurbAccess::ReadAttrib(m_hSimEngine, m_strParamName.c_str(), pszAttrib).value_or(std::string());
}

void CParamSimulator::WriteAttrib(const char* pszName, const char* pszAttrib, const std::string& strValue) const
{
    Param_SetAttribByName(m_hSimEngine, pszName, pszAttrib, strValue.c_str(), static_cast<int>(strValue.size()));
}

void CParamSimulator::Advance(int nTimes, int nFlag) const
{
    for (int i = 0; i < nTimes; ++i)
        Param_AdvanceParamByName(m_hSimEngine, m_strParamName.c_str(), nFlag);
}
