#include "tabs/FormatList.h"

#include "afx/ComboBox.h"
#include "afx/WinApp.h"

#include <algorithm>
#include <string>

namespace
{
const char* const FORMATS_NUM = "FormatsNum";
// A damaged count must not make the tab read the profile for ever.
const int MAX_FORMATS = 1000;

std::string FormatKey(int nIndex)
{
    return "Format" + std::to_string(nIndex);
}
} // namespace

void LoadFormatList(CComboBox& combo, const char* pszSection)
{
    int nCount = std::min(static_cast<int>(AfxGetProfileInt(pszSection, FORMATS_NUM, 0)), MAX_FORMATS);
    if (nCount <= 0)
        return;
    combo.ResetContent();
    for (int i = 1; i <= nCount; ++i)
    {
        std::string strFormat = AfxGetProfileString(pszSection, FormatKey(i).c_str());
        if (!strFormat.empty())
            combo.AddString(strFormat.c_str());
    }
}

void SaveFormatList(CComboBox& combo, const char* pszSection)
{
    int nCount = combo.GetCount();
    AFX_PROFILE_ENTRIES entries{{FORMATS_NUM, std::to_string(nCount)}};
    for (int i = 0; i < nCount; ++i)
    {
        std::string strFormat;
        combo.GetLBText(i, strFormat);
        entries.push_back({FormatKey(i + 1), strFormat});
    }
    AfxWriteProfileEntries(pszSection, entries);
}

void ResetFormatList(const char* pszSection)
{
    AfxWriteProfileInt(pszSection, FORMATS_NUM, 0);
}

bool TakeChosenFormat(CComboBox& combo, std::string& strFormat)
{
    int nIndex = combo.GetCurSel();
    if (nIndex < 0)
        return false;
    combo.GetLBText(nIndex, strFormat);
    combo.SetWindowText(strFormat.c_str());
    return true;
}

void AddFormat(CComboBox& combo, const std::string& strFormat, const char* pszSection)
{
    if (strFormat.empty())
        return;
    combo.InsertString(0, strFormat.c_str());
    SaveFormatList(combo, pszSection);
}

void DeleteChosenFormat(CComboBox& combo, const char* pszSection)
{
    int nIndex = combo.GetCurSel();
    if (nIndex < 0)
        return;
    combo.DeleteString(static_cast<UINT>(nIndex));
    SaveFormatList(combo, pszSection);
}
