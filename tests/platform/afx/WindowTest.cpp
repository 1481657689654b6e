#include "TestDialogs.h"
#include "UiDriver.h"

#include "afx/Dialog.h"
#include "afx/WinMessageEvent.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace
{
// A host window written in plain Qt: it receives the layer's messages as events.
class CHostWidget : public QWidget
{
public:
    std::vector<std::pair<UINT, WPARAM>> m_received;

protected:
    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() != CWinMessageEvent::EventType())
            return QWidget::event(pEvent);
        auto* message = static_cast<CWinMessageEvent*>(pEvent);
        m_received.emplace_back(message->m_nMessage, message->m_wParam);
        message->m_lResult = 7;
        return true;
    }
};

class CCountingDlg : public CDialog
{
public:
    CCountingDlg() : CDialog(IDD_TEST_FORM) { AddTestDialogs(); }
    int m_nDestroyed = 0;
    std::vector<int> m_sizes;

protected:
    void OnDestroy() { ++m_nDestroyed; }
    void OnSize(UINT, int cx, int) { m_sizes.push_back(cx); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingDlg, CDialog)
ON_WM_DESTROY()
ON_WM_SIZE()
END_MESSAGE_MAP()
} // namespace

TEST(Window, PlainQtHostReceivesMessagesAndCanBeAParent)
{
    CHostWidget host;
    HWND hHost = AfxHandleFromWidget(&host);
    ASSERT_TRUE(IsWindow(hHost));
    EXPECT_EQ(AfxHandleFromWidget(&host), hHost) << "one handle per widget";
    UINT msg = RegisterWindowMessageA("HostNotify");
    EXPECT_EQ(SendMessage(hHost, msg, 5, 0), 7);
    ASSERT_EQ(host.m_received.size(), 1u);
    EXPECT_EQ(host.m_received[0], std::make_pair(msg, WPARAM(5)));

    CCountingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM, nullptr));
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->GetParent(), &dlg);
    dlg.DestroyWindow();
}

TEST(Window, DestroyedHandlesStayDeadAndPostedMessagesToThemAreDropped)
{
    CHostWidget* host = new CHostWidget;
    HWND hHost = AfxHandleFromWidget(host);
    UINT msg = RegisterWindowMessageA("Later");
    EXPECT_TRUE(PostMessage(hHost, msg, 1, 0));
    EXPECT_TRUE(host->m_received.empty()) << "posting is not sending";
    ui::ProcessEvents();
    ASSERT_EQ(host->m_received.size(), 1u);

    PostMessage(hHost, msg, 2, 0);
    delete host;
    ui::ProcessEvents(); // the queued message must not reach the deleted widget
    EXPECT_FALSE(IsWindow(hHost));
    EXPECT_FALSE(PostMessage(hHost, msg, 3, 0));

    CCountingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    HWND hDlg = dlg.m_hWnd;
    HWND hEdit = dlg.GetDlgItem(IDC_NAME)->m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_nDestroyed, 1);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_FALSE(IsWindow(hEdit)) << "children go with their parent";
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ui::ProcessEvents();
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_NE(dlg.m_hWnd, hDlg) << "a new window never reuses a dead handle";
    dlg.DestroyWindow();
}

TEST(Window, MoveWindowReportsTheNewSizeAtOnceEvenWhenHidden)
{
    CCountingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ASSERT_FALSE(dlg.IsWindowVisible());
    dlg.m_sizes.clear();
    dlg.MoveWindow(0, 0, 321, 200);
    dlg.MoveWindow(0, 0, 321, 200);
    EXPECT_EQ(dlg.m_sizes, std::vector<int>{321}) << "one WM_SIZE per real change";
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 321);
    dlg.DestroyWindow();
}

namespace
{
class CTickingDlg : public CDialog
{
public:
    CTickingDlg() : CDialog(IDD_TEST_FORM) { AddTestDialogs(); }
    std::vector<UINT_PTR> m_ticks;

protected:
    void OnTimer(UINT_PTR nIDEvent)
    {
        m_ticks.push_back(nIDEvent);
        if (m_ticks.size() == 2)
            KillTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTickingDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()
} // namespace

TEST(Window, TimersTickUntilKilledAndDieWithTheWindow)
{
    CTickingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_EQ(dlg.SetTimer(7, 1), 7u);
    for (int i = 0; i < 50 && dlg.m_ticks.size() < 3; ++i)
        QTest::qWait(5);
    EXPECT_EQ(dlg.m_ticks, (std::vector<UINT_PTR>{7, 7})) << "no tick after KillTimer";
    EXPECT_FALSE(dlg.KillTimer(7));

    dlg.SetTimer(8, 1);
    dlg.DestroyWindow();
    QTest::qWait(20);
    EXPECT_EQ(dlg.m_ticks.size(), 2u) << "a destroyed window's timers stop";
}

namespace
{
// Deletes itself when its Apply button is clicked, as an owner may do from a handler.
class CSelfDeletingDlg : public CDialog
{
public:
    explicit CSelfDeletingDlg(bool* pDeleted) : CDialog(IDD_TEST_FORM), m_pDeleted(pDeleted) { AddTestDialogs(); }
    ~CSelfDeletingDlg() override { *m_pDeleted = true; }

protected:
    void OnApply() { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    bool* m_pDeleted;
};

BEGIN_MESSAGE_MAP(CSelfDeletingDlg, CDialog)
ON_BN_CLICKED(IDC_APPLY, &CSelfDeletingDlg::OnApply)
END_MESSAGE_MAP()
} // namespace

TEST(Window, AWindowDeletedInsideItsOwnButtonsClickGoesSafely)
{
    bool bDeleted = false;
    auto* dlg = new CSelfDeletingDlg(&bDeleted);
    ASSERT_TRUE(dlg->Create(IDD_TEST_FORM));
    HWND hDlg = dlg->m_hWnd;
    QPointer<QWidget> widget = dlg->GetWidget();
    ui::Click(*dlg->GetDlgItem(IDC_APPLY));
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(IsWindow(hDlg));
    ui::ProcessEvents();
    EXPECT_TRUE(widget.isNull()) << "the widget went once the click was over";
}
