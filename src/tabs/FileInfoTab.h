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

// "File properties": binds a File parameter to one column of a delimited
// data file. The author types, picks or browses the file, chooses the column
// by number or name, the delimiter and the first data line; the embedded
// editor shows and edits the file and the row-selection pane holds the row
// policy. What the controls show is written to the parameter on every
// refresh, and parameters that follow this one keep its first data line.
class TARVO_API CFileInfoTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CFileInfoTab(CTarvoMgr* pMgr);
    ~CFileInfoTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    BOOL LoadFromParam(const char* pszName);
    BOOL SaveToParam(const char* pszName);
    void Refresh();
    void RefreshSpinRanges();
    BOOL CheckDataDirectory(const std::string& strPath, BOOL bShowMessage);
    BOOL CheckFirstDataLine(const char* pszName, BOOL bShowMessage);
    void SyncSameLineRows(const std::string& strName);
    void FillColumnNames();
    void UpdateColumnChoice();

    CTableDlg* GetTableDlg() const { return m_pTableDlg; }
    CIterationConditionsDlg* GetConditionsDlg() const { return m_pConditionsDlg; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnBrowse();
    void OnEditChangePath();
    void OnSelChangePath();
    void OnEditChangeDelimiter();
    void OnSelChangeDelimiter();
    void OnChangeFirstLine();
    void OnChangeColumnNumber();
    void OnClickedColumnBy();
    void OnSameLineChosen();
    void OnEditorReloaded();
    void OnEditorWizard();
    void OnNewFileReset();
    void OnCountsChanged();
    void OnBeforeSimulate();
    LRESULT OnAddColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbPath;
    CComboBox m_cbDelimiter;
    CComboBox m_cbColumnName;
    CEdit m_edColumnNumber;
    CEdit m_edFirstLine;
    CSpinButtonCtrl m_spinColumn;
    CSpinButtonCtrl m_spinFirstLine;

    int m_nColumnBy = 0;
    std::string m_strFilePath;
    std::string m_strColumnNumber = "1";
    std::string m_strColumnName;
    std::string m_strDelimiterName = "Comma";
    UINT m_nFirstDataLine = 1;
    bool m_bDataDirOnly = false;
    bool m_bInitialized = false;
    std::string m_strTableLocation;
    std::string m_strTable;
    std::string m_strColumnAttrib;
    std::string m_strStartRow;
    std::string m_strDelimiter;
    std::string m_strIniPath;
    CTableDlg* m_pTableDlg = nullptr;
    CIterationConditionsDlg* m_pConditionsDlg = nullptr;
    std::vector<RECENT_FILE> m_arrRecent;

    DECLARE_MESSAGE_MAP()

private:
    std::string ActiveName() const;
    std::string ActiveAttrib(const char* pszKey) const;
    bool HasActiveParam() const;
    // The delimiter the file seems to use, into the delimiter box.
    void DetectDelimiter();
    // An edit with an up-down: the value kept within the range, then a
    // refresh that keeps the caret where it was.
    void OnChangeSpinEdit(CEdit& edit, CSpinButtonCtrl& spin);
    // The column, delimiter and first line of a file that is new to the tab.
    void ResetFileFormat();

    // Pushes the members to the controls without taking it for typing.
    void PushControls();

    bool m_bSpinRangesSet = false;
    bool m_bPushing = false;
    bool m_bInRefresh = false;
};
