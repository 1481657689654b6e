#pragma once

#include "TarvoExport.h"

#include <map>
#include <string>
#include <vector>

// One thing that would go wrong in a run, for one parameter; nLine is the
// data file's line at fault (1 = the names line), 0 when none is.
struct RUN_PROBLEM
{
    std::string strParam;
    std::string strText;
    int nLine = 0;
};

// Finds, before a run starts, what would go wrong in it per parameter: data
// files that are missing or malformed, columns that do not exist, row ties
// to parameters that cannot lead them or to shorter files, formats the
// engine rejects, and unique parameters whose rows cannot give every Vuser
// its block for every iteration. Each data file is read once.
class TARVO_API CRunCheck
{
public:
    // FALSE with strError when the parameter file or the types cannot be read.
    bool Check(const std::string& strDatFile, const std::string& strParamFile, int nVusers, int nIterations,
               std::vector<RUN_PROBLEM>& arrProblems, std::string& strError);
    // The iterations a run takes: the script's run logic ("RunLogicNumOfIterations"), at least 1.
    static int RunLogicIterations(const std::string& strUsrPath);

private:
    // What a data file holds, read once per path and delimiter.
    struct DATA_FILE
    {
        bool bExists = false;
        std::string strError;
        int nLine = 0;
        int nRows = 0;
        std::vector<std::string> arrColumns;
    };
    struct PARAM
    {
        std::string strName;
        std::string strType;
        std::string strPath;
        std::string strDelimiter;
        std::string strColumn;
        std::string strStartRow;
        std::string strSelectNextRow;
        std::string strAutoBlock;
        std::string strBlockSize;
        std::string strPolicy;
        std::string strColumnIndexes;
        std::string strFormat;
        const DATA_FILE* pFile = nullptr;
        int nRows = 0; // data rows from the first data row on
    };

    const DATA_FILE& ReadFile(const std::string& strPath, const std::string& strDelimiter);
    void CheckDataFile(PARAM& param);
    void CheckTie(const PARAM& param);
    void CheckUnique(const PARAM& param);
    void CheckFormat(const PARAM& param);
    void Report(const PARAM& param, const std::string& strText, int nLine = 0);

    std::map<std::string, DATA_FILE> m_mapFiles;
    std::map<std::string, PARAM> m_mapParams; // by name, ignoring case
    std::vector<RUN_PROBLEM>* m_pProblems = nullptr;
    int m_nVusers = 1;
    int m_nIterations = 1;
};
