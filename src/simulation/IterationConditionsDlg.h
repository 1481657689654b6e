#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// The "Select next row" value that ties a data-file parameter to the rows of
// the parameter named after it; note the trailing space.
#define SAME_LINE_AS_PREFIX "Same line as "

// Whether a "SelectNextRow" value ties the parameter to another one.
TARVO_API bool IsSameLineChoice(const std::string& strChoice);

// The row-selection pane of the File and Table tabs: which row comes next,
// when a new value is taken, what happens when the rows run out and how many
// values each Vuser is allocated when rows are handed out uniquely. The tab
// embeds it as a child, loads it with the parameter it shows and saves it
// when it writes back. Choosing to follow another parameter moves every
// parameter that followed this one to the new target, so ties stay one level
// deep.
class TARVO_API CIterationConditionsDlg : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    // nMode: 0 for the File tab, 1 for the Table tab (no "Each occurrence").
    CIterationConditionsDlg(CTarvoMgr* pMgr, int nMode);
    ~CIterationConditionsDlg() override;

    virtual BOOL Create(CWnd* pParentWnd);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    BOOL LoadConditions(const char* pszParam);
    BOOL SaveConditions(const char* pszParam);
    void ResetToSequential();
    void EnableConditions(BOOL bEnable);
    BOOL IsRowPolicyIndependent();
    // 0 after message 10239 when a fixed count is asked for but missing.
    BOOL ValidateConditions();
    void RefreshAllocation();
    // Falls back to "Sequential", with message 10230, when the stored row
    // choice is not offered; the attribute changes only on the next save.
    BOOL CheckSameLineChoice(const std::string& strParam);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnClickedAutoAllocate();
    void OnClickedFixedAllocate();
    void OnSelChangeRowOrPolicy();
    void OnCloseUpSelectNextRow();

    CComboBox m_cbSelectNextRow;
    CComboBox m_cbUpdatePolicy;
    CComboBox m_cbOutOfValues;
    CEdit m_edValuesPerVuser;
    int m_nAllocMode = -1;
    std::string m_strSelectNextRow;
    std::string m_strLoadedSelectNextRow;
    std::string m_strUpdatePolicy;
    int m_bKeepAllocChoice = 1;
    int m_nMode;

    DECLARE_MESSAGE_MAP()

private:
    // Pushes the members to the controls; a row choice that is not an item
    // leaves the list without text.
    void PushControls();
    void RebuildRowChoices(const std::string& strParam);
    void EvaluateAllocation();
    // The end of a chain of ties: the parameter that follows no other.
    std::string ResolveTieChain(const std::string& strChoice);
    // Every parameter tied to this one follows its new choice instead.
    void FlattenTies(const std::string& strParam, const std::string& strChoice);
};
