#include "resources/Dialogs.h"
#include "resources/TarvoResources.h"

// Dialog templates of the library, by id. Sizes and places are dialog units.
void AddTarvoDialogs(CResourceModule& module)
{
    // The manager's invisible window, parent of temporary windows.
    module.AddDialog({IDD_TARVO_MANAGER,
                      "Tarvo Manager",
                      "MS Shell Dlg",
                      8,
                      0,
                      0,
                      186,
                      95,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      {{AFX_WC_STATIC, "Parameter manager", IDC_STATIC, 7, 7, 172, 8, SS_LEFT}}});
    AddTarvoListDialogs(module);
    AddTarvoDatasetDialogs(module);
    AddTarvoPropertiesDialogs(module);
    AddTarvoListEditDialogs(module);
    AddTarvoValueTabDialogs(module);
    AddTarvoDataEditorDialogs(module);
    AddTarvoSimulationDialogs(module);
    AddTarvoDataFileTabDialogs(module);
}
