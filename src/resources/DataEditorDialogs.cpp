#include "resources/DataEditorDialogs.h"

#include "resources/TarvoResources.h"

// The data table editor, the Add new column and Table Information dialogs.
// Sizes and places are dialog units.
void AddTarvoDataEditorDialogs(CResourceModule& module)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD tab = child | WS_TABSTOP;
    const DWORD popup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

    module.AddDialog(
        {IDD_TABLE_EDITOR,
         "",
         "MS Sans Serif",
         8,
         0,
         0,
         238,
         86,
         WS_CHILD,
         {{AFX_WC_BUTTON, "&Add Column...", IDC_TABLE_ADD_COLUMN, 2, 2, 56, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "Add &Row...", IDC_TABLE_ADD_ROW, 61, 2, 56, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "&Delete Column...", IDC_TABLE_DELETE_COLUMN, 120, 2, 58, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "D&elete Row...", IDC_TABLE_DELETE_ROW, 181, 2, 55, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_STATIC, "", IDC_TABLE_GRID_FRAME, 2, 19, 234, 46, child | SS_BLACKFRAME},
          {AFX_WC_STATIC, "(file name is invalid)", IDC_TABLE_INVALID_NAME, 6, 23, 226, 8, child | SS_LEFT},
          {AFX_WC_STATIC, "The data file does not exist. To create a file click 'Create'.", IDC_TABLE_NO_FILE, 6, 35,
           226, 8, child | SS_LEFT},
          {AFX_WC_BUTTON, "&Edit with Notepad...", IDC_TABLE_EDIT_TEXT, 2, 69, 74, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "Crea&te Table", IDC_TABLE_CREATE, 2, 69, 74, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "Data &Wizard...", IDC_TABLE_WIZARD, 80, 69, 60, 14, tab | BS_PUSHBUTTON},
          {AFX_WC_BUTTON, "&Simulate Parameter...", IDC_TABLE_SIMULATE, 158, 69, 78, 14, tab | BS_PUSHBUTTON}}});

    module.AddDialog(
        {IDD_ADD_COLUMN,
         "Add new column",
         "MS Sans Serif",
         8,
         0,
         0,
         201,
         74,
         popup,
         {{AFX_WC_STATIC, "Add a new column to file:", IDC_STATIC, 7, 7, 187, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_ADD_COLUMN_PATH, 7, 18, 187, 14, tab | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL},
          {AFX_WC_STATIC, "&Column name:", IDC_STATIC, 7, 40, 50, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_ADD_COLUMN_NAME, 60, 38, 134, 14, tab | WS_BORDER | ES_AUTOHSCROLL},
          {AFX_WC_BUTTON, "OK", IDOK, 90, 55, 50, 14, tab | BS_DEFPUSHBUTTON},
          {AFX_WC_BUTTON, "Cancel", IDCANCEL, 144, 55, 50, 14, tab | BS_PUSHBUTTON}}});

    module.AddDialog(
        {IDD_TABLE_INFO,
         "Table Information",
         "MS Sans Serif",
         8,
         0,
         0,
         188,
         133,
         popup,
         {{AFX_WC_STATIC, "Rows in table:", IDC_STATIC, 7, 9, 80, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_TABLE_INFO_ROWS, 92, 7, 89, 14, tab | WS_BORDER | ES_READONLY},
          {AFX_WC_STATIC, "Rows per iteration:", IDC_STATIC, 7, 27, 80, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_TABLE_INFO_ROWS_PER_ITERATION, 92, 25, 89, 14, tab | WS_BORDER | ES_READONLY},
          {AFX_WC_STATIC, "First line of data:", IDC_STATIC, 7, 45, 80, 8, child | SS_LEFT},
          {AFX_WC_EDIT, "", IDC_TABLE_INFO_FIRST_LINE, 92, 43, 89, 14, tab | WS_BORDER | ES_READONLY},
          {AFX_WC_EDIT, "", IDC_TABLE_INFO_TEXT, 7, 63, 174, 42, tab | WS_BORDER | ES_MULTILINE | ES_READONLY},
          {AFX_WC_BUTTON, "OK", IDOK, 69, 112, 50, 14, tab | BS_DEFPUSHBUTTON}}});
}
