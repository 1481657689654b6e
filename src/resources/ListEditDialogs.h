#pragma once

// Template and control ids of the Parameter List dialog.

#define IDD_PARAM_LIST_EDIT 10234
#define IDC_PARAM_LIST_DELETE 1087
#define IDC_PARAM_LIST_NEW 1088
// Invisible frames that mark where the embedded windows go.
#define IDC_PARAM_LIST_FRAME 1089
#define IDC_PARAM_TYPE_FRAME 1082
#define IDC_PARAM_PROPERTIES_FRAME 1090
#define IDC_DATASET_FRAME 1115
