#include "resources/PropertiesDialogs.h"
#include "resources/TarvoResources.h"

void AddTarvoFormatDialogs(CResourceModule& module);

// The properties host and the windows around it, and the tabs it shows
// without a tab of the type's own. Sizes and places are dialog units.
void AddTarvoPropertiesDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD page = WS_CHILD | WS_CAPTION;

    // "All properties": the second page of a type without a tab of its own.
    module.AddDialog({IDD_GENERAL_TAB, "All properties", "MS Sans Serif", 8, 0, 0, 236, 142, page, {}});

    // "Parameters of": the parameter file whose parameters are shown.
    module.AddDialog({IDD_PARAM_FILE,
                      "",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      229,
                      20,
                      WS_CHILD | WS_VISIBLE | DS_CONTROL,
                      {{AFX_WC_STATIC, "&Parameters of:", IDC_STATIC, 7, 6, 55, 8, child | SS_LEFT},
                       {AFX_WC_COMBOBOX, "", IDC_PARAM_FILE_COMBO, 65, 3, 157, 100,
                        child | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP}}});

    // The page shown when no parameter is active; the invisible frame marks its area.
    module.AddDialog({IDD_NO_PROPERTIES,
                      "No Properties to Display",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      236,
                      142,
                      page,
                      {{AFX_WC_STATIC, "No parameter selected", IDC_NO_PARAMETER, 7, 66, 222, 10, child | SS_CENTER},
                       {AFX_WC_BUTTON, "", IDC_NO_PROPERTIES_AREA, 7, 7, 222, 128, WS_CHILD | BS_GROUPBOX}}});

    // "Parameter Properties": the type window above the properties sheet.
    module.AddDialog({IDD_PARAM_PROPERTIES,
                      "Parameter Properties",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      366,
                      333,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CONTEXTHELP | DS_MODALFRAME,
                      {{AFX_WC_BUTTON, "&Close", IDOK, 309, 312, 50, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
                       {AFX_WC_BUTTON, "Canc&el", IDCANCEL, 257, 312, 50, 14, WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP}}});

    // "Parameter type": changes the active parameter's type.
    module.AddDialog({IDD_PARAM_TYPE,
                      "",
                      "MS Sans Serif",
                      8,
                      0,
                      0,
                      186,
                      22,
                      WS_CHILD | WS_VISIBLE | DS_CONTROL,
                      {{AFX_WC_STATIC, "&Parameter type:", IDC_STATIC, 7, 7, 60, 8, child | SS_LEFT},
                       {AFX_WC_COMBOBOX, "", IDC_PARAM_TYPE_COMBO, 70, 4, 109, 100,
                        child | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP}}});

    AddTarvoFormatDialogs(module);
}
