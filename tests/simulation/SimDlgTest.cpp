#include "UiDriver.h"
#include "UiSeams.h"

#include "TempDir.h"
#include "afx/PrivateProfile.h"
#include "manager/TarvoMgr.h"
#include "resources/SimulationDialogs.h"
#include "sendrel/Sendrel.h"
#include "simulation/SimDlg.h"
#include "ulmet/Ulmet.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
// The bundled example copied to a scratch directory, opened by a manager,
// with an installation root the allocation reads the types from.
class SimDlgTest : public ::testing::Test
{
protected:
    SimDlgTest()
    {
        std::string strTypes = ReadFileBytes(std::string(TARVO_SOURCE_DIR) + "/dat/param.dat");
        m_root.Write("dat/param.dat", strTypes);
        Sendrel_SetInstallRoot(m_root.Path().c_str());
        std::filesystem::copy(std::string(TARVO_SOURCE_DIR) + "/examples/nursery_order", m_script.Path(),
                              std::filesystem::copy_options::recursive);
        m_pMgr = std::make_unique<CTarvoMgr>(m_root.File("dat/param.dat").c_str());
        m_pMgr->AddParamFile(m_script.File("nursery_order.prm").c_str(), "nursery_order");
    }
    ~SimDlgTest() override
    {
        Sendrel_SetInstallRoot(nullptr);
        EXPECT_TRUE(m_modals.AllUsed()) << "a scripted dialog never opened";
    }

    // Opens the dialog on the parameter and runs the script inside it.
    INT_PTR Run(const char* pszParam, std::function<void(CSimDlg&)> script)
    {
        m_pMgr->SetActiveParamName(pszParam);
        CSimDlg dialog(m_pMgr.get(), nullptr);
        m_modals.Add([&](CWnd&) { script(dialog); });
        return dialog.DoModal();
    }
    std::string Usr(const char* pszKey)
    {
        char szValue[64] = "";
        GetPrivateProfileStringA("ParameterSimulation", pszKey, "", szValue, sizeof(szValue),
                                 m_script.File("nursery_order.usr").c_str());
        return szValue;
    }
    static std::string Text(CWnd& dialog, int nId)
    {
        std::string strText;
        dialog.GetDlgItemText(nId, strText);
        return strText;
    }

    // Changes a text of the copied parameter file and loads it again.
    void EditParams(const std::string& strOld, const std::string& strNew)
    {
        std::string strPath = m_script.File("nursery_order.prm");
        std::string strText = ReadFileBytes(strPath);
        size_t nAt = strText.find(strOld);
        ASSERT_NE(nAt, std::string::npos) << strOld;
        m_script.Write("nursery_order.prm", strText.replace(nAt, strOld.size(), strNew));
        m_pMgr = std::make_unique<CTarvoMgr>(m_root.File("dat/param.dat").c_str());
        m_pMgr->AddParamFile(strPath.c_str(), "nursery_order");
    }

    CTempDir m_root;
    CTempDir m_script;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CModalScripts m_modals;
    CMessageBoxRecorder m_boxes;
};

TEST_F(SimDlgTest, UniqueBlocksPerVuserAndTheSettingsKept)
{
    INT_PTR nResult = Run("CustomerEmail",
                          [&](CSimDlg& dlg)
                          {
                              std::string strCaption;
                              dlg.GetWindowText(strCaption);
                              EXPECT_EQ(strCaption, "Parameter Simulation - CustomerEmail");
                              CReportListCtrl& list = dlg.GetResultList();
                              EXPECT_FALSE(list.IsWindowVisible());
                              EXPECT_TRUE(dlg.GetDlgItem(IDC_SIM_START_TEXT)->IsWindowVisible());
                              // Iterations from the run-time settings: three, typed ones are off.
                              EXPECT_EQ(Text(dlg, IDC_SIM_ITERATIONS_TO_RUN), "3");
                              EXPECT_FALSE(dlg.GetDlgItem(IDC_SIM_ITERATIONS_TO_RUN)->IsWindowEnabled());
                              EXPECT_FALSE(dlg.GetDlgItem(IDC_SIM_ITERATIONS_TO_SHOW)->IsWindowEnabled());

                              ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
                              ASSERT_TRUE(list.IsWindowVisible());
                              EXPECT_FALSE(dlg.GetDlgItem(IDC_SIM_START_TEXT)->IsWindowVisible());
                              EXPECT_FALSE(dlg.GetDlgItem(IDC_SIM_REFLECT_TEXT)->IsWindowVisible());
                              ASSERT_EQ(list.GetItemCount(), 4);
                              EXPECT_EQ(list.GetColumnHeading(0), "");
                              EXPECT_EQ(list.GetColumnHeading(3), "iteration 3");
                              EXPECT_EQ(list.GetItemText(3, 0), "user 4");
                              // Blocks of three rows over eight: the fourth Vuser gets none.
                              EXPECT_EQ(list.GetCellTip(0, 0), "User receives values from rows 1-3");
                              EXPECT_EQ(list.GetCellTip(2, 0), "User receives values from rows 7-8");
                              EXPECT_EQ(list.GetCellTip(3, 0), "No values were allocated for this user");
                              EXPECT_EQ(list.GetItemText(1, 1), list.GetItemText(1, 3)) << "updated once";
                              EXPECT_NE(list.GetItemText(0, 1), list.GetItemText(1, 1));
                              EXPECT_EQ(list.GetItemText(3, 2), "-");
                              EXPECT_EQ(list.GetSelectedItem(), 3) << "the first row without values is selected";

                              ui::ReplaceText(*dlg.GetDlgItem(IDC_SIM_VUSERS), "2");
                              EXPECT_TRUE(dlg.GetDlgItem(IDC_SIM_REFLECT_TEXT)->IsWindowVisible());
                              ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
                              EXPECT_EQ(list.GetItemCount(), 2);
                              EXPECT_EQ(list.GetCellTip(3, 0), "") << "tips of the last run are gone";
                              ui::Click(*dlg.GetDlgItem(IDOK));
                          });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(Usr("NumVusers"), "2");
    EXPECT_EQ(Usr("IterationFromRTS"), "1");
    EXPECT_TRUE(m_boxes.Calls().empty());
    // Closing ended the allocation.
    char szBuffer[64];
    EXPECT_EQ(IS_PIPE_Get_Indexes("1", m_script.File("nursery_order.usr").c_str(), m_script.File("default.cfg").c_str(),
                                  szBuffer, sizeof szBuffer),
              IS_PIPE_E_NOT_OPEN);
}

TEST_F(SimDlgTest, CountsOutOfRangeAreRefusedAndCorrected)
{
    struct
    {
        int nField;
        const char* pszTyped;
        const char* pszMessage;
        const char* pszCorrected;
    } cases[] = {
        {IDC_SIM_VUSERS, "257", "Number of simulated Vusers must be between 1 and 256.", "256"},
        {IDC_SIM_VUSERS, "0", "Number of simulated Vusers must be between 1 and 256.", "1"},
        {IDC_SIM_ITERATIONS_TO_SHOW, "300", "Number of simulated iterations must be between 1 and 256.", "256"},
    };
    for (const auto& c : cases)
    {
        m_boxes.Clear();
        Run("PlantCode",
            [&](CSimDlg& dlg)
            {
                ui::Click(*dlg.GetDlgItem(IDC_SIM_RUN_INDEFINITELY));
                ui::ReplaceText(*dlg.GetDlgItem(c.nField), c.pszTyped);
                ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
                EXPECT_EQ(m_boxes.LastText(), c.pszMessage);
                EXPECT_EQ(Text(dlg, c.nField), c.pszCorrected);
                EXPECT_FALSE(dlg.GetResultList().IsWindowVisible()) << "nothing simulated";
                ui::Click(*dlg.GetDlgItem(IDOK));
            });
    }
}

TEST_F(SimDlgTest, RunIndefinitelyShowsTheIterationsToShow)
{
    Run("PlantCode",
        [&](CSimDlg& dlg)
        {
            ui::Click(*dlg.GetDlgItem(IDC_SIM_RUN_INDEFINITELY));
            EXPECT_TRUE(dlg.GetDlgItem(IDC_SIM_ITERATIONS_TO_SHOW)->IsWindowEnabled());
            EXPECT_FALSE(dlg.GetDlgItem(IDC_SIM_ITERATIONS_FROM_RTS)->IsWindowEnabled());
            ui::ReplaceText(*dlg.GetDlgItem(IDC_SIM_ITERATIONS_TO_SHOW), "5");
            ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
            CReportListCtrl& list = dlg.GetResultList();
            EXPECT_EQ(dlg.GetColumns(), 5);
            for (int i = 1; i <= 5; ++i)
                EXPECT_EQ(list.GetColumnHeading(i), "iteration " + std::to_string(i));
            EXPECT_LE(list.GetColumnCount(), 7);
            for (int nRow = 0; nRow < list.GetItemCount(); ++nRow)
                for (int i = 1; i <= 5; ++i)
                    EXPECT_NE(list.GetItemText(nRow, i), "-");
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    EXPECT_EQ(Usr("IsDurationIndefinite"), "1");
    EXPECT_EQ(Usr("NumIterationIndefinitely"), "5");
}

TEST_F(SimDlgTest, AbortedVuserShowsDashesWithTheirTip)
{
    // Blocks of two rows for three iterations: the third has no value left.
    EditParams("GenerateNewVal=Once\nOutOfRangePolicy=AbortVuser\nauto_allocate_block_size=1\nvalue_for_each_vuser=",
               "GenerateNewVal=EachIteration\nOutOfRangePolicy=AbortVuser\nauto_allocate_block_size=0\n"
               "value_for_each_vuser=2");
    Run("CustomerEmail",
        [&](CSimDlg& dlg)
        {
            ui::ReplaceText(*dlg.GetDlgItem(IDC_SIM_VUSERS), "1");
            ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
            CReportListCtrl& list = dlg.GetResultList();
            ASSERT_EQ(list.GetItemCount(), 1);
            EXPECT_EQ(list.GetItemText(0, 1), "aino.korhonen@mail.example");
            EXPECT_EQ(list.GetItemText(0, 2), "bruno.salas@mail.example");
            EXPECT_EQ(list.GetItemText(0, 3), "-");
            EXPECT_EQ(list.GetCellTip(0, 3), "User aborted");
            EXPECT_EQ(list.GetCellTip(0, 0), "User receives values from rows 1-2");
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
}

TEST_F(SimDlgTest, InvalidDefinitionHidesTheList)
{
    EditParams("ColumnName=Col 1", "ColumnName=NoSuchColumn");
    Run("PlantCode",
        [&](CSimDlg& dlg)
        {
            ui::Click(*dlg.GetDlgItem(IDC_SIM_SIMULATE));
            EXPECT_EQ(m_boxes.LastText(),
                      "Unable to simulate the parameter.  Make sure that all parameter definitions are valid.");
            EXPECT_FALSE(dlg.GetResultList().IsWindowVisible());
            EXPECT_TRUE(dlg.GetDlgItem(IDC_SIM_START_TEXT)->IsWindowVisible());
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
}

TEST_F(SimDlgTest, EscapeClosesTheAllocation)
{
    INT_PTR nResult = Run("CustomerEmail", [&](CSimDlg& dlg) { ui::PressKey(dlg, Qt::Key_Escape); });
    EXPECT_EQ(nResult, IDCANCEL);
    char szBuffer[64];
    EXPECT_EQ(IS_PIPE_Get_Indexes("1", m_script.File("nursery_order.usr").c_str(), m_script.File("default.cfg").c_str(),
                                  szBuffer, sizeof szBuffer),
              IS_PIPE_E_NOT_OPEN);
    EXPECT_EQ(Usr("NumVusers"), "4") << "Escape keeps the settings as they were";
}

TEST_F(SimDlgTest, NoScriptFileEndsTheDialog)
{
    std::filesystem::remove(m_script.File("nursery_order.usr"));
    // The dialog ends before it would show: no script runs.
    m_pMgr->SetActiveParamName("PlantCode");
    CSimDlg dialog(m_pMgr.get(), nullptr);
    INT_PTR nResult = dialog.DoModal();
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_boxes.LastText(), "Unable to locate the USR file.");
}
} // namespace
