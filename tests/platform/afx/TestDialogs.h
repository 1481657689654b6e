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
#define IDC_FORMAT_LIST 1010
#define IDC_LABEL 1011

#define IDD_TEST_TREE 9010
#define IDC_TREE 1020
#define IDC_NOTE 1021

#define IDD_TEST_SPIN 9011
#define IDC_DAYS 1030
#define IDC_DAYS_SPIN 1031
#define IDC_AMOUNT 1032
#define IDC_AMOUNT_SPIN 1033
#define IDC_FREE_SPIN 1034

#define IDR_TEST_POPUP 9020
#define ID_TEST_NEW 32773
#define ID_TEST_DELETE 32774
#define ID_TEST_RENAME 32775
#define ID_TEST_SORT 32776

// A 32 x 16 strip of two images on white: a red square, then a blue one.
#define IDB_TEST_STRIP 9030

// The test form: a name edit, two number edits, a check box, three radio
// buttons, a sorted drop-down list, an editable simple combo, OK and Cancel.
// The tree dialog: an editable tree with lines and buttons, a note edit, OK
// and Cancel. The spin dialog: a days edit with an integer up-down (arrow
// keys, no thousands separators), an amount edit with a wrapping integer
// up-down, and an up-down without buddy. The popup menu: "Empty" (New) and
// "Item" (New, Rename, separator, Delete, "More" with Sort).
void AddTestDialogs();
