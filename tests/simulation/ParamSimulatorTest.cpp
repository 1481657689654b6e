#include "SimScript.h"

#include "afx/PrivateProfile.h"
#include "resources/StringIds.h"
#include "simulation/ParamSimulator.h"

#include <gtest/gtest.h>

namespace
{
// Each row as "name|tip|cell cell ...", a cell as text or "-(tip)".
std::vector<std::string> Describe(const std::vector<SIM_ROW>& arrRows)
{
    std::vector<std::string> arrText;
    for (const SIM_ROW& row : arrRows)
    {
        std::string strRow = row.strName + "|" + row.strTip + "|";
        for (const SIM_CELL& cell : row.arrCells)
            strRow += (cell.bValue ? cell.strText : cell.strText + "(" + cell.strTip + ")") + " ";
        arrText.push_back(strRow);
    }
    return arrText;
}

SIM_SETTINGS Settings(int nVusers, int nIterations)
{
    SIM_SETTINGS settings;
    settings.nVusers = nVusers;
    settings.nIterationsToRun = nIterations;
    return settings;
}

class ParamSimulatorTest : public ::testing::Test
{
protected:
    std::vector<std::string> Simulate(const std::string& strParams, const SIM_SETTINGS& settings,
                                      const char* pszName = "P")
    {
        m_script.WriteParams(strParams);
        std::string strError;
        EXPECT_TRUE(m_sim.Open(m_script.DatFile(), m_script.ParamFile(), pszName, strError)) << strError;
        m_sim.SetSeed(7);
        std::vector<SIM_ROW> arrRows;
        EXPECT_TRUE(m_sim.Run(settings, arrRows, strError)) << strError;
        return Describe(arrRows);
    }

    CSimScript m_script;
    CParamSimulator m_sim;
};

TEST_F(ParamSimulatorTest, OutOfValuesPolicies)
{
    m_script.WriteRows("rows.dat", 3);
    struct
    {
        const char* pszExtra;
        const char* pszExpected;
    } cases[] = {
        {"SelectNextRow=Sequential\nGenerateNewVal=EachIteration\n", "user 1||v1 v2 v3 v1 v2 "},
        {"SelectNextRow=Unique\nOutOfRangePolicy=ContinueCyclic\n",
         "user 1|User receives values from rows 1-3|v1 v2 v3 v1 v2 "},
        {"SelectNextRow=Unique\nOutOfRangePolicy=ContinueWithLast\n",
         "user 1|User receives values from rows 1-3|v1 v2 v3 v3 v3 "},
        {"SelectNextRow=Unique\nOutOfRangePolicy=AbortVuser\n",
         "user 1|User receives values from rows 1-3|v1 v2 v3 -(User aborted) -(User aborted) "},
        {"SelectNextRow=Unique\nGenerateNewVal=Once\n", "user 1|User receives values from rows 1-3|v1 v1 v1 v1 v1 "},
    };
    for (const auto& c : cases)
    {
        CParamSimulator sim;
        m_script.WriteParams(CSimScript::Param("P", "rows.dat", c.pszExtra));
        std::string strError;
        ASSERT_TRUE(sim.Open(m_script.DatFile(), m_script.ParamFile(), "P", strError)) << strError;
        std::vector<SIM_ROW> arrRows;
        ASSERT_TRUE(sim.Run(Settings(1, 5), arrRows, strError)) << c.pszExtra;
        EXPECT_EQ(Describe(arrRows), std::vector<std::string>{c.pszExpected}) << c.pszExtra;
    }
}

TEST_F(ParamSimulatorTest, UniqueFileTooShortForAllVusers)
{
    // Blocks of two rows: the second Vuser gets the last row alone, the third nothing.
    m_script.WriteRows("rows.dat", 3);
    std::vector<std::string> arrRows = Simulate(
        CSimScript::Param("P", "rows.dat", "SelectNextRow=Unique\nOutOfRangePolicy=AbortVuser\n"), Settings(3, 2));
    EXPECT_EQ(arrRows, (std::vector<std::string>{
                           "user 1|User receives values from rows 1-2|v1 v2 ",
                           "user 2|User receives value from row 3|v3 -(User aborted) ",
                           "user 3|No values were allocated for this user|-() -() ",
                       }));
}

TEST_F(ParamSimulatorTest, AllocationFailureShowsItsMessage)
{
    m_script.WriteRows("rows.dat", 3);
    std::vector<std::string> arrRows =
        Simulate(CSimScript::Param("P", "rows.dat",
                                   "SelectNextRow=Unique\nauto_allocate_block_size=0\nvalue_for_each_vuser=x\n"),
                 Settings(1, 1));
    ASSERT_EQ(arrRows.size(), 1u);
    EXPECT_NE(arrRows[0].find("-("), std::string::npos);
    EXPECT_EQ(arrRows[0].find("-()"), std::string::npos) << arrRows[0];
}

TEST_F(ParamSimulatorTest, LongValuesAreShownWhole)
{
    std::string strLong(700, 'x');
    m_script.Dir().Write("long.dat", "Value\n" + strLong + "\n");
    std::vector<std::string> arrRows = Simulate(CSimScript::Param("P", "long.dat", ""), Settings(1, 1));
    EXPECT_EQ(arrRows, std::vector<std::string>{"user 1||" + strLong + " "});
}

TEST_F(ParamSimulatorTest, RandomRowsRepeatWithTheSeed)
{
    m_script.WriteRows("rows.dat", 50);
    std::string strParams = CSimScript::Param("P", "rows.dat", "SelectNextRow=Random\n");
    std::vector<std::string> arrFirst = Simulate(strParams, Settings(3, 4));
    CParamSimulator again;
    std::string strError;
    ASSERT_TRUE(again.Open(m_script.DatFile(), m_script.ParamFile(), "P", strError));
    again.SetSeed(7);
    std::vector<SIM_ROW> arrRows;
    ASSERT_TRUE(again.Run(Settings(3, 4), arrRows, strError));
    EXPECT_EQ(Describe(arrRows), arrFirst);
    for (const SIM_ROW& row : arrRows)
        for (const SIM_CELL& cell : row.arrCells)
            EXPECT_TRUE(cell.bValue && cell.strText[0] == 'v') << cell.strText;
}

TEST_F(ParamSimulatorTest, InvalidDefinitionFailsTheRun)
{
    m_script.WriteRows("rows.dat", 3);
    m_script.WriteParams("[P]\nType=Table\nTable=rows.dat\nColumnName=Missing\n");
    std::string strError;
    ASSERT_TRUE(m_sim.Open(m_script.DatFile(), m_script.ParamFile(), "P", strError));
    std::vector<SIM_ROW> arrRows;
    EXPECT_FALSE(m_sim.Run(Settings(2, 2), arrRows, strError));
    EXPECT_TRUE(arrRows.empty());
    EXPECT_EQ(strError, "Unable to simulate the parameter.  Make sure that all parameter definitions are valid.");
}

TEST_F(ParamSimulatorTest, NoScriptFileIsRefused)
{
    CTempDir other;
    other.Write("s.prm", CSimScript::Param("P", "rows.dat", ""));
    std::string strError;
    EXPECT_FALSE(m_sim.Open(m_script.DatFile(), other.File("s.prm"), "P", strError));
    EXPECT_EQ(strError, "Unable to locate the USR file.");
}

TEST(ParamSimulatorChecks, CountsAreCorrected)
{
    struct
    {
        int nVusers, nMode, nToRun, nToShow;
        unsigned int nExpectedId;
        int nVusersAfter, nToRunAfter, nToShowAfter;
    } cases[] = {
        {257, 0, 1, 1, IDS_SIM_VUSERS_RANGE, 256, 1, 1},     {0, 0, 1, 1, IDS_SIM_VUSERS_RANGE, 1, 1, 1},
        {5, 0, 300, 1, IDS_SIM_ITERATIONS_RANGE, 5, 256, 1}, {5, 0, 1, 300, 0, 5, 1, 300},
        {5, 1, 300, 0, IDS_SIM_ITERATIONS_RANGE, 5, 300, 1}, {256, 1, 1, 256, 0, 256, 1, 256},
    };
    for (const auto& c : cases)
    {
        SIM_SETTINGS settings;
        settings.nVusers = c.nVusers;
        settings.nRunMode = c.nMode;
        settings.nIterationsToRun = c.nToRun;
        settings.nIterationsToShow = c.nToShow;
        std::string strMessage;
        EXPECT_EQ(CParamSimulator::Validate(settings, strMessage), c.nExpectedId) << c.nVusers;
        EXPECT_EQ(settings.nVusers, c.nVusersAfter);
        EXPECT_EQ(settings.nIterationsToRun, c.nToRunAfter);
        EXPECT_EQ(settings.nIterationsToShow, c.nToShowAfter);
        if (c.nExpectedId == IDS_SIM_VUSERS_RANGE)
        {
            EXPECT_EQ(strMessage, "Number of simulated Vusers must be between 1 and 256.");
        }
        if (c.nExpectedId == IDS_SIM_ITERATIONS_RANGE)
        {
            EXPECT_EQ(strMessage, "Number of simulated iterations must be between 1 and 256.");
        }
    }
}

TEST(ParamSimulatorChecks, RefusedPolicies)
{
    EXPECT_EQ(CParamSimulator::GetRefusal("Same line as Other", "EachIteration"), UINT(IDS_SIM_SAME_LINE));
    EXPECT_EQ(CParamSimulator::GetRefusal("Sequential", "eachoccurrence"), UINT(IDS_SIM_EACH_OCCURRENCE));
    EXPECT_EQ(CParamSimulator::GetRefusal("same line as X", "Once"), 0u);
    EXPECT_EQ(CParamSimulator::GetRefusal("Unique", "EachIteration"), 0u);
}

TEST_F(ParamSimulatorTest, SettingsRoundTripThroughTheScript)
{
    m_script.WriteRows("rows.dat", 3);
    m_script.Dir().Write("s.usr", "[General]\nDefaultCfg=default.cfg\n");
    m_script.WriteParams(CSimScript::Param("P", "rows.dat", ""));
    std::string strError;
    ASSERT_TRUE(m_sim.Open(m_script.DatFile(), m_script.ParamFile(), "P", strError));
    m_sim.RecordParamFile();
    SIM_SETTINGS defaults = m_sim.LoadSettings();
    EXPECT_EQ(defaults.nVusers, 1);
    EXPECT_EQ(defaults.GetColumns(), 1);
    SIM_SETTINGS settings;
    settings.nVusers = 12;
    settings.nRunMode = 1;
    settings.nIterationsToShow = 9;
    settings.nIterationsToRun = 4;
    ASSERT_TRUE(m_sim.SaveSettings(settings));
    SIM_SETTINGS read = m_sim.LoadSettings();
    EXPECT_EQ(read.nVusers, 12);
    EXPECT_EQ(read.nRunMode, 1);
    EXPECT_EQ(read.nIterationsToShow, 9);
    EXPECT_EQ(read.nIterationsToRun, 4);
    // Iterations from the run-time settings replace the stored ones.
    settings.bIterationsFromRTS = 1;
    m_sim.SaveSettings(settings);
    EXPECT_EQ(m_sim.LoadSettings().nIterationsToRun, 3);
    std::string strUsr = ReadFileBytes(m_script.UsrFile());
    EXPECT_NE(strUsr.find("ParameterFile=s.prm"), std::string::npos) << strUsr;
    EXPECT_NE(strUsr.find("IterationFromRTS=1"), std::string::npos) << strUsr;
}
} // namespace
