#pragma once

// Templates, control ids and commands of the data table editor and the
// small dialogs around it.

// The data table editor: a child window on the data-file tabs.
#define IDD_TABLE_EDITOR 167
#define IDC_TABLE_EDIT_TEXT 1025
#define IDC_TABLE_CREATE 1026
#define IDC_TABLE_GRID 1033
#define IDC_TABLE_ADD_COLUMN 1042
#define IDC_TABLE_WIZARD 1043
#define IDC_TABLE_INVALID_NAME 1045
#define IDC_TABLE_ADD_ROW 1049
#define IDC_TABLE_NO_FILE 1053
#define IDC_TABLE_GRID_FRAME 1054
#define IDC_TABLE_DELETE_COLUMN 1081
#define IDC_TABLE_DELETE_ROW 1085
#define IDC_TABLE_SIMULATE 1164

// Commands the editor sends its parent: the counts were read again, and the
// tab is to write its attributes before a simulation.
#define ID_TABLE_COUNTS_CHANGED 32776
#define ID_TABLE_BEFORE_SIMULATE 32777

// "Add new column".
#define IDD_ADD_COLUMN 10251
#define IDC_ADD_COLUMN_NAME 1059
#define IDC_ADD_COLUMN_PATH 1060

// "Table Information".
#define IDD_TABLE_INFO 175
#define IDC_TABLE_INFO_FIRST_LINE 1039
#define IDC_TABLE_INFO_ROWS 1147
#define IDC_TABLE_INFO_ROWS_PER_ITERATION 1148
#define IDC_TABLE_INFO_TEXT 1149
