#include "resources/FormatDialogs.h"
#include "resources/TarvoResources.h"

namespace
{
// The two format tabs differ in their id and in the mnemonic of the label.
AFX_DIALOG_TEMPLATE FormatTab(UINT nID, const char* pszLabel)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD button = child | BS_PUSHBUTTON | WS_TABSTOP;
    return {nID,
            "Format properties",
            "MS Sans Serif",
            8,
            0,
            0,
            236,
            142,
            WS_CHILD | WS_CAPTION,
            {{AFX_WC_STATIC, pszLabel, IDC_STATIC, 7, 28, 60, 8, child | SS_LEFT},
             {AFX_WC_COMBOBOX, "", IDC_FORMAT_LIST, 70, 26, 159, 109,
              child | CBS_SIMPLE | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
             {AFX_WC_BUTTON, "&Add format ->", IDC_FORMAT_ADD, 7, 42, 58, 14, button},
             {AFX_WC_BUTTON, "D&elete format <-", IDC_FORMAT_DELETE, 7, 60, 58, 14, button},
             {AFX_WC_BUTTON, "&Reset formats", IDC_FORMAT_RESET, 7, 78, 58, 14, button},
             {AFX_WC_STATIC, "Sample value:", IDC_STATIC, 7, 9, 60, 8, child | SS_LEFT},
             {AFX_WC_EDIT, "", IDC_FORMAT_SAMPLE, 70, 7, 159, 14,
              child | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP}}};
}
} // namespace

// The format tabs: a personal list of printf-style formats, the current one
// in the list's edit field, and the sample it gives. The list grows with the
// page to the right and down; the buttons on its left point into it.
void AddTarvoFormatDialogs(CResourceModule& module)
{
    module.AddDialog(FormatTab(IDD_FORMAT_TAB, "&Text format:"));
    module.AddDialog(FormatTab(IDD_FORMAT_INT_TAB, "Text format:"));
}
