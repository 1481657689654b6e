#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Dialog.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Select or Create Parameter": the author picks an existing parameter for a
// piece of script text or names a new one and chooses its type. Properties
// may create the new parameter early to edit its settings; Cancel deletes
// what the dialog created.
class TARVO_API CNewParamDialog : public CDialog, public CTarvoMgrExt
{
public:
    CNewParamDialog(CTarvoMgr* pMgr, CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    CComboBox m_cbName;
    CComboBox m_cbType;
    std::string m_strName;
    std::string m_strTypeName; // a type display name
    std::string m_strValue;    // the original value shown

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnNameEditChange();
    void OnNameSelChange();
    void OnNameCloseUp();
    void OnProperties();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()

private:
    void FillTypeBox();
    void FillNameBox();
    void SelectType(const std::string& strTypeName);
    void Refresh();
    void ShowValue(const std::string& strValue);
    // Steps shared by OK and Properties: takes and trims the name, refuses
    // an empty, invalid or case-clashing one (with its message).
    BOOL TakeName();
    void DeleteCreatedParam();
    void CreateAndEdit();

    // The caller's original value, kept while the value field shows another
    // parameter's.
    std::string m_strCallerValue;
    // The parameter this dialog created through Properties; empty when none.
    std::string m_strCreatedName;
    // The name box's text is the list's choice, not typed.
    BOOL m_bListChoice = FALSE;
};
