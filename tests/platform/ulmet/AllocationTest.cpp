#include "sendrel/Sendrel.h"
#include "ulmet/Ulmet.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
// A script directory with one data file of ten rows and the parameters given,
// and an installation root holding the type definitions.
class AllocationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root.Write("dat/param.dat", ReadFileBytes(std::string(TARVO_SOURCE_DIR) + "/dat/param.dat"));
        Sendrel_SetInstallRoot(m_root.Path().c_str());
        std::string rows = "Id\n";
        for (int i = 1; i <= 10; ++i)
            rows += std::to_string(i) + "\n";
        m_script.Write("ids.dat", rows);
        m_strUsr = m_script.Write("s.usr", "[General]\nParameterFile=s.prm\nDefaultCfg=default.cfg\n");
        m_strCfg = m_script.Write("default.cfg", "[General]\nDefaultRunLogic=default.run\n");
        m_script.Write("default.run", "[RunLogicRunRoot]\nRunLogicNumOfIterations=3\n");
    }
    void TearDown() override
    {
        IS_PIPE_close();
        Sendrel_SetInstallRoot(nullptr);
    }

    static std::string Param(const std::string& name, const std::string& extra)
    {
        return "[" + name + "]\nType=Table\nTable=ids.dat\nColumnName=Id\nDelimiter=,\nSelectNextRow=Unique\n" + extra;
    }
    void WriteParams(const std::string& text) { m_script.Write("s.prm", text); }

    // The buffers of the next Vusers' allocations, or the failing status.
    std::vector<std::string> Allocate(int vusers)
    {
        std::vector<std::string> result;
        for (int i = 0; i < vusers; ++i)
        {
            char buffer[1044];
            int status = IS_PIPE_Get_Indexes("1", m_strUsr.c_str(), m_strCfg.c_str(), buffer, sizeof buffer);
            result.push_back(status == IS_PIPE_OK ? buffer : "status " + std::to_string(status));
        }
        return result;
    }

    CTempDir m_root;
    CTempDir m_script;
    std::string m_strUsr;
    std::string m_strCfg;
};
} // namespace

// Vuser k owns the k-th block; a parameter used up before a Vuser's block is
// left out of that Vuser's allocation.
TEST_F(AllocationTest, CutsEachParameterIntoBlocksVuserAfterVuser)
{
    struct Case
    {
        const char* what;
        std::string params;
        int iterations;
        std::vector<std::string> expected;
    } cases[] = {
        {"automatic blocks are the iterations",
         Param("A", "auto_allocate_block_size=1\n"),
         3,
         {"\"-A\" 1-3 ", "\"-A\" 4-6 ", "\"-A\" 7-9 ", "\"-A\" 10-10 ", ""}},
        {"a fixed block ignores the iterations",
         Param("A", "auto_allocate_block_size=0\nvalue_for_each_vuser=4\n"),
         3,
         {"\"-A\" 1-4 ", "\"-A\" 5-8 ", "\"-A\" 9-10 ", ""}},
        {"without iterations, the run logic's",
         Param("A", "auto_allocate_block_size=1\n"),
         -1,
         {"\"-A\" 1-3 ", "\"-A\" 4-6 "}},
        {"rows count from the first data line",
         Param("A", "StartRow=7\nauto_allocate_block_size=0\nvalue_for_each_vuser=3\n"),
         -1,
         {"\"-A\" 1-3 ", "\"-A\" 4-4 ", ""}},
        {"every unique data-file parameter, in file order, and only those",
         Param("B", "auto_allocate_block_size=0\nvalue_for_each_vuser=6\n") +
             "[C]\nType=Table\nTable=ids.dat\nSelectNextRow=Sequential\n" + Param("A", ""),
         2,
         {"\"-B\" 1-6 \"-A\" 1-2 ", "\"-B\" 7-10 \"-A\" 3-4 "}},
    };
    for (const Case& c : cases)
    {
        WriteParams(c.params);
        ASSERT_EQ(IS_PIPE_OK, IS_PIPE_init("", 64));
        IS_PIPE_set_user_iterations(c.iterations);
        EXPECT_EQ(c.expected, Allocate(static_cast<int>(c.expected.size()))) << c.what;
    }
}

TEST_F(AllocationTest, SharesTheRowsAmongTheVusersOfARunWithoutSetIterations)
{
    WriteParams(Param("A", "auto_allocate_block_size=1\n"));
    ASSERT_EQ(IS_PIPE_OK, IS_PIPE_init("", 64));
    int iterations = 0, block = 0, rows = 0;
    ASSERT_EQ(IS_PIPE_OK, IS_PIPE_Get_Unique_Param_Iteration_Num(m_strUsr.c_str(), m_strCfg.c_str(), 4, -1, &iterations,
                                                                 &block, &rows));
    EXPECT_EQ(2, iterations);
    EXPECT_EQ(2, block);
    EXPECT_EQ(10, rows);
    EXPECT_EQ((std::vector<std::string>{"\"-A\" 1-2 ", "\"-A\" 3-4 "}), Allocate(2));
}

TEST_F(AllocationTest, StartsAgainWithTheFirstVuserAndRereadsTheScriptOnInit)
{
    WriteParams(Param("A", "auto_allocate_block_size=0\nvalue_for_each_vuser=5\n"));
    IS_PIPE_init("", 64);
    Allocate(1);
    WriteParams(Param("A", "auto_allocate_block_size=0\nvalue_for_each_vuser=2\n"));
    IS_PIPE_init("", 64);
    EXPECT_EQ((std::vector<std::string>{"\"-A\" 1-2 "}), Allocate(1));
}

TEST_F(AllocationTest, FailuresGiveTheirReasonAndNeverWritePastTheBuffer)
{
    char message[2048];
    EXPECT_EQ((std::vector<std::string>{"status 4001"}), Allocate(1)) << "no allocation open";

    WriteParams(Param("Count", "auto_allocate_block_size=0\nvalue_for_each_vuser=ten\n"));
    IS_PIPE_init("", 64);
    EXPECT_EQ((std::vector<std::string>{"status 4003"}), Allocate(1));
    IS_PIPE_Get_Error_String(IS_PIPE_E_BLOCK_SIZE, message, sizeof message, 0);
    EXPECT_NE(std::string(message).find("\"Count\""), std::string::npos) << message;

    WriteParams(Param("A", "auto_allocate_block_size=1\n"));
    IS_PIPE_init("", 64);
    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(IS_PIPE_E_BUFFER, IS_PIPE_Get_Indexes("1", m_strUsr.c_str(), m_strCfg.c_str(), small, 6));
    EXPECT_EQ('\0', small[0]);
    EXPECT_EQ(std::string("##"), std::string(small + 6, 2)) << "nothing past the size given";
    EXPECT_EQ((std::vector<std::string>{"\"-A\" 1-3 "}), Allocate(1)) << "a refused call allocates nothing";

    std::string missing = m_script.File("none.usr");
    EXPECT_EQ(-1, IS_PIPE_Is_Unique_Param(missing.c_str(), m_strCfg.c_str()));
    IS_PIPE_Get_Error_String(IS_PIPE_E_SCRIPT, message, 10, 0);
    EXPECT_EQ(9u, std::strlen(message)) << "the text is cut to the buffer";
}
