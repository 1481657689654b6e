#pragma once

// Templates and control ids of the two format tabs.

#define IDD_FORMAT_TAB 10205
#define IDD_FORMAT_INT_TAB 10250
#define IDC_FORMAT_SAMPLE 1044
#define IDC_FORMAT_LIST 1046
#define IDC_FORMAT_DELETE 1050
#define IDC_FORMAT_ADD 1051
#define IDC_FORMAT_RESET 1052
