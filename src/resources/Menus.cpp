#include "resources/Menus.h"
#include "resources/TarvoResources.h"

void AddTarvoMenus(CResourceModule& module)
{
    // The list window's context menu: position 0 when no parameter is under
    // the pointer, position 1 for a parameter.
    AFX_MENU_ITEM noItem{"NoItemPopup", 0, MF_POPUP, {{"New Parameter\t(Ins)", ID_NEW_PARAMETER}}};
    AFX_MENU_ITEM paramItem{"ParamItemPopup",
                            0,
                            MF_POPUP,
                            {{"New Parameter\t(Ins)", ID_NEW_PARAMETER},
                             {"Rename", ID_RENAME_PARAMETER},
                             {"", 0, MF_SEPARATOR},
                             {"Delete\t(Del)", ID_DELETE_PARAMETER}}};
    module.AddMenu({IDR_PARAM_LIST_POPUP, {noItem, paramItem}});
}
