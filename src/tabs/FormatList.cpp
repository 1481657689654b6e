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
    AfxWriteProfileInt(pszSection, FORMATS_NUM, nCount);
    for (int i = 0; i < nCount; ++i)
    {
        std::string strFormat;
        combo.GetLBText(i, strFormat);
        AfxWriteProfileString(pszSection, FormatKey(i + 1).c_str(), strFormat.c_str());
    }
}

void ResetFormatList(const char* pszSection)
{
    AfxWriteProfileInt(pszSection, FORMATS_NUM, 0);
}
