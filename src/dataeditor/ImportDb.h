#pragma once

#include "TarvoExport.h"
#include "afx/AfxTypes.h"
#include "dataretriever/DataRetriever.h"

#include <memory>
#include <string>

struct OS_ATOMIC_FILE;

// Results of an import beside 0 (every record written), failures of the
// query component (negative) and a file error's cause (small positive).
#define IMPORT_CANCELLED ((HRESULT)0x00041101) // the author cancelled the query or the import; the file was not touched
#define IMPORT_EMPTY ((HRESULT)0x00041102)     // the query gave no record; the file is empty now

// Fills a data file from a database query that the query component lets the
// author define: a header line of field names and one line per record. The
// file is replaced whole, and only by a complete result.
class TARVO_API CImportDb
{
public:
    // The file written when ImportToFile names none (null: none).
    explicit CImportDb(const char* pszDefaultPath);
    virtual ~CImportDb();
    CImportDb(const CImportDb&) = delete;
    CImportDb& operator=(const CImportDb&) = delete;

    // A null path means the default path, a null separator ", ".
    HRESULT ImportToFile(const char* pszPath, const char* pszSeparator, bool bHeader);

protected:
    HRESULT RunQuery();
    HRESULT WriteHeader(OS_ATOMIC_FILE* pFile, const std::string& strSeparator);
    HRESULT WriteRows(OS_ATOMIC_FILE* pFile, const std::string& strSeparator);

private:
    // The cause of the error after a failed file call, reported to the author.
    int ReportFileError(const std::string& strPath);
    // Writes the gathered lines out; the cause of a write error, else 0.
    int Flush(OS_ATOMIC_FILE* pFile);

    std::string m_strDefaultPath;
    std::string m_strPath; // the file being written
    std::unique_ptr<IDrResult> m_pResult;
    std::string m_strBuffer; // lines not yet written
};
