// CTarvoMgr: parameter names, attributes and the operations that create,
// delete, rename and re-type parameters.

#include "manager/TarvoMgr.h"
#include "manager/ValueSyntax.h"

#include "afx/DebugOutput.h"
#include "afx/MessageBox.h"
#include "afx/Module.h"
#include "afx/PrivateProfile.h"
#include "afx/Resource.h"
#include "controls/FormatDateSample.h"
#include "controls/FormatSample.h"
#include "controls/StringParam.h"
#include "datafiles/FileSample.h"
#include "ketrin/Ketrin.h"
#include "resources/StringIds.h"
#include "turb/TurbAccess.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <strings.h>

namespace
{
const char* const ORIGINAL_VALUE = "OriginalValue";
const char* const SELECT_NEXT_ROW = "SelectNextRow";
const char* const SAME_LINE_AS = "Same line as ";
const char* const DLL_PREFIX = "dll:";
const int MANGLE_LIMIT = 9999;

typedef void (*PFN_CREATE_ADD_INFO_DLL_PARAM)(CTarvoMgr*);

// name, NUL, second text, NUL: how a broadcast carries two texts.
std::string TwoTexts(const std::string& strFirst, const std::string& strSecond)
{
    std::string strRecord = strFirst;
    strRecord += '\0';
    strRecord += strSecond;
    strRecord += '\0';
    return strRecord;
}

// The sample of a format type, formatted as its tab formats it; empty for
// the other types and for a format the tab refuses, whose message is no
// value. fnRead gives an attribute of the parameter.
template <class TRead> std::string FormatTypeSample(const std::string& strType, TRead fnRead)
{
    if (strType == "Time")
        return FormatDateSample(fnRead("Format"));
    if (strType == "Group")
        return FormatTextSample(fnRead("Format"), "GroupName");
    if (strType == "Userid")
        return FormatTextSample(fnRead("Format"), "1");
    if (strType == "Host")
        return FormatTextSample(fnRead("Format"), "LoadGeneratorName");
    if (strType == "CurrentIteration")
        return FormatIntSample(fnRead("Format"), "1", false);
    if (strType == "Random")
        return FormatIntSample(fnRead("Format"), fnRead("MinValue"), true);
    if (strType == "Unique")
        return FormatIntSample(fnRead("Format"), fnRead("StartValue"), true);
    return std::string();
}

// Two spellings of one path ("a/./b.dat", "a//b.dat") name one file.
std::string NormalPath(const std::string& strPath)
{
    return std::filesystem::path(strPath).lexically_normal().string();
}

std::vector<std::string> SplitKeyList(const char* pszList)
{
    std::vector<std::string> arrKeys;
    std::string strList = pszList ? pszList : "";
    for (size_t nStart = 0; nStart <= strList.size();)
    {
        size_t nComma = strList.find(',', nStart);
        if (nComma == std::string::npos)
            nComma = strList.size();
        if (nComma > nStart)
            arrKeys.push_back(strList.substr(nStart, nComma - nStart));
        nStart = nComma + 1;
    }
    return arrKeys;
}
} // namespace

// Engine helpers

BOOL CTarvoMgr::ReadAttrib(void* hInstance, const char* pszName, const char* pszAttrib, std::string& strValue)
{
    std::optional<std::string> value = CTurbAccess::ReadAttrib(hInstance, pszName, pszAttrib);
    if (!value)
        return FALSE;
    strValue = std::move(*value);
    return TRUE;
}

BOOL CTarvoMgr::ReadAttrib(void* hInstance, TURB_PARAM_ID id, const char* pszAttrib, std::string& strValue)
{
    std::optional<std::string> value = CTurbAccess::ReadAttrib(hInstance, id, pszAttrib);
    if (!value)
        return FALSE;
    strValue = std::move(*value);
    return TRUE;
}

BOOL CTarvoMgr::WriteAttrib(void* hInstance, const char* pszName, const char* pszAttrib, const std::string& strValue)
{
    return CTurbAccess::WriteAttrib(hInstance, pszName, pszAttrib, strValue) ? TRUE : FALSE;
}

std::vector<TURB_PARAM_ID> CTarvoMgr::GetParamIds(void* hInstance)
{
    return CTurbAccess::GetParamIds(hInstance);
}

// Names

BOOL CTarvoMgr::IsValidParamName(const char* pszName, int bShowMessage)
{
    int nAnswer = os_is_qz_identifier(pszName, -1);
    if (nAnswer == OS_QZ_IDENTIFIER)
        return TRUE;
    if (bShowMessage && nAnswer >= OS_QZ_EMPTY && nAnswer <= OS_QZ_BAD_CHAR)
        AfxMessageBox(IDS_INVALID_PARAM_NAME);
    return FALSE;
}

BOOL CTarvoMgr::IsExistingParamName(const char* pszName)
{
    std::string strName;
    return pszName && ReadAttrib(m_hTurbine, pszName, "ParamName", strName) && !strName.empty();
}

std::string CTarvoMgr::GetMatchingParamNameNoCase(const char* pszName)
{
    std::string strMatch;
    if (!pszName)
        return strMatch;
    for (TURB_PARAM_ID id : GetParamIds(m_hTurbine))
    {
        std::string strName;
        if (ReadAttrib(m_hTurbine, id, "ParamName", strName) && strcasecmp(strName.c_str(), pszName) == 0 &&
            strName != pszName)
            strMatch = strName;
    }
    return strMatch;
}

std::string CTarvoMgr::MangleParamName(const char* pszBase)
{
    if (!pszBase)
        return std::string();
    if (IsValidParamName(pszBase, 0) && !IsExistingParamName(pszBase))
        return pszBase;
    for (int n = 1; n <= MANGLE_LIMIT; ++n)
    {
        std::string strCandidate = std::string(pszBase) + "_" + std::to_string(n);
        if (IsValidParamName(strCandidate.c_str(), 0) && !IsExistingParamName(strCandidate.c_str()))
            return strCandidate;
    }
    return std::string();
}

// Attributes

std::string CTarvoMgr::GetParamAttrib(const char* pszParam, const char* pszAttrib)
{
    std::string strValue;
    if (!pszParam || !pszAttrib || !ReadAttrib(m_hTurbine, pszParam, pszAttrib, strValue))
        return std::string();
    return std::strcmp(pszAttrib, ORIGINAL_VALUE) == 0 ? HandleSyntax(strValue.c_str(), true) : strValue;
}

BOOL CTarvoMgr::SetParamAttrib(const char* pszParam, const char* pszAttrib, const char* pszValue)
{
    if (!pszParam || !pszAttrib || !pszValue)
        return FALSE;
    return WriteAttrib(m_hTurbine, pszParam, pszAttrib, pszValue);
}

void CTarvoMgr::CopyParamAttribs(void* hSrc, const char* pszSrcName, void* hDst, const char* pszDstName)
{
    std::string strType;
    if (!hSrc || !pszSrcName || !hDst || !pszDstName || !ReadAttrib(hSrc, pszSrcName, "Type", strType))
        return;
    for (const std::string& strKey : SplitKeyList(Param_GetAttribKeyList(hSrc, strType.c_str())))
    {
        std::string strValue;
        if (ReadAttrib(hSrc, pszSrcName, strKey.c_str(), strValue))
            WriteAttrib(hDst, pszDstName, strKey.c_str(), strValue);
    }
}

std::string CTarvoMgr::HandleSyntax(const char* pszText, bool bToDisplay)
{
    return ConvertValueSyntax(pszText, bToDisplay, os_get_charset_type() > OS_CHARSET_SINGLE_BYTE);
}

// Creating, deleting, renaming and re-typing

std::string CTarvoMgr::TypeKeyOfDisplayName(const std::string& strTypeName) const
{
    auto it = m_mapTypeNameToType.find(strTypeName);
    return it == m_mapTypeNameToType.end() ? std::string() : it->second;
}

BOOL CTarvoMgr::CreateNewParameter(const char* pszName, const char* pszTypeName, const char* pszValueText)
{
    if (!pszName || !pszTypeName || !pszValueText)
        return FALSE;
    std::string strType = TypeKeyOfDisplayName(pszTypeName);
    if (strType.empty())
    {
        OutputDebugStringA(("CTarvoMgr::CreateNewParameter - Parameter Type '" + std::string(pszTypeName) +
                            "' is invalid.  Creating File parameter instead\n")
                               .c_str());
        strType = TypeKeyOfDisplayName(AfxLoadString(IDS_FILE_TYPE));
        if (strType.empty())
            return FALSE;
    }
    const char* pszFile = m_strActiveParamFilePath.c_str();
    if (!Param_NewParam(m_hTurbine, pszName, strType.c_str(), pszFile))
        return FALSE;
    std::string strStored = HandleSyntax(pszValueText, false);
    SetCreatedValues(m_hTurbine, pszName, strType, strStored);
    UpdateAllUIExt(nullptr, UPD_BEFORE_ACTIVE_CHANGE, pszName);
    SetActiveParamName(pszName);
    SetActiveParamAttribsToDefault();
    // The defaults may have replaced them, and the windows told next show
    // the new parameter and write back what they show.
    SetCreatedValues(m_hTurbine, pszName, strType, strStored);
    UpdateAllUIExt(nullptr, UPD_ADDED, pszName);
    if (m_lOptions & OPT_DATASETS)
    {
        // Every dataset holds the value in storage form, as the current one does.
        for (void* hInstance : GetOtherDatasetEngines())
        {
            if (!Param_NewParam(hInstance, pszName, strType.c_str(), pszFile))
                return FALSE;
            SetCreatedValues(hInstance, pszName, strType, strStored);
            MarkUnsaved(hInstance);
        }
    }
    return TRUE;
}

// The replaced script text, which a "Custom" parameter without a value of its
// own also takes as its value.
void CTarvoMgr::SetCreatedValues(void* hInstance, const char* pszName, const std::string& strType,
                                 const std::string& strStored)
{
    WriteAttrib(hInstance, pszName, ORIGINAL_VALUE, strStored);
    std::string strCurrent;
    if (strType == "Custom" && (!ReadAttrib(hInstance, pszName, "CurrentValue", strCurrent) || strCurrent.empty()))
        WriteAttrib(hInstance, pszName, "CurrentValue", strStored);
}

BOOL CTarvoMgr::AddParamToPRM(const char* pszName, const char* pszTypeName, const char* pszValueText)
{
    if (!pszName || !pszTypeName || !pszValueText)
        return FALSE;
    if (!GetMatchingParamNameNoCase(pszName).empty())
        return TRUE;
    std::string strType = TypeKeyOfDisplayName(pszTypeName);
    if (strType.empty())
        return FALSE;
    // A refused name may belong to an existing parameter, whose values must stay.
    if (!Param_NewParam(m_hTurbine, pszName, strType.c_str(), m_strActiveParamFilePath.c_str()))
        return FALSE;
    WriteAttrib(m_hTurbine, pszName, ORIGINAL_VALUE, HandleSyntax(pszValueText, false));
    WriteAttrib(m_hTurbine, pszName, "CurrentValue", "");
    WriteAttrib(m_hTurbine, pszName, "Prompt", "");
    WriteAttrib(m_hTurbine, pszName, "IsServer", "NO");
    WriteAttrib(m_hTurbine, pszName, "IsEncrypt", "NO");
    return TRUE;
}

BOOL CTarvoMgr::DeleteParameter(const char* pszName, int bDeleteDataFile, int bNotifyDeleted)
{
    // Nothing to delete is no success, and no window or host hears of it.
    if (!IsExistingParamName(pszName))
        return FALSE;
    std::string strReplaced = GetParamAttrib(pszName, ORIGINAL_VALUE);
    std::string strDataFile;
    if (bDeleteDataFile && GetParamAttrib(pszName, "Type") == "Table")
        strDataFile = GetParamAttrib(pszName, "ActualFullPath");
    std::string strRecord = TwoTexts(pszName, strReplaced);
    std::string strName = pszName;
    std::string strOldRow;
    ReadAttrib(m_hTurbine, strName.c_str(), SELECT_NEXT_ROW, strOldRow);

    UpdateAllUIExt(nullptr, UPD_BEFORE_ACTIVE_CHANGE, "");
    m_strActiveParamName.clear();
    UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, "");
    Param_DeleteParam(m_hTurbine, strName.c_str());
    // Followers of a deleted parameter would point at nothing.
    ReleaseRowTies(strName, strOldRow);
    UpdateAllUIExt(nullptr, UPD_RELOAD, strName.c_str());
    if (bNotifyDeleted)
        UpdateAllUIExt(nullptr, UPD_DELETED, strRecord.c_str());
    if (m_lOptions & OPT_DATASETS)
    {
        for (void* hInstance : GetOtherDatasetEngines())
        {
            Param_DeleteParam(hInstance, strName.c_str());
            MarkUnsaved(hInstance);
        }
    }
    if (bDeleteDataFile && !strDataFile.empty())
        RemoveDataFile(strDataFile);
    return TRUE;
}

// A data file that another parameter of any dataset still reads stays, and
// the author learns which parameters those are; a file that cannot be
// removed is named with the reason.
void CTarvoMgr::RemoveDataFile(const std::string& strPath)
{
    std::vector<std::string> arrReaders = DataFileReaders(strPath);
    std::string strText;
    if (arrReaders.empty())
    {
        // With datasets the data files lie in the script's directory: one that a
        // parameter file leads out of it is not the script's to remove.
        std::filesystem::path parent = std::filesystem::path(NormalPath(strPath)).parent_path();
        if ((m_lOptions & OPT_DATASETS) && parent != std::filesystem::path(NormalPath(m_strScriptDir)).parent_path())
            FileFailed(NormalPath(strPath), EPERM);
        else if (os_remove_file(strPath.c_str(), 1))
            return;
        else
            FileFailed(NormalPath(strPath), errno);
        FormatResourceString(strText, IDS_DATA_FILE_DELETE_FAILED, m_strLastFileError);
    }
    else
    {
        std::string strReaders;
        for (const std::string& strReader : arrReaders)
            strReaders += (strReaders.empty() ? "" : ", ") + strReader;
        FormatResourceString(strText, IDS_DATA_FILE_KEPT, NormalPath(strPath), strReaders);
    }
    AfxMessageBox(strText.c_str(), MB_OK);
}

// Parameters of the current dataset by name, those of the others with their
// dataset's name.
std::vector<std::string> CTarvoMgr::DataFileReaders(const std::string& strPath)
{
    std::vector<std::pair<void*, std::string>> arrEngines{{m_hTurbine, ""}};
    for (const auto& entry : m_mapDatasets)
        if (entry.second && entry.second != m_hTurbine)
            arrEngines.emplace_back(entry.second, entry.first);
    std::string strNormal = NormalPath(strPath);
    std::vector<std::string> arrReaders;
    for (const auto& engine : arrEngines)
    {
        for (TURB_PARAM_ID id : GetParamIds(engine.first))
        {
            std::string strName, strFile;
            if (!ReadAttrib(engine.first, id, "ActualFullPath", strFile) || NormalPath(strFile) != strNormal ||
                !ReadAttrib(engine.first, id, "ParamName", strName))
                continue;
            std::string strReader = strName;
            if (!engine.second.empty())
                FormatResourceString(strReader, IDS_PARAM_OF_DATASET, strName, engine.second);
            arrReaders.push_back(strReader);
        }
    }
    return arrReaders;
}

void CTarvoMgr::DeleteParamFromPRM(const char* pszName)
{
    if (pszName)
        Param_DeleteParam(m_hTurbine, pszName);
}

BOOL CTarvoMgr::RenameActiveParam(const char* pszNewName)
{
    if (!pszNewName || !IsValidParamName(pszNewName, 0) || IsExistingParamName(pszNewName))
        return FALSE;
    std::string strOld = m_strActiveParamName;
    std::string strType = GetActiveParamType();
    const char* pszFile = m_strActiveParamFilePath.c_str();
    if (!Param_NewParam(m_hTurbine, pszNewName, strType.c_str(), pszFile))
        return FALSE;
    RenameInEngine(m_hTurbine, strOld, pszNewName);
    SetActiveParamName(pszNewName);
    UpdateAllUIExt(nullptr, UPD_RENAMED, TwoTexts(pszNewName, strOld).c_str());
    if (m_lOptions & OPT_DATASETS)
    {
        for (void* hInstance : GetOtherDatasetEngines())
        {
            if (!Param_NewParam(hInstance, pszNewName, strType.c_str(), pszFile))
                return FALSE;
            RenameInEngine(hInstance, strOld, pszNewName);
            MarkUnsaved(hInstance);
        }
    }
    return TRUE;
}

// The new parameter exists already: ties follow it, it takes the old one's
// attributes and the old one goes. Every tied parameter follows, whatever its
// type: File and Table parameters alike may be tied to another.
void CTarvoMgr::RenameInEngine(void* hInstance, const std::string& strOld, const std::string& strNew)
{
    std::string strOldTie = SAME_LINE_AS + strOld;
    std::vector<std::string> arrNames;
    EnumParamNames(hInstance, &arrNames);
    for (const std::string& strName : arrNames)
    {
        std::string strRow;
        if (ReadAttrib(hInstance, strName.c_str(), SELECT_NEXT_ROW, strRow) && strRow == strOldTie)
            WriteAttrib(hInstance, strName.c_str(), SELECT_NEXT_ROW, SAME_LINE_AS + strNew);
    }
    CopyParamAttribs(hInstance, strOld.c_str(), hInstance, strNew.c_str());
    Param_DeleteParam(hInstance, strOld.c_str());
}

BOOL CTarvoMgr::ChangeActiveParamType(const char* pszTypeKey)
{
    std::string strName = m_strActiveParamName;
    std::string strOriginal, strOldRow;
    bool bOriginal = ReadAttrib(m_hTurbine, strName.c_str(), ORIGINAL_VALUE, strOriginal);
    ReadAttrib(m_hTurbine, strName.c_str(), SELECT_NEXT_ROW, strOldRow);
    // A type the engine cannot create is refused before the parameter is
    // deleted: deleting first would lose the author's parameter.
    if (!pszTypeKey || !Param_GetAttribKeyList(m_hTurbine, pszTypeKey) ||
        Param_DeleteParam(m_hTurbine, strName.c_str()) != TURB_OK)
    {
        AfxMessageBox(IDS_TYPE_CHANGE_FAILED);
        return FALSE;
    }
    if (!Param_NewParam(m_hTurbine, strName.c_str(), pszTypeKey, m_strActiveParamFilePath.c_str()))
    {
        AfxMessageBox(IDS_TYPE_CHANGE_FAILED);
        m_strActiveParamName.clear();
        return FALSE;
    }
    SetActiveParamAttribsToDefault();
    if (bOriginal)
        WriteAttrib(m_hTurbine, strName.c_str(), ORIGINAL_VALUE, strOriginal);
    std::string strRow;
    if (!ReadAttrib(m_hTurbine, strName.c_str(), SELECT_NEXT_ROW, strRow))
        ReleaseRowTies(strName, strOldRow);
    return TRUE;
}

// The first parameter tied to strName takes over its old row policy; the
// others are tied to that one instead.
void CTarvoMgr::ReleaseRowTies(const std::string& strName, const std::string& strOldRow)
{
    std::string strTie = SAME_LINE_AS + strName;
    std::string strAnchor;
    for (TURB_PARAM_ID id : GetParamIds(m_hTurbine))
    {
        std::string strRow;
        if (!ReadAttrib(m_hTurbine, id, SELECT_NEXT_ROW, strRow) || strRow != strTie)
            continue;
        std::string strPolicy = strAnchor.empty() ? strOldRow : SAME_LINE_AS + strAnchor;
        Param_SetAttrib(m_hTurbine, id, SELECT_NEXT_ROW, strPolicy.data(), static_cast<int>(strPolicy.size()));
        if (strAnchor.empty())
            ReadAttrib(m_hTurbine, id, "ParamName", strAnchor);
    }
}

// Lists and questions

BOOL CTarvoMgr::EnumParamNames(std::vector<std::string>* pNames)
{
    return EnumParamNames(m_hTurbine, pNames);
}

BOOL CTarvoMgr::EnumParamNames(void* hInstance, std::vector<std::string>* pNames)
{
    if (!pNames)
        return FALSE;
    std::vector<std::string> arrNames;
    for (TURB_PARAM_ID id : GetParamIds(hInstance))
    {
        std::string strName;
        if (ReadAttrib(hInstance, id, "ParamName", strName))
            arrNames.push_back(std::move(strName));
    }
    if (!arrNames.empty())
        *pNames = std::move(arrNames);
    return TRUE;
}

BOOL CTarvoMgr::GetParamNamesAndSamples(std::vector<PARAM_SAMPLE_ROW>* pRows)
{
    std::vector<std::string> arrNames;
    if (!pRows || !EnumParamNames(&arrNames))
        return FALSE;
    if (arrNames.empty())
        return TRUE;
    std::vector<PARAM_SAMPLE_ROW> arrRows;
    arrRows.reserve(arrNames.size());
    for (const std::string& strName : arrNames)
    {
        PARAM_SAMPLE_ROW row;
        row[0] = strName;
        std::string strType;
        ReadAttrib(m_hTurbine, strName.c_str(), "Type", strType);
        auto it = m_mapTypeToTypeName.find(strType);
        if (it != m_mapTypeToTypeName.end())
            row[1] = it->second;
        row[2] = FormatTypeSample(strType,
                                  [&](const char* pszAttrib)
                                  {
                                      std::string strValue;
                                      ReadAttrib(m_hTurbine, strName.c_str(), pszAttrib, strValue);
                                      return strValue;
                                  });
        if (strType == "Table")
        {
            ReadAttrib(m_hTurbine, strName.c_str(), "Delimiter", row[3]);
            std::string strPath, strStartRow, strColumn;
            ReadAttrib(m_hTurbine, strName.c_str(), "ActualFullPath", strPath);
            ReadAttrib(m_hTurbine, strName.c_str(), "StartRow", strStartRow);
            ReadAttrib(m_hTurbine, strName.c_str(), "ColumnName", strColumn);
            row[2] = BuildFileSample(strPath, row[3], strStartRow, strColumn);
        }
        arrRows.push_back(std::move(row));
    }
    *pRows = std::move(arrRows);
    return TRUE;
}

BOOL CTarvoMgr::IsParameterTypeHidden(const std::string& strTypeKey)
{
    auto it = m_mapTypeHidden.find(strTypeKey);
    if (it != m_mapTypeHidden.end())
        return it->second;
    char szSection[256];
    char szHidden[256];
    GetPrivateProfileStringA("ParameterTypes", strTypeKey.c_str(), "", szSection, sizeof szSection,
                             m_strDatFile.c_str());
    BOOL bHidden = FALSE;
    if (*szSection)
    {
        GetPrivateProfileStringA(szSection, "Hidden", "False", szHidden, sizeof szHidden, m_strDatFile.c_str());
        bHidden = std::strcmp(szHidden, "True") == 0;
    }
    m_mapTypeHidden[strTypeKey] = bHidden;
    return bHidden;
}

BOOL CTarvoMgr::IsNestedParameterization(const std::string& strText, const std::string& strOpen,
                                         const std::string& strClose)
{
    if (strText.empty() || strOpen.empty() || strClose.empty())
        return FALSE;
    size_t nPos = strText.find(strOpen);
    while (nPos != std::string::npos)
    {
        size_t nInner = nPos + strOpen.size();
        size_t nEnd = strText.find(strClose, nInner);
        if (nEnd == std::string::npos)
            return FALSE;
        size_t nNextOpen = strText.find(strOpen, nInner);
        if (nNextOpen < nEnd)
            nPos = nNextOpen;
        size_t nStart = nPos + strOpen.size();
        if (IsExistingParamName(strText.substr(nStart, nEnd - nStart).c_str()))
            return TRUE;
        if (nEnd + strClose.size() >= strText.size())
            return FALSE;
        nPos = strText.find(strOpen, nEnd + strClose.size());
    }
    return FALSE;
}

// The additional-information slot

void CTarvoMgr::SetAdditionalInfo(const std::string& strKey, IUnknown* pObject)
{
    if (strKey.empty())
        return;
    if (pObject)
        pObject->AddRef();
    if (m_spAddInfo)
        m_spAddInfo->Release();
    m_strAddInfoKey = strKey;
    m_spAddInfo = pObject;
}

IUnknown* CTarvoMgr::GetAdditionalInfo(const std::string& strKey) const
{
    return strKey == m_strAddInfoKey ? m_spAddInfo : nullptr;
}

void CTarvoMgr::CreateAdditionalInfoDllParam()
{
    auto it = m_mapTypeDisplayUI.find(GetActiveParamType());
    size_t nPrefix = std::strlen(DLL_PREFIX);
    if (it == m_mapTypeDisplayUI.end() || strncasecmp(it->second.c_str(), DLL_PREFIX, nPrefix) != 0)
        return;
    // Plug-in libraries stay loaded: their objects may outlive this call.
    HMODULE hModule = LoadLibraryA(it->second.c_str() + nPrefix);
    auto pfnCreate = reinterpret_cast<PFN_CREATE_ADD_INFO_DLL_PARAM>(GetProcAddress(hModule, "CreateAddInfoDllParam"));
    if (pfnCreate)
        pfnCreate(this);
}
