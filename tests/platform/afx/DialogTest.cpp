#include "TempDir.h"
#include "TestDialogs.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/Button.h"
#include "afx/ComboBox.h"
#include "afx/DataExchange.h"
#include "afx/Dialog.h"
#include "afx/Edit.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
const UINT s_nPingMsg = RegisterWindowMessageA("TestPing");

class CTestFormDlg : public CDialog
{
public:
    CTestFormDlg() : CDialog(IDD_TEST_FORM) { AddTestDialogs(); }

    std::string m_strName = "alpha";
    int m_nCount = 5;
    UINT m_nSize = 7;
    int m_nEnabled = BST_CHECKED;
    int m_nRadio = 1;
    std::string m_strKind = "be";
    CComboBox m_kind;
    std::vector<std::string> m_events;

    BOOL OnInitDialog() override
    {
        m_kind.SubclassDlgItem(IDC_KIND, this);
        for (const char* item : {"gamma", "Alpha", "beta"})
            m_kind.AddString(item);
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 10);
        DDX_Text(pDX, IDC_SIZE, m_nSize);
        DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
        DDX_Radio(pDX, IDC_FIRST_RADIO, m_nRadio);
        DDX_CBString(pDX, IDC_KIND, m_strKind);
    }
    void OnNameChange() { m_events.push_back("name"); }
    void OnKindChange() { m_events.push_back("kind"); }
    void OnApply() { m_events.push_back("apply"); }
    LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        m_events.push_back("ping " + std::to_string(wParam));
        return 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFormDlg, CDialog)
ON_EN_CHANGE(IDC_NAME, &CTestFormDlg::OnNameChange)
ON_CBN_SELCHANGE(IDC_KIND, &CTestFormDlg::OnKindChange)
ON_BN_CLICKED(IDC_APPLY, &CTestFormDlg::OnApply)
ON_REGISTERED_MESSAGE(s_nPingMsg, &CTestFormDlg::OnPing)
END_MESSAGE_MAP()

// Overrides one handler of its base: the derived table must win.
class CDerivedFormDlg : public CTestFormDlg
{
protected:
    void OnDerivedApply() { m_events.push_back("derived apply"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedFormDlg, CTestFormDlg)
ON_BN_CLICKED(IDC_APPLY, &CDerivedFormDlg::OnDerivedApply)
END_MESSAGE_MAP()

CWnd& Item(CWnd& dlg, int id)
{
    CWnd* item = dlg.GetDlgItem(id);
    EXPECT_NE(item, nullptr) << "control " << id;
    return *item;
}

std::string TextOf(CWnd& dlg, int id)
{
    std::string text;
    dlg.GetDlgItemText(id, text);
    return text;
}
} // namespace

TEST(Dialog, BuildsControlsAtTheirDialogUnitPlacesAndLoadsData)
{
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CRect expected(50, 7, 150, 21);
    dlg.MapDialogRect(&expected);
    CRect actual;
    Item(dlg, IDC_NAME).GetWindowRect(&actual);
    dlg.ScreenToClient(&actual);
    EXPECT_EQ(actual, expected);
    EXPECT_GT(expected.Width(), 100); // dialog units are larger than pixels

    EXPECT_EQ(TextOf(dlg, IDC_NAME), "alpha");
    EXPECT_EQ(TextOf(dlg, IDC_COUNT), "5");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_ENABLED), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_FIRST_RADIO, IDC_THIRD_RADIO), IDC_SECOND_RADIO);
    // The sorted list holds the items ignoring case; "be" selects "beta" by prefix.
    std::string item;
    dlg.m_kind.GetLBText(0, item);
    EXPECT_EQ(item, "Alpha");
    EXPECT_EQ(TextOf(dlg, IDC_KIND), "beta");
    dlg.DestroyWindow();
}

TEST(Dialog, NotificationsFollowWin32Rules)
{
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    dlg.m_events.clear();
    dlg.SetDlgItemText(IDC_NAME, "changed by program");
    EXPECT_EQ(dlg.m_events, std::vector<std::string>{"name"}) << "programmatic edit text raises EN_CHANGE";

    dlg.m_events.clear();
    dlg.m_kind.SetCurSel(2);
    EXPECT_TRUE(dlg.m_events.empty()) << "programmatic selection raises no CBN_SELCHANGE";
    ui::ChooseComboItem(dlg.m_kind, 1);
    EXPECT_EQ(dlg.m_events, std::vector<std::string>{"kind"});
    EXPECT_EQ(dlg.m_kind.GetCurSel(), 1);

    dlg.m_events.clear();
    ui::Click(Item(dlg, IDC_APPLY));
    ui::Type(Item(dlg, IDC_NAME), "x");
    EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"apply", "name"}));
    dlg.DestroyWindow();
}

TEST(Dialog, MessageMapSearchesDerivedClassFirstThenBase)
{
    CDerivedFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    dlg.m_events.clear();
    ui::Click(Item(dlg, IDC_APPLY));
    ui::ChooseComboItem(dlg.m_kind, 0);
    EXPECT_EQ(dlg.SendMessage(s_nPingMsg, 3, 0), 42);
    EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"derived apply", "kind", "ping 3"}));
    EXPECT_EQ(RegisterWindowMessageA("testping"), s_nPingMsg) << "one id per name, ignoring case";
    dlg.DestroyWindow();
}

TEST(Dialog, DataExchangeRejectsBadInputWithTheStandardMessages)
{
    CMessageBoxRecorder boxes;
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);

    dlg.SetDlgItemText(IDC_COUNT, "11");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.LastText(), "Please enter an integer between 1 and 10.");
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_COUNT)) << "the failing control gets the focus";

    dlg.SetDlgItemText(IDC_COUNT, " 9 ");
    dlg.SetDlgItemText(IDC_SIZE, "-3");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(boxes.LastText(), "Please enter a positive integer.");

    dlg.SetDlgItemText(IDC_SIZE, "12");
    dlg.SetDlgItemText(IDC_NAME, "far too long");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(boxes.LastText(), "Please enter no more than 8 characters.");

    dlg.SetDlgItemText(IDC_NAME, "omega");
    ui::Click(Item(dlg, IDC_THIRD_RADIO));
    ui::Click(Item(dlg, IDC_ENABLED));
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_strName, "omega");
    EXPECT_EQ(dlg.m_nCount, 9);
    EXPECT_EQ(dlg.m_nSize, 12u);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_nEnabled, BST_UNCHECKED);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_FIRST_RADIO, IDC_THIRD_RADIO), IDC_THIRD_RADIO)
        << "an automatic radio button clears the rest of its group";
    dlg.DestroyWindow();
}

TEST(Dialog, TypingRespectsTheLimitButProgramTextIsNeverCut)
{
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);
    // DDV_MaxChars limited the name edit to 8 characters on load.
    dlg.SetDlgItemText(IDC_NAME, "");
    ui::Type(Item(dlg, IDC_NAME), "abcdefghijkl");
    EXPECT_EQ(TextOf(dlg, IDC_NAME), "abcdefgh");
    dlg.SetDlgItemText(IDC_NAME, "a much longer text set by the program");
    EXPECT_EQ(TextOf(dlg, IDC_NAME), "a much longer text set by the program");

    ui::Type(Item(dlg, IDC_SIZE), "4x2");
    EXPECT_EQ(TextOf(dlg, IDC_SIZE), "742") << "a digits-only edit refuses other characters";
    dlg.DestroyWindow();
}

TEST(Dialog, KeyboardMovesFocusPressesDefaultAndCancels)
{
    CModalScripts scripts;
    std::vector<int> focusPath;
    scripts.Add(
        [&](CWnd& wnd)
        {
            auto& dlg = static_cast<CTestFormDlg&>(wnd);
            ui::ShowAndActivate(dlg);
            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_NAME)) << "first tab stop has the focus";
            ui::PressKeyOnFocus(Qt::Key_Tab);
            focusPath.push_back(CWnd::GetFocus()->GetDlgCtrlID());
            ui::PressKeyOnFocus(Qt::Key_Backtab, Qt::ShiftModifier);
            focusPath.push_back(CWnd::GetFocus()->GetDlgCtrlID());
            dlg.SetDlgItemText(IDC_COUNT, "0");
            ui::PressKeyOnFocus(Qt::Key_Return); // OK validates: 0 is out of range
        });
    CMessageBoxRecorder boxes;
    scripts.Add(
        [&](CWnd& wnd)
        {
            auto& dlg = static_cast<CTestFormDlg&>(wnd);
            ui::ShowAndActivate(dlg);
            dlg.SetDlgItemText(IDC_NAME, "beta");
            ui::PressKeyOnFocus(Qt::Key_Return);
        });
    CTestFormDlg first;
    EXPECT_EQ(first.DoModal(), -1) << "the dialog stayed open after the bad value";
    EXPECT_EQ(boxes.LastText(), "Please enter an integer between 1 and 10.");
    ASSERT_EQ(focusPath.size(), 2u);
    EXPECT_EQ(focusPath[0], IDC_COUNT);
    EXPECT_EQ(focusPath[1], IDC_NAME);

    CTestFormDlg second;
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.m_strName, "beta");
    EXPECT_FALSE(IsWindow(second.m_hWnd)) << "DoModal destroys its window";

    scripts.Add(
        [](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            ui::PressKeyOnFocus(Qt::Key_Escape);
        });
    CTestFormDlg third;
    EXPECT_EQ(third.DoModal(), IDCANCEL);
    EXPECT_TRUE(scripts.AllUsed());
}

// A dialog inside another is a part of it: Return and Escape there answer the
// outer dialog and never end the inner one alone.
TEST(Dialog, ReturnAndEscapeInANestedDialogAreTheOuterDialogs)
{
    class CInnerDlg : public CTestFormDlg
    {
    protected:
        DWORD AdjustTemplateStyle(DWORD dwStyle) const override { return (dwStyle & ~WS_POPUP) | WS_CHILD; }
    };
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
    {
        CModalScripts scripts;
        CInnerDlg inner;
        scripts.Add(
            [&](CWnd& outer)
            {
                ui::ShowAndActivate(outer);
                ASSERT_TRUE(inner.Create(IDD_TEST_FORM, &outer));
                inner.ShowWindow(SW_SHOW);
                inner.GetDlgItem(IDC_NAME)->SetFocus();
                ui::PressKeyOnFocus(key);
            });
        CTestFormDlg outer;
        EXPECT_EQ(outer.DoModal(), key == Qt::Key_Return ? IDOK : IDCANCEL);
        EXPECT_TRUE(scripts.AllUsed());
    }
}

TEST(Dialog, DisabledDefaultButtonIgnoresEnter)
{
    CModalScripts scripts;
    scripts.Add(
        [](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            dlg.GetDlgItem(IDOK)->EnableWindow(FALSE);
            ui::PressKeyOnFocus(Qt::Key_Return);
            EXPECT_TRUE(dlg.IsWindowVisible()) << "Enter did nothing";
            static_cast<CDialog&>(dlg).EndDialog(77);
        });
    CTestFormDlg dlg;
    EXPECT_EQ(dlg.DoModal(), 77);
}

TEST(Dialog, RendersToPngAtItsOwnSize)
{
    CTempDir dir;
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);
    std::string path = dir.File("form.png");
    ASSERT_TRUE(ui::SavePng(dlg, path));
    QImage image(QString::fromStdString(path));
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(image.width(), client.Width());
    EXPECT_EQ(image.height(), client.Height());
    if (const char* keep = std::getenv("TARVO_KEEP_PNG"))
        image.save(QString::fromUtf8(keep));
    dlg.DestroyWindow();
}

TEST(Dialog, SimpleComboShowsItsListAndKeepsItemData)
{
    CTestFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);
    auto* formats = dynamic_cast<CComboBox*>(dlg.GetDlgItem(IDC_FORMAT_LIST));
    ASSERT_NE(formats, nullptr);
    for (const char* item : {"%d", "%05d", "%x"})
        formats->AddString(item);
    formats->SetItemData(1, 0xF00D);
    std::string text;
    formats->GetLBText(1, text);
    EXPECT_EQ(text, "%05d") << "an unsorted list keeps the order of adding";
    EXPECT_EQ(formats->GetItemData(1), static_cast<DWORD_PTR>(0xF00D));
    EXPECT_EQ(formats->GetItemData(7), static_cast<DWORD_PTR>(CB_ERR));

    dlg.m_events.clear();
    ui::ChooseComboItem(*formats, 2);
    EXPECT_EQ(TextOf(dlg, IDC_FORMAT_LIST), "%x") << "choosing in the list fills the edit field";
    formats->SetCurSel(0);
    EXPECT_EQ(TextOf(dlg, IDC_FORMAT_LIST), "%d");
    ui::ReplaceText(*formats, "%08d");
    EXPECT_EQ(TextOf(dlg, IDC_FORMAT_LIST), "%08d");
    EXPECT_EQ(formats->FindStringExact(-1, "%X"), 2) << "exact search ignores case";
    EXPECT_EQ(formats->FindString(0, "%0"), 1);
    dlg.DestroyWindow();
}
