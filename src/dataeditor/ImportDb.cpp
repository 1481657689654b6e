#include "dataeditor/ImportDb.h"

#include "afx/DebugOutput.h"
#include "afx/MessageBox.h"
#include "afx/ProgressDialog.h"
#include "afx/Resource.h"
#include "ketrin/Ketrin.h"
#include "resources/StringIds.h"

#include <cerrno>
#include <cstring>

namespace
{
// Lines are gathered and written in blocks of about this size.
const size_t WRITE_BLOCK_BYTES = 1 << 16;

// Causes of file errors, as the file classes of the framework number them.
enum FILE_ERROR_CAUSE
{
    CAUSE_GENERIC = 1,
    CAUSE_FILE_NOT_FOUND = 2,
    CAUSE_BAD_PATH = 3,
    CAUSE_TOO_MANY_OPEN_FILES = 4,
    CAUSE_ACCESS_DENIED = 5,
    CAUSE_HARD_IO = 10,
    CAUSE_DISK_FULL = 13,
};

int CauseOf(int nErrno)
{
    switch (nErrno)
    {
    case ENOENT:
        return CAUSE_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
        return CAUSE_BAD_PATH;
    case EMFILE:
    case ENFILE:
        return CAUSE_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EROFS:
        return CAUSE_ACCESS_DENIED;
    case EIO:
        return CAUSE_HARD_IO;
    case ENOSPC:
    case EDQUOT:
        return CAUSE_DISK_FULL;
    default:
        return CAUSE_GENERIC;
    }
}

// Whether a reader would find the separator starting inside the value, the
// separator written after it included.
bool HoldsSeparator(const std::string& strValue, const std::string& strSeparator)
{
    const size_t nLength = strValue.size();
    const size_t nSeparator = strSeparator.size();
    if (nSeparator == 0)
        return nLength > 0;
    for (size_t nAt = strValue.find(strSeparator[0]); nAt != std::string::npos;
         nAt = strValue.find(strSeparator[0], nAt + 1))
    {
        size_t i = 1;
        while (i < nSeparator &&
               (nAt + i < nLength ? strValue[nAt + i] : strSeparator[nAt + i - nLength]) == strSeparator[i])
            ++i;
        if (i == nSeparator)
            return true;
    }
    return false;
}

// A value is written as it is unless the file would read it otherwise: one
// holding the separator, a quote or a line break is quoted (quotes doubled).
void AppendField(std::string& strOut, const std::string& strValue, const std::string& strSeparator)
{
    if (strValue.find_first_of("\"\r\n") == std::string::npos && !HoldsSeparator(strValue, strSeparator))
    {
        strOut += strValue;
        return;
    }
    strOut += '"';
    for (char c : strValue)
    {
        if (c == '"')
            strOut += '"';
        strOut += c;
    }
    strOut += '"';
}
} // namespace

CImportDb::CImportDb(const char* pszDefaultPath) : m_strDefaultPath(pszDefaultPath ? pszDefaultPath : "") {}

CImportDb::~CImportDb() = default;

HRESULT CImportDb::RunQuery()
{
    IDrRetriever* pRetriever = nullptr;
    HRESULT hr = DrCreateRetriever(&pRetriever);
    std::unique_ptr<IDrRetriever> retriever(pRetriever);
    if (hr < 0 || !retriever)
    {
        AfxMessageBox(IDS_RETRIEVER_CREATE_FAILED);
        return hr < 0 ? hr : DR_E_FAIL;
    }
    std::string strConnection;
    std::string strQuery;
    int32_t nOptions = 1;
    hr = retriever->DefineQuery(strConnection, strQuery, &nOptions);
    if (hr == DR_S_FALSE)
        return IMPORT_CANCELLED;
    if (hr < 0)
    {
        AfxMessageBox(IDS_RETRIEVER_QUERY_FAILED);
        return hr;
    }
    IDrResult* pResult = nullptr;
    hr = retriever->ExecuteQuery(strConnection, strQuery, nOptions, &pResult);
    m_pResult.reset(pResult);
    if (hr < 0)
    {
        OutputDebugStringA(("CImportDb: " + DrGetLastErrorText()).c_str());
        AfxMessageBox(IDS_RETRIEVER_EXECUTE_FAILED);
        return hr;
    }
    return 0;
}

HRESULT CImportDb::ImportToFile(const char* pszPath, const char* pszSeparator, bool bHeader)
{
    HRESULT hr = RunQuery();
    if (hr != 0)
        return hr;
    std::string strPath = pszPath ? pszPath : m_strDefaultPath;
    if (strPath.empty())
        return DR_E_INVALIDARG;
    std::string strSeparator = pszSeparator ? pszSeparator : ", ";
    m_strPath = strPath;
    OS_ATOMIC_FILE* pFile = os_atomic_open(strPath.c_str());
    if (!pFile)
        return ReportFileError(strPath);
    m_strBuffer.clear();
    if (bHeader)
        WriteHeader(pFile, strSeparator);
    HRESULT hrRows = WriteRows(pFile, strSeparator);
    // Only a whole result replaces the file; a failure or a cancel keeps the old one.
    if (hrRows != 0 && hrRows != IMPORT_EMPTY)
    {
        os_atomic_abandon(pFile);
        if (hrRows == IMPORT_CANCELLED)
            AfxMessageBox(IDS_IMPORT_CANCELLED, MB_OK | MB_ICONINFORMATION);
        return hrRows;
    }
    return os_atomic_commit(pFile) ? hrRows : ReportFileError(strPath);
}

// The header goes to the buffer; the rows' writing reports any write error.
HRESULT CImportDb::WriteHeader(OS_ATOMIC_FILE*, const std::string& strSeparator)
{
    IDrRecordset* pRecords = m_pResult ? m_pResult->GetRecordset() : nullptr;
    if (!pRecords)
        return DR_E_NOINTERFACE;
    if (pRecords->IsBOF() && pRecords->IsEOF())
        return IMPORT_EMPTY;
    pRecords->MoveFirst();
    for (int i = 0; i < pRecords->GetFieldCount(); ++i)
    {
        if (i)
            m_strBuffer += strSeparator;
        AppendField(m_strBuffer, pRecords->GetFieldName(i), strSeparator);
    }
    m_strBuffer += '\n';
    return 0;
}

// The first write error is reported and ends the import: the file it was
// meant for is not replaced anyway. The author may cancel between records.
HRESULT CImportDb::WriteRows(OS_ATOMIC_FILE* pFile, const std::string& strSeparator)
{
    IDrRecordset* pRecords = m_pResult ? m_pResult->GetRecordset() : nullptr;
    if (!pRecords)
        return DR_E_NOINTERFACE;
    if (pRecords->IsBOF() && pRecords->IsEOF())
        return IMPORT_EMPTY;
    pRecords->MoveFirst();
    CProgressDialog progress(AfxLoadString(IDS_IMPORT_PROGRESS));
    const int nFields = pRecords->GetFieldCount();
    int nVisited = 0;
    std::string strValue;
    for (; !pRecords->IsEOF(); pRecords->MoveNext(), ++nVisited)
    {
        const size_t nLineStart = m_strBuffer.size();
        for (int i = 0; i < nFields; ++i)
        {
            if (i)
                m_strBuffer += strSeparator;
            if (pRecords->GetFieldValue(i, strValue))
                AppendField(m_strBuffer, strValue, strSeparator);
        }
        // A line of one empty field is written as one, or it would read as no row.
        if (nFields == 1 && m_strBuffer.size() == nLineStart)
            m_strBuffer += "\"\"";
        m_strBuffer += '\n';
        if (m_strBuffer.size() >= WRITE_BLOCK_BYTES)
        {
            if (int nCause = Flush(pFile))
                return nCause;
        }
        if (!progress.Step())
            return IMPORT_CANCELLED;
    }
    return nVisited == 0 ? DR_E_FAIL : Flush(pFile);
}

int CImportDb::Flush(OS_ATOMIC_FILE* pFile)
{
    bool bWritten = os_atomic_write(pFile, m_strBuffer.data(), m_strBuffer.size()) != 0;
    m_strBuffer.clear();
    return bWritten ? 0 : ReportFileError(m_strPath);
}

int CImportDb::ReportFileError(const std::string& strPath)
{
    int nErrno = errno;
    int nCause = CauseOf(nErrno);
    AfxMessageBox((strPath + "\n" + std::strerror(nErrno)).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return nCause;
}
