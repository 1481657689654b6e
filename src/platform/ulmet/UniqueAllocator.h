#pragma once

#include "ulmet/UniqueParams.h"

#include <string>

// One allocation: Vuser after Vuser, each unique parameter's rows are cut into
// blocks in order, so Vuser k (from 0) owns rows k*b+1 to (k+1)*b of a
// parameter with block size b, whoever asks and in whatever process.
class CUniqueAllocator
{
public:
    int Open();
    int Close();
    int CountUnique(const std::string& strUsrPath, const std::string& strCfgPath);
    int SetIterations(int nIterations);
    int IterationsForVusers(const std::string& strUsrPath, const std::string& strCfgPath, int nVusers, int* pIterations,
                            int* pBlockSize, int* pRows);
    int AllocateNext(const std::string& strUsrPath, const std::string& strCfgPath, char* pszBuffer, int nSize);
    // The text of a status; the details of the last failure when it had that status.
    std::string ErrorText(int nStatus) const;

private:
    int LoadScript(const std::string& strUsrPath, const std::string& strCfgPath);
    long BlockSize(const UNIQUE_PARAM& param) const;
    int Fail(int nStatus, const std::string& strDetail);

    bool m_bOpen = false;
    long m_nNextVuser = 0;
    long m_nIterations = -1;
    long m_nVusers = 0;
    std::string m_strLoadedUsr;
    UNIQUE_SCRIPT m_script;
    int m_nLastStatus = 0;
    std::string m_strLastError;
};
