#pragma once

#include "TarvoExport.h"
#include "tabs/DataFileTab.h"

// "Table properties": a Table parameter takes whole rows of a data file per
// iteration, all columns or a list of them, with the rows joined by a
// delimiter for the log and a policy for a file with too few rows.
class TARVO_API CTableInfoTab : public CDataFileTab
{
public:
    explicit CTableInfoTab(CTarvoMgr* pMgr);
    ~CTableInfoTab() override;

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;
    void RefreshSpinRanges() override;
    void UpdateColumnChoice() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void LoadOwnAttribs(const char* pszName) override;
    void SaveOwnAttribs(const char* pszName) override;
    std::vector<int> FileControls() const override;
    void ResetFileFormat() override;

    void OnChangeRows();
    void OnClickedColumnMode();
    void OnTableInformation();
    void OnSize(UINT nType, int cx, int cy);

    CEdit m_edRows;
    CSpinButtonCtrl m_spinRows;
    CComboBox m_cbNotEnoughRows;
    std::string m_strColumnList;
    std::string m_strRowsPerIteration = "1";
    int m_nColumnMode = 0;
    std::string m_strRowDelimiter;
    int m_nNotEnoughRows = 0;

    DECLARE_MESSAGE_MAP()

private:
    // 0 with the expanded list, or the message that says what is wrong.
    int ExpandColumns(std::string& strExpanded);
};
