#pragma once

// Templates and control ids of the parameter list window and of the Select
// or Create Parameter and Delete Parameter dialogs.

// The list window: a borderless child holding the tree.
#define IDD_PARAM_LIST_WND 10254
#define IDC_PARAM_LIST_TREE 1067

// Select or Create Parameter.
#define IDD_SELECT_PARAM 10252
#define IDC_SELECT_PARAM_NAME 1062
#define IDC_SELECT_PARAM_VALUE 1063
#define IDC_SELECT_PARAM_TYPE 1064
#define IDC_SELECT_PARAM_TYPE_LABEL 1082
#define IDC_SELECT_PARAM_PROPERTIES 1092

// Delete Parameter.
#define IDD_DELETE_PARAM 163
#define IDC_DELETE_PARAM_DATA_FILE 1101
