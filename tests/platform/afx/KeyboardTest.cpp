#include "TestDialogs.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/ComboBox.h"
#include "afx/Dialog.h"
#include "afx/Edit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace
{
const int IDC_INNER_EDIT = 1040;
const int IDC_EDITABLE = 1041;

// The test form that answers help requests, reports its drop-down list and,
// like a dialog whose input is wrong, refuses OK with a message box.
class CKeyboardDlg : public CDialog
{
public:
    CKeyboardDlg() : CDialog(IDD_TEST_FORM) { AddTestDialogs(); }

    CComboBox m_kind;
    std::vector<HELPINFO> m_helps;
    std::vector<std::string> m_events;
    int m_nOkPresses = 0;
    bool m_bTakeF1 = false;

    BOOL OnInitDialog() override
    {
        m_kind.SubclassDlgItem(IDC_KIND, this);
        for (const char* item : {"gamma", "Alpha", "beta"})
            m_kind.AddString(item);
        m_kind.SetCurSel(0);
        return CDialog::OnInitDialog();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_bTakeF1 && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1)
            return TRUE;
        return CDialog::PreTranslateMessage(pMsg);
    }
    void OnOK() override
    {
        ++m_nOkPresses;
        AfxMessageBox("Please check the count.");
    }

protected:
    BOOL OnHelpInfo(HELPINFO* pInfo)
    {
        m_helps.push_back(*pInfo);
        return TRUE;
    }
    void OnKindChange() { m_events.push_back("change " + std::to_string(m_kind.GetCurSel())); }
    void OnKindDropDown() { m_events.push_back("drop"); }
    void OnKindCloseUp() { m_events.push_back("close"); }
    void OnContextMenu(CWnd*, CPoint) { m_events.push_back("menu"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyboardDlg, CDialog)
ON_WM_HELPINFO()
ON_CBN_SELCHANGE(IDC_KIND, &CKeyboardDlg::OnKindChange)
ON_CBN_DROPDOWN(IDC_KIND, &CKeyboardDlg::OnKindDropDown)
ON_CBN_CLOSEUP(IDC_KIND, &CKeyboardDlg::OnKindCloseUp)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

// An edit that answers help requests about itself.
class CHelpfulEdit : public CEdit
{
public:
    int m_nHelps = 0;

protected:
    BOOL OnHelpInfo(HELPINFO*)
    {
        ++m_nHelps;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpfulEdit, CEdit)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

// The real message box instead of the test seam, driven from a timer while
// its own modal loop runs: the first box gets the key, any later box is
// counted and closed, so a test never waits on a box.
class CRealBoxDriver
{
public:
    explicit CRealBoxDriver(Qt::Key key) : m_key(key)
    {
        AfxSetMessageBoxHandler(nullptr);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
        m_timer.start(5);
    }
    ~CRealBoxDriver() { InstallStrictUiSeams(); }
    int m_nBoxes = 0;

private:
    void Tick()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!box->property("seen").toBool())
        {
            box->setProperty("seen", true);
            ++m_nBoxes;
        }
        if (m_bKeyPressed)
            box->done(0);
        else
        {
            // Pressed outside the tick: a box that the key opens must not
            // wait for this timer, which Qt never runs inside itself.
            m_bKeyPressed = true;
            QWidget* target = box->focusWidget() ? box->focusWidget() : box;
            QTimer::singleShot(0, target, [target, key = m_key] { QTest::keyClick(target, key); });
        }
    }

    Qt::Key m_key;
    QTimer m_timer;
    bool m_bKeyPressed = false;
};

void Wheel(QWidget* pWidget, int nDelta)
{
    QPointF pos(pWidget->width() / 2.0, pWidget->height() / 2.0);
    QWheelEvent event(pos, pWidget->mapToGlobal(pos), QPoint(), QPoint(0, nDelta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(pWidget, &event);
}
} // namespace

TEST(Keyboard, F1AsksTheFocusedWindowThenEachParentUntilOneAnswers)
{
    CKeyboardDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 40), &dlg, 0));
    CEdit inner;
    ASSERT_TRUE(inner.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 90, 25), &pane, IDC_INNER_EDIT));
    ui::ShowAndActivate(dlg);

    inner.SetFocus();
    ui::PressKeyOnFocus(Qt::Key_F1);
    ASSERT_EQ(dlg.m_helps.size(), 1u) << "neither the edit nor the pane answers: the dialog does";
    EXPECT_EQ(dlg.m_helps[0].iContextType, HELPINFO_WINDOW);
    EXPECT_EQ(dlg.m_helps[0].iCtrlId, IDC_INNER_EDIT) << "the request still names the focused control";
    EXPECT_EQ(dlg.m_helps[0].hItemHandle, inner.m_hWnd);
    EXPECT_EQ(dlg.m_helps[0].MousePos.x, QCursor::pos().x());
    EXPECT_EQ(dlg.m_helps[0].MousePos.y, QCursor::pos().y());

    CHelpfulEdit name;
    ASSERT_TRUE(name.SubclassDlgItem(IDC_NAME, &dlg));
    name.SetFocus();
    ui::PressKeyOnFocus(Qt::Key_F1);
    EXPECT_EQ(name.m_nHelps, 1);
    EXPECT_EQ(dlg.m_helps.size(), 1u) << "a window that answers ends the climb";

    ui::PressKeyOnFocus(Qt::Key_F1, Qt::AltModifier);
    dlg.m_bTakeF1 = true;
    ui::PressKeyOnFocus(Qt::Key_F1);
    EXPECT_EQ(name.m_nHelps, 1) << "Alt+F1 and an F1 taken by pre-translation ask for no help";
    name.Detach();
    dlg.DestroyWindow();
}

TEST(Keyboard, F1InADialogWithoutHelpReachesTheWindowThatOwnsIt)
{
    CKeyboardDlg owner;
    ASSERT_TRUE(owner.Create(IDD_TEST_FORM));
    CModalScripts scripts;
    HWND hFocus = nullptr;
    scripts.Add(
        [&](CWnd& dlg)
        {
            ui::ShowAndActivate(dlg);
            hFocus = ::GetFocus();
            ui::PressKeyOnFocus(Qt::Key_F1);
            static_cast<CDialog&>(dlg).EndDialog(IDCANCEL);
        });
    CDialog plain(IDD_TEST_FORM, &owner);
    plain.DoModal();
    ASSERT_EQ(owner.m_helps.size(), 1u);
    EXPECT_EQ(owner.m_helps[0].hItemHandle, hFocus);
    EXPECT_EQ(owner.m_helps[0].iCtrlId, IDC_NAME);
    owner.DestroyWindow();
}

TEST(Keyboard, AMessageBoxKeepsItsKeysFromTheDialogBeneath)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
    {
        const char* pszKey = key == Qt::Key_Return ? "Enter" : "Escape";
        CKeyboardDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
        ui::ShowAndActivate(dlg);
        {
            CRealBoxDriver driver(key);
            ui::PressKeyOnFocus(Qt::Key_Return);
            EXPECT_EQ(driver.m_nBoxes, 1) << pszKey << " on the box did not press OK again";
        }
        EXPECT_EQ(dlg.m_nOkPresses, 1) << pszKey;
        EXPECT_TRUE(dlg.IsWindowVisible()) << pszKey << " on the box did not cancel the dialog";
        dlg.DestroyWindow();
    }

    // Nor does the mouse: a right click in a box asks the dialog for no menu.
    CKeyboardDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);
    QMessageBox box(QMessageBox::Warning, "Tarvo", "Please check the count.", QMessageBox::Ok, dlg.GetWidget());
    box.show();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&box, &request);
    EXPECT_TRUE(dlg.m_events.empty());
    ui::RightClick(dlg, 5, 5);
    EXPECT_EQ(dlg.m_events, std::vector<std::string>{"menu"}) << "the dialog's own right click still asks";
    box.hide();
    dlg.DestroyWindow();
}

TEST(Keyboard, ExtendedUiOpensTheListOnArrowsAndChoosesOnlyWhenItClosesWithAChoice)
{
    CKeyboardDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    ui::ShowAndActivate(dlg);
    auto* combo = qobject_cast<QComboBox*>(dlg.m_kind.GetWidget());
    ASSERT_NE(combo, nullptr);
    dlg.m_kind.SetFocus();

    // The usual interface moves the selection on the closed box at once.
    EXPECT_FALSE(dlg.m_kind.GetExtendedUI());
    ui::PressKey(dlg.m_kind, Qt::Key_Down);
    EXPECT_EQ(dlg.m_events, std::vector<std::string>{"change 1"});

    EXPECT_EQ(dlg.m_kind.SetExtendedUI(), CB_OKAY);
    EXPECT_TRUE(dlg.m_kind.GetExtendedUI());
    const struct
    {
        const char* pszName;
        Qt::Key nOpen;
        std::vector<Qt::Key> arrInList;
        int nSelected;
        std::vector<std::string> arrEvents;
    } cases[] = {
        {"Down, Down, Enter", Qt::Key_Down, {Qt::Key_Down, Qt::Key_Return}, 2, {"drop", "close", "change 2"}},
        {"Up, Up, Up, Escape", Qt::Key_Up, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Escape}, 2, {"drop", "close"}},
        {"F4, Up, Enter", Qt::Key_F4, {Qt::Key_Up, Qt::Key_Return}, 1, {"drop", "close", "change 1"}},
    };
    for (const auto& c : cases)
    {
        dlg.m_events.clear();
        int nBefore = dlg.m_kind.GetCurSel();
        ui::PressKey(dlg.m_kind, c.nOpen);
        EXPECT_TRUE(dlg.m_kind.GetDroppedState()) << c.pszName;
        EXPECT_EQ(dlg.m_kind.GetCurSel(), nBefore) << c.pszName << ": the key on the closed box chose nothing";
        for (Qt::Key key : c.arrInList)
            QTest::keyClick(combo->view(), key);
        EXPECT_FALSE(dlg.m_kind.GetDroppedState()) << c.pszName;
        EXPECT_EQ(dlg.m_kind.GetCurSel(), c.nSelected) << c.pszName;
        EXPECT_EQ(dlg.m_events, c.arrEvents) << c.pszName;
    }

    dlg.m_events.clear();
    Wheel(combo, -120);
    EXPECT_EQ(dlg.m_kind.GetCurSel(), 1) << "the wheel leaves the closed box alone";
    dlg.m_kind.SetExtendedUI(FALSE);
    Wheel(combo, -120);
    EXPECT_EQ(dlg.m_kind.GetCurSel(), 2);
    dlg.DestroyWindow();
}

TEST(Keyboard, ExtendedUiOfAnEditableBoxKeepsTypingAndIsRefusedByASimpleOne)
{
    CKeyboardDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CComboBox editable;
    ASSERT_TRUE(
        editable.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, CRect(5, 5, 120, 100), &dlg, IDC_EDITABLE));
    for (const char* item : {"one", "two"})
        editable.AddString(item);
    editable.SetCurSel(0);
    ASSERT_EQ(editable.SetExtendedUI(), CB_OKAY);
    ui::ShowAndActivate(dlg);

    ui::PressKey(editable, Qt::Key_Down);
    EXPECT_TRUE(editable.GetDroppedState());
    EXPECT_EQ(editable.GetCurSel(), 0);
    editable.ShowDropDown(FALSE);
    ui::ReplaceText(editable, "three");
    std::string strText;
    editable.GetWindowText(strText);
    EXPECT_EQ(strText, "three");

    auto* formats = dynamic_cast<CComboBox*>(dlg.GetDlgItem(IDC_FORMAT_LIST));
    ASSERT_NE(formats, nullptr);
    EXPECT_EQ(formats->SetExtendedUI(), CB_ERR) << "a list always shown has no extended interface";
    EXPECT_FALSE(formats->GetExtendedUI());
    dlg.DestroyWindow();
}
