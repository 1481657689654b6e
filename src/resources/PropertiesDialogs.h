#pragma once

// Templates and control ids of the properties host and the windows around it.

// "All properties": the general page of every parameter.
#define IDD_GENERAL_TAB 10201

// "Parameters of": the parameter file whose parameters are shown.
#define IDD_PARAM_FILE 10233
#define IDC_PARAM_FILE_COMBO 1071

// The page shown when no parameter is active.
#define IDD_NO_PROPERTIES 10236
#define IDC_NO_PARAMETER 1070
#define IDC_NO_PROPERTIES_AREA 1076

// "Parameter Properties": the type window above the properties sheet.
#define IDD_PARAM_PROPERTIES 10237

// "Parameter type": the active parameter's type.
#define IDD_PARAM_TYPE 10256
#define IDC_PARAM_TYPE_COMBO 1071
