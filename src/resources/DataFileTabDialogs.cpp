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

    module.AddDialog({IDD_ITERATION_CONDITIONS,
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
                       {AFX_WC_BUTTON, "Allocate Vuser values in the Controller", IDC_COND_ALLOCATE_GROUP, 0, 49, 166,
                        42, child | BS_GROUPBOX},
                       {AFX_WC_BUTTON, "Automat&ically allocate block size ", IDC_COND_AUTO_ALLOCATE, 6, 60, 150, 10,
                        radio | WS_GROUP},
                       {AFX_WC_BUTTON, "Alloca&te ", IDC_COND_FIXED_ALLOCATE, 6, 75, 40, 10, radio},
                       {AFX_WC_EDIT, "", IDC_COND_VALUES_PER_VUSER, 48, 74, 34, 12,
                        child | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP},
                       {AFX_WC_STATIC, "values for each Vuser", IDC_COND_VALUES_LABEL, 86, 76, 76, 8, label}}});

    const DWORD edit = child | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
    const DWORD spin = child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    const DWORD dropdown = child | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

    // The editor takes the upper area, the row-selection pane the lower one.
    module.AddDialog(
        {IDD_FILE_INFO_TAB,
         "File properties",
         "MS Sans Serif",
         8,
         0,
         0,
         240,
         258,
         WS_CHILD | WS_CAPTION,
         {{AFX_WC_STATIC, "&File path:", IDC_STATIC, 4, 6, 36, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_FILE_PATH, 42, 4, 146, 80, dropdown},
          {AFX_WC_BUTTON, "&Browse...", IDC_FILE_BROWSE, 192, 3, 44, 14, child | BS_PUSHBUTTON | WS_TABSTOP},
          {AFX_WC_STATIC, "", IDC_FILE_TABLE_AREA, 4, 22, 228, 91, child},
          {AFX_WC_STATIC, "", IDC_FILE_TOO_LARGE, 8, 26, 220, 40, WS_CHILD | SS_LEFT},
          {AFX_WC_BUTTON, "Select column", IDC_FILE_COLUMN_GROUP, 4, 116, 112, 44, child | BS_GROUPBOX},
          {AFX_WC_BUTTON, "By nu&mber:", IDC_FILE_BY_NUMBER, 9, 128, 48, 10, radio | WS_GROUP},
          {AFX_WC_BUTTON, "B&y name:", IDC_FILE_BY_NAME, 9, 144, 48, 10, radio},
          {AFX_WC_EDIT, "", IDC_FILE_COLUMN_NUMBER, 60, 127, 40, 12, edit | ES_NUMBER | WS_GROUP},
          {AFX_WC_UPDOWN, "", IDC_FILE_COLUMN_SPIN, 100, 127, 9, 12, spin},
          {AFX_WC_COMBOBOX, "", IDC_FILE_COLUMN_NAME, 60, 142, 52, 80, dropdown},
          {AFX_WC_BUTTON, "File format", IDC_FILE_FORMAT_GROUP, 120, 116, 116, 44, child | BS_GROUPBOX},
          {AFX_WC_STATIC, "C&olumn delimiter:", IDC_FILE_DELIMITER_LABEL, 124, 129, 60, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_FILE_DELIMITER, 186, 127, 46, 60, dropdown},
          {AFX_WC_STATIC, "First data &line:", IDC_FILE_FIRST_LINE_LABEL, 124, 145, 60, 8, label},
          {AFX_WC_EDIT, "", IDC_FILE_FIRST_LINE, 186, 143, 37, 12, edit | ES_NUMBER},
          {AFX_WC_UPDOWN, "", IDC_FILE_FIRST_LINE_SPIN, 223, 143, 9, 12, spin},
          {AFX_WC_STATIC, "", IDC_FILE_CONDITIONS_AREA, 2, 163, 235, 91, child}}});

    module.AddDialog(
        {IDD_TABLE_INFO_TAB,
         "Table properties",
         "MS Sans Serif",
         8,
         0,
         0,
         268,
         277,
         WS_CHILD | WS_CAPTION,
         {{AFX_WC_STATIC, "&File path:", IDC_STATIC, 4, 6, 36, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_FILE_PATH, 42, 4, 172, 80, dropdown},
          {AFX_WC_BUTTON, "&Browse...", IDC_FILE_BROWSE, 218, 3, 46, 14, child | BS_PUSHBUTTON | WS_TABSTOP},
          {AFX_WC_STATIC, "", IDC_FILE_TABLE_AREA, 4, 22, 260, 70, child},
          {AFX_WC_STATIC, "", IDC_FILE_TOO_LARGE, 8, 26, 252, 40, WS_CHILD | SS_LEFT},
          {AFX_WC_BUTTON, " Columns: ", IDC_FILE_COLUMN_GROUP, 4, 95, 150, 56, child | BS_GROUPBOX},
          {AFX_WC_BUTTON, "Select all colu&mns", IDC_TABLE_ALL_COLUMNS, 9, 106, 100, 10, radio | WS_GROUP},
          {AFX_WC_BUTTON, "Columns b&y number:", IDC_TABLE_COLUMNS_BY_NUMBER, 9, 120, 80, 10, radio},
          {AFX_WC_EDIT, "", IDC_TABLE_COLUMN_LIST, 90, 119, 60, 12, edit | WS_GROUP},
          {AFX_WC_STATIC, "C&olumn delimiter:", IDC_FILE_DELIMITER_LABEL, 9, 136, 78, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_FILE_DELIMITER, 90, 134, 60, 60, dropdown},
          {AFX_WC_BUTTON, " Rows: ", IDC_FILE_FORMAT_GROUP, 158, 95, 106, 56, child | BS_GROUPBOX},
          {AFX_WC_STATIC, "Ro&ws per iteration:", IDC_TABLE_ROWS_LABEL, 162, 106, 62, 8, label},
          {AFX_WC_EDIT, "", IDC_TABLE_ROWS_PER_ITERATION, 226, 104, 28, 12, edit | ES_NUMBER},
          {AFX_WC_UPDOWN, "", IDC_TABLE_ROWS_SPIN, 254, 104, 9, 12, spin},
          {AFX_WC_STATIC, "Fi&rst line of data:", IDC_FILE_FIRST_LINE_LABEL, 162, 120, 62, 8, label},
          {AFX_WC_EDIT, "", IDC_FILE_FIRST_LINE, 226, 118, 28, 12, edit | ES_NUMBER},
          {AFX_WC_UPDOWN, "", IDC_FILE_FIRST_LINE_SPIN, 254, 118, 9, 12, spin},
          {AFX_WC_BUTTON, "Tab&le information", IDC_TABLE_INFORMATION, 162, 134, 98, 13,
           child | BS_PUSHBUTTON | WS_TABSTOP},
          {AFX_WC_STATIC, "Rows delimeter for &log display:", IDC_TABLE_ROW_DELIMITER_LABEL, 4, 157, 110, 8, label},
          {AFX_WC_EDIT, "", IDC_TABLE_ROW_DELIMITER, 116, 155, 148, 12, edit},
          {AFX_WC_STATIC, "When not enou&gh rows :", IDC_TABLE_NOT_ENOUGH_ROWS_LABEL, 4, 171, 110, 8, label},
          {AFX_WC_COMBOBOX, "", IDC_TABLE_NOT_ENOUGH_ROWS, 116, 169, 148, 60, list},
          {AFX_WC_STATIC, "", IDC_FILE_CONDITIONS_AREA, 2, 185, 264, 90, child}}});
}
