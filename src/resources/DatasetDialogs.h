#pragma once

// Templates and control ids of the dataset bar and the dataset name dialog.

// The dataset bar: a child window across the top of its host.
#define IDD_DATASET_BAR 10269
#define IDC_DATASET_COMBO 1109
#define IDC_DATASET_NEW 1110
#define IDC_DATASET_DELETE 1112
#define IDC_DATASET_RENAME 1114

// The dataset name dialog.
#define IDD_DATASET_NAME 166
#define IDC_DATASET_NAME_LABEL 1111
#define IDC_DATASET_NAME 1113
