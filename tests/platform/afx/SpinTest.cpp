#include "TestDialogs.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/DataExchange.h"
#include "afx/Dialog.h"
#include "afx/SpinButtonCtrl.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace
{
// Records the up-down notifications of the days spin and may refuse or
// change a step.
class CSpinDlg : public CDialog
{
public:
    CSpinDlg() : CDialog(IDD_TEST_SPIN) { AddTestDialogs(); }

    CSpinButtonCtrl m_days;
    CSpinButtonCtrl m_amount;
    CSpinButtonCtrl m_free;
    std::vector<std::string> m_events;
    bool m_bRefuse = false;
    int m_nDelta = 0; // replaces the step when not 0

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DAYS_SPIN, m_days);
        DDX_Control(pDX, IDC_AMOUNT_SPIN, m_amount);
        DDX_Control(pDX, IDC_FREE_SPIN, m_free);
    }
    void OnDeltaPos(NMHDR* pHeader, LRESULT* pResult)
    {
        auto* info = reinterpret_cast<NMUPDOWN*>(pHeader);
        m_events.push_back("delta " + std::to_string(info->iPos) + " " + std::to_string(info->iDelta));
        if (m_nDelta)
            info->iDelta = m_nDelta;
        *pResult = m_bRefuse;
    }
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam)
    {
        CWnd* from = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
        m_events.push_back("scroll " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)) +
                           (from ? " from " + std::to_string(from->GetDlgCtrlID()) : ""));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpinDlg, CDialog)
ON_NOTIFY(UDN_DELTAPOS, IDC_DAYS_SPIN, &CSpinDlg::OnDeltaPos)
ON_MESSAGE(WM_VSCROLL, &CSpinDlg::OnVScroll)
END_MESSAGE_MAP()

typedef std::vector<std::string> Events;

class SpinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_SPIN));
        ui::ShowAndActivate(m_dlg);
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    std::string Text(int nID)
    {
        std::string text;
        m_dlg.GetDlgItemText(nID, text);
        return text;
    }
    void ClickArrow(CSpinButtonCtrl& spin, bool bUp)
    {
        CRect client;
        spin.GetClientRect(&client);
        ui::ClickAt(spin, client.Width() / 2, bUp ? client.Height() / 4 : client.Height() * 3 / 4);
    }

    CSpinDlg m_dlg;
};
} // namespace

TEST_F(SpinTest, AutoBuddyTakesThePreviousControlAndItsRightEdge)
{
    CWnd* days = m_dlg.GetDlgItem(IDC_DAYS);
    EXPECT_EQ(m_dlg.m_days.GetBuddy(), days);
    EXPECT_EQ(m_dlg.m_amount.GetBuddy(), m_dlg.GetDlgItem(IDC_AMOUNT));
    EXPECT_EQ(m_dlg.m_free.GetBuddy(), nullptr);
    EXPECT_EQ(Text(IDC_DAYS), "0") << "the buddy shows the position from the start";

    CRect edit(7, 7, 67, 21);
    m_dlg.MapDialogRect(&edit);
    CRect buddy;
    CRect spin;
    days->GetWindowRect(&buddy);
    m_dlg.m_days.GetWindowRect(&spin);
    m_dlg.ScreenToClient(&buddy);
    m_dlg.ScreenToClient(&spin);
    EXPECT_EQ(spin.right, edit.right) << "the arrows sit at the right end of the edit's place";
    EXPECT_EQ(buddy.right, spin.left) << "and the edit gives up their width";
    EXPECT_EQ(spin.top, edit.top);
    EXPECT_EQ(spin.Height(), edit.Height());

    CWnd* amount = m_dlg.GetDlgItem(IDC_AMOUNT);
    EXPECT_EQ(m_dlg.m_free.SetBuddy(amount), nullptr);
    EXPECT_EQ(m_dlg.m_free.GetBuddy(), amount);
}

TEST_F(SpinTest, RangeAndPositionKeepWin32Rules)
{
    CSpinButtonCtrl& spin = m_dlg.m_free;
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 100) << "a new up-down counts from 100 down to 0";
    EXPECT_EQ(upper, 0);

    spin.SetRange(0, 500);
    EXPECT_EQ(spin.SetPos(1234), 0);
    EXPECT_EQ(spin.GetPos(), 500) << "the position is kept within the range";
    EXPECT_EQ(spin.SetPos(-3), 500);
    EXPECT_EQ(spin.GetPos32(), 0);

    spin.SetRange32(-5, 70000);
    spin.GetRange(lower, upper);
    EXPECT_EQ(upper, static_cast<short>(70000)) << "GetRange reads the 16-bit range";
    EXPECT_EQ(spin.GetRange(), static_cast<DWORD>(MAKELONG(static_cast<short>(70000), -5)));
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 70000);
    EXPECT_EQ(spin.SetPos32(69000), 0);
    EXPECT_EQ(spin.GetPos32(), 69000);

    spin.SetRange(0, static_cast<short>(40000));
    spin.GetRange32(lower, upper);
    EXPECT_EQ(upper, -25536) << "SetRange takes 16-bit bounds";
}

TEST_F(SpinTest, BuddyTextIsThePosition)
{
    CSpinButtonCtrl& days = m_dlg.m_days;
    days.SetRange(0, 5000);
    days.SetPos(1234);
    EXPECT_EQ(Text(IDC_DAYS), "1234") << "no thousands separators";
    m_dlg.m_amount.SetRange32(0, 100000);
    m_dlg.m_amount.SetPos32(12345);
    std::string separator = QLocale().groupSeparator().toStdString();
    EXPECT_EQ(Text(IDC_AMOUNT), "12" + separator + "345");
    m_dlg.SetDlgItemText(IDC_AMOUNT, ("1" + separator + "500").c_str());
    EXPECT_EQ(m_dlg.m_amount.GetPos32(), 1500) << "separators are read back";

    ui::ReplaceText(*m_dlg.GetDlgItem(IDC_DAYS), "250");
    EXPECT_EQ(days.GetPos(), 250);
    m_dlg.SetDlgItemText(IDC_DAYS, "12x");
    EXPECT_EQ(days.GetPos(), MAKELONG(250, 1)) << "unreadable text: the error word is set";
    m_dlg.SetDlgItemText(IDC_DAYS, "9999");
    BOOL bError = FALSE;
    EXPECT_EQ(days.GetPos32(&bError), 250);
    EXPECT_TRUE(bError) << "a number outside the range is an error too";
    m_dlg.SetDlgItemText(IDC_DAYS, "");
    EXPECT_EQ(days.GetPos32(&bError), 0);
    EXPECT_FALSE(bError) << "an empty text reads as 0";

    EXPECT_EQ(days.SetBase(16), 10);
    days.SetPos(1234);
    EXPECT_EQ(Text(IDC_DAYS), "0x04D2");
    m_dlg.SetDlgItemText(IDC_DAYS, "0x10");
    EXPECT_EQ(days.GetPos32(), 16);
    EXPECT_EQ(days.SetBase(8), 0);
    EXPECT_EQ(days.GetBase(), 16u);
}

TEST_F(SpinTest, ClickedArrowsAskTheParentThenStep)
{
    CSpinButtonCtrl& days = m_dlg.m_days;
    days.SetRange(0, 10);
    days.SetPos(3);
    ClickArrow(days, true);
    EXPECT_EQ(m_dlg.m_events, (Events{"delta 3 1", "scroll 4 4 from 1031"}));
    EXPECT_EQ(Text(IDC_DAYS), "4");
    EXPECT_EQ(CWnd::GetFocus(), m_dlg.GetDlgItem(IDC_DAYS)) << "the buddy edit takes the focus";

    m_dlg.m_events.clear();
    m_dlg.m_bRefuse = true;
    ClickArrow(days, false);
    EXPECT_EQ(m_dlg.m_events, (Events{"delta 4 -1", "scroll 4 4 from 1031"})) << "refused, yet reported";
    EXPECT_EQ(Text(IDC_DAYS), "4");

    m_dlg.m_bRefuse = false;
    m_dlg.m_nDelta = 5;
    ClickArrow(days, true);
    EXPECT_EQ(days.GetPos32(), 9) << "the parent may change the step";
    ClickArrow(days, true);
    EXPECT_EQ(days.GetPos32(), 10) << "no wrap: the step stops at the bound";

    m_dlg.m_nDelta = 0;
    m_dlg.SetDlgItemText(IDC_DAYS, "6");
    m_dlg.m_events.clear();
    ClickArrow(days, true);
    EXPECT_EQ(m_dlg.m_events.front(), "delta 6 1") << "the typed number is where the step starts";
    EXPECT_EQ(Text(IDC_DAYS), "7");

    days.SetRange(10, 0);
    m_dlg.m_events.clear();
    ClickArrow(days, true);
    EXPECT_EQ(m_dlg.m_events.front(), "delta 7 -1") << "a reversed range counts down on Up";
    EXPECT_EQ(Text(IDC_DAYS), "6");
}

TEST_F(SpinTest, WrapAndArrowKeys)
{
    CSpinButtonCtrl& amount = m_dlg.m_amount;
    amount.SetRange(1, 3);
    amount.SetPos(3);
    ClickArrow(amount, true);
    EXPECT_EQ(Text(IDC_AMOUNT), "1") << "UDS_WRAP: past the upper bound comes the lower";
    ClickArrow(amount, false);
    EXPECT_EQ(Text(IDC_AMOUNT), "3");
    ui::PressKey(*m_dlg.GetDlgItem(IDC_AMOUNT), Qt::Key_Up);
    EXPECT_EQ(Text(IDC_AMOUNT), "3") << "no UDS_ARROWKEYS: the buddy keeps its keys";

    CSpinButtonCtrl& days = m_dlg.m_days;
    days.SetRange(0, 20);
    days.SetPos(5);
    m_dlg.m_events.clear();
    CWnd& edit = *m_dlg.GetDlgItem(IDC_DAYS);
    ui::PressKey(edit, Qt::Key_Up);
    ui::PressKey(edit, Qt::Key_Up);
    ui::PressKey(edit, Qt::Key_Down);
    EXPECT_EQ(Text(IDC_DAYS), "6");
    EXPECT_EQ(m_dlg.m_events, (Events{"delta 5 1", "scroll 4 6 from 1031", "delta 6 1", "scroll 4 7 from 1031",
                                      "delta 7 -1", "scroll 4 6 from 1031"}));

    days.EnableWindow(FALSE);
    ui::PressKey(edit, Qt::Key_Up);
    EXPECT_EQ(Text(IDC_DAYS), "6") << "a disabled up-down does not step";
}
