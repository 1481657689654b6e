#pragma once

// Resources of a module (string table, dialog templates, menus, images) and
// the resource chain that lookups walk, newest module first.

#include "AfxTypes.h"

#include <QImage>
#include <map>
#include <string>
#include <vector>

// One control of a dialog template: window class, text, id, rectangle in
// dialog units, styles.
struct AFX_CONTROL_TEMPLATE
{
    std::string strClass; // "EDIT", "BUTTON", "STATIC", "COMBOBOX", "SysTreeView32", ...
    std::string strText;
    int nID = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
};

// Window classes a template may name.
#define AFX_WC_EDIT "EDIT"
#define AFX_WC_BUTTON "BUTTON"
#define AFX_WC_STATIC "STATIC"
#define AFX_WC_COMBOBOX "COMBOBOX"
#define AFX_WC_LISTBOX "LISTBOX"
#define AFX_WC_TREEVIEW "SysTreeView32"
#define AFX_WC_UPDOWN "msctls_updown32"
#define AFX_WC_TABCONTROL "SysTabControl32"
#define AFX_WC_LISTVIEW "SysListView32"

struct AFX_DIALOG_TEMPLATE
{
    UINT nID = 0;
    std::string strCaption;
    std::string strFont = "MS Shell Dlg";
    int nPointSize = 8;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD dwStyle = 0;
    std::vector<AFX_CONTROL_TEMPLATE> controls;
};

struct AFX_MENU_ITEM
{
    std::string strText; // "" with MF_SEPARATOR for a separator
    UINT nID = 0;
    UINT nFlags = MF_STRING;
    std::vector<AFX_MENU_ITEM> popup; // items of a sub-menu (MF_POPUP)
};

struct AFX_MENU_TEMPLATE
{
    UINT nID = 0;
    std::vector<AFX_MENU_ITEM> items;
};

class CResourceModule
{
public:
    explicit CResourceModule(std::string name);

    const std::string& GetName() const { return m_strName; }
    HINSTANCE GetHandle() const;
    static CResourceModule* FromHandle(HINSTANCE h);

    void AddString(UINT nID, std::string text);
    void AddDialog(AFX_DIALOG_TEMPLATE tmpl);
    void AddMenu(AFX_MENU_TEMPLATE menu);
    void AddImage(UINT nID, QImage image);

    const std::string* FindString(UINT nID) const;
    const AFX_DIALOG_TEMPLATE* FindDialog(UINT nID) const;
    const AFX_MENU_TEMPLATE* FindMenu(UINT nID) const;
    const QImage* FindImage(UINT nID) const;

private:
    std::string m_strName;
    std::map<UINT, std::string> m_mapStrings;
    std::map<UINT, AFX_DIALOG_TEMPLATE> m_mapDialogs;
    std::map<UINT, AFX_MENU_TEMPLATE> m_mapMenus;
    std::map<UINT, QImage> m_mapImages;
};

// An entry of the resource chain; inserting a module makes its resources
// reachable by id from every lookup below until the entry is deleted.
class CDynLinkLibrary
{
public:
    explicit CDynLinkLibrary(CResourceModule& module);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    CResourceModule& GetModule() const { return m_module; }

private:
    CResourceModule& m_module;
};

// Lookups along the chain, newest entry first.
BOOL AfxLoadString(UINT nID, std::string& strOut);
std::string AfxLoadString(UINT nID); // empty when missing
const AFX_DIALOG_TEMPLATE* AfxFindDialogTemplate(UINT nID);
const AFX_MENU_TEMPLATE* AfxFindMenuTemplate(UINT nID);
const QImage* AfxFindImage(UINT nID);
