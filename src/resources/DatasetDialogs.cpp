#include "resources/DatasetDialogs.h"

#include "resources/TarvoResources.h"

// The dataset bar and the dialog that asks for a dataset name. Sizes and
// places are dialog units.
void AddTarvoDatasetDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD tab = child | WS_TABSTOP;

    module.AddDialog(
        {IDD_DATASET_BAR,
         "",
         "MS Shell Dlg",
         8,
         0,
         0,
         365,
         18,
         WS_CHILD | DS_CONTROL,
         {{AFX_WC_STATIC, "Activ&e Dataset:", IDC_STATIC, 4, 5, 54, 8, child | SS_LEFT},
          {AFX_WC_COMBOBOX, "", IDC_DATASET_COMBO, 60, 2, 148, 100, tab | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
          {AFX_WC_BUTTON, "New...", IDC_DATASET_NEW, 212, 2, 48, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "Delete", IDC_DATASET_DELETE, 263, 2, 48, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "Rename...", IDC_DATASET_RENAME, 314, 2, 48, 14, tab | BS_PUSHBUTTON}}});

    module.AddDialog({IDD_DATASET_NAME,
                      "",
                      "MS Shell Dlg",
                      8,
                      0,
                      0,
                      214,
                      47,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      {{AFX_WC_STATIC, "#160", IDC_STATIC, 7, 7, 21, 20, child | SS_ICON},
                       {AFX_WC_STATIC, "&Profile Name:", IDC_DATASET_NAME_LABEL, 36, 9, 50, 8, child | SS_LEFT},
                       {AFX_WC_EDIT, "", IDC_DATASET_NAME, 88, 7, 119, 14, tab | WS_BORDER | ES_AUTOHSCROLL},
                       {AFX_WC_BUTTON, "OK", IDOK, 103, 26, 50, 14, tab | BS_DEFPUSHBUTTON},
                       {AFX_WC_BUTTON, "Cancel", IDCANCEL, 157, 26, 50, 14, tab | BS_PUSHBUTTON}}});
}
