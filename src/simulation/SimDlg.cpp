#include "simulation/SimDlg.h"

#include "afx/DataExchange.h"
#include "afx/MessageBox.h"
#include "afx/SpinButtonCtrl.h"
#include "afx/WaitCursor.h"
#include "controls/StringParam.h"
#include "manager/TarvoMgr.h"
#include "resources/SimulationDialogs.h"
#include "resources/StringIds.h"

#include <algorithm>

namespace
{
const int FIRST_COLUMN_WIDTH = 48;
const int HEADER_MARGIN = 10;
} // namespace

BEGIN_MESSAGE_MAP(CSimDlg, CDialog)
ON_BN_CLICKED(IDC_SIM_SIMULATE, &CSimDlg::OnSimulate)
ON_BN_CLICKED(IDC_SIM_RUN_UNTIL_COMPLETION, &CSimDlg::OnRunMode)
ON_BN_CLICKED(IDC_SIM_RUN_INDEFINITELY, &CSimDlg::OnRunMode)
ON_BN_CLICKED(IDC_SIM_ITERATIONS_FROM_RTS, &CSimDlg::OnIterationsFromRTS)
ON_EN_CHANGE(IDC_SIM_VUSERS, &CSimDlg::OnCountChanged)
ON_EN_CHANGE(IDC_SIM_ITERATIONS_TO_RUN, &CSimDlg::OnCountChanged)
ON_EN_CHANGE(IDC_SIM_ITERATIONS_TO_SHOW, &CSimDlg::OnCountChanged)
ON_WM_HELPINFO()
ON_BN_CLICKED(ID_HELP, &CSimDlg::OnHelp)
END_MESSAGE_MAP()

CSimDlg::CSimDlg(CTarvoMgr* pMgr, CWnd* pParentWnd) : CDialog(IDD_SIMULATION, pParentWnd), m_pMgr(pMgr) {}

CSimDlg::~CSimDlg() = default;

// Counts go through the controls by hand: an empty or wrong field is a count
// the checks correct, not a failed exchange.
void CSimDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SIM_RUN_UNTIL_COMPLETION, m_nRunMode);
    DDX_Check(pDX, IDC_SIM_ITERATIONS_FROM_RTS, m_bIterationsFromRTS);
}

BOOL CSimDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateList();
    ShowList(FALSE);
    m_strParamName = m_pMgr->GetActiveParamName();
    std::string strError;
    if (!m_simulator.Open(m_pMgr->GetDatFile(), m_pMgr->GetActiveParamFilePath(), m_strParamName, strError))
    {
        AfxMessageBox(strError.c_str());
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_simulator.RecordParamFile();
    PushSettings(m_simulator.LoadSettings());
    for (int nSpin : {IDC_SIM_VUSERS_SPIN, IDC_SIM_ITERATIONS_TO_RUN_SPIN, IDC_SIM_ITERATIONS_TO_SHOW_SPIN})
        if (auto* pSpin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(nSpin)))
            pSpin->SetRange32(CParamSimulator::MIN_COUNT, CParamSimulator::MAX_COUNT);
    UpdateEnabling();
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    GetDlgItem(IDC_SIM_REFLECT_TEXT)->ShowWindow(SW_HIDE);
    std::string strCaption;
    FormatResourcePrintf(strCaption, IDS_SIM_CAPTION, m_strParamName);
    SetWindowText(strCaption.c_str());
    return TRUE;
}

// The list stands where the start text is centred: the space between the
// settings and the Close button.
void CSimDlg::CreateList()
{
    CRect rect(7, 110, 271, 272);
    MapDialogRect(&rect);
    m_list.Create(WS_CHILD | WS_BORDER | WS_TABSTOP, rect, this, IDC_SIM_RESULTS);
}

void CSimDlg::PushSettings(const SIM_SETTINGS& settings)
{
    m_nVusers = settings.nVusers;
    m_nRunMode = settings.nRunMode;
    m_nIterationsToRun = settings.nIterationsToRun;
    m_nIterationsToShow = static_cast<unsigned int>(settings.nIterationsToShow);
    m_bIterationsFromRTS = settings.bIterationsFromRTS;
    SetDlgItemInt(IDC_SIM_VUSERS, static_cast<UINT>(m_nVusers));
    SetDlgItemInt(IDC_SIM_ITERATIONS_TO_RUN, static_cast<UINT>(m_nIterationsToRun));
    SetDlgItemInt(IDC_SIM_ITERATIONS_TO_SHOW, m_nIterationsToShow, FALSE);
    UpdateData(FALSE);
}

SIM_SETTINGS CSimDlg::ReadControls()
{
    UpdateData(TRUE);
    m_nVusers = static_cast<int>(GetDlgItemInt(IDC_SIM_VUSERS));
    m_nIterationsToRun = static_cast<int>(GetDlgItemInt(IDC_SIM_ITERATIONS_TO_RUN));
    m_nIterationsToShow = GetDlgItemInt(IDC_SIM_ITERATIONS_TO_SHOW, nullptr, FALSE);
    SIM_SETTINGS settings;
    settings.nVusers = m_nVusers;
    settings.nRunMode = m_nRunMode;
    settings.nIterationsToRun = m_nIterationsToRun;
    settings.nIterationsToShow = static_cast<int>(std::min(m_nIterationsToShow, 1u << 30));
    settings.bIterationsFromRTS = m_bIterationsFromRTS;
    return settings;
}

void CSimDlg::UpdateEnabling()
{
    BOOL bIndefinite = m_nRunMode == 1;
    for (int nId : {IDC_SIM_ITERATIONS_TO_SHOW, IDC_SIM_ITERATIONS_TO_SHOW_SPIN, IDC_SIM_ITERATIONS_TO_SHOW_LABEL})
        GetDlgItem(nId)->EnableWindow(bIndefinite);
    GetDlgItem(IDC_SIM_ITERATIONS_TO_RUN_LABEL)->EnableWindow(!bIndefinite);
    GetDlgItem(IDC_SIM_ITERATIONS_FROM_RTS)->EnableWindow(!bIndefinite);
    for (int nId : {IDC_SIM_ITERATIONS_TO_RUN, IDC_SIM_ITERATIONS_TO_RUN_SPIN})
        GetDlgItem(nId)->EnableWindow(!bIndefinite && !m_bIterationsFromRTS);
    if (m_list.IsWindowVisible())
        GetDlgItem(IDC_SIM_REFLECT_TEXT)->ShowWindow(SW_SHOW);
}

void CSimDlg::OnRunMode()
{
    UpdateData(TRUE);
    UpdateEnabling();
}

void CSimDlg::OnIterationsFromRTS()
{
    UpdateData(TRUE);
    if (m_bIterationsFromRTS)
    {
        m_nIterationsToRun = m_simulator.ReadRunLogicIterations();
        SetDlgItemInt(IDC_SIM_ITERATIONS_TO_RUN, static_cast<UINT>(m_nIterationsToRun));
    }
    UpdateEnabling();
}

void CSimDlg::OnCountChanged()
{
    if (m_list.GetSafeHwnd() && m_list.IsWindowVisible())
        GetDlgItem(IDC_SIM_REFLECT_TEXT)->ShowWindow(SW_SHOW);
}

void CSimDlg::ShowList(BOOL bShow)
{
    GetDlgItem(IDC_SIM_START_TEXT)->ShowWindow(bShow ? SW_HIDE : SW_SHOW);
    m_list.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CSimDlg::ClearList()
{
    m_list.DeleteAllItems();
    while (m_list.GetColumnCount() > 0)
        m_list.DeleteColumn(0);
}

void CSimDlg::OnSimulate()
{
    m_bFocusSet = 0;
    SIM_SETTINGS settings = ReadControls();
    std::string strMessage;
    if (CParamSimulator::Validate(settings, strMessage))
    {
        AfxMessageBox(strMessage.c_str());
        PushSettings(settings);
        return;
    }
    m_nColumns = settings.GetColumns();
    CWaitCursor wait;
    if (!m_bFirstRun)
        ClearList();
    m_bFirstRun = 0;
    m_list.EnableToolTips(TRUE);
    ShowList(TRUE);
    AddColumns();
    std::vector<SIM_ROW> arrRows;
    if (!m_simulator.Run(settings, arrRows, strMessage))
    {
        AfxMessageBox(strMessage.c_str());
        ShowList(FALSE);
        return;
    }
    for (size_t i = 0; i < arrRows.size(); ++i)
        AddRow(static_cast<int>(i), arrRows[i]);
    GetDlgItem(IDC_SIM_REFLECT_TEXT)->ShowWindow(SW_HIDE);
}

void CSimDlg::AddColumns()
{
    m_list.InsertColumn(0, "", FIRST_COLUMN_WIDTH);
    int nWidth = FIRST_COLUMN_WIDTH;
    for (int i = 1; i <= m_nColumns; ++i)
    {
        std::string strHeading;
        FormatResourcePrintf(strHeading, IDS_SIM_ITERATION_COLUMN, CStringParam(i, 10));
        int nColumnWidth = m_list.GetStringWidth(strHeading) + HEADER_MARGIN;
        m_list.InsertColumn(i, strHeading.c_str(), nColumnWidth);
        nWidth += nColumnWidth;
    }
    // An empty column fills what the iterations leave of the view.
    CRect client;
    m_list.GetClientRect(&client);
    if (client.Width() > nWidth)
        m_list.InsertColumn(m_nColumns + 1, "", client.Width() - nWidth);
}

void CSimDlg::AddRow(int nRow, const SIM_ROW& row)
{
    m_list.InsertItem(nRow, row.strName.c_str());
    if (!row.strTip.empty())
        m_list.SetCellTip(nRow, 0, row.strTip);
    for (size_t i = 0; i < row.arrCells.size(); ++i)
    {
        const SIM_CELL& cell = row.arrCells[i];
        int nColumn = static_cast<int>(i) + 1;
        m_list.SetItemText(nRow, nColumn, cell.strText.c_str());
        if (cell.bValue)
            continue;
        if (!cell.strTip.empty())
            m_list.SetCellTip(nRow, nColumn, cell.strTip);
        if (!m_bFocusSet)
        {
            m_bFocusSet = 1;
            m_list.SelectItem(nRow);
            m_list.EnsureVisible(nRow);
            m_list.SetFocus();
        }
    }
}

void CSimDlg::OnOK()
{
    SIM_SETTINGS settings = ReadControls();
    // An emptied field counts as one.
    std::string strText;
    for (auto field : {std::make_pair(IDC_SIM_VUSERS, &settings.nVusers),
                       std::make_pair(IDC_SIM_ITERATIONS_TO_RUN, &settings.nIterationsToRun),
                       std::make_pair(IDC_SIM_ITERATIONS_TO_SHOW, &settings.nIterationsToShow)})
        if (GetDlgItemText(field.first, strText) == 0)
            *field.second = 1;
    m_simulator.Close();
    ClearList();
    m_simulator.SaveSettings(settings);
    EndDialog(IDOK);
}

// Escape closes the allocation too: no other way out leaves it open.
void CSimDlg::OnCancel()
{
    m_simulator.Close();
    CDialog::OnCancel();
}

BOOL CSimDlg::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}

void CSimDlg::OnHelp()
{
    m_pMgr->ShowHelp(HIDD_SIMULATION);
}
