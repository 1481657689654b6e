#include "dataeditor/ImportDb.h"

#include "afx/DebugOutput.h"
#include "afx/MessageBox.h"
#include "resources/StringIds.h"

#include "ketrin/Ketrin.h"

#include <cerrno>
#include <cstring>

namespace
{
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

// A value is written as it is unless the file would read it otherwise: one
// holding the separator, a quote or a line break is quoted (quotes doubled).
std::string Field(const std::string& strValue, const std::string& strSeparator)
{
    bool bQuote = strValue.find_first_of("\"\r\n") != std::string::npos ||
                  (strValue + strSeparator).find(strSeparator) < strValue.size();
    if (!bQuote)
        return strValue;
    std::string strQuoted = "\"";
    for (char c : strValue)
        strQuoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return strQuoted + "\"";
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
    HRESULT hrHeader = bHeader ? WriteHeader(pFile, strSeparator) : 0;
    HRESULT hrRows = hrHeader == 0 || hrHeader == IMPORT_EMPTY ? WriteRows(pFile, strSeparator) : hrHeader;
    // Only a whole result replaces the file; a failure keeps the old one.
    if (hrRows != 0 && hrRows != IMPORT_EMPTY)
    {
        os_atomic_abandon(pFile);
        return hrRows;
    }
    return os_atomic_commit(pFile) ? hrRows : ReportFileError(strPath);
}

HRESULT CImportDb::WriteHeader(OS_ATOMIC_FILE* pFile, const std::string& strSeparator)
{
    IDrRecordset* pRecords = m_pResult ? m_pResult->GetRecordset() : nullptr;
    if (!pRecords)
        return DR_E_NOINTERFACE;
    if (pRecords->IsBOF() && pRecords->IsEOF())
        return IMPORT_EMPTY;
    pRecords->MoveFirst();
    std::string strLine;
    for (int i = 0; i < pRecords->GetFieldCount(); ++i)
        strLine += (i ? strSeparator : std::string()) + Field(pRecords->GetFieldName(i), strSeparator);
    return WriteLine(pFile, strLine + "\n");
}

HRESULT CImportDb::WriteRows(OS_ATOMIC_FILE* pFile, const std::string& strSeparator)
{
    IDrRecordset* pRecords = m_pResult ? m_pResult->GetRecordset() : nullptr;
    if (!pRecords)
        return DR_E_NOINTERFACE;
    if (pRecords->IsBOF() && pRecords->IsEOF())
        return IMPORT_EMPTY;
    pRecords->MoveFirst();
    int nVisited = 0;
    std::string strValue;
    for (; !pRecords->IsEOF(); pRecords->MoveNext(), ++nVisited)
    {
        std::string strLine;
        for (int i = 0; i < pRecords->GetFieldCount(); ++i)
        {
            if (i)
                strLine += strSeparator;
            if (pRecords->GetFieldValue(i, strValue))
                strLine += Field(strValue, strSeparator);
        }
        // A line of one empty field is written as one, or it would read as no row.
        if (strLine.empty() && pRecords->GetFieldCount() == 1)
            strLine = "\"\"";
        // The first failure ends the import: one message, not one per row.
        if (int nCause = WriteLine(pFile, strLine + "\n"))
            return nCause;
    }
    return nVisited == 0 ? DR_E_FAIL : 0;
}

int CImportDb::WriteLine(OS_ATOMIC_FILE* pFile, const std::string& strLine)
{
    return os_atomic_write(pFile, strLine.data(), strLine.size()) ? 0 : ReportFileError(m_strPath);
}

int CImportDb::ReportFileError(const std::string& strPath)
{
    int nErrno = errno;
    int nCause = CauseOf(nErrno);
    AfxMessageBox((strPath + "\n" + std::strerror(nErrno)).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return nCause;
}
