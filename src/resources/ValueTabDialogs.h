#pragma once

// Templates and control ids of the tabs of the number, date/time,
// user-function and custom parameter types. The sample box, the format list
// and its buttons carry the format tabs' ids.

#include "resources/FormatDialogs.h"

#define IDD_CUSTOMIZE_TAB 161
#define IDD_UNIQUE_NUMBER_TAB 10206
#define IDD_USER_FUNC_TAB 10235
#define IDD_DATE_TIME_TAB 10246
#define IDD_RAND_NUMBER_TAB 10247

// Random-Number and Unique-Number tabs
#define IDC_RAND_MIN 1047
#define IDC_RAND_MAX 1048
#define IDC_NUMBER_POLICY 1055
#define IDC_UNIQUE_START 1056
#define IDC_UNIQUE_BLOCK_SIZE 1057
#define IDC_NUMBER_POLICY_LABEL 1079
#define IDC_UNIQUE_OUT_OF_VALUES 1102
#define IDC_UNIQUE_OUT_OF_VALUES_LABEL 1108

// Date/Time tab; its policy list and label are the number tabs' ids.
#define IDC_DATE_OFFSET_ON 1131
#define IDC_DATE_DAYS 1132
#define IDC_DATE_TIME 1133
#define IDC_DATE_DAYS_LABEL 1136
#define IDC_DATE_TIME_LABEL 1137
#define IDC_DATE_DAYS_SPIN 1139
#define IDC_DATE_PRIOR 1140
#define IDC_DATE_OFFSET_GROUP 1141
#define IDC_DATE_WORKING_DAYS 1144

// User Defined Function tab
#define IDC_FUNC_NAME 1066
#define IDC_FUNC_BROWSE 1068
#define IDC_FUNC_POLICY 1069
#define IDC_FUNC_SO_LIBRARY 1072
#define IDC_FUNC_VX_LIBRARY 1073
#define IDC_FUNC_AX_LIBRARY 1074
#define IDC_FUNC_NT_LIBRARY 1075
#define IDC_FUNC_LIBRARIES 1077
#define IDC_FUNC_POLICY_LABEL 1078

// Customization tab
#define IDC_CUSTOM_SERVER 1093
#define IDC_CUSTOM_VALUE 1095
#define IDC_CUSTOM_PROMPT 1096
#define IDC_CUSTOM_ATTRIBUTES 1097
#define IDC_CUSTOM_ENCRYPT 1098
