#include "resources/ValueTabDialogs.h"
#include "resources/TarvoResources.h"

namespace
{
const DWORD CHILD = WS_CHILD | WS_VISIBLE;
const DWORD PAGE = WS_CHILD | WS_CAPTION;
const DWORD LABEL = CHILD | SS_LEFT;
const DWORD EDIT = CHILD | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
const DWORD NUMBER = EDIT | ES_NUMBER;
const DWORD SAMPLE = EDIT | ES_READONLY;
const DWORD LIST = CHILD | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD FORMATS = CHILD | CBS_SIMPLE | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
const DWORD BUTTON = CHILD | BS_PUSHBUTTON | WS_TABSTOP;
const DWORD CHECK = CHILD | BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD GROUP = CHILD | BS_GROUPBOX;

AFX_DIALOG_TEMPLATE Page(UINT nID, const char* pszCaption, int cy, std::vector<AFX_CONTROL_TEMPLATE> controls)
{
    return {nID, pszCaption, "MS Sans Serif", 8, 0, 0, 236, cy, PAGE, std::move(controls)};
}
} // namespace

// The number tabs stack their fields down the page: the fields and the
// sample grow to the right, the format list also down, and the lists below
// it follow the bottom edge.
void AddTarvoValueTabDialogs(CResourceModule& module)
{
    module.AddDialog(Page(IDD_RAND_NUMBER_TAB, "Random-Number properties", 142,
                          {{AFX_WC_STATIC, "M&in:", IDC_STATIC, 7, 9, 60, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_RAND_MIN, 70, 7, 159, 14, NUMBER},
                           {AFX_WC_STATIC, "Ma&x:", IDC_STATIC, 7, 27, 60, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_RAND_MAX, 70, 25, 159, 14, NUMBER},
                           {AFX_WC_STATIC, "Sample value:", IDC_STATIC, 7, 45, 60, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FORMAT_SAMPLE, 70, 43, 159, 14, SAMPLE},
                           {AFX_WC_STATIC, "Number f&ormat:", IDC_STATIC, 7, 63, 60, 8, LABEL},
                           {AFX_WC_COMBOBOX, "", IDC_FORMAT_LIST, 70, 61, 159, 54, FORMATS | CBS_SORT},
                           {AFX_WC_STATIC, "&Update value on:", IDC_NUMBER_POLICY_LABEL, 7, 123, 60, 8, LABEL},
                           {AFX_WC_COMBOBOX, "", IDC_NUMBER_POLICY, 70, 121, 159, 60, LIST}}));

    module.AddDialog(
        Page(IDD_UNIQUE_NUMBER_TAB, "Unique-Number properties", 142,
             {{AFX_WC_STATIC, "&Start:", IDC_STATIC, 7, 9, 82, 8, LABEL},
              {AFX_WC_EDIT, "", IDC_UNIQUE_START, 90, 7, 139, 14, NUMBER},
              {AFX_WC_STATIC, "&Block size per Vuser:", IDC_STATIC, 7, 27, 82, 8, LABEL},
              {AFX_WC_EDIT, "", IDC_UNIQUE_BLOCK_SIZE, 90, 25, 139, 14, NUMBER},
              {AFX_WC_STATIC, "Sample value:", IDC_STATIC, 7, 45, 82, 8, LABEL},
              {AFX_WC_EDIT, "", IDC_FORMAT_SAMPLE, 90, 43, 139, 14, SAMPLE},
              {AFX_WC_STATIC, "&Number format:", IDC_STATIC, 7, 63, 82, 8, LABEL},
              {AFX_WC_COMBOBOX, "", IDC_FORMAT_LIST, 90, 61, 139, 40, FORMATS | CBS_SORT},
              {AFX_WC_STATIC, "&Update value on:", IDC_NUMBER_POLICY_LABEL, 7, 109, 82, 8, LABEL},
              {AFX_WC_COMBOBOX, "", IDC_NUMBER_POLICY, 90, 107, 139, 60, LIST},
              {AFX_WC_STATIC, "W&hen out of values :", IDC_UNIQUE_OUT_OF_VALUES_LABEL, 7, 127, 82, 8, LABEL},
              {AFX_WC_COMBOBOX, "", IDC_UNIQUE_OUT_OF_VALUES, 90, 125, 139, 60, LIST}}));

    // The offset: whole days with their arrows, then the time of day.
    module.AddDialog(Page(IDD_DATE_TIME_TAB, "Date/Time properties", 142,
                          {{AFX_WC_STATIC, "Sample (current time):", IDC_STATIC, 7, 9, 78, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FORMAT_SAMPLE, 88, 7, 141, 13, SAMPLE},
                           {AFX_WC_STATIC, "Date/&Time format:", IDC_STATIC, 7, 25, 78, 8, LABEL},
                           {AFX_WC_COMBOBOX, "", IDC_FORMAT_LIST, 88, 23, 141, 54, FORMATS},
                           {AFX_WC_BUTTON, "&Add format ->", IDC_FORMAT_ADD, 7, 37, 72, 12, BUTTON},
                           {AFX_WC_BUTTON, "D&elete format <-", IDC_FORMAT_DELETE, 7, 51, 72, 12, BUTTON},
                           {AFX_WC_BUTTON, "&Reset formats", IDC_FORMAT_RESET, 7, 65, 72, 12, BUTTON},
                           {AFX_WC_BUTTON, "Offset", IDC_DATE_OFFSET_GROUP, 7, 80, 222, 44, GROUP},
                           {AFX_WC_BUTTON, "&Offset parameter by:", IDC_DATE_OFFSET_ON, 12, 92, 84, 10, CHECK},
                           {AFX_WC_EDIT, "", IDC_DATE_DAYS, 98, 90, 30, 13, NUMBER},
                           {AFX_WC_UPDOWN, "", IDC_DATE_DAYS_SPIN, 128, 90, 9, 13,
                            CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
                           {AFX_WC_STATIC, "days and", IDC_DATE_DAYS_LABEL, 140, 92, 30, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_DATE_TIME, 172, 90, 44, 13, EDIT},
                           {AFX_WC_STATIC, "(HH:MM:SS)", IDC_DATE_TIME_LABEL, 172, 106, 50, 8, LABEL},
                           {AFX_WC_BUTTON, "&Working days only", IDC_DATE_WORKING_DAYS, 12, 108, 78, 10, CHECK},
                           {AFX_WC_BUTTON, "&Prior to current date", IDC_DATE_PRIOR, 92, 108, 78, 10, CHECK},
                           {AFX_WC_STATIC, "&Update value on:", IDC_NUMBER_POLICY_LABEL, 7, 130, 78, 8, LABEL},
                           {AFX_WC_COMBOBOX, "", IDC_NUMBER_POLICY, 88, 128, 141, 60, LIST}}));

    module.AddDialog(Page(IDD_USER_FUNC_TAB, "User Defined Function Properties", 142,
                          {{AFX_WC_STATIC, "&Function Name:", IDC_STATIC, 7, 9, 65, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FUNC_NAME, 75, 7, 154, 14, EDIT},
                           {AFX_WC_BUTTON, "Library Names", IDC_FUNC_LIBRARIES, 7, 26, 222, 86, GROUP},
                           {AFX_WC_STATIC, "&WinNT Library:", IDC_STATIC, 14, 40, 58, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FUNC_NT_LIBRARY, 75, 38, 100, 14, EDIT},
                           {AFX_WC_BUTTON, "Browse ...", IDC_FUNC_BROWSE, 180, 38, 45, 14, BUTTON},
                           {AFX_WC_STATIC, "&Solaris Library:", IDC_STATIC, 14, 58, 58, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FUNC_SO_LIBRARY, 75, 56, 150, 14, EDIT},
                           {AFX_WC_STATIC, "&VX/UX Library:", IDC_STATIC, 14, 76, 58, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FUNC_VX_LIBRARY, 75, 74, 150, 14, EDIT},
                           {AFX_WC_STATIC, "&AIX Library:", IDC_STATIC, 14, 94, 58, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_FUNC_AX_LIBRARY, 75, 92, 150, 14, EDIT},
                           {AFX_WC_STATIC, "&Update value on:", IDC_FUNC_POLICY_LABEL, 7, 122, 65, 8, LABEL},
                           {AFX_WC_COMBOBOX, "", IDC_FUNC_POLICY, 75, 120, 154, 60, LIST}}));

    module.AddDialog(Page(IDD_CUSTOMIZE_TAB, "Customization Properties", 142,
                          {{AFX_WC_STATIC, "Parameter &Value:", IDC_STATIC, 7, 9, 65, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_CUSTOM_VALUE, 75, 7, 154, 14, EDIT},
                           {AFX_WC_STATIC, "&Description :", IDC_STATIC, 7, 27, 65, 8, LABEL},
                           {AFX_WC_EDIT, "", IDC_CUSTOM_PROMPT, 75, 25, 154, 14, EDIT},
                           {AFX_WC_BUTTON, "Attributes ", IDC_CUSTOM_ATTRIBUTES, 7, 46, 222, 40, GROUP},
                           {AFX_WC_BUTTON, "&Server", IDC_CUSTOM_SERVER, 14, 58, 80, 10, CHECK},
                           {AFX_WC_BUTTON, "&Encrypted", IDC_CUSTOM_ENCRYPT, 14, 72, 80, 10, CHECK}}));
}
