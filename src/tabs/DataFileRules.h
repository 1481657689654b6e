#pragma once

// Rules the File and Table tabs share: where a data file is recorded, whether
// it may lie where it does, the recently used files and the display limit.

#include "TarvoExport.h"

#include <string>
#include <vector>

class CComboBox;

// "TableLocation" and "Table" for a path: "Local" and the path as typed when
// it is relative; else "Global" or "Local" for the file in the global data
// directory or the script's directory, otherwise the file's directory (a
// mapped drive by its network name unless bNetworkNames is off), each with
// the file name alone.
struct DATA_FILE_LOCATION
{
    std::string strLocation;
    std::string strTable;
};
TARVO_API DATA_FILE_LOCATION LocateDataFile(const std::string& strPath, const std::string& strGlobalDir,
                                            const std::string& strLocalDir, const std::string& strIniPath,
                                            bool bNetworkNames = true);

// Whether a path obeys the rule that data files lie in the script's
// directory: relative paths and every path while the rule is off do.
TARVO_API bool IsInDataDirectory(bool bDataDirOnly, const std::string& strPath, const std::string& strLocalDir);

// The full path of "mirrel.ini", or the bare name when it cannot be resolved.
std::string ResolveIniPath();

// The largest data file the editor shows ("MaxParametersDisplaySize" of
// section "ParamTable", written back so that authors find it).
unsigned long long ReadDisplaySizeLimit(const std::string& strIniPath);
// The text that takes the editor's place for a file above the limit.
std::string TooLargeText(const std::string& strPath, unsigned long long nSize, unsigned long long nLimit);

// A recently used data file with the delimiter and first data line used.
struct RECENT_FILE
{
    std::string strPath;
    std::string strDelimiterName;
    int nFirstLine = 1;
};
// Section "LastTablesUsed" of the host application's profile, at most ten
// files in saved order; bKeep decides which names are offered.
const int RECENT_FILES_MAX = 10;
std::vector<RECENT_FILE> ReadRecentFiles(bool (*pfnKeep)(const std::string&, void*), void* pContext);
void WriteRecentFiles(const std::vector<RECENT_FILE>& arrFiles);
// Puts a file at the top of the list unless it is there (ignoring case),
// records its delimiter and first line and keeps the list within the limit.
void RememberRecentFile(std::vector<RECENT_FILE>& arrFiles, CComboBox& cbPaths, const RECENT_FILE& file);
