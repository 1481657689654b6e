#include "ulmet/UniqueParams.h"

#include "brasko/Brasko.h"
#include "ketrin/Ketrin.h"
#include "sendrel/Sendrel.h"
#include "turb/Turb.h"
#include "ulmet/Ulmet.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <climits>
#include <cstdlib>
#include <memory>
#include <strings.h>

namespace
{
std::string IniValue(const std::string& strPath, const char* pszSection, const char* pszKey)
{
    CSimpleIniCaseA ini;
    if (ini.LoadFile(strPath.c_str()) < 0)
        return std::string();
    return ini.GetValue(pszSection, pszKey, "");
}

// A file a script names, relative to the script's directory unless absolute.
std::string ScriptFile(const std::string& strUsrPath, const std::string& strName)
{
    std::string strFile = ketrin::PathWithSlashes(strName);
    return os_path_is_absolute(strFile.c_str()) ? strFile : ketrin::PathJoin(ketrin::PathDir(strUsrPath), strFile);
}

bool ParsePositive(const std::string& strText, long& nValue)
{
    char* pszEnd = nullptr;
    long n = std::strtol(strText.c_str(), &pszEnd, 10);
    if (strText.empty() || *pszEnd || n <= 0 || n == LONG_MAX)
        return false;
    nValue = n;
    return true;
}

struct EngineCloser
{
    void operator()(void* hInstance) const { delete_turbine_handle(hInstance); }
};
using EngineHandle = std::unique_ptr<void, EngineCloser>;

std::string Attrib(void* hInstance, TURB_PARAM_ID id, const char* pszName)
{
    char* pszText = nullptr;
    int nLength = 0;
    if (Param_GetAttribExt(hInstance, id, pszName, &pszText, &nLength) != TURB_OK || !pszText)
        return std::string();
    std::string strValue(pszText, nLength);
    Param_GetAttribFree(hInstance, &pszText);
    return strValue;
}

// Data rows of the parameter's file from its first data line; 0 when the
// file cannot be read, so that no Vuser gets rows of it.
long DataRows(void* hInstance, TURB_PARAM_ID id)
{
    std::string strDelimiter = Attrib(hInstance, id, "Delimiter");
    int nLines = 0;
    if (GetNumberOfLinesEx(Attrib(hInstance, id, "ActualFullPath").c_str(),
                           strDelimiter.empty() ? "," : strDelimiter.c_str(), &nLines) != 0)
        return 0;
    long nStartRow = 1;
    ParsePositive(Attrib(hInstance, id, "StartRow"), nStartRow);
    return nLines >= nStartRow ? nLines - (nStartRow - 1) : 0;
}

bool IsUniqueDataFileParam(void* hInstance, TURB_PARAM_ID id)
{
    std::string strType = Attrib(hInstance, id, "Type");
    return (strcasecmp(strType.c_str(), "Table") == 0 || strcasecmp(strType.c_str(), "TTable") == 0) &&
           strcasecmp(Attrib(hInstance, id, "SelectNextRow").c_str(), "Unique") == 0;
}

bool ReadParam(void* hInstance, TURB_PARAM_ID id, UNIQUE_PARAM& param, std::string& strError)
{
    param.strName = Attrib(hInstance, id, "ParamName");
    param.nRows = DataRows(hInstance, id);
    if (Attrib(hInstance, id, "auto_allocate_block_size") != "0")
        return true;
    std::string strCount = Attrib(hInstance, id, "value_for_each_vuser");
    if (ParsePositive(strCount, param.nFixedBlock))
        return true;
    strError = "Parameter \"" + param.strName + "\" allocates \"" + strCount +
               "\" values for each Vuser; enter a positive number.";
    return false;
}

int ReadParams(const std::string& strPrmPath, std::vector<UNIQUE_PARAM>& params, std::string& strError)
{
    char szTypes[4096];
    if (!GetFullPath(SENDREL_KIND_DAT, SENDREL_MUST_EXIST, "param.dat", szTypes, sizeof szTypes))
    {
        strError = "The installation's parameter-type definitions (dat/param.dat) are missing.";
        return IS_PIPE_E_SCRIPT;
    }
    EngineHandle engine(new_turbine_handle(szTypes, 1));
    if (!engine || Param_AddParamFile(engine.get(), strPrmPath.c_str(), 1) != TURB_OK ||
        !os_access(strPrmPath.c_str(), OS_ACCESS_EXISTS))
    {
        strError = "Cannot read the parameter file " + strPrmPath + ".";
        return IS_PIPE_E_SCRIPT;
    }
    void* pPosition = Param_GetHeadParamPos(engine.get());
    bool bRead = true;
    while (TURB_PARAM_ID id = Param_GetNextParam(engine.get(), pPosition))
    {
        UNIQUE_PARAM param;
        if (!IsUniqueDataFileParam(engine.get(), id))
            continue;
        if (!(bRead = ReadParam(engine.get(), id, param, strError)))
            break;
        params.push_back(param);
    }
    Param_GetHeadPosFree(engine.get(), pPosition);
    return bRead ? IS_PIPE_OK : IS_PIPE_E_BLOCK_SIZE;
}
} // namespace

int ReadUniqueScript(const std::string& strUsrPath, const std::string& strCfgPath, UNIQUE_SCRIPT& script,
                     std::string& strError)
{
    if (!os_access(strUsrPath.c_str(), OS_ACCESS_EXISTS))
    {
        strError = "Cannot read the script " + strUsrPath + ".";
        return IS_PIPE_E_SCRIPT;
    }
    std::string strPrm = IniValue(strUsrPath, "General", "ParameterFile");
    if (strPrm.empty())
        strPrm = ketrin::PathName(strUsrPath) + ".prm";
    int nStatus = ReadParams(ScriptFile(strUsrPath, strPrm), script.params, strError);
    if (nStatus != IS_PIPE_OK)
        return nStatus;
    std::string strRunLogic = IniValue(strCfgPath, "General", "DefaultRunLogic");
    if (!strRunLogic.empty())
        ParsePositive(IniValue(ScriptFile(strCfgPath, strRunLogic), "RunLogicRunRoot", "RunLogicNumOfIterations"),
                      script.nRunIterations);
    return IS_PIPE_OK;
}
