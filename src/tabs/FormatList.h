#pragma once

// The author's own list of formats in the host application's profile: one
// section per kind of tab, "FormatsNum" and "Format1" ... "FormatN". Without
// an application object nothing is loaded or saved.

#include <string>

class CComboBox;

// Replaces the combo box's built-in items by the stored list, if one is stored.
void LoadFormatList(CComboBox& combo, const char* pszSection);
void SaveFormatList(CComboBox& combo, const char* pszSection);
// Back to the built-in list the next time a tab loads.
void ResetFormatList(const char* pszSection);

// The chosen item becomes the format and the edit field's text; false when
// no item is chosen.
bool TakeChosenFormat(CComboBox& combo, std::string& strFormat);
// The format goes first in the list, which is stored; an empty one is not added.
void AddFormat(CComboBox& combo, const std::string& strFormat, const char* pszSection);
// The chosen item leaves the list, which is stored.
void DeleteChosenFormat(CComboBox& combo, const char* pszSection);
