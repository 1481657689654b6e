#include "manager/TarvoMgr.h"

#include "afx/DebugOutput.h"
#include "afx/MessageBox.h"
#include "afx/Module.h"
#include "afx/PrivateProfile.h"
#include "afx/Resource.h"
#include "controls/StringParam.h"
#include "help/HelpLauncher.h"
#include "ketrin/Ketrin.h"
#include "manager/TarvoMgrWndMsgExt.h"
#include "resources/Dialogs.h"
#include "resources/StringIds.h"
#include "turb/TurbAccess.h"

#include <algorithm>
#include <cerrno>
#include <strings.h>

namespace
{
const DWORD PROFILE_VALUE_SIZE = 256;

// Any function of the library tells where the library's file is.
void LibraryAnchor() {}

std::string ProfileString(const char* pszSection, const char* pszKey, const std::string& strFile)
{
    char buffer[PROFILE_VALUE_SIZE];
    GetPrivateProfileStringA(pszSection, pszKey, "", buffer, PROFILE_VALUE_SIZE, strFile.c_str());
    return buffer;
}

// Paths recorded by Windows hosts may use either separator.
size_t LastSeparator(const std::string& strPath)
{
    return strPath.find_last_of("/\\");
}
} // namespace

BEGIN_MESSAGE_MAP(CTarvoMgr, CDialog)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTarvoMgr::CTarvoMgr(const char* pszDatFile) : m_strDatFile(pszDatFile ? pszDatFile : "")
{
    m_strDefaultParamType = AfxLoadString(IDS_FILE_TYPE);
    m_hTurbine = new_turbine_handle(m_strDatFile.c_str(), 1);
    if (!m_hTurbine)
    {
        OutputDebugStringA("CTarvoMgr CTOR: failed to create parameter engine\n");
        return;
    }
    ReadTypeMaps();
}

CTarvoMgr::~CTarvoMgr()
{
    DetachExts();
    if (m_pNotifyExt)
        UnRegisterNotifyWindow(m_pNotifyExt->m_hNotifyWnd);
    CloseEngines();
    if (m_spAddInfo)
        m_spAddInfo->Release();
}

void CTarvoMgr::ReadTypeMaps()
{
    std::string strNameKey;
    FormatResourceString(strNameKey, IDS_DISPLAY_NAME_KEY, "TypeName");
    for (const std::string& strType : CTurbAccess::GetTypeKeys(m_hTurbine))
    {
        const char* pszType = strType.c_str();
        std::string strSection = ProfileString("ParameterTypes", pszType, m_strDatFile);
        if (strSection.empty())
            continue;
        std::string strDisplayUI = ProfileString(strSection.c_str(), "DisplayUI", m_strDatFile);
        if (!strDisplayUI.empty())
            m_mapTypeDisplayUI[pszType] = strDisplayUI;
        std::string strTypeName = ProfileString(strSection.c_str(), strNameKey.c_str(), m_strDatFile);
        if (!strTypeName.empty())
        {
            m_mapTypeToTypeName[pszType] = strTypeName;
            m_mapTypeNameToType[strTypeName] = pszType;
        }
    }
}

// Extensions that outlive the manager must not reach back into it.
void CTarvoMgr::DetachExts()
{
    for (CTarvoMgrExt* pExt : m_arrExts)
        if (pExt)
            pExt->m_pMgr = nullptr;
    for (CTarvoMgrExt* pExt : m_arrUnlistedExts)
        pExt->m_pMgr = nullptr;
    m_arrUnlistedExts.clear();
}

// Other datasets' instances are closed even when no instance is current
// (the current dataset was just deleted).
void CTarvoMgr::CloseEngines()
{
    std::vector<void*> arrEngines = GetOtherDatasetEngines();
    m_mapDatasets.clear();
    if (m_hTurbine)
        arrEngines.push_back(m_hTurbine);
    m_hTurbine = nullptr;
    for (void* hInstance : arrEngines)
        CloseEngine(hInstance);
}

BOOL CTarvoMgr::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_TARVO_MANAGER, pParentWnd);
}

int CTarvoMgr::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CDialog::OnCreate(lpCreateStruct);
}

void CTarvoMgr::OnDestroy() {}

void CTarvoMgr::GetInstallationDir()
{
    std::string strModule = AfxGetModuleFileNameOfAddress(reinterpret_cast<const void*>(&LibraryAnchor));
    if (!strModule.empty())
        m_strInstallDir = ketrin::PathDir(ketrin::PathDir(strModule));
}

// Parameter files

void CTarvoMgr::AddParamFile(const char* pszPath, const char* pszName)
{
    if (!pszPath || !pszName)
        return;
    // After DeleteDataset no file is active, but other datasets' files are still listed.
    if (!m_strActiveParamFilePath.empty() || !m_arrParamFilePaths.empty())
        ClearParamList();
    // Loading needs an instance again once the current dataset was deleted.
    if (!m_hTurbine)
        m_hTurbine = new_turbine_handle(m_strDatFile.c_str(), 1);
    m_arrParamFileNames.push_back(pszName);
    m_arrParamFilePaths.push_back(pszPath);
    Param_AddParamFile(m_hTurbine, pszPath, 1);
    m_strActiveParamFilePath = pszPath;
    m_strActiveParamName = FirstVisibleParam();
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    if (m_lOptions & OPT_DATASETS)
    {
        size_t nSep = LastSeparator(m_strActiveParamFilePath);
        m_strScriptDir = nSep == std::string::npos ? std::string() : m_strActiveParamFilePath.substr(0, nSep + 1);
        FillDatasetsMap();
        UpdateAllUIExt(nullptr, UPD_DATASET_CHANGED, DatasetNameOf(m_strActiveParamFilePath).c_str());
    }
}

std::string CTarvoMgr::FirstVisibleParam()
{
    for (TURB_PARAM_ID id : GetParamIds(m_hTurbine))
    {
        std::string strName, strType;
        if (ReadAttrib(m_hTurbine, id, "ParamName", strName) && ReadAttrib(m_hTurbine, id, "Type", strType) &&
            !IsParameterTypeHidden(strType))
            return strName;
    }
    return std::string();
}

void CTarvoMgr::ClearParamList()
{
    m_arrParamFileNames.clear();
    m_arrParamFilePaths.clear();
    Param_ClearParamList(m_hTurbine);
    UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
}

int CTarvoMgr::GetParamFilesCount() const
{
    return static_cast<int>(m_arrParamFilePaths.size());
}

// An index out of range gives an empty text.
std::string CTarvoMgr::GetParamFileName(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetParamFilesCount() ? m_arrParamFileNames[static_cast<size_t>(nIndex)] : "";
}

std::string CTarvoMgr::GetParamFilePath(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetParamFilesCount() ? m_arrParamFilePaths[static_cast<size_t>(nIndex)] : "";
}

const char* CTarvoMgr::GetActiveParamFilePath() const
{
    return m_strActiveParamFilePath.c_str();
}

BOOL CTarvoMgr::SetActiveParamFilePath(const char* pszPath)
{
    if (!pszPath)
        return FALSE;
    for (const std::string& strPath : m_arrParamFilePaths)
    {
        if (strcasecmp(strPath.c_str(), pszPath) == 0)
        {
            m_strActiveParamFilePath = pszPath;
            return TRUE;
        }
    }
    return FALSE;
}

std::string CTarvoMgr::GetActiveParamFileName() const
{
    std::string strName;
    for (size_t i = 0; i < m_arrParamFilePaths.size(); ++i)
        if (strcasecmp(m_arrParamFilePaths[i].c_str(), m_strActiveParamFilePath.c_str()) == 0)
            strName = m_arrParamFileNames[i];
    return strName;
}

// Nothing loaded is nothing to save, and no file to name.
BOOL CTarvoMgr::SaveChanges()
{
    if (!m_hTurbine)
        return FALSE;
    std::vector<void*> arrEngines{m_hTurbine};
    for (void* hInstance : GetOtherDatasetEngines())
        if (m_setUnsavedEngines.count(hInstance))
            arrEngines.push_back(hInstance);
    std::string strFailures;
    for (void* hInstance : arrEngines)
    {
        errno = 0;
        if (Param_Save(hInstance, nullptr) == TURB_OK)
        {
            m_setUnsavedEngines.erase(hInstance);
            continue;
        }
        FileFailed(EngineFilePath(hInstance), errno);
        strFailures += (strFailures.empty() ? "" : "\n") + m_strLastFileError;
    }
    if (strFailures.empty())
        return TRUE;
    std::string strText;
    FormatResourceString(strText, IDS_SAVE_CHANGES_FAILED, strFailures);
    AfxMessageBox(strText.c_str(), MB_OK | MB_ICONERROR);
    return FALSE;
}

// Active parameter, default type, options

const char* CTarvoMgr::GetActiveParamName() const
{
    return m_strActiveParamName.c_str();
}

BOOL CTarvoMgr::SetActiveParamName(const char* pszName)
{
    if (!IsExistingParamName(pszName))
        return FALSE;
    m_strActiveParamName = pszName;
    return TRUE;
}

std::string CTarvoMgr::GetActiveParamType()
{
    return GetActiveParamAttrib("Type");
}

std::string CTarvoMgr::GetActiveParamAttrib(const char* pszAttrib)
{
    return GetParamAttrib(m_strActiveParamName.c_str(), pszAttrib);
}

std::string CTarvoMgr::GetDefaultParameterType() const
{
    return m_strDefaultParamType;
}

BOOL CTarvoMgr::SetDefaultParameterType(const char* pszTypeName)
{
    m_strDefaultParamType = pszTypeName && *pszTypeName ? pszTypeName : AfxLoadString(IDS_FILE_TYPE);
    return TRUE;
}

BOOL CTarvoMgr::Custom_AddOptions(long lOptions)
{
    m_lOptions |= lOptions;
    return TRUE;
}

BOOL CTarvoMgr::Custom_RemoveOptions(long lOptions)
{
    m_lOptions &= ~lOptions;
    return TRUE;
}

unsigned long CTarvoMgr::Custom_GetOptions() const
{
    return static_cast<unsigned long>(m_lOptions);
}

// Extensions and the notify window

BOOL CTarvoMgr::AddExt(CTarvoMgrExt* pExt)
{
    if (!pExt)
        return FALSE;
    m_arrExts.push_back(pExt);
    return TRUE;
}

BOOL CTarvoMgr::RemoveExt(CTarvoMgrExt* pExt)
{
    m_arrUnlistedExts.erase(std::remove(m_arrUnlistedExts.begin(), m_arrUnlistedExts.end(), pExt),
                            m_arrUnlistedExts.end());
    auto it = std::find(m_arrExts.begin(), m_arrExts.end(), pExt);
    if (!pExt || it == m_arrExts.end())
        return FALSE;
    if (m_nBroadcastDepth > 0)
        *it = nullptr;
    else
        m_arrExts.erase(it);
    return TRUE;
}

int CTarvoMgr::UpdateAllUIExt(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData)
{
    // By index over the live list: receivers may register and unregister
    // extensions, and broadcast again, while the walk goes on.
    ++m_nBroadcastDepth;
    int nResult = 1;
    for (size_t i = 0; nResult && i < m_arrExts.size(); ++i)
    {
        CTarvoMgrExt* pExt = m_arrExts[i];
        if (pExt && pExt != pSender && !pExt->OnUpdateUIMgr(pSender, nCode, pszData))
            nResult = 0;
    }
    if (--m_nBroadcastDepth == 0)
        m_arrExts.erase(std::remove(m_arrExts.begin(), m_arrExts.end(), nullptr), m_arrExts.end());
    return nResult;
}

BOOL CTarvoMgr::RegisterNotifyWindow(HWND hWnd)
{
    if (m_pNotifyExt)
        return FALSE;
    m_pNotifyExt = std::make_unique<CTarvoMgrWndMsgExt>(this, hWnd);
    return TRUE;
}

BOOL CTarvoMgr::UnRegisterNotifyWindow(HWND hWnd)
{
    if (!m_pNotifyExt || m_pNotifyExt->m_hNotifyWnd != hWnd)
        return FALSE;
    m_pNotifyExt.reset();
    for (CTarvoMgrExt* pExt : m_arrExts)
        if (pExt)
            m_arrUnlistedExts.push_back(pExt);
    m_arrExts.clear();
    return TRUE;
}

void CTarvoMgr::ShowHelp(unsigned long nTopic)
{
    ShowContextHelp(nullptr, nTopic, 0);
}
