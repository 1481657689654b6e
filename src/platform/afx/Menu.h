#pragma once

// CMenu: a menu loaded from a menu resource or built item by item, shown as
// a pop-up with TrackPopupMenu. Sub-menus are shared, as Win32 menu handles
// are: a change through GetSubMenu shows in the menu that holds it.

#include "Wnd.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

struct AFX_MENU_DATA;
struct AFX_MENU_ENTRY;

class CMenu
{
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // A new copy of the menu resource each time, as in Win32.
    BOOL LoadMenu(UINT nIDResource);
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    // MF_STRING, MF_SEPARATOR, or MF_POPUP with a menu's m_hMenu as nIDNewItem;
    // MF_GRAYED, MF_DISABLED and MF_CHECKED may be added.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);

    int GetMenuItemCount() const;
    // Null when the item at the position holds no sub-menu.
    CMenu* GetSubMenu(int nPos) const;
    // 0 for a separator, (UINT)-1 for a sub-menu or a bad position.
    UINT GetMenuItemID(int nPos) const;
    // nFlags MF_BYCOMMAND (sub-menus are searched too) or MF_BYPOSITION.
    // The state bits; (UINT)-1 when there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // The previous MF_GRAYED / MF_DISABLED bits, or (UINT)-1.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    // The previous MF_CHECKED bit, or (UINT)-1.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    int GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const;

    // Shows the pop-up at the screen point until the user chooses or
    // dismisses it. TPM_RETURNCMD: returns the command chosen (0 for none);
    // otherwise posts WM_COMMAND to pWnd, as Win32 does, and returns TRUE.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

private:
    void Attach(std::shared_ptr<AFX_MENU_DATA> pData);
    AFX_MENU_ENTRY* FindItem(UINT nID, UINT nFlags) const;
    bool IsChoosable(UINT nCommand) const;
    UINT ShowMenu(UINT nFlags, int x, int y, CWnd* pWnd) const;

    std::shared_ptr<AFX_MENU_DATA> m_pData;
    mutable std::map<const AFX_MENU_DATA*, std::unique_ptr<CMenu>> m_mapSubMenus;
};

// Pop-up menus in a test or a headless host: the handler sees the menu and
// where it opens and answers the command chosen, 0 for a dismissed menu. A
// null handler restores the real menu.
typedef std::function<UINT(const CMenu& menu, int x, int y)> AFX_POPUPMENU_HANDLER;
void AfxSetPopupMenuHandler(AFX_POPUPMENU_HANDLER handler);
