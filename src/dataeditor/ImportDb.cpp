#include "dataeditor/ImportDb.h"

#include "afx/DebugOutput.h"
#include "afx/MessageBox.h"
#include "resources/StringIds.h"

#include <QSaveFile>
#include <cerrno>

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
    QSaveFile file(QString::fromStdString(strPath));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return ReportFileError(file);
    if (bHeader)
        WriteHeader(file, strSeparator);
    HRESULT hrRows = WriteRows(file, strSeparator);
    // Only a whole result replaces the file; a failure keeps the old one.
    if (hrRows != 0 && hrRows != IMPORT_EMPTY)
    {
        file.cancelWriting();
        return hrRows;
    }
    errno = 0;
    return file.commit() ? hrRows : ReportFileError(file);
}

HRESULT CImportDb::WriteHeader(QSaveFile& file, const std::string& strSeparator)
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
    return WriteLine(file, strLine + "\n");
}

HRESULT CImportDb::WriteRows(QSaveFile& file, const std::string& strSeparator)
{
    IDrRecordset* pRecords = m_pResult ? m_pResult->GetRecordset() : nullptr;
    if (!pRecords)
        return DR_E_NOINTERFACE;
    if (pRecords->IsBOF() && pRecords->IsEOF())
        return IMPORT_EMPTY;
    pRecords->MoveFirst();
    int nVisited = 0;
    int nCause = 0;
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
        if (int nLineCause = WriteLine(file, strLine + "\n"))
            nCause = nLineCause;
    }
    return nVisited == 0 ? DR_E_FAIL : nCause;
}

int CImportDb::WriteLine(QSaveFile& file, const std::string& strLine)
{
    errno = 0;
    qint64 nLength = static_cast<qint64>(strLine.size());
    return file.write(strLine.data(), nLength) == nLength ? 0 : ReportFileError(file);
}

int CImportDb::ReportFileError(const QSaveFile& file)
{
    int nCause = CauseOf(errno);
    AfxMessageBox((file.fileName().toStdString() + "\n" + file.errorString().toStdString()).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return nCause;
}
