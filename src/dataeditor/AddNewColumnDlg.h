#pragma once

#include "TarvoExport.h"
#include "controls/BaseDialog.h"

#include <string>

// "Add new column": asks for the name of a column to add to a data file. The
// name must be an identifier of at most 32 characters; whether the file has a
// column of that name already is for the caller to find out.
class TARVO_API CAddNewColumnDlg : public CBaseDialog
{
public:
    CAddNewColumnDlg(const std::string& strFilePath, const std::string& strDefaultName, CWnd* pParentWnd = nullptr);
    ~CAddNewColumnDlg() override;

    std::string m_strColumnName;
    std::string m_strFilePath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
