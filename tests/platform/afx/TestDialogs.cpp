#include "TestDialogs.h"

void AddTestDialogs()
{
    static CResourceModule module("afx-tests");
    static bool added = false;
    if (added)
        return;
    added = true;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    module.AddDialog({IDD_TEST_FORM,
                      "Test Form",
                      "MS Shell Dlg",
                      8,
                      0, 0, 200, 150,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      {{AFX_WC_STATIC, "&Name:", IDC_LABEL, 7, 9, 40, 8, child},
                       {AFX_WC_EDIT, "", IDC_NAME, 50, 7, 100, 14, child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
                       {AFX_WC_EDIT, "", IDC_COUNT, 50, 25, 40, 14, child | WS_TABSTOP | WS_BORDER},
                       {AFX_WC_EDIT, "", IDC_SIZE, 100, 25, 40, 14, child | WS_TABSTOP | WS_BORDER | ES_NUMBER},
                       {AFX_WC_BUTTON, "&Enabled", IDC_ENABLED, 7, 45, 60, 10, child | WS_TABSTOP | BS_AUTOCHECKBOX},
                       {AFX_WC_BUTTON, "First", IDC_FIRST_RADIO, 7, 60, 50, 10, child | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
                       {AFX_WC_BUTTON, "Second", IDC_SECOND_RADIO, 7, 72, 50, 10, child | BS_AUTORADIOBUTTON},
                       {AFX_WC_BUTTON, "Third", IDC_THIRD_RADIO, 7, 84, 50, 10, child | BS_AUTORADIOBUTTON},
                       {AFX_WC_COMBOBOX, "", IDC_KIND, 70, 60, 80, 60, child | WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | CBS_SORT},
                       {AFX_WC_COMBOBOX, "", IDC_FORMATS, 70, 78, 80, 40, child | WS_TABSTOP | CBS_SIMPLE},
                       {AFX_WC_BUTTON, "&Apply", IDC_APPLY, 7, 129, 50, 14, child | WS_TABSTOP},
                       {AFX_WC_BUTTON, "OK", IDOK, 89, 129, 50, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON},
                       {AFX_WC_BUTTON, "Cancel", IDCANCEL, 143, 129, 50, 14, child | WS_TABSTOP}}});
    static CDynLinkLibrary entry(module);
}
