#pragma once

// Dialog templates the window-layer tests build windows from.

#include "afx/Resource.h"

#define IDD_TEST_FORM 9001
#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_SIZE 1003
#define IDC_ENABLED 1004
#define IDC_FIRST_RADIO 1005
#define IDC_SECOND_RADIO 1006
#define IDC_THIRD_RADIO 1007
#define IDC_KIND 1008
#define IDC_APPLY 1009
#define IDC_FORMATS 1010
#define IDC_LABEL 1011

// The test form: a name edit, two number edits, a check box, three radio
// buttons, a sorted drop-down list, an editable simple combo, OK and Cancel.
void AddTestDialogs();
