#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"
#include "afx/ReportListCtrl.h"
#include "simulation/ParamSimulator.h"

#include <string>
#include <vector>

class CTarvoMgr;

// The simulation's result list: a report list with a tip per cell.
typedef CReportListCtrl CToolTipListCtrl;

// "Parameter Simulation": which value each simulated Vuser receives in each
// iteration for the manager's active parameter, one row per Vuser and one
// column per iteration, run from the saved parameter file in an engine
// instance of the dialog's own. The settings live in the script's ".usr".
class TARVO_API CSimDlg : public CDialog
{
public:
    CSimDlg(CTarvoMgr* pMgr, CWnd* pParentWnd);
    ~CSimDlg() override;

    int m_nRunMode = 0;
    int m_nVusers = 1;
    int m_nIterationsToRun = 1;
    unsigned int m_nIterationsToShow = 1;
    int m_bIterationsFromRTS = 0;

    CToolTipListCtrl& GetResultList() { return m_list; }
    int GetColumns() const { return m_nColumns; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSimulate();
    void OnRunMode();
    void OnIterationsFromRTS();
    void OnCountChanged();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    SIM_SETTINGS ReadControls();
    void PushSettings(const SIM_SETTINGS& settings);
    void UpdateEnabling();
    void ShowList(BOOL bShow);
    void ClearList();
    void AddColumns();
    void AddRow(int nRow, const SIM_ROW& row);
    void CreateList();

    CTarvoMgr* m_pMgr;
    CParamSimulator m_simulator;
    CToolTipListCtrl m_list;
    std::string m_strParamName;
    int m_nColumns = 1;
    int m_bFirstRun = 1;
    int m_bFocusSet = 0;
};
