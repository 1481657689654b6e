#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"
#include "manager/ParamNotifyRecord.h"
#include "manager/TarvoMgrExt.h"
#include "manager/Unknown.h"
#include "manager/UpdateCodes.h"
#include "turb/Turb.h"

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CParamListEditDialog;
class CTarvoMgrWndMsgExt;

// Custom option bits (Custom_AddOptions).
#define OPT_DATASETS 0x1L       // every ".prm" file of the script's directory is a dataset
#define OPT_SERVER_ENCRYPT 0x2L // the customization tab shows "Server" and "Encrypted"

// One row of GetParamNamesAndSamples: name, type display name, sample value,
// delimiter (data-file parameters only).
typedef std::array<std::string, 4> PARAM_SAMPLE_ROW;

// The one object a host drives per open script: it owns the parameter engine
// instances, knows the parameter types, the parameter files and the active
// parameter, performs every parameter operation with the ties between
// parameters kept, and tells the registered windows and the host's notify
// window about every change. Its own window is invisible; it parents the
// library's temporary windows.
class TARVO_API CTarvoMgr : public CDialog
{
public:
    // pszDatFile: the parameter-type definition file.
    explicit CTarvoMgr(const char* pszDatFile);
    ~CTarvoMgr() override;

    virtual BOOL Create(CWnd* pParentWnd);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();

    void* GetTurbine() const { return m_hTurbine; }
    std::string GetDatFile() const { return m_strDatFile; }
    // The installation root: the folder above the one holding the library.
    void GetInstallationDir();

    // Parameter files
    void AddParamFile(const char* pszPath, const char* pszName);
    void ClearParamList();
    int GetParamFilesCount() const;
    std::string GetParamFileName(int nIndex) const;
    std::string GetParamFilePath(int nIndex) const;
    const char* GetActiveParamFilePath() const;
    BOOL SetActiveParamFilePath(const char* pszPath);
    std::string GetActiveParamFileName() const;
    // Saves the current dataset and every other one that a parameter
    // operation or a switch left unsaved; on failure tells the author which
    // files failed and why.
    BOOL SaveChanges();

    // Active parameter and default type
    const char* GetActiveParamName() const;
    BOOL SetActiveParamName(const char* pszName);
    std::string GetActiveParamType();
    std::string GetActiveParamAttrib(const char* pszAttrib);
    std::string GetDefaultParameterType() const;
    BOOL SetDefaultParameterType(const char* pszTypeName);

    BOOL Custom_AddOptions(long lOptions);
    BOOL Custom_RemoveOptions(long lOptions);
    unsigned long Custom_GetOptions() const;

    // Parameter names
    BOOL IsValidParamName(const char* pszName, int bShowMessage);
    BOOL IsExistingParamName(const char* pszName);
    std::string GetMatchingParamNameNoCase(const char* pszName);
    std::string MangleParamName(const char* pszBase);

    // Attributes
    std::string GetParamAttrib(const char* pszParam, const char* pszAttrib);
    BOOL SetParamAttrib(const char* pszParam, const char* pszAttrib, const char* pszValue);
    void CopyParamAttribs(void* hSrc, const char* pszSrcName, void* hDst, const char* pszDstName);

    // Creating, deleting, renaming and re-typing parameters
    BOOL CreateNewParameter(const char* pszName, const char* pszTypeName, const char* pszValueText);
    BOOL AddParamToPRM(const char* pszName, const char* pszTypeName, const char* pszValueText);
    BOOL DeleteParameter(const char* pszName, int bDeleteDataFile, int bNotifyDeleted);
    void DeleteParamFromPRM(const char* pszName);
    BOOL RenameActiveParam(const char* pszNewName);
    BOOL ChangeActiveParamType(const char* pszTypeKey);

    // Lists and questions
    BOOL EnumParamNames(std::vector<std::string>* pNames);
    BOOL EnumParamNames(void* hInstance, std::vector<std::string>* pNames);
    BOOL GetParamNamesAndSamples(std::vector<PARAM_SAMPLE_ROW>* pRows);
    BOOL IsParameterTypeHidden(const std::string& strTypeKey);
    BOOL IsNestedParameterization(const std::string& strText, const std::string& strOpen, const std::string& strClose);

    // The additional-information slot
    void SetAdditionalInfo(const std::string& strKey, IUnknown* pObject);
    IUnknown* GetAdditionalInfo(const std::string& strKey) const;
    void CreateAdditionalInfoDllParam();

    // Broadcasts and the host's notify window
    int UpdateAllUIExt(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData);
    BOOL RegisterNotifyWindow(HWND hWnd);
    BOOL UnRegisterNotifyWindow(HWND hWnd);

    // Datasets: the ".prm" files side by side in the script's directory.
    void FillDatasetsMap();
    void GetAllDatasets(std::vector<std::string>& arrNames) const;
    BOOL CreateNewDataset(const std::string& strName);
    BOOL RenameDataset(const std::string& strOldName, const std::string& strNewName);
    BOOL DeleteDataset(const std::string& strName);
    void LoadDataset(const std::string& strName);
    BOOL SaveDatasetIfModified(const std::string& strName);
    // A name that is a plain file name: not empty, "." or "..", and without a
    // path separator, so a dataset's file always lies in the script's directory.
    static BOOL IsPlainDatasetName(const std::string& strName);
    // After a dataset operation failed: its file and the system's reason.
    const std::string& GetLastFileError() const { return m_strLastFileError; }

    // Opens the product help at the topic.
    void ShowHelp(unsigned long nTopic);

    // The members that create windows (the window factories, the dialog
    // openers and SetActiveParamAttribsToDefault) join here; they are defined
    // with the windows, under dialogs/.
    CWnd* CreateParamListWnd(CWnd* pParentWnd);
    // Select or Create Parameter for the script text pszValueText: name and
    // type display name go in and come back, *pResult gets IDOK or IDCANCEL.
    // FALSE, after a message, for a text the script cannot parameterize.
    BOOL OpenParamSelectDialog(std::string& strName, std::string& strTypeName, long* pResult, const char* pszValueText,
                               CWnd* pParentWnd);
    CWnd* CreateParamTypeWnd(CWnd* pParentWnd);
    CWnd* CreateParamFilesWnd(CWnd* pParentWnd);
    CWnd* CreateParamPropertiesWnd(CWnd* pParentWnd);
    int OpenParameterPropertiesDialog(CWnd* pParentWnd);
    // The Parameter List dialog, modal; its result.
    int OpenParameterEditDialog(CWnd* pParentWnd);
    // The Parameter List dialog as a child window at the top left of
    // pParentWnd, until CloseParamEditDialogChildWnd; FALSE while one is open
    // or when it cannot be created.
    BOOL OpenParamEditDialogAsChildWnd(CWnd* pParentWnd);
    BOOL CloseParamEditDialogChildWnd();
    // Gives the active parameter its type's defaults through an invisible
    // properties sheet; FALSE when the sheet cannot be created.
    BOOL SetActiveParamAttribsToDefault();

    // The type maps as the windows read them; empty when a map has no entry.
    std::string GetTypeDisplayUI(const std::string& strTypeKey) const { return FindIn(m_mapTypeDisplayUI, strTypeKey); }
    std::string GetTypeDisplayName(const std::string& strTypeKey) const
    {
        return FindIn(m_mapTypeToTypeName, strTypeKey);
    }
    std::string GetTypeKey(const std::string& strTypeName) const { return FindIn(m_mapTypeNameToType, strTypeName); }
    CWnd* CreateDataSetWnd(CWnd* pParentWnd);

    // 0 while a window creates a parameter whose data file must be kept.
    int m_bForceDataFileDefaults = 1;

protected:
    BOOL AddExt(CTarvoMgrExt* pExt);
    BOOL RemoveExt(CTarvoMgrExt* pExt);
    // "OriginalValue" between its storage form and its display form.
    std::string HandleSyntax(const char* pszText, bool bToDisplay);

    // Engine helpers: an attribute read into strValue (FALSE when unreadable),
    // an attribute written, the parameter ids in engine order.
    static BOOL ReadAttrib(void* hInstance, const char* pszName, const char* pszAttrib, std::string& strValue);
    static BOOL ReadAttrib(void* hInstance, TURB_PARAM_ID id, const char* pszAttrib, std::string& strValue);
    static BOOL WriteAttrib(void* hInstance, const char* pszName, const char* pszAttrib, const std::string& strValue);
    static std::vector<TURB_PARAM_ID> GetParamIds(void* hInstance);

    std::map<std::string, std::string> m_mapTypeDisplayUI;
    std::map<std::string, std::string> m_mapTypeNameToType;
    std::map<std::string, std::string> m_mapTypeToTypeName;
    std::map<std::string, void*> m_mapDatasets;
    std::string m_strAddInfoKey;
    IUnknown* m_spAddInfo = nullptr;
    void* m_hTurbine = nullptr;
    std::string m_strDatFile;
    std::vector<std::string> m_arrParamFilePaths;
    std::vector<std::string> m_arrParamFileNames;
    std::string m_strActiveParamFilePath;
    std::string m_strActiveParamName;
    std::string m_strScriptDir;
    std::string m_strInstallDir;
    std::vector<CTarvoMgrExt*> m_arrExts;
    long m_lOptions = 0;
    std::unique_ptr<CTarvoMgrWndMsgExt> m_pNotifyExt;
    CParamListEditDialog* m_pChildEditDlg = nullptr;
    std::string m_strDefaultParamType;

    DECLARE_MESSAGE_MAP()

private:
    void ReadTypeMaps();
    void CloseEngines();
    // The engine may throw while closing an instance; closing goes on regardless.
    static void CloseEngine(void* hInstance);
    void DetachExts();
    std::string FirstVisibleParam();
    void* OpenDatasetEngine(const std::string& strPath);
    void CloseOtherDatasets();
    // The text between the path's last separator and its last dot.
    static std::string DatasetNameOf(const std::string& strPath);
    std::string DatasetPath(const std::string& strName) const;
    void* FindDataset(const std::string& strName) const;
    void MakeDatasetCurrent(const std::string& strName, void* hInstance);
    void AddParamFileEntry(const std::string& strPath, const std::string& strName);
    void RemoveParamFileEntry(const std::string& strPath);
    std::vector<void*> GetOtherDatasetEngines() const;
    // The file an instance saves to: the active file, or its dataset's.
    std::string EngineFilePath(void* hInstance) const;
    void MarkUnsaved(void* hInstance);
    // Records the file and errno's text (EIO when the engine gave none) for
    // GetLastFileError; answers FALSE.
    BOOL FileFailed(const std::string& strPath, int nErrno);
    // The parameters of every dataset that still read the data file.
    std::vector<std::string> DataFileReaders(const std::string& strPath);
    void RemoveDataFile(const std::string& strPath);
    std::string TypeKeyOfDisplayName(const std::string& strTypeName) const;
    void SetCreatedValues(void* hInstance, const char* pszName, const std::string& strType,
                          const std::string& strStored);
    void RenameInEngine(void* hInstance, const std::string& strOld, const std::string& strNew);
    void ReleaseRowTies(const std::string& strName, const std::string& strOldRow);
    static std::string FindIn(const std::map<std::string, std::string>& map, const std::string& strKey)
    {
        auto it = map.find(strKey);
        return it == map.end() ? std::string() : it->second;
    }

    // Whether each type asked about so far is hidden: the definition file is
    // read once per type, not once per parameter.
    std::map<std::string, BOOL> m_mapTypeHidden;
    // Each dataset's file as it was found: its extension keeps its letter case.
    std::map<std::string, std::string> m_mapDatasetFiles;
    // Other datasets' instances changed since they were last saved.
    std::set<void*> m_setUnsavedEngines;
    std::string m_strLastFileError;
    // Broadcasts under way: extensions that leave meanwhile are blanked in
    // m_arrExts, not removed, so the walk reaches every later one.
    int m_nBroadcastDepth = 0;
    // Extensions that point at this manager but hear no broadcasts: copies,
    // and those that UnRegisterNotifyWindow dropped. They are told when the
    // manager goes, so that their own end does not reach into it.
    std::vector<CTarvoMgrExt*> m_arrUnlistedExts;

    friend class CTarvoMgrExt;
};
