// CTarvoMgr: datasets, the ".prm" files side by side in the script's
// directory, each held by an engine instance of its own.
//
// File paths are compared exactly: on this system "a.prm" and "A.prm" are two
// files, and taking one for the other would save or remove the wrong one.

#include "manager/TarvoMgr.h"

#include "afx/DebugOutput.h"
#include "ketrin/Ketrin.h"

#include <algorithm>
#include <filesystem>

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
            strName.compare(strName.size() - PRM_EXT_LENGTH, PRM_EXT_LENGTH, PRM_EXT) == 0 && it->is_regular_file(ec))
            arrNames.push_back(strName);
    }
    std::sort(arrNames.begin(), arrNames.end());
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

std::string CTarvoMgr::DatasetPath(const std::string& strName) const
{
    return m_strScriptDir + strName + PRM_EXT;
}

void* CTarvoMgr::FindDataset(const std::string& strName) const
{
    auto it = m_mapDatasets.find(strName);
    return it == m_mapDatasets.end() ? nullptr : it->second;
}

void CTarvoMgr::FillDatasetsMap()
{
    CloseOtherDatasets();
    bool bActiveFound = false;
    for (const std::string& strFile : PrmFilesIn(m_strScriptDir))
    {
        std::string strName = strFile.substr(0, strFile.size() - PRM_EXT_LENGTH);
        if (strName.empty())
            continue;
        std::string strPath = m_strScriptDir + strFile;
        if (strPath == m_strActiveParamFilePath)
        {
            m_mapDatasets[strName] = m_hTurbine;
            bActiveFound = true;
        }
        else if (void* hInstance = OpenDatasetEngine(strPath))
        {
            AddParamFileEntry(strPath, strFile.substr(0, DATASET_DISPLAY_NAME_LENGTH));
            m_mapDatasets[strName] = hInstance;
        }
    }
    if (!bActiveFound)
        m_mapDatasets[DatasetNameOf(m_strActiveParamFilePath)] = m_hTurbine;
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
// visible one of the dataset becomes active.
void CTarvoMgr::MakeDatasetCurrent(const std::string& strName, void* hInstance)
{
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
    return Param_Save(m_hTurbine, nullptr) == TURB_OK;
}

// The current dataset's file is copied to the new name. Replacing a known
// dataset reloads its instance from the copy; a file of that name that is no
// known dataset is never replaced.
BOOL CTarvoMgr::CreateNewDataset(const std::string& strName)
{
    if (!IsPlainDatasetName(strName) || m_strScriptDir.empty())
        return FALSE;
    std::string strPath = DatasetPath(strName);
    void* hInstance = FindDataset(strName);
    if (!hInstance && os_access(strPath.c_str(), OS_ACCESS_EXISTS))
    {
        Trace("dataset file " + strPath + " exists already");
        return FALSE;
    }
    // A dataset replaced by a copy of itself stays as it is.
    if (strPath != m_strActiveParamFilePath && !os_copy_file(m_strActiveParamFilePath.c_str(), strPath.c_str(), 1))
    {
        Trace("failed to copy " + m_strActiveParamFilePath + " to " + strPath);
        return FALSE;
    }
    if (!hInstance)
    {
        hInstance = OpenDatasetEngine(strPath);
        if (!hInstance)
        {
            os_remove_file(strPath.c_str(), 1);
            return FALSE;
        }
        AddParamFileEntry(strPath, strName);
        m_mapDatasets[strName] = hInstance;
    }
    else if (hInstance != m_hTurbine)
    {
        Param_ClearParamList(hInstance);
        Param_AddParamFile(hInstance, strPath.c_str(), 1);
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
    if (!hInstance || !IsPlainDatasetName(strOldName) || !IsPlainDatasetName(strNewName) || m_strScriptDir.empty())
        return FALSE;
    if (strNewName == strOldName)
        return TRUE;
    std::string strOldPath = DatasetPath(strOldName);
    std::string strNewPath = DatasetPath(strNewName);
    if (FindDataset(strNewName) || os_access(strNewPath.c_str(), OS_ACCESS_EXISTS))
    {
        Trace("dataset " + strNewName + " exists already");
        return FALSE;
    }
    if (Param_Save(hInstance, strNewPath.c_str()) != TURB_OK)
        return FALSE;
    m_mapDatasets.erase(strOldName);
    m_mapDatasets[strNewName] = hInstance;
    RemoveParamFileEntry(strOldPath);
    AddParamFileEntry(strNewPath, strNewName);
    MakeDatasetCurrent(strNewName, hInstance);
    os_remove_file(strOldPath.c_str(), 1);
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    return TRUE;
}

// Afterwards no instance is current and no file active: the caller loads
// another dataset at once. Until then every operation fails without harm.
BOOL CTarvoMgr::DeleteDataset(const std::string& strName)
{
    void* hInstance = FindDataset(strName);
    if (!hInstance || !IsPlainDatasetName(strName) || m_strScriptDir.empty())
        return FALSE;
    std::string strPath = DatasetPath(strName);
    if (!os_remove_file(strPath.c_str(), 1))
    {
        Trace("failed to remove " + strPath);
        return FALSE;
    }
    m_mapDatasets.erase(strName);
    RemoveParamFileEntry(strPath);
    CloseEngine(hInstance);
    m_hTurbine = nullptr;
    m_strActiveParamFilePath.clear();
    m_strActiveParamName.clear();
    return TRUE;
}
