#include "tabs/DataFileRules.h"

#include "afx/ComboBox.h"
#include "afx/PrivateProfile.h"
#include "afx/WinApp.h"
#include "datafiles/NetworkName.h"
#include "sendrel/Sendrel.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <strings.h>

namespace
{
const char* const RECENT_SECTION = "LastTablesUsed";
const char* const DEFAULT_DISPLAY_LIMIT = "104857600";
const int PATH_BUFFER = 260;
const int LIMIT_BUFFER = 256;

// A directory with one trailing separator, so "/a/b" and "/a/b/" are one.
std::string WithSeparator(std::string strDir)
{
    while (strDir.size() > 1 && strDir.back() == '/')
        strDir.pop_back();
    if (strDir.empty() || strDir.back() != '/')
        strDir += '/';
    return strDir;
}

bool SameDirectory(const std::string& strLeft, const std::string& strRight)
{
    return !strRight.empty() && strcasecmp(WithSeparator(strLeft).c_str(), WithSeparator(strRight).c_str()) == 0;
}

std::string ParentDir(const std::string& strPath)
{
    return std::filesystem::path(strPath).parent_path().string();
}

std::string Key(const char* pszName, int nIndex)
{
    return pszName + std::to_string(nIndex);
}
} // namespace

DATA_FILE_LOCATION LocateDataFile(const std::string& strPath, const std::string& strGlobalDir,
                                  const std::string& strLocalDir, const std::string& strIniPath, bool bNetworkNames)
{
    if (!std::filesystem::path(strPath).is_absolute())
        return {"Local", strPath};
    std::string strDir = ParentDir(strPath);
    DATA_FILE_LOCATION location{strDir, std::filesystem::path(strPath).filename().string()};
    if (SameDirectory(strDir, strGlobalDir))
        location.strLocation = "Global";
    else if (SameDirectory(strDir, strLocalDir))
        location.strLocation = "Local";
    else if (size_t nColon = strDir.find(':'); bNetworkNames && nColon != std::string::npos)
    {
        std::string strDrive = strDir.substr(0, nColon);
        for (char& ch : strDrive)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        std::string strNetwork;
        if (GetNetworkName(strDrive + ":", strIniPath, strNetwork))
        {
            strNetwork += strDir.substr(nColon + 1);
            while (!strNetwork.empty() && strNetwork.back() == ' ')
                strNetwork.pop_back();
            location.strLocation = strNetwork;
        }
    }
    return location;
}

// A relative path stays in the script's directory unless ".." takes it out;
// an absolute one is compared with its ".." and "." resolved.
bool IsInDataDirectory(bool bDataDirOnly, const std::string& strPath, const std::string& strLocalDir)
{
    if (!bDataDirOnly || strPath.find('/') == std::string::npos)
        return true;
    std::filesystem::path normal = std::filesystem::path(strPath).lexically_normal();
    if (!normal.is_absolute())
        return normal.empty() || *normal.begin() != "..";
    return SameDirectory(normal.parent_path().string(), strLocalDir);
}

std::string ResolveIniPath()
{
    char szPath[PATH_BUFFER] = "";
    // The installation's file even before it exists: the display limit is
    // written back, and a bare name would put it wherever the host runs.
    if (GetFullPath(SENDREL_KIND_CONFIG, SENDREL_ANY, "mirrel.ini", szPath, PATH_BUFFER) <= 0 || !*szPath)
        return "mirrel.ini";
    return szPath;
}

unsigned long long ReadDisplaySizeLimit(const std::string& strIniPath)
{
    char szLimit[LIMIT_BUFFER] = "";
    GetPrivateProfileStringA("ParamTable", "MaxParametersDisplaySize", DEFAULT_DISPLAY_LIMIT, szLimit, LIMIT_BUFFER,
                             strIniPath.c_str());
    WritePrivateProfileStringA("ParamTable", "MaxParametersDisplaySize", szLimit, strIniPath.c_str());
    return std::strtoull(szLimit, nullptr, 10);
}

std::string TooLargeText(const std::string& strPath, unsigned long long nSize, unsigned long long nLimit)
{
    char szText[1024];
    std::snprintf(szText, sizeof szText,
                  "The parameter file \u2018%s\u2019 was loaded but is too large to display its contents. (File size = "
                  "%llu, maximum size = %llu)",
                  strPath.c_str(), nSize, nLimit);
    return szText;
}

std::vector<RECENT_FILE> ReadRecentFiles(bool (*pfnKeep)(const std::string&, void*), void* pContext)
{
    std::vector<RECENT_FILE> arrFiles;
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return arrFiles;
    for (int i = 0; i <= RECENT_FILES_MAX && static_cast<int>(arrFiles.size()) < RECENT_FILES_MAX; ++i)
    {
        RECENT_FILE file;
        file.strPath = pApp->GetProfileString(RECENT_SECTION, Key("FileName", i).c_str(), "");
        if (file.strPath.empty() || !pfnKeep(file.strPath, pContext))
            continue;
        file.strDelimiterName = pApp->GetProfileString(RECENT_SECTION, Key("FileDelimiter", i).c_str(), "Comma");
        file.nFirstLine = static_cast<int>(pApp->GetProfileInt(RECENT_SECTION, Key("FileStartRow", i).c_str(), 1));
        arrFiles.push_back(file);
    }
    return arrFiles;
}

void WriteRecentFiles(const std::vector<RECENT_FILE>& arrFiles)
{
    AFX_PROFILE_ENTRIES entries;
    for (int i = 0; i <= RECENT_FILES_MAX; ++i)
    {
        bool bKept = i < static_cast<int>(arrFiles.size());
        entries.push_back({Key("FileName", i), bKept ? arrFiles[i].strPath : ""});
        if (!bKept)
            continue;
        entries.push_back({Key("FileDelimiter", i), arrFiles[i].strDelimiterName});
        entries.push_back({Key("FileStartRow", i), std::to_string(arrFiles[i].nFirstLine)});
    }
    AfxWriteProfileEntries(RECENT_SECTION, entries);
}

void RememberRecentFile(std::vector<RECENT_FILE>& arrFiles, CComboBox& cbPaths, const RECENT_FILE& file)
{
    int nIndex = cbPaths.FindStringExact(-1, file.strPath.c_str());
    if (nIndex == CB_ERR || nIndex >= static_cast<int>(arrFiles.size()))
    {
        cbPaths.InsertString(0, file.strPath.c_str());
        arrFiles.insert(arrFiles.begin(), file);
        nIndex = 0;
    }
    arrFiles[nIndex].strDelimiterName = file.strDelimiterName;
    arrFiles[nIndex].nFirstLine = file.nFirstLine;
    while (cbPaths.GetCount() > RECENT_FILES_MAX)
    {
        cbPaths.DeleteString(cbPaths.GetCount() - 1);
        arrFiles.pop_back();
    }
}
