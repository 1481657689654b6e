// CTarvoMgr: datasets, the ".prm" files side by side in the script's
// directory, each held by an engine instance of its own.
//
// File paths are compared exactly: on this system "a.prm" and "A.prm" are two
// files, and taking one for the other would save or remove the wrong one. The
// extension is matched ignoring case, as the scripts' home systems do, and a
// dataset keeps the file it was found as.

#include "manager/TarvoMgr.h"

#include "afx/DebugOutput.h"
#include "controls/StringParam.h"
#include "ketrin/Ketrin.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <strings.h>

namespace
{
const char* const PRM_EXT = ".prm";
const size_t PRM_EXT_LENGTH = 4;
const size_t DATASET_DISPLAY_NAME_LENGTH = 46;

// The ".prm" files of a directory, by name.
std::vector<std::string> PrmFilesIn(const std::string& strDir)
{
    namespace fs = std::filesystem;
    std::vector<std::string> arrNames;
    std::error_code ec;
    for (fs::directory_iterator it(strDir.empty() ? "." : strDir, ec), end; !ec && it != end; it.increment(ec))
    {
        std::string strName = it->path().filename().string();
        if (strName.size() >= PRM_EXT_LENGTH &&
            strcasecmp(strName.c_str() + strName.size() - PRM_EXT_LENGTH, PRM_EXT) == 0 && it->is_regular_file(ec))
            arrNames.push_back(strName);
    }
    // Files with the extension in lower case come first: of "a.prm" and
    // "a.PRM" the first is the dataset.
    std::sort(arrNames.begin(), arrNames.end());
    std::stable_partition(arrNames.begin(), arrNames.end(),
                          [](const std::string& strName)
                          { return strName.compare(strName.size() - PRM_EXT_LENGTH, PRM_EXT_LENGTH, PRM_EXT) == 0; });
    return arrNames;
}

void Trace(const std::string& strLine)
{
    OutputDebugStringA(("CTarvoMgr: " + strLine + "\n").c_str());
}
} // namespace

void CTarvoMgr::CloseEngine(void* hInstance)
{
    try
    {
        delete_turbine_handle(hInstance);
    }
    catch (...)
    {
        OutputDebugStringA("CTarvoMgr DTOR: exception when releasing parameter engine.\n");
    }
}

std::string CTarvoMgr::DatasetNameOf(const std::string& strPath)
{
    size_t nSep = strPath.find_last_of("/\\");
    size_t nStart = nSep == std::string::npos ? 0 : nSep + 1;
    size_t nDot = strPath.rfind('.');
    if (nDot == std::string::npos || nDot < nStart)
        return std::string();
    return strPath.substr(nStart, nDot - nStart);
}

BOOL CTarvoMgr::IsPlainDatasetName(const std::string& strName)
{
    return !strName.empty() && strName != "." && strName != ".." && strName.find_first_of("/\\") == std::string::npos;
}

// A new dataset's file takes the extension in lower case.
std::string CTarvoMgr::DatasetPath(const std::string& strName) const
{
    auto it = m_mapDatasetFiles.find(strName);
    return it != m_mapDatasetFiles.end() ? it->second : m_strScriptDir + strName + PRM_EXT;
}

std::string CTarvoMgr::EngineFilePath(void* hInstance) const
{
    if (hInstance == m_hTurbine)
        return m_strActiveParamFilePath;
    for (const auto& entry : m_mapDatasets)
        if (entry.second == hInstance)
            return DatasetPath(entry.first);
    return std::string();
}

void CTarvoMgr::MarkUnsaved(void* hInstance)
{
    if (hInstance)
        m_setUnsavedEngines.insert(hInstance);
}

BOOL CTarvoMgr::FileFailed(const std::string& strPath, int nErrno)
{
    std::string strReason = std::strerror(nErrno ? nErrno : EIO);
    FormatResourceString(m_strLastFileError, IDS_FILE_FAILURE, strPath, strReason);
    Trace(m_strLastFileError);
    return FALSE;
}

void* CTarvoMgr::FindDataset(const std::string& strName) const
{
    auto it = m_mapDatasets.find(strName);
    return it == m_mapDatasets.end() ? nullptr : it->second;
}

// Of two files that differ only in the extension's case ("a.prm", "a.PRM")
// the active one, or else the one in lower case, is the dataset; the other
// is left alone.
void CTarvoMgr::FillDatasetsMap()
{
    CloseOtherDatasets();
    std::string strActiveName = DatasetNameOf(m_strActiveParamFilePath);
    m_mapDatasets[strActiveName] = m_hTurbine;
    m_mapDatasetFiles[strActiveName] = m_strActiveParamFilePath;
    for (const std::string& strFile : PrmFilesIn(m_strScriptDir))
    {
        std::string strName = strFile.substr(0, strFile.size() - PRM_EXT_LENGTH);
        std::string strPath = m_strScriptDir + strFile;
        if (strName.empty() || strPath == m_strActiveParamFilePath)
            continue;
        if (m_mapDatasets.count(strName))
        {
            Trace("dataset " + strName + " has a file already; " + strPath + " is left alone");
            continue;
        }
        if (void* hInstance = OpenDatasetEngine(strPath))
        {
            AddParamFileEntry(strPath, strFile.substr(0, DATASET_DISPLAY_NAME_LENGTH));
            m_mapDatasets[strName] = hInstance;
            m_mapDatasetFiles[strName] = strPath;
        }
    }
}

// Other datasets run on the installation's own type definitions.
void* CTarvoMgr::OpenDatasetEngine(const std::string& strPath)
{
    if (m_strInstallDir.empty())
        GetInstallationDir();
    void* hInstance = new_turbine_handle((m_strInstallDir + "/dat/param.dat").c_str(), 1);
    if (!hInstance)
    {
        Trace("no parameter engine for dataset " + strPath);
        return nullptr;
    }
    Param_AddParamFile(hInstance, strPath.c_str(), 1);
    return hInstance;
}

// A refill replaces the previous one: its other instances would otherwise
// stay open, unreachable, until the manager goes.
void CTarvoMgr::CloseOtherDatasets()
{
    for (void* hInstance : GetOtherDatasetEngines())
        CloseEngine(hInstance);
    m_mapDatasets.clear();
    m_mapDatasetFiles.clear();
    m_setUnsavedEngines.clear();
}

std::vector<void*> CTarvoMgr::GetOtherDatasetEngines() const
{
    std::vector<void*> arrEngines;
    for (const auto& entry : m_mapDatasets)
        if (entry.second && entry.second != m_hTurbine)
            arrEngines.push_back(entry.second);
    return arrEngines;
}

// A file listed already (a refill, a dataset created again) is not listed twice.
void CTarvoMgr::AddParamFileEntry(const std::string& strPath, const std::string& strName)
{
    if (std::find(m_arrParamFilePaths.begin(), m_arrParamFilePaths.end(), strPath) != m_arrParamFilePaths.end())
        return;
    m_arrParamFilePaths.push_back(strPath);
    m_arrParamFileNames.push_back(strName);
}

void CTarvoMgr::RemoveParamFileEntry(const std::string& strPath)
{
    auto it = std::find(m_arrParamFilePaths.begin(), m_arrParamFilePaths.end(), strPath);
    if (it == m_arrParamFilePaths.end())
        return;
    m_arrParamFileNames.erase(m_arrParamFileNames.begin() + (it - m_arrParamFilePaths.begin()));
    m_arrParamFilePaths.erase(it);
}

void CTarvoMgr::GetAllDatasets(std::vector<std::string>& arrNames) const
{
    for (const auto& entry : m_mapDatasets)
        arrNames.push_back(entry.first);
}

// The active parameter stays when the dataset has it; otherwise the first
// visible one of the dataset becomes active. The dataset left may hold edits
// that were never saved.
void CTarvoMgr::MakeDatasetCurrent(const std::string& strName, void* hInstance)
{
    if (m_hTurbine != hInstance)
        MarkUnsaved(m_hTurbine);
    m_hTurbine = hInstance;
    m_strActiveParamFilePath = DatasetPath(strName);
    if (!IsExistingParamName(m_strActiveParamName.c_str()))
        m_strActiveParamName = FirstVisibleParam();
}

void CTarvoMgr::LoadDataset(const std::string& strName)
{
    auto it = m_mapDatasets.find(strName);
    if (it == m_mapDatasets.end())
        return;
    MakeDatasetCurrent(strName, it->second);
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
}

// Saves whether or not anything changed; FALSE when the name is unknown or
// the engine could not write the file.
BOOL CTarvoMgr::SaveDatasetIfModified(const std::string& strName)
{
    auto it = m_mapDatasets.find(strName);
    if (it == m_mapDatasets.end())
        return FALSE;
    MakeDatasetCurrent(strName, it->second);
    errno = 0;
    if (Param_Save(m_hTurbine, nullptr) != TURB_OK)
        return FileFailed(m_strActiveParamFilePath, errno);
    m_setUnsavedEngines.erase(m_hTurbine);
    return TRUE;
}

// The current dataset's file is copied to the new name. Replacing a known
// dataset reloads its instance from the copy; a file of that name that is no
// known dataset is never replaced.
BOOL CTarvoMgr::CreateNewDataset(const std::string& strName)
{
    std::string strPath = DatasetPath(strName);
    if (!IsPlainDatasetName(strName) || m_strScriptDir.empty() || !m_hTurbine)
        return FileFailed(strPath, EINVAL);
    void* hInstance = FindDataset(strName);
    if (!hInstance && os_access(strPath.c_str(), OS_ACCESS_EXISTS))
        return FileFailed(strPath, EEXIST);
    // A dataset replaced by a copy of itself stays as it is.
    if (strPath != m_strActiveParamFilePath && !os_copy_file(m_strActiveParamFilePath.c_str(), strPath.c_str(), 1))
        return FileFailed(strPath, errno);
    if (!hInstance)
    {
        errno = 0;
        hInstance = OpenDatasetEngine(strPath);
        if (!hInstance)
        {
            int nErrno = errno;
            os_remove_file(strPath.c_str(), 1);
            return FileFailed(strPath, nErrno);
        }
        AddParamFileEntry(strPath, strName);
        m_mapDatasets[strName] = hInstance;
        m_mapDatasetFiles[strName] = strPath;
    }
    else if (hInstance != m_hTurbine)
    {
        Param_ClearParamList(hInstance);
        Param_AddParamFile(hInstance, strPath.c_str(), 1);
        m_setUnsavedEngines.erase(hInstance);
    }
    MakeDatasetCurrent(strName, hInstance);
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    return TRUE;
}

// The dataset is saved under the new name before its old file goes, so a
// failed save changes nothing. Another dataset's file is never replaced.
BOOL CTarvoMgr::RenameDataset(const std::string& strOldName, const std::string& strNewName)
{
    void* hInstance = FindDataset(strOldName);
    std::string strOldPath = DatasetPath(strOldName);
    if (!hInstance || !IsPlainDatasetName(strOldName) || !IsPlainDatasetName(strNewName) || m_strScriptDir.empty())
        return FileFailed(strOldPath, hInstance ? EINVAL : ENOENT);
    if (strNewName == strOldName)
        return TRUE;
    std::string strNewPath = DatasetPath(strNewName);
    if (FindDataset(strNewName) || os_access(strNewPath.c_str(), OS_ACCESS_EXISTS))
        return FileFailed(strNewPath, EEXIST);
    errno = 0;
    if (Param_Save(hInstance, strNewPath.c_str()) != TURB_OK)
        return FileFailed(strNewPath, errno);
    // The old file must go too, or the dataset would come back under its old
    // name: failing that, the instance returns to its old file.
    if (os_access(strOldPath.c_str(), OS_ACCESS_EXISTS) && !os_remove_file(strOldPath.c_str(), 1))
    {
        FileFailed(strOldPath, errno);
        Param_Save(hInstance, strOldPath.c_str());
        os_remove_file(strNewPath.c_str(), 1);
        return FALSE;
    }
    m_mapDatasets.erase(strOldName);
    m_mapDatasetFiles.erase(strOldName);
    m_mapDatasets[strNewName] = hInstance;
    m_mapDatasetFiles[strNewName] = strNewPath;
    RemoveParamFileEntry(strOldPath);
    AddParamFileEntry(strNewPath, strNewName);
    MakeDatasetCurrent(strNewName, hInstance);
    m_setUnsavedEngines.erase(hInstance);
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    return TRUE;
}

// Afterwards no instance is current and no file active: the caller loads
// another dataset at once. Until then every operation fails without harm.
// A file that is already gone was not removed here: that is no success.
BOOL CTarvoMgr::DeleteDataset(const std::string& strName)
{
    void* hInstance = FindDataset(strName);
    std::string strPath = DatasetPath(strName);
    if (!hInstance || !IsPlainDatasetName(strName) || m_strScriptDir.empty())
        return FileFailed(strPath, hInstance ? EINVAL : ENOENT);
    if (!os_access(strPath.c_str(), OS_ACCESS_EXISTS) || !os_remove_file(strPath.c_str(), 1))
        return FileFailed(strPath, errno);
    m_mapDatasets.erase(strName);
    m_mapDatasetFiles.erase(strName);
    m_setUnsavedEngines.erase(hInstance);
    RemoveParamFileEntry(strPath);
    CloseEngine(hInstance);
    m_hTurbine = nullptr;
    m_strActiveParamFilePath.clear();
    m_strActiveParamName.clear();
    return TRUE;
}
