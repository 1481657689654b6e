#pragma once

#include "TarvoExport.h"
#include "afx/Button.h"
#include "afx/ComboBox.h"
#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// The dataset bar: a child window across the top of its host that lets the
// author switch between the script's datasets and create, rename and delete
// them. The dataset being left is always saved first.
class TARVO_API CDatasetDlg : public CDialog, public CTarvoMgrExt
{
public:
    explicit CDatasetDlg(CTarvoMgr* pMgr);
    ~CDatasetDlg() override;

    virtual BOOL Create(CWnd* pParentWnd);
    // Code 12 refills the list and selects the dataset it names.
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;
    // The dialog keys belong to the window around the bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CButton m_btnRename;
    CButton m_btnNew;
    CButton m_btnDelete;
    CComboBox m_cbDatasets;
    std::string m_strCurrentDataset;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelChangeDataset();
    void OnNewDataset();
    void OnRenameDataset();
    void OnDeleteDataset();
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    BOOL SaveCurrentDataset();
    void ReportFailure(UINT nIDPrompt, const std::string& strName, const std::string& strNewName = std::string());
    // The list's entry of exactly that name, added when missing, selected.
    void SelectDataset(const std::string& strName);
    int FindDataset(const std::string& strName) const;
    std::string SelectedDataset() const;
    void UpdateDeleteButton();
};
