#include "TestDialogs.h"

#include <QPainter>

namespace
{
QImage TestStrip()
{
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    painter.fillRect(4, 4, 8, 8, Qt::red);
    painter.fillRect(20, 4, 8, 8, Qt::blue);
    return strip;
}
} // namespace

void AddTestDialogs()
{
    static CResourceModule module("afx-tests");
    static bool added = false;
    if (added)
        return;
    added = true;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    module.AddDialog(
        {IDD_TEST_FORM,
         "Test Form",
         "MS Shell Dlg",
         8,
         0,
         0,
         200,
         150,
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
          {AFX_WC_COMBOBOX, "", IDC_FORMAT_LIST, 70, 78, 80, 40, child | WS_TABSTOP | CBS_SIMPLE},
          {AFX_WC_BUTTON, "&Apply", IDC_APPLY, 7, 129, 50, 14, child | WS_TABSTOP},
          {AFX_WC_BUTTON, "OK", IDOK, 89, 129, 50, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {AFX_WC_BUTTON, "Cancel", IDCANCEL, 143, 129, 50, 14, child | WS_TABSTOP}}});
    const DWORD button = child | WS_TABSTOP;
    module.AddDialog(
        {IDD_TEST_TREE,
         "Tree",
         "MS Shell Dlg",
         8,
         0,
         0,
         180,
         150,
         WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
         {{AFX_WC_TREEVIEW, "", IDC_TREE, 7, 7, 110, 110,
           button | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS},
          {AFX_WC_EDIT, "", IDC_NOTE, 122, 7, 50, 14, button | WS_BORDER | ES_AUTOHSCROLL},
          {AFX_WC_BUTTON, "OK", IDOK, 70, 129, 50, 14, button | BS_DEFPUSHBUTTON},
          {AFX_WC_BUTTON, "Cancel", IDCANCEL, 123, 129, 50, 14, button}}});
    module.AddDialog({IDD_TEST_SPIN,
                      "Spin",
                      "MS Shell Dlg",
                      8,
                      0,
                      0,
                      160,
                      90,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      {{AFX_WC_EDIT, "", IDC_DAYS, 7, 7, 60, 14, button | WS_BORDER | ES_NUMBER},
                       {AFX_WC_UPDOWN, "", IDC_DAYS_SPIN, 67, 7, 11, 14,
                        child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
                       {AFX_WC_EDIT, "", IDC_AMOUNT, 7, 27, 60, 14, button | WS_BORDER},
                       {AFX_WC_UPDOWN, "", IDC_AMOUNT_SPIN, 67, 27, 11, 14,
                        child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_WRAP},
                       {AFX_WC_UPDOWN, "", IDC_FREE_SPIN, 100, 7, 11, 14, child},
                       {AFX_WC_BUTTON, "OK", IDOK, 50, 69, 50, 14, button | BS_DEFPUSHBUTTON},
                       {AFX_WC_BUTTON, "Cancel", IDCANCEL, 103, 69, 50, 14, button}}});
    module.AddMenu({IDR_TEST_POPUP,
                    {{"Empty", 0, MF_POPUP, {{"&New\t(Ins)", ID_TEST_NEW}}},
                     {"Item",
                      0,
                      MF_POPUP,
                      {{"&New\t(Ins)", ID_TEST_NEW},
                       {"&Rename", ID_TEST_RENAME},
                       {"", 0, MF_SEPARATOR},
                       {"&Delete\t(Del)", ID_TEST_DELETE, MF_GRAYED},
                       {"More", 0, MF_POPUP, {{"&Sort", ID_TEST_SORT, MF_CHECKED}}}}}}});
    module.AddImage(IDB_TEST_STRIP, TestStrip());
    static CDynLinkLibrary entry(module);
}
