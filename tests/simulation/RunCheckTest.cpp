#include "SimScript.h"

#include "simulation/RunCheck.h"

#include <gtest/gtest.h>

namespace
{
// The problems of the parameters for a run, as "name: text (line n)".
std::vector<std::string> Check(const CSimScript& script, const std::string& strParams, int nVusers, int nIterations)
{
    script.WriteParams(strParams);
    CRunCheck check;
    std::vector<RUN_PROBLEM> arrProblems;
    std::string strError;
    EXPECT_TRUE(check.Check(script.DatFile(), script.ParamFile(), nVusers, nIterations, arrProblems, strError))
        << strError;
    std::vector<std::string> arrText;
    for (const RUN_PROBLEM& problem : arrProblems)
        arrText.push_back(problem.strParam + ": " + problem.strText +
                          (problem.nLine ? " (line " + std::to_string(problem.nLine) + ")" : ""));
    return arrText;
}

TEST(RunCheck, ProblemsPerParameter)
{
    CSimScript script;
    script.WriteRows("ten.dat", 10);
    script.WriteRows("two.dat", 2);
    script.Dir().Write("bad.dat", "Value\nok\n\"open\n");
    script.Dir().Write("pair.dat", "A,B\n1,2\n");
    const std::string strFile = script.Dir().File("");
    struct
    {
        std::string strParams;
        int nVusers, nIterations;
        std::vector<std::string> arrExpected;
    } cases[] = {
        {CSimScript::Param("P", "ten.dat", "SelectNextRow=Unique\n"), 5, 2, {}},
        {CSimScript::Param("P", "ten.dat", "SelectNextRow=Unique\n"),
         4,
         3,
         {"P: has 10 rows, too few for 4 Vusers with blocks of 3 (12 needed)"}},
        {CSimScript::Param("P", "ten.dat",
                           "SelectNextRow=unique\nauto_allocate_block_size=0\nvalue_for_each_vuser=1\n"
                           "OutOfRangePolicy=AbortVuser\n"),
         10,
         2,
         {"P: gives each Vuser blocks of 1 rows, too few for 2 iterations"}},
        {CSimScript::Param("P", "ten.dat",
                           "SelectNextRow=Unique\nauto_allocate_block_size=0\nvalue_for_each_vuser=x\n"),
         1,
         1,
         {"P: the rows for each Vuser \"x\" are no positive number"}},
        {"[P]\nType=Table\nTable=ten.dat\nColumnName=Value\nStartRow=9\nSelectNextRow=Unique\n",
         1,
         3,
         {"P: has 2 rows, too few for 1 Vusers with blocks of 3 (3 needed)"}},
        {"[P]\nType=Table\nTable=ten.dat\nColumnName=Value\nStartRow=first\n",
         1,
         1,
         {"P: the first data row \"first\" is no number"}},
        {CSimScript::Param("P", "bad.dat", ""),
         1,
         1,
         {"P: the data file " + strFile + "bad.dat is malformed (line 3)"}},
        {"[P]\nType=TTable\nTable=pair.dat\nColumnIndexesList=1,3\n",
         1,
         1,
         {"P: the data file " + strFile + "pair.dat has no column 3"}},
        {"[P]\nType=Table\nTable=pair.dat\nColumnName=col 2\n", 1, 1, {}},
        {"[P]\nType=Table\nTable=pair.dat\nColumnName=Col 3\n",
         1,
         1,
         {"P: the data file " + strFile + "pair.dat has no column \"Col 3\""}},
        {CSimScript::Param("Lead", "ten.dat", "") +
             CSimScript::Param("Tied", "two.dat", "SelectNextRow=Same line as Lead\n"),
         1,
         1,
         {"Tied: has 2 rows but takes the rows of \"Lead\", which has 10"}},
        {CSimScript::Param("Lead", "two.dat", "") +
             CSimScript::Param("Tied", "ten.dat", "SelectNextRow=Same line as Lead\n"),
         1,
         1,
         {}},
        {"[N]\nType=Random\nFormat=%+d\n[U]\nType=Userid\nFormat=%03s\n", 1, 1, {"N: the format \"%+d\" is invalid"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check(script, c.strParams, c.nVusers, c.nIterations), c.arrExpected) << c.strParams;
}

TEST(RunCheck, UnreadableParameterFileIsAnError)
{
    CSimScript script;
    CRunCheck check;
    std::vector<RUN_PROBLEM> arrProblems;
    std::string strError;
    EXPECT_FALSE(check.Check(script.DatFile(), script.Dir().File("none.prm"), 1, 1, arrProblems, strError));
    EXPECT_NE(strError.find("none.prm"), std::string::npos);
}
} // namespace
