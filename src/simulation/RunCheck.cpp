#include "simulation/RunCheck.h"

#include "afx/PrivateProfile.h"
#include "datafiles/ExtendedDtable.h"
#include "turb/PrintfFormat.h"
#include "turb/TurbAccess.h"

#include <cstdlib>
#include <memory>
#include <strings.h>
#include <sys/stat.h>

namespace
{
const char* const SAME_LINE_PREFIX = "Same line as ";

bool IsDataFileType(const std::string& strType)
{
    for (const char* pszType : {"Table", "TTable", "XML", "Spreadsheet"})
        if (strType == pszType)
            return true;
    return false;
}

bool IsEqualNoCase(const std::string& strA, const char* pszB)
{
    return strcasecmp(strA.c_str(), pszB) == 0;
}

// A whole decimal number, or false.
bool ToNumber(const std::string& strText, long& lValue)
{
    if (strText.empty())
        return false;
    char* pEnd = nullptr;
    lValue = std::strtol(strText.c_str(), &pEnd, 10);
    return *pEnd == '\0';
}

bool FileExists(const std::string& strPath)
{
    struct stat info;
    return stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string DirectoryOf(const std::string& strPath)
{
    size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? std::string(".") : strPath.substr(0, nSlash);
}

std::string ReadProfile(const char* pszSection, const char* pszKey, const std::string& strFile)
{
    char szValue[260] = "";
    GetPrivateProfileStringA(pszSection, pszKey, "", szValue, sizeof(szValue), strFile.c_str());
    return szValue;
}

// The kind of value a type's "Format" converts; false for types without a printf format.
bool FormatKind(const std::string& strType, CPrintfFormat::EKind& kind)
{
    if (strType == "Random" || strType == "Unique" || strType == "CurrentIteration")
        kind = CPrintfFormat::KIND_INT;
    else if (strType == "Userid" || strType == "Host" || strType == "Group")
        kind = CPrintfFormat::KIND_TEXT;
    else
        return false;
    return true;
}
} // namespace

int CRunCheck::RunLogicIterations(const std::string& strUsrPath)
{
    std::string strDirectory = DirectoryOf(strUsrPath);
    std::string strCfg = strDirectory + "/" + ReadProfile("General", "DefaultCfg", strUsrPath);
    std::string strRunLogic = strDirectory + "/" + ReadProfile("General", "DefaultRunLogic", strCfg);
    int nIterations = std::atoi(ReadProfile("RunLogicRunRoot", "RunLogicNumOfIterations", strRunLogic).c_str());
    return nIterations < 1 ? 1 : nIterations;
}

bool CRunCheck::Check(const std::string& strDatFile, const std::string& strParamFile, int nVusers, int nIterations,
                      std::vector<RUN_PROBLEM>& arrProblems, std::string& strError)
{
    std::unique_ptr<void, void (*)(void*)> engine(new_turbine_handle(strDatFile.c_str(), 1), delete_turbine_handle);
    if (!engine)
    {
        strError = "cannot read the parameter types in " + strDatFile;
        return false;
    }
    if (Param_AddParamFile(engine.get(), strParamFile.c_str(), 1) != TURB_OK)
    {
        strError = "cannot read the parameters in " + strParamFile;
        return false;
    }
    m_pProblems = &arrProblems;
    m_nVusers = nVusers;
    m_nIterations = nIterations;
    std::vector<std::string> arrOrder;
    for (TURB_PARAM_ID id : CTurbAccess::GetParamIds(engine.get()))
    {
        auto read = [&](const char* pszAttrib)
        { return CTurbAccess::ReadAttrib(engine.get(), id, pszAttrib).value_or(std::string()); };
        PARAM param;
        param.strName = read("ParamName");
        param.strType = read("Type");
        param.strPath = read("ActualFullPath");
        param.strDelimiter = read("Delimiter");
        param.strColumn = read("ColumnName");
        param.strStartRow = read("StartRow");
        param.strSelectNextRow = read("SelectNextRow");
        param.strAutoBlock = read("auto_allocate_block_size");
        param.strBlockSize = read("value_for_each_vuser");
        param.strPolicy = read("OutOfRangePolicy");
        param.strColumnIndexes = read("ColumnIndexesList");
        param.strFormat = read("Format");
        arrOrder.push_back(param.strName);
        m_mapParams[param.strName] = param;
    }
    // Ties and blocks need every file's rows, so the files come first.
    for (const std::string& strName : arrOrder)
        if (IsDataFileType(m_mapParams[strName].strType))
            CheckDataFile(m_mapParams[strName]);
    for (const std::string& strName : arrOrder)
    {
        const PARAM& param = m_mapParams[strName];
        CheckTie(param);
        CheckUnique(param);
        CheckFormat(param);
    }
    return true;
}

const CRunCheck::DATA_FILE& CRunCheck::ReadFile(const std::string& strPath, const std::string& strDelimiter)
{
    std::string strKey = strDelimiter + '\n' + strPath;
    auto found = m_mapFiles.find(strKey);
    if (found != m_mapFiles.end())
        return found->second;
    DATA_FILE& file = m_mapFiles[strKey];
    file.bExists = FileExists(strPath);
    if (!file.bExists)
        return file;
    CExtendedDtable table;
    int nResult = table.OpenTable(strPath, 2, strDelimiter.empty() ? "," : strDelimiter, 1);
    if (nResult != 0 && !table.IsOpen())
    {
        file.nLine = CExtendedDtable::GetLastErrorLine();
        file.strError = "the data file " + strPath + " is malformed";
        return file;
    }
    file.nRows = std::max(table.GetLineCount(), 0);
    for (int nColumn = 0, nCount = table.GetColumnCount(); nColumn < nCount; ++nColumn)
    {
        std::string strName;
        table.GetColumnName(nColumn, strName);
        file.arrColumns.push_back(strName);
    }
    table.CloseTable();
    return file;
}

void CRunCheck::CheckDataFile(PARAM& param)
{
    if (param.strPath.empty())
        return Report(param, "names no data file");
    const DATA_FILE& file = ReadFile(param.strPath, param.strDelimiter);
    if (!file.bExists)
        return Report(param, "the data file " + param.strPath + " does not exist");
    if (!file.strError.empty())
        return Report(param, file.strError, file.nLine);
    param.pFile = &file;
    long lStartRow = 1;
    if (!param.strStartRow.empty() && !ToNumber(param.strStartRow, lStartRow))
        return Report(param, "the first data row \"" + param.strStartRow + "\" is no number");
    lStartRow = std::max(lStartRow, 1L);
    param.nRows = static_cast<int>(std::max(0L, file.nRows - (lStartRow - 1)));
    if (param.nRows == 0)
        Report(param, "the data file " + param.strPath + " has no data rows from row " + std::to_string(lStartRow));

    int nColumns = static_cast<int>(file.arrColumns.size());
    if (param.strType == "TTable")
    {
        for (size_t nStart = 0; nStart < param.strColumnIndexes.size();)
        {
            size_t nComma = param.strColumnIndexes.find(',', nStart);
            std::string strIndex = param.strColumnIndexes.substr(nStart, nComma - nStart);
            long lIndex = 0;
            if (!ToNumber(strIndex, lIndex) || lIndex < 1 || lIndex > nColumns)
                Report(param, "the data file " + param.strPath + " has no column " + strIndex);
            nStart = nComma == std::string::npos ? nComma : nComma + 1;
        }
        return;
    }
    int nNumber = 0;
    bool bFound = false;
    if (CExtendedDtable::ParseColumnNumber(param.strColumn, nNumber))
        bFound = nNumber >= 1 && nNumber <= nColumns;
    else
        for (const std::string& strName : file.arrColumns)
            bFound = bFound || IsEqualNoCase(strName, param.strColumn.c_str());
    if (!bFound)
        Report(param, "the data file " + param.strPath + " has no column \"" + param.strColumn + "\"");
}

void CRunCheck::CheckTie(const PARAM& param)
{
    if (!IsDataFileType(param.strType) || strncasecmp(param.strSelectNextRow.c_str(), SAME_LINE_PREFIX, 13) != 0)
        return;
    std::string strLeader = param.strSelectNextRow.substr(13);
    auto found = m_mapParams.find(strLeader);
    if (found == m_mapParams.end())
        return Report(param, "takes the rows of \"" + strLeader + "\", which does not exist");
    const PARAM& leader = found->second;
    if (!IsDataFileType(leader.strType))
        return Report(param, "takes the rows of \"" + strLeader + "\", which is no data-file parameter");
    if (param.pFile && leader.pFile && param.nRows < leader.nRows)
        Report(param, "has " + std::to_string(param.nRows) + " rows but takes the rows of \"" + strLeader +
                          "\", which has " + std::to_string(leader.nRows));
}

void CRunCheck::CheckUnique(const PARAM& param)
{
    if (!param.pFile || param.nRows == 0 || !IsEqualNoCase(param.strSelectNextRow, "Unique"))
        return;
    long lBlock = m_nIterations;
    if (param.strAutoBlock == "0" && (!ToNumber(param.strBlockSize, lBlock) || lBlock < 1))
        return Report(param, "the rows for each Vuser \"" + param.strBlockSize + "\" are no positive number");
    long long llNeeded = static_cast<long long>(m_nVusers) * lBlock;
    if (llNeeded > param.nRows)
        Report(param, "has " + std::to_string(param.nRows) + " rows, too few for " + std::to_string(m_nVusers) +
                          " Vusers with blocks of " + std::to_string(lBlock) + " (" + std::to_string(llNeeded) +
                          " needed)");
    else if (lBlock < m_nIterations && IsEqualNoCase(param.strPolicy, "AbortVuser"))
        Report(param, "gives each Vuser blocks of " + std::to_string(lBlock) + " rows, too few for " +
                          std::to_string(m_nIterations) + " iterations");
}

void CRunCheck::CheckFormat(const PARAM& param)
{
    CPrintfFormat::EKind kind;
    CPrintfFormat format;
    if (!param.strFormat.empty() && FormatKind(param.strType, kind) && !format.Parse(param.strFormat, kind))
        Report(param, "the format \"" + param.strFormat + "\" is invalid");
}

void CRunCheck::Report(const PARAM& param, const std::string& strText, int nLine)
{
    m_pProblems->push_back({param.strName, strText, nLine});
}
