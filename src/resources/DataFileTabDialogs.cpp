#include "resources/DataFileTabDialogs.h"

#include "resources/TarvoResources.h"

// The data-file tabs and their row-selection pane. Sizes and places are
// dialog units.
void AddTarvoDataFileTabDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD label = child | SS_LEFT;
    const DWORD list = child | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const DWORD radio = child | BS_AUTORADIOBUTTON | WS_TABSTOP;

    module.AddDialog(
        {IDD_ITERATION_CONDITIONS,
         "",
         "MS Sans Serif",
         8,
         0,
         0,
         166,
         91,
         WS_CHILD,
         {{AFX_WC_STATIC, "&Select next row:", IDC_COND_SELECT_NEXT_ROW_LABEL, 0, 2, 66, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_COND_SELECT_NEXT_ROW, 68, 0, 98, 80, list},
          {AFX_WC_STATIC, "&Update value on:", IDC_COND_UPDATE_POLICY_LABEL, 0, 18, 66, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_COND_UPDATE_POLICY, 68, 16, 98, 60, list},
          {AFX_WC_STATIC, "W&hen out of values:", IDC_COND_OUT_OF_VALUES_LABEL, 0, 34, 66, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_COND_OUT_OF_VALUES, 68, 32, 98, 60, list},
          {AFX_WC_BUTTON, "Allocate Vuser values in the Controller", IDC_COND_ALLOCATE_GROUP, 0, 49, 166, 42,
           child | BS_GROUPBOX},
          {AFX_WC_BUTTON, "Automat&ically allocate block size ", IDC_COND_AUTO_ALLOCATE, 6, 60, 150, 10,
           radio | WS_GROUP},
          {AFX_WC_BUTTON, "Alloca&te ", IDC_COND_FIXED_ALLOCATE, 6, 75, 40, 10, radio},
          {AFX_WC_EDIT, "", IDC_COND_VALUES_PER_VUSER, 48, 74, 34, 12,
           child | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP},
          {AFX_WC_STATIC, "values for each Vuser", IDC_COND_VALUES_LABEL, 86, 76, 76, 8, label}}});
}
