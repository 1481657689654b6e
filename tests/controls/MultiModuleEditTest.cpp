#include "controls/Delimter.h"
#include "controls/NumModulEdit.h"
#include "controls/QzTimeEditControl.h"

#include "UiDriver.h"

#include "afx/Clipboard.h"
#include "afx/Dialog.h"
#include "afx/Resource.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const UINT IDD_TIME_HOST = 9820;
const int IDC_TIME = 1301;
const int IDC_OTHER = 1302;

void AddTimeHostTemplate()
{
    static CResourceModule module("time-edit-tests");
    static bool bAdded = false;
    if (bAdded)
        return;
    bAdded = true;
    const DWORD edit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    module.AddDialog(
        {IDD_TIME_HOST,
         "Time",
         "MS Sans Serif",
         8,
         0,
         0,
         160,
         60,
         WS_POPUP | WS_CAPTION,
         {{AFX_WC_EDIT, "", IDC_TIME, 7, 7, 80, 14, edit}, {AFX_WC_EDIT, "", IDC_OTHER, 7, 30, 80, 14, edit}}});
    static CDynLinkLibrary entry(module);
}

int s_nCallbacks = 0;
void CountCallback(CWnd*)
{
    ++s_nCallbacks;
}

struct SELECTION
{
    int nStart;
    int nEnd;
    bool operator==(const SELECTION& other) const { return nStart == other.nStart && nEnd == other.nEnd; }
};
} // namespace

TEST(TimeEditFields, HoursTakeTheirWidthFromTheirMaximum)
{
    const struct
    {
        int nMaxHours;
        int nHourWidth;
        const char* pszText;
    } cases[] = {
        {0, 0, "00:00:00"}, {-5, 7, "00:00:00"}, {23, 2, "00:00:00"}, {100, 0, "000:00:00"}, {9, 0, "0:00:00"}};
    for (const auto& c : cases)
    {
        CQzTimeEdit edit(c.nMaxHours, c.nHourWidth);
        EXPECT_EQ(edit.GetText(), c.pszText) << c.nMaxHours << "," << c.nHourWidth;
    }
    CTimeEdit shortEdit(0, 0);
    EXPECT_EQ(shortEdit.GetText(), "00:00");
    EXPECT_EQ(shortEdit.SetHours(23), 1);
    EXPECT_EQ(shortEdit.SetHours(24), 1) << "an existing field answers 1 even when it refuses the value";
    EXPECT_EQ(shortEdit.GetHours(), 23);
    EXPECT_EQ(shortEdit.GetText(), "23:00");
}

TEST(TimeEditFields, NumbersWrapAroundAndReportIt)
{
    CNumModulEdit field(0, 59, 2, MODULE_TIME_FIELD);
    field.SetValue(59);
    EXPECT_EQ(field.Increment(1), 2);
    EXPECT_EQ(field.GetText(), "00");
    EXPECT_EQ(field.Decrement(1), 3);
    EXPECT_EQ(field.GetValue(), 59);
    EXPECT_EQ(field.Spin(0), 2);
    EXPECT_EQ(field.Spin(1), 3);
    EXPECT_EQ(field.Spin(4), 1) << "other spin codes do nothing";
    EXPECT_EQ(field.GetValue(), 59);
    EXPECT_EQ(field.SetValue(60), 0);
    EXPECT_EQ(field.GetValue(), 59);

    // A field without the fixed-width style inserts at the caret.
    CNumModulEdit free(0, 999, 3, 0);
    free.m_nStart = 4;
    free.SetValue(12);
    EXPECT_EQ(free.ComposeText('5', 5, 5), "152");
    EXPECT_EQ(free.ComposeText('5', 4, 6), "52") << "a selection is overwritten";
    EXPECT_EQ(free.ComposeText('5', 9, 9), "125");
    EXPECT_EQ(free.GetText(), "12") << "no padding without the style";
    free.m_strText = "1234";
    EXPECT_EQ(free.GetText(), "0") << "too long for the field: back to the minimum";
    EXPECT_EQ(free.GetValue(), 0);

    CDelimter colon(":");
    CModulEdit left(2, 0), right(2, 0);
    colon.m_nStart = 2;
    colon.m_pPrevious = &left;
    colon.m_pFollowing = &right;
    EXPECT_EQ(colon.GetNeighbour(2), &left);
    EXPECT_EQ(colon.GetWidth(), 1);
    CDelimter wide(" - ", 1);
    wide.m_pPrevious = &left;
    wide.m_pFollowing = &right;
    EXPECT_EQ(wide.GetNeighbour(1), &left);
    EXPECT_EQ(wide.GetNeighbour(2), &right);
}

// A time edit subclassing a dialog's edit box, driven by keyboard and mouse.
class TimeEditTest : public ::testing::Test
{
protected:
    TimeEditTest() : m_edit(CountCallback)
    {
        AddTimeHostTemplate();
        s_nCallbacks = 0;
        AfxSetBeepHandler([this](UINT) { ++m_nBeeps; });
    }
    ~TimeEditTest() override
    {
        AfxSetBeepHandler(nullptr);
        m_dlg.DestroyWindow();
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TIME_HOST));
        ASSERT_TRUE(m_edit.SubclassDlgItem(IDC_TIME, &m_dlg));
        ui::ShowAndActivate(m_dlg);
    }

    void Show(int h, int m, int s)
    {
        m_edit.SetHours(h);
        m_edit.SetMinutes(m);
        m_edit.SetSeconds(s);
    }
    std::string Text()
    {
        std::string strText;
        m_edit.GetWindowText(strText);
        return strText;
    }
    SELECTION Sel()
    {
        SELECTION sel{};
        m_edit.GetSel(sel.nStart, sel.nEnd);
        return sel;
    }
    void TypeAt(int nPos, const std::string& strText)
    {
        m_edit.SetFocus();
        m_edit.SetSel(nPos, nPos);
        ui::Type(m_edit, strText);
    }
    void KeyAt(int nPos, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        m_edit.SetFocus();
        m_edit.SetSel(nPos, nPos);
        ui::PressKey(m_edit, key, modifiers);
    }

    CDialog m_dlg{IDD_TIME_HOST};
    CQzTimeEditControl m_edit;
    int m_nBeeps = 0;
};

TEST_F(TimeEditTest, TypingOverwritesDigitsWithinRangeAndTheCaretSkipsDelimiters)
{
    EXPECT_EQ(Text(), "00:00:00") << "the fields show once the edit is attached";
    Show(23, 0, 0);
    TypeAt(0, "7");
    EXPECT_EQ(Text(), "23:00:00") << "73 hours are refused";
    EXPECT_EQ(m_nBeeps, 1);
    EXPECT_EQ(Sel(), (SELECTION{1, 1})) << "the caret moves on all the same";

    Show(0, 0, 0);
    TypeAt(0, "25");
    EXPECT_EQ(Text(), "20:00:00");
    EXPECT_EQ(m_nBeeps, 2) << "25 is refused after 20 was taken";
    EXPECT_EQ(Sel(), (SELECTION{3, 3})) << "past the delimiter";

    TypeAt(3, "47");
    EXPECT_EQ(Text(), "20:47:00");
    EXPECT_EQ(Sel(), (SELECTION{6, 6})) << "the last minute digit jumps the caret over \":\"";
    EXPECT_EQ(m_edit.GetMinutes(), 47);

    for (const char* pszKey : {":", "a", " ", "-"})
        TypeAt(6, pszKey);
    EXPECT_EQ(Text(), "20:47:00");
    EXPECT_EQ(m_nBeeps, 6) << "anything but a digit beeps";
    KeyAt(4, Qt::Key_Backspace);
    KeyAt(4, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Text(), "20:47:00");
    EXPECT_EQ(m_nBeeps, 8) << "Backspace and cut are refused too";
}

TEST_F(TimeEditTest, ArrowsAndTheBuddySpinCarryOneLevel)
{
    Show(0, 58, 59);
    KeyAt(7, Qt::Key_Up);
    EXPECT_EQ(Text(), "00:59:00");
    EXPECT_EQ(Sel(), (SELECTION{6, 8})) << "the spun field is selected";

    Show(23, 59, 59);
    KeyAt(7, Qt::Key_Up);
    EXPECT_EQ(Text(), "23:00:00") << "the minutes' own wrap is not carried into the hours";

    Show(5, 0, 10);
    KeyAt(4, Qt::Key_Down);
    EXPECT_EQ(Text(), "04:59:10");

    // The buddy spin's line up and line down act on the field under the caret.
    m_dlg.GetDlgItem(IDC_OTHER)->SetFocus();
    m_edit.SetSel(0, 0);
    m_edit.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Text(), "03:59:10");
    EXPECT_EQ(CWnd::GetFocus(), &m_edit) << "the spin gives the edit the focus";
    m_edit.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(Text(), "04:59:10");
    EXPECT_EQ(m_nBeeps, 0);
}

TEST_F(TimeEditTest, DeleteMarksAPositionAndTheFieldLosesItsValueText)
{
    Show(10, 35, 0);
    KeyAt(4, Qt::Key_Delete);
    EXPECT_EQ(Text(), "10:3#:00");
    EXPECT_EQ(Sel(), (SELECTION{3, 5}));
    TypeAt(4, "6");
    EXPECT_EQ(Text(), "10:36:00") << "a digit fills the position again";
}

TEST_F(TimeEditTest, DoubleClickSelectsTheFieldUnderTheCaret)
{
    Show(1, 2, 3);
    CRect rect;
    m_edit.GetClientRect(&rect);
    ui::DoubleClickAt(m_edit, 2, rect.Height() / 2);
    EXPECT_EQ(Sel(), (SELECTION{0, 2}));
    EXPECT_EQ(Text(), "01:02:03");
}

TEST_F(TimeEditTest, PastedDigitsFillTheFieldsOrNothingChanges)
{
    const struct
    {
        int nCaret;
        const char* pszPasted;
        const char* pszAfter;
        int nBeeps;
    } cases[] = {
        {0, "12:34:56", "12:34:56", 0}, {3, "0805", "01:08:05", 0}, {0, "7", "07:02:03", 0},
        {6, "9", "01:02:09", 0},        {0, "24", "01:02:03", 1},   {0, "1a", "01:02:03", 1},
        {3, "10:20:30", "01:02:03", 1}, {0, "", "01:02:03", 1},     {0, "::", "01:02:03", 1},
        {0, "1234567", "01:02:03", 1},
    };
    for (const auto& c : cases)
    {
        Show(1, 2, 3);
        m_nBeeps = 0;
        m_edit.SetSel(c.nCaret, c.nCaret);
        m_edit.PasteText(c.pszPasted);
        EXPECT_EQ(Text(), c.pszAfter) << c.pszPasted;
        EXPECT_EQ(m_nBeeps, c.nBeeps) << c.pszPasted;
    }

    // The keyboard's paste takes the clipboard's text the same way.
    Show(1, 2, 3);
    AfxSetClipboardText("10:45");
    KeyAt(3, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "01:10:45");
}

TEST_F(TimeEditTest, TheCallbackHearsReleasedKeysAndSpins)
{
    KeyAt(0, Qt::Key_Up);
    EXPECT_EQ(s_nCallbacks, 1);
    TypeAt(0, "1");
    EXPECT_EQ(s_nCallbacks, 2);
    m_edit.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    m_edit.SendMessage(WM_VSCROLL, SB_THUMBPOSITION, 0);
    EXPECT_EQ(s_nCallbacks, 3) << "only line up and line down count";

    CQzTimeEditControl silent;
    CDialog dlg(IDD_TIME_HOST);
    ASSERT_TRUE(dlg.Create(IDD_TIME_HOST));
    ASSERT_TRUE(silent.SubclassDlgItem(IDC_TIME, &dlg));
    silent.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(s_nCallbacks, 3);
    dlg.DestroyWindow();
}

TEST_F(TimeEditTest, ComposedInputGoesInAsTypedCharacters)
{
    m_edit.SetFocus();
    m_edit.SetSel(0, 0);
    QInputMethodEvent digits;
    digits.setCommitString("12");
    QApplication::sendEvent(m_edit.GetWidget(), &digits);
    EXPECT_EQ(Text(), "12:00:00");
    EXPECT_EQ(Sel(), (SELECTION{3, 3}));
    QInputMethodEvent letter;
    letter.setCommitString("x");
    QApplication::sendEvent(m_edit.GetWidget(), &letter);
    EXPECT_EQ(Text(), "12:00:00");
    EXPECT_EQ(m_nBeeps, 1);
}
