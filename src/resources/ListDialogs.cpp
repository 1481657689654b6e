#include "resources/ListDialogs.h"

#include "resources/TarvoResources.h"

// The parameter list window and the small dialogs that create and delete
// parameters. Sizes and places are dialog units.
void AddTarvoListDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD tab = child | WS_TABSTOP;
    const DWORD popup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

    module.AddDialog(
        {IDD_PARAM_LIST_WND,
         "",
         "MS Shell Dlg",
         8,
         0,
         0,
         111,
         178,
         WS_CHILD,
         {{AFX_WC_TREEVIEW, "", IDC_PARAM_LIST_TREE, 7, 7, 97, 164,
           tab | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS}}});

    module.AddDialog(
        {IDD_SELECT_PARAM,
         "Select or Create Parameter",
         "MS Sans Serif",
         8,
         0,
         0,
         183,
         84,
         popup,
         {{AFX_WC_STATIC, "Parameter &name:", IDC_STATIC, 7, 9, 58, 8, child | SS_LEFT},
          {AFX_WC_COMBOBOX, "", IDC_SELECT_PARAM_NAME, 68, 7, 108, 80,
           tab | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT},
          {AFX_WC_STATIC, "Parameter &type:", IDC_SELECT_PARAM_TYPE_LABEL, 7, 26, 58, 8, child | SS_LEFT},
          {AFX_WC_COMBOBOX, "", IDC_SELECT_PARAM_TYPE, 68, 24, 108, 80, tab | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
          {AFX_WC_STATIC, "Original &value:", IDC_STATIC, 7, 43, 58, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_SELECT_PARAM_VALUE, 68, 41, 108, 14,
           tab | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL},
          {AFX_WC_BUTTON, "OK", IDOK, 16, 63, 50, 14, tab | BS_DEFPUSHBUTTON},
          {AFX_WC_BUTTON, "Cancel", IDCANCEL, 70, 63, 50, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "P&roperties...", IDC_SELECT_PARAM_PROPERTIES, 124, 63, 52, 14, tab | BS_PUSHBUTTON}}});

    module.AddDialog({IDD_DELETE_PARAM,
                      "Delete Parameter",
                      "MS Shell Dlg",
                      8,
                      0,
                      0,
                      198,
                      65,
                      popup,
                      {{AFX_WC_STATIC, "#160", IDC_STATIC, 7, 7, 21, 20, child | SS_ICON},
                       {AFX_WC_STATIC, "Delete parameter? (this action cannot be undone)", IDC_STATIC, 36, 9, 155, 8,
                        child | SS_LEFT},
                       {AFX_WC_BUTTON, "Delete parameter data file from disk", IDC_DELETE_PARAM_DATA_FILE, 36, 24, 155,
                        10, tab | BS_AUTOCHECKBOX},
                       {AFX_WC_BUTTON, "Yes", IDOK, 45, 44, 50, 14, tab | BS_DEFPUSHBUTTON},
                       {AFX_WC_BUTTON, "No", IDCANCEL, 103, 44, 50, 14, tab | BS_PUSHBUTTON}}});
}
