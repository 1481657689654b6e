#pragma once

#include "TarvoExport.h"
#include "tabs/DataFileTab.h"

// "File properties": binds a File parameter to one column of a delimited
// data file, chosen by number or by name.
class TARVO_API CFileInfoTab : public CDataFileTab
{
public:
    explicit CFileInfoTab(CTarvoMgr* pMgr);
    ~CFileInfoTab() override;

    BOOL OnKillActive() override;
    void RefreshSpinRanges() override;
    void FillColumnNames();
    void UpdateColumnChoice() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void LoadOwnAttribs(const char* pszName) override;
    void SaveOwnAttribs(const char* pszName) override;
    std::vector<int> FileControls() const override;
    void OnFileLoaded() override;
    void ResetFileFormat() override;

    void OnChangeColumnNumber();
    void OnClickedColumnBy();
    LRESULT OnAddColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbColumnName;
    CEdit m_edColumnNumber;
    CSpinButtonCtrl m_spinColumn;
    int m_nColumnBy = 0;
    std::string m_strColumnNumber = "1";
    std::string m_strColumnName;

    DECLARE_MESSAGE_MAP()
};
