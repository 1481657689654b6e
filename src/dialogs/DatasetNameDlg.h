#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"

#include <string>
#include <vector>

// Modes of CDatasetNameDlg.
#define DATASET_NAME_RENAME 0
#define DATASET_NAME_CREATE 1

// Asks for a dataset name. The name must be a plain file name. In create
// mode an existing name may be replaced once the author confirms; in rename
// mode an existing name is refused, since renaming never replaces a dataset.
class TARVO_API CDatasetNameDlg : public CDialog
{
public:
    // arrExisting: the names the entered one must not meet unasked.
    CDatasetNameDlg(int nMode, const std::vector<std::string>& arrExisting, const std::string& strProposed,
                    CWnd* pParentWnd = nullptr);
    ~CDatasetNameDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    std::string m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    BOOL IsExisting() const;
    void Refuse(const std::string& strText, const std::string& strCaption);

    int m_nMode;
    std::vector<std::string> m_arrExisting;
};
