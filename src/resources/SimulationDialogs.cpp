#include "resources/SimulationDialogs.h"

#include "resources/TarvoResources.h"

// The parameter simulation dialog. Sizes and places are dialog units; the
// result list takes the place of the start text when the dialog makes it. The
// two run modes come one after the other: they form one radio group.
void AddTarvoSimulationDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD label = child | SS_LEFT;
    const DWORD number = child | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP;
    const DWORD spin = child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    const DWORD button = child | BS_PUSHBUTTON | WS_TABSTOP;

    module.AddDialog(
        {IDD_SIMULATION,
         "",
         "MS Sans Serif",
         8,
         0,
         0,
         278,
         298,
         WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
         {{AFX_WC_STATIC, "Number of &Vusers:", IDC_STATIC, 7, 9, 110, 8, label},
          {AFX_WC_EDIT, "", IDC_SIM_VUSERS, 120, 7, 40, 14, number},
          {AFX_WC_UPDOWN, "", IDC_SIM_VUSERS_SPIN, 160, 7, 10, 14, spin},
          {AFX_WC_BUTTON, "Run until completion:", IDC_SIM_RUN_UNTIL_COMPLETION, 7, 28, 150, 10,
           child | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
          {AFX_WC_BUTTON, "Run indefinitely", IDC_SIM_RUN_INDEFINITELY, 7, 76, 150, 10, child | BS_AUTORADIOBUTTON},
          {AFX_WC_STATIC, "Number of iterations to run:", IDC_SIM_ITERATIONS_TO_RUN_LABEL, 19, 44, 100, 8,
           label | WS_GROUP},
          {AFX_WC_EDIT, "", IDC_SIM_ITERATIONS_TO_RUN, 120, 42, 40, 14, number},
          {AFX_WC_UPDOWN, "", IDC_SIM_ITERATIONS_TO_RUN_SPIN, 160, 42, 10, 14, spin},
          {AFX_WC_BUTTON, "Take number of iterations from the Run-Time settings", IDC_SIM_ITERATIONS_FROM_RTS, 19, 60,
           240, 10, child | BS_AUTOCHECKBOX | WS_TABSTOP},
          {AFX_WC_STATIC, "Number of iterations to show:", IDC_SIM_ITERATIONS_TO_SHOW_LABEL, 19, 92, 100, 8, label},
          {AFX_WC_EDIT, "", IDC_SIM_ITERATIONS_TO_SHOW, 120, 90, 40, 14, number},
          {AFX_WC_UPDOWN, "", IDC_SIM_ITERATIONS_TO_SHOW_SPIN, 160, 90, 10, 14, spin},
          {AFX_WC_BUTTON, "Simulate", IDC_SIM_SIMULATE, 221, 7, 50, 14, button | WS_GROUP},
          {AFX_WC_STATIC, "Press 'Simulate' to start", IDC_SIM_START_TEXT, 7, 180, 264, 8, child | SS_CENTER},
          {AFX_WC_STATIC, "Press 'Simulate' to reflect new settings.", IDC_SIM_REFLECT_TEXT, 7, 280, 150, 8, label},
          {AFX_WC_BUTTON, "Close", IDOK, 167, 277, 50, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
          {AFX_WC_BUTTON, "Help", ID_HELP, 221, 277, 50, 14, button}}});
}
