#pragma once

// Templates and control ids of the data-file tabs and the row-selection pane
// they embed.

// The row-selection pane: which row comes next, when a new value is taken,
// what happens when the rows run out, and the Vuser allocation.
#define IDD_ITERATION_CONDITIONS 172
#define IDC_COND_SELECT_NEXT_ROW 1030
#define IDC_COND_SELECT_NEXT_ROW_LABEL 1058
#define IDC_COND_UPDATE_POLICY 1061
#define IDC_COND_UPDATE_POLICY_LABEL 1100
#define IDC_COND_OUT_OF_VALUES 1102
#define IDC_COND_AUTO_ALLOCATE 1103
#define IDC_COND_FIXED_ALLOCATE 1104
#define IDC_COND_VALUES_LABEL 1105
#define IDC_COND_VALUES_PER_VUSER 1106
#define IDC_COND_ALLOCATE_GROUP 1107
#define IDC_COND_OUT_OF_VALUES_LABEL 1108
