#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/DataExchange.h"
#include "afx/PropertySheet.h"
#include "afx/TabBarWidget.h"

#include <QTest>
#include <gtest/gtest.h>

namespace
{
const UINT IDD_PAGE_ONE = 9101;
const UINT IDD_PAGE_TWO = 9102;
const UINT IDD_HOST = 9103;
const int IDC_VALUE = 1201;
const int IDC_HOST_EDIT = 1202;
const int IDC_SHEET_PLACE = 1203;

void AddSheetTemplates()
{
    static CResourceModule module("afx-sheet-tests");
    static bool added = false;
    if (added)
        return;
    added = true;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    for (UINT id : {IDD_PAGE_ONE, IDD_PAGE_TWO})
        module.AddDialog({id,
                          id == IDD_PAGE_ONE ? "First page" : "Second page",
                          "MS Shell Dlg",
                          8,
                          0,
                          0,
                          150,
                          id == IDD_PAGE_ONE ? 60 : 90,
                          WS_CHILD | WS_CAPTION,
                          {{AFX_WC_EDIT, "", IDC_VALUE, 7, 7, 80, 14, child | WS_TABSTOP | WS_BORDER}}});
    module.AddDialog({IDD_HOST,
                      "Host",
                      "MS Shell Dlg",
                      8,
                      0,
                      0,
                      220,
                      160,
                      WS_POPUP | WS_CAPTION,
                      {{AFX_WC_EDIT, "", IDC_HOST_EDIT, 7, 7, 80, 14, child | WS_TABSTOP | WS_BORDER},
                       {AFX_WC_BUTTON, "Close", IDOK, 160, 140, 50, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON}}});
    static CDynLinkLibrary entry(module);
}

// A page holding one number that must lie between 1 and 9 before it can be left.
class CNumberPage : public CPropertyPage
{
public:
    explicit CNumberPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) { AddSheetTemplates(); }
    int m_nValue = 1;
    int m_nActivations = 0;
    BOOL m_bAllowCancel = TRUE;

    BOOL OnSetActive() override
    {
        ++m_nActivations;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnQueryCancel() override { return m_bAllowCancel; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_VALUE, m_nValue);
        DDV_MinMaxInt(pDX, m_nValue, 1, 9);
    }
};

class CHostDlg : public CDialog
{
public:
    CHostDlg() : CDialog(IDD_HOST) { AddSheetTemplates(); }
};

struct SheetFixture
{
    CNumberPage one{IDD_PAGE_ONE};
    CNumberPage two{IDD_PAGE_TWO};
    CPropertySheet sheet;
    SheetFixture()
    {
        sheet.AddPage(&one);
        sheet.AddPage(&two);
    }
};
} // namespace

TEST(PropertySheet, ChildSheetSwitchesWithCtrlTabAndLeavesPlainTabToTheDialog)
{
    CHostDlg host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    SheetFixture f;
    ASSERT_TRUE(f.sheet.Create(&host, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    ui::ShowAndActivate(host);
    EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
    EXPECT_EQ(f.one.m_nActivations, 1);
    EXPECT_EQ(f.two.m_hWnd, nullptr) << "pages get their window when first shown";

    // Plain Tab runs through the dialog, into the sheet's page and back out.
    host.GetDlgItem(IDC_HOST_EDIT)->SetFocus();
    std::vector<int> path;
    for (int i = 0; i < 4; ++i)
    {
        ui::PressKeyOnFocus(Qt::Key_Tab);
        path.push_back(CWnd::GetFocus()->GetDlgCtrlID());
    }
    EXPECT_EQ(path, (std::vector<int>{IDOK, AFX_IDC_TAB_CONTROL, IDC_VALUE, IDC_HOST_EDIT}));
    EXPECT_EQ(f.sheet.GetActiveIndex(), 0);

    f.one.GetDlgItem(IDC_VALUE)->SetFocus();
    ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(f.sheet.GetActiveIndex(), 1) << "Ctrl+Tab inside the sheet switches pages";
    EXPECT_TRUE(f.two.IsWindowVisible());
    EXPECT_FALSE(f.one.IsWindowVisible());
    EXPECT_EQ(f.sheet.GetTabControl()->GetCurSel(), 1);

    // The standard buttons of a modeless sheet exist, hidden and disabled.
    CWnd* ok = f.sheet.GetDlgItem(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->IsWindowVisible());
    EXPECT_FALSE(ok->IsWindowEnabled());
    host.DestroyWindow();
}

TEST(PropertySheet, PageThatRefusesToBeLeftKeepsTheSheetOnIt)
{
    CMessageBoxRecorder boxes;
    CHostDlg host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    SheetFixture f;
    ASSERT_TRUE(f.sheet.Create(&host, WS_CHILD | WS_VISIBLE));
    ui::ShowAndActivate(host);
    f.one.SetDlgItemText(IDC_VALUE, "42");

    EXPECT_FALSE(f.sheet.SetActivePage(1));
    EXPECT_EQ(boxes.LastText(), "Please enter an integer between 1 and 9.");
    ui::PressKeyOnFocus(Qt::Key_Tab, Qt::ControlModifier);
    auto* bar = f.sheet.GetTabControl()->GetWidget()->findChild<CTabBarWidget*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
    EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
    EXPECT_EQ(f.sheet.GetTabControl()->GetCurSel(), 0) << "the tab strip stays on the refusing page";
    EXPECT_EQ(boxes.Calls().size(), 3u) << "every attempt asked the page";

    f.one.SetDlgItemText(IDC_VALUE, "4");
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
    EXPECT_EQ(f.sheet.GetActiveIndex(), 1);
    EXPECT_EQ(f.one.m_nValue, 4) << "leaving the page saved its data";
    host.DestroyWindow();
}

TEST(PropertySheet, ModalSheetAppliesOnOkAndAsksTheActivePageBeforeCancelling)
{
    CModalScripts scripts;
    SheetFixture f;
    f.one.m_nValue = 3;
    scripts.Add(
        [&](CWnd& sheet)
        {
            ui::ShowAndActivate(sheet);
            f.one.SetDlgItemText(IDC_VALUE, "8");
            ui::PressKeyOnFocus(Qt::Key_Return);
        });
    EXPECT_EQ(f.sheet.DoModal(), IDOK);
    EXPECT_EQ(f.one.m_nValue, 8);
    EXPECT_EQ(f.one.m_hWnd, nullptr) << "the pages' windows go with the sheet";

    f.one.m_bAllowCancel = FALSE;
    scripts.Add(
        [&](CWnd& sheet)
        {
            auto& s = static_cast<CPropertySheet&>(sheet);
            EXPECT_FALSE(s.PressButton(PSBTN_CANCEL));
            f.one.m_bAllowCancel = TRUE;
            ui::ShowAndActivate(sheet);
            ui::PressKeyOnFocus(Qt::Key_Escape);
        });
    EXPECT_EQ(f.sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(scripts.AllUsed());
}

TEST(PropertySheet, RemovingTheActivePageShowsAnother)
{
    CHostDlg host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    SheetFixture f;
    ASSERT_TRUE(f.sheet.Create(&host, WS_CHILD | WS_VISIBLE));
    f.sheet.RemovePage(0);
    EXPECT_EQ(f.sheet.GetPageCount(), 1);
    EXPECT_EQ(f.sheet.GetActivePage(), &f.two);
    EXPECT_EQ(f.one.m_hWnd, nullptr);
    EXPECT_EQ(f.sheet.GetTabControl()->GetItemCount(), 1);
    host.DestroyWindow();
}
