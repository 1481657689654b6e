#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "afx/SpinButtonCtrl.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"
#include "tabs/DataFileRules.h"

#include <string>
#include <vector>

class CTableDlg;
class CIterationConditionsDlg;

// What the File and Table tabs share: the data file (typed, picked from the
// recent files or browsed) with its delimiter and first data line, the
// embedded editor and row-selection pane, where the file is recorded, the
// fresh file name of a new parameter and followers kept on the same line.
// What the controls show is written to the parameter on every refresh.
class TARVO_API CDataFileTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    // nConditionsMode: the row-selection pane's mode.
    CDataFileTab(CTarvoMgr* pMgr, UINT nIDTemplate, int nConditionsMode);
    ~CDataFileTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void UseDefaults() override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    BOOL LoadFromParam(const char* pszName);
    BOOL SaveToParam(const char* pszName);
    void Refresh();
    virtual void RefreshSpinRanges() = 0;
    // Sets the first-line spin to the file's lines and keeps the first line in
    // them; the file's line count (at most COUNT_MAX), or -1 when the file gives
    // no ranges.
    int RefreshFirstLineRange();
    static constexpr int COUNT_MAX = 32767;
    BOOL CheckDataDirectory(const std::string& strPath, BOOL bShowMessage);
    BOOL CheckFirstDataLine(const char* pszName, BOOL bShowMessage);
    void SyncSameLineRows(const std::string& strName);

    CTableDlg* GetTableDlg() const { return m_pTableDlg; }
    CIterationConditionsDlg* GetConditionsDlg() const { return m_pConditionsDlg; }

protected:
    // The attributes only one of the tabs has.
    virtual void LoadOwnAttribs(const char* pszName) = 0;
    virtual void SaveOwnAttribs(const char* pszName) = 0;
    // The controls that mean something only while the file exists.
    virtual std::vector<int> FileControls() const = 0;
    // After the file was loaded into the editor.
    virtual void OnFileLoaded() {}
    virtual void UpdateColumnChoice() {}
    // The settings of a file new to the tab; the tabs add their own.
    virtual void ResetFileFormat();

    // Leaving, up to the tab's own checks: false when the author must stay.
    BOOL KillActiveCommon();
    // Pushes the members to the controls without taking it for typing.
    void PushControls();
    // An edit with an up-down: the value kept within the range and the caret
    // where it was; bRefresh refreshes from the file in between.
    void OnChangeSpinEdit(CEdit& edit, CSpinButtonCtrl& spin, bool bRefresh);
    // Places the editor and the pane on their frames.
    void PlaceChildren();
    std::string ActiveName() const;
    std::string ActiveAttrib(const char* pszKey) const;
    bool HasActiveParam() const;

    void OnBrowse();
    void OnEditChangePath();
    void OnSelChangePath();
    void OnEditChangeDelimiter();
    void OnSelChangeDelimiter();
    void OnChangeFirstLine();
    void OnSameLineChosen();
    void OnEditorReloaded();
    void OnEditorWizard();
    void OnNewFileReset();
    void OnCountsChanged();
    void OnBeforeSimulate();
    void OnDestroy();

    CComboBox m_cbPath;
    CComboBox m_cbDelimiter;
    CEdit m_edFirstLine;
    CSpinButtonCtrl m_spinFirstLine;

    std::string m_strFilePath;
    std::string m_strDelimiterName = "Comma";
    UINT m_nFirstDataLine = 1;
    bool m_bDataDirOnly = false;
    // Whether a directory on a mapped drive is recorded by its network name.
    bool m_bNetworkNames = true;
    bool m_bInitialized = false;
    std::string m_strTableLocation;
    std::string m_strTable;
    std::string m_strColumnAttrib;
    std::string m_strStartRow;
    std::string m_strDelimiter;
    std::string m_strIniPath;
    // The parameter the controls were last loaded from.
    std::string m_strShownName;
    CTableDlg* m_pTableDlg = nullptr;
    CIterationConditionsDlg* m_pConditionsDlg = nullptr;
    std::vector<RECENT_FILE> m_arrRecent;
    int m_nConditionsMode;
    bool m_bSpinRangesSet = false;
    bool m_bInRefresh = false;
    bool m_bPushing = false;

    DECLARE_MESSAGE_MAP()

private:
    // The delimiter the file seems to use, into the delimiter box.
    void DetectDelimiter();
};
