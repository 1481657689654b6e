#pragma once

// The author's own list of formats in the host application's profile: one
// section per kind of tab, "FormatsNum" and "Format1" ... "FormatN". Without
// an application object nothing is loaded or saved.

class CComboBox;

// Replaces the combo box's built-in items by the stored list, if one is stored.
void LoadFormatList(CComboBox& combo, const char* pszSection);
void SaveFormatList(CComboBox& combo, const char* pszSection);
// Back to the built-in list the next time a tab loads.
void ResetFormatList(const char* pszSection);
