#include "resources/ListEditDialogs.h"

#include "resources/TarvoResources.h"

// The Parameter List dialog: the list, type, properties and dataset windows
// take the places of its invisible frames. Sizes and places are dialog units.
void AddTarvoListEditDialogs(CResourceModule& module)
{
    const DWORD tab = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const DWORD frame = WS_CHILD | SS_BLACKFRAME;

    module.AddDialog({IDD_PARAM_LIST_EDIT,
                      "Parameter List",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      454,
                      362,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CONTEXTHELP | DS_MODALFRAME,
                      {{AFX_WC_BUTTON, "&Close", IDOK, 400, 344, 50, 14, tab | BS_DEFPUSHBUTTON},
                       {AFX_WC_BUTTON, "Canc&el", IDCANCEL, 347, 344, 50, 14, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON},
                       {AFX_WC_BUTTON, "&Delete", IDC_PARAM_LIST_DELETE, 65, 324, 50, 14, tab | BS_PUSHBUTTON},
                       {AFX_WC_BUTTON, "&New", IDC_PARAM_LIST_NEW, 9, 324, 50, 14, tab | BS_PUSHBUTTON},
                       {AFX_WC_STATIC, "", IDC_PARAM_LIST_FRAME, 4, 26, 116, 294, frame},
                       {AFX_WC_STATIC, "", IDC_PARAM_TYPE_FRAME, 123, 26, 327, 25, frame},
                       {AFX_WC_STATIC, "", IDC_PARAM_PROPERTIES_FRAME, 123, 53, 327, 285, frame},
                       {AFX_WC_STATIC, "", IDC_DATASET_FRAME, 4, 4, 446, 19, frame}}});
}
