#include "UiDriver.h"
#include "UiSeams.h"

#include "dataeditor/AddNewColumnDlg.h"
#include "resources/DataEditorDialogs.h"

#include <gtest/gtest.h>

namespace
{
const UINT WM_COMMANDHELP_MSG = 0x0365;

// The main window: hears the help requests of its dialogs.
class CHelpHostWnd : public CWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_vecHelp;

protected:
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam)
    {
        m_vecHelp.push_back({wParam, lParam});
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpHostWnd, CWnd)
ON_MESSAGE(WM_COMMANDHELP_MSG, &CHelpHostWnd::OnCommandHelp)
END_MESSAGE_MAP()

class AddNewColumnDlgTest : public ::testing::Test
{
protected:
    AddNewColumnDlgTest() { m_host.Create(nullptr, "Main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0); }
    ~AddNewColumnDlgTest() override { m_host.DestroyWindow(); }

    CHelpHostWnd m_host;
    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
};
} // namespace

TEST_F(AddNewColumnDlgTest, OnlyIdentifiersOfAtMost32CharactersAreAccepted)
{
    const std::string strInvalid = "Please enter a valid name for the column (name must begin with a letter and "
                                   "contain \nonly alphanumeric characters and '_').";
    const struct
    {
        std::string strName;
        bool bAccepted;
        const char* pszMessage; // null: the exchange's own message
    } cases[] = {
        {"City_2", true, ""},
        {std::string(32, 'a'), true, ""},
        {std::string(33, 'a'), false, nullptr},
        {"2nd", false, strInvalid.c_str()},
        {"", false, strInvalid.c_str()},
        {"a b", false, strInvalid.c_str()},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.strName);
        m_boxes.Clear();
        CAddNewColumnDlg dlg("/data/file.dat", test.strName, &m_host);
        std::string strPath;
        bool bOpenAfterOk = false;
        m_modals.Add(
            [&](CWnd& dialog)
            {
                dialog.GetDlgItem(IDC_ADD_COLUMN_PATH)->GetWindowText(strPath);
                ui::Click(*dialog.GetDlgItem(IDOK));
                bOpenAfterOk = dialog.IsWindowVisible();
                if (bOpenAfterOk)
                    ui::Click(*dialog.GetDlgItem(IDCANCEL));
            });
        INT_PTR nResult = dlg.DoModal();
        EXPECT_EQ(strPath, "/data/file.dat");
        EXPECT_EQ(nResult == IDOK, test.bAccepted);
        EXPECT_EQ(bOpenAfterOk, !test.bAccepted);
        if (test.bAccepted)
        {
            EXPECT_TRUE(m_boxes.Calls().empty());
            EXPECT_EQ(dlg.m_strColumnName, test.strName);
        }
        else
        {
            ASSERT_EQ(m_boxes.Calls().size(), 1u);
            if (test.pszMessage)
            {
                EXPECT_EQ(m_boxes.LastText(), test.pszMessage);
            }
        }
    }
}

TEST_F(AddNewColumnDlgTest, HelpGoesToTheMainWindowUnlessAModifierIsDown)
{
    CAddNewColumnDlg dlg("/data/file.dat", "Name", &m_host);
    HWND hDialog = nullptr;
    std::string strFace;
    m_modals.Add(
        [&](CWnd& dialog)
        {
            hDialog = dialog.GetSafeHwnd();
            strFace = dlg.GetFaceName();
            CWnd& edit = *dialog.GetDlgItem(IDC_ADD_COLUMN_NAME);
            HELPINFO info;
            ui::PressKey(edit, Qt::Key_End);
            dialog.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            dialog.SendMessage(WM_COMMAND, ID_HELP);
            ui::PressKey(edit, Qt::Key_End, Qt::ShiftModifier);
            dialog.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            ui::PressKey(edit, Qt::Key_End);
            ui::Click(*dialog.GetDlgItem(IDCANCEL));
        });
    dlg.DoModal();
    ASSERT_EQ(m_host.m_vecHelp.size(), 2u) << "F1 and the Help command, not F1 with Shift";
    for (const auto& help : m_host.m_vecHelp)
    {
        EXPECT_EQ(help.first, static_cast<WPARAM>(IDD_ADD_COLUMN + 0x20000));
        EXPECT_EQ(help.second, reinterpret_cast<LPARAM>(hDialog));
    }
    EXPECT_FALSE(strFace.empty());
    EXPECT_EQ(dlg.GetLayoutLanguage(), 1);
    EXPECT_EQ(dlg.GetBoldFont().weight(), 900);
}
