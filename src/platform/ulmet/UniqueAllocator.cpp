#include "ulmet/UniqueAllocator.h"

#include "ulmet/Ulmet.h"

#include <algorithm>
#include <cstring>

int CUniqueAllocator::Open()
{
    *this = CUniqueAllocator();
    m_bOpen = true;
    return IS_PIPE_OK;
}

int CUniqueAllocator::Close()
{
    m_bOpen = false;
    return IS_PIPE_OK;
}

int CUniqueAllocator::Fail(int nStatus, const std::string& strDetail)
{
    m_nLastStatus = nStatus;
    m_strLastError = strDetail;
    return nStatus;
}

// The script is read once an allocation, so every Vuser is cut from the same rows.
int CUniqueAllocator::LoadScript(const std::string& strUsrPath, const std::string& strCfgPath)
{
    if (!m_strLoadedUsr.empty() && m_strLoadedUsr == strUsrPath)
        return IS_PIPE_OK;
    UNIQUE_SCRIPT script;
    std::string strError;
    int nStatus = ReadUniqueScript(strUsrPath, strCfgPath, script, strError);
    if (nStatus != IS_PIPE_OK)
        return Fail(nStatus, strError);
    m_script = std::move(script);
    m_strLoadedUsr = strUsrPath;
    return IS_PIPE_OK;
}

int CUniqueAllocator::CountUnique(const std::string& strUsrPath, const std::string& strCfgPath)
{
    m_strLoadedUsr.clear();
    return LoadScript(strUsrPath, strCfgPath) == IS_PIPE_OK ? static_cast<int>(m_script.params.size()) : -1;
}

int CUniqueAllocator::SetIterations(int nIterations)
{
    m_nIterations = nIterations > 0 ? nIterations : -1;
    return IS_PIPE_OK;
}

// Automatic blocks hold what a Vuser uses: its iterations when they are set,
// else an equal share of the rows when the Vusers are known, else the run
// logic's iterations.
long CUniqueAllocator::BlockSize(const UNIQUE_PARAM& param) const
{
    if (param.nFixedBlock > 0)
        return param.nFixedBlock;
    if (m_nIterations > 0)
        return m_nIterations;
    if (m_nVusers > 0)
        return std::max(1L, param.nRows / m_nVusers);
    return std::max(1L, m_script.nRunIterations);
}

int CUniqueAllocator::IterationsForVusers(const std::string& strUsrPath, const std::string& strCfgPath, int nVusers,
                                          int* pIterations, int* pBlockSize, int* pRows)
{
    if (!m_bOpen)
        return Fail(IS_PIPE_E_NOT_OPEN, std::string());
    if (nVusers <= 0)
        return Fail(IS_PIPE_E_ARGUMENT, "The number of Vusers must be positive.");
    int nStatus = LoadScript(strUsrPath, strCfgPath);
    if (nStatus != IS_PIPE_OK)
        return nStatus;
    m_nVusers = nVusers;
    m_nIterations = -1;
    long nIterations = 0;
    for (const UNIQUE_PARAM& param : m_script.params)
    {
        long nBlock = BlockSize(param);
        nIterations = nIterations ? std::min(nIterations, nBlock) : nBlock;
    }
    const UNIQUE_PARAM* pFirst = m_script.params.empty() ? nullptr : &m_script.params.front();
    if (pIterations)
        *pIterations = static_cast<int>(nIterations);
    if (pBlockSize)
        *pBlockSize = pFirst ? static_cast<int>(BlockSize(*pFirst)) : 0;
    if (pRows)
        *pRows = pFirst ? static_cast<int>(pFirst->nRows) : 0;
    return IS_PIPE_OK;
}

// A parameter whose rows are used up before this Vuser's block is left out:
// the Vuser gets no values of it.
int CUniqueAllocator::AllocateNext(const std::string& strUsrPath, const std::string& strCfgPath, char* pszBuffer,
                                   int nSize)
{
    if (!pszBuffer || nSize <= 0)
        return Fail(IS_PIPE_E_ARGUMENT, "No buffer for the allocation.");
    pszBuffer[0] = '\0';
    if (!m_bOpen)
        return Fail(IS_PIPE_E_NOT_OPEN, std::string());
    int nStatus = LoadScript(strUsrPath, strCfgPath);
    if (nStatus != IS_PIPE_OK)
        return nStatus;
    std::string strResult;
    for (const UNIQUE_PARAM& param : m_script.params)
    {
        long nBlock = BlockSize(param);
        long nFirst = m_nNextVuser * nBlock + 1;
        if (nFirst > param.nRows)
            continue;
        long nLast = std::min(param.nRows, nFirst + nBlock - 1);
        strResult += "\"-" + param.strName + "\" " + std::to_string(nFirst) + "-" + std::to_string(nLast) + " ";
    }
    if (strResult.size() >= static_cast<size_t>(nSize))
        return Fail(IS_PIPE_E_BUFFER, "The allocation needs " + std::to_string(strResult.size() + 1) +
                                          " bytes; the buffer holds " + std::to_string(nSize) + ".");
    std::memcpy(pszBuffer, strResult.c_str(), strResult.size() + 1);
    ++m_nNextVuser;
    return IS_PIPE_OK;
}

std::string CUniqueAllocator::ErrorText(int nStatus) const
{
    if (nStatus == m_nLastStatus && !m_strLastError.empty())
        return m_strLastError;
    switch (nStatus)
    {
    case IS_PIPE_OK:
        return "The values were allocated.";
    case IS_PIPE_E_NOT_OPEN:
        return "No allocation is open.";
    case IS_PIPE_E_SCRIPT:
        return "The script or its parameter file cannot be read.";
    case IS_PIPE_E_BLOCK_SIZE:
        return "A parameter allocates no positive number of values for each Vuser.";
    case IS_PIPE_E_BUFFER:
        return "The allocation does not fit the buffer.";
    case IS_PIPE_E_ARGUMENT:
        return "An argument of the allocation is missing.";
    default:
        return "Unknown allocation status " + std::to_string(nStatus) + ".";
    }
}
